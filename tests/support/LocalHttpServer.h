#pragma once

#include <QHostAddress>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <memory>

namespace fixture {

// An HTTP server on a loopback port that answers GET requests from a table of paths; what is
// not in the table gets 404. A stalled path never answers; the other shapes are the ways a
// hostile server misbehaves.
class LocalHttpServer : public QObject
{
public:
    struct Response
    {
        int status = 200;
        QByteArray reason = "OK";
        QByteArray body;
        bool stall = false;
        // Sent as a Location header (a redirect when the status is 3xx).
        QByteArray location = {};
        // When > 0, the body goes out one byte every so many milliseconds.
        int dripMs = 0;
        // When >= 0, the Content-Length announced instead of the body's; the connection then
        // stays open after the body.
        qint64 announced = -1;
        // When > 0, that many bytes follow with no Content-Length, ended by closing.
        qint64 stream = 0;
    };

    LocalHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        });
    }

    void set(const QString &path, const Response &response) { m_responses[path] = response; }
    void set(const QString &path, const QByteArray &body)
    {
        m_responses[path] = Response{200, "OK", body, false};
    }
    QString base() const
    {
        return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
    }
    QUrl url(const QString &path) const { return QUrl(base() + path); }
    int hits(const QString &path) const { return m_hits.value(path); }

private:
    void serve(QTcpSocket *socket)
    {
        QByteArray &request = m_pending[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> line = request.left(request.indexOf("\r\n")).split(' ');
        m_pending.remove(socket);
        const QString path = QString::fromLatin1(line.value(1));
        ++m_hits[path];
        const Response response =
            m_responses.value(path, Response{404, "Not Found", "brak", false});
        if (response.stall)
            return;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' +
                          response.reason + "\r\nConnection: close\r\n";
        if (!response.location.isEmpty())
            head += "Location: " + response.location + "\r\n";
        if (response.stream <= 0) {
            const qint64 length =
                response.announced >= 0 ? response.announced : response.body.size();
            head += "Content-Length: " + QByteArray::number(length) + "\r\n";
        }
        socket->write(head + "\r\n");
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        if (response.stream > 0)
            return streamFiller(socket, response.stream);
        if (response.dripMs > 0)
            return drip(socket, response.body, response.dripMs);
        socket->write(response.body);
        if (response.announced < 0)
            socket->disconnectFromHost();
    }

    // Keeps a bounded amount queued, as a server writing from a file would.
    static void streamFiller(QTcpSocket *socket, qint64 total)
    {
        auto sent = std::make_shared<qint64>(0);
        const auto fill = [socket, total, sent] {
            const QByteArray chunk(64 * 1024, 'S');
            while (*sent < total && socket->bytesToWrite() < 4 * chunk.size()) {
                const qint64 size = std::min<qint64>(chunk.size(), total - *sent);
                socket->write(chunk.constData(), size);
                *sent += size;
            }
            if (*sent == total && socket->bytesToWrite() == 0)
                socket->disconnectFromHost();
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, fill);
        fill();
    }

    static void drip(QTcpSocket *socket, const QByteArray &body, int intervalMs)
    {
        auto *timer = new QTimer(socket);
        auto next = std::make_shared<qsizetype>(0);
        connect(timer, &QTimer::timeout, socket, [socket, timer, body, next] {
            if (*next == body.size()) {
                timer->stop();
                socket->disconnectFromHost();
                return;
            }
            socket->write(body.mid((*next)++, 1));
        });
        timer->start(intervalMs);
    }

    QTcpServer m_server;
    QMap<QString, Response> m_responses;
    QMap<QString, int> m_hits;
    QMap<QTcpSocket *, QByteArray> m_pending;
};

} // namespace fixture
