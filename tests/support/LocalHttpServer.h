#pragma once

#include <QHostAddress>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace fixture {

// An HTTP server on a loopback port that answers GET requests from a table of paths; what is
// not in the table gets 404. A stalled path never answers.
class LocalHttpServer : public QObject
{
public:
    struct Response
    {
        int status = 200;
        QByteArray reason = "OK";
        QByteArray body;
        bool stall = false;
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
        socket->write("HTTP/1.1 " + QByteArray::number(response.status) + ' ' + response.reason +
                      "\r\nContent-Length: " + QByteArray::number(response.body.size()) +
                      "\r\nConnection: close\r\n\r\n" + response.body);
        socket->disconnectFromHost();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    QTcpServer m_server;
    QMap<QString, Response> m_responses;
    QMap<QString, int> m_hits;
    QMap<QTcpSocket *, QByteArray> m_pending;
};

} // namespace fixture
