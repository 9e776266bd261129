#include "UpdateFetcher.h"

#include "DownloadProgress.h"
#include "UpdateAddress.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QIODevice>
#include <QNetworkReply>
#include <QTimer>

namespace {

// What Qt keeps of a body before we take it: the rest waits in the socket, so a large
// download streams to its file in bounded memory.
constexpr qint64 ReadBufferSize = 1 << 20;

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

int statusOf(const QNetworkReply *reply)
{
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

// Empty when the reply came whole; a failing status speaks for itself.
QString networkError(const QNetworkReply *reply, int status)
{
    if (reply->error() == QNetworkReply::OperationCanceledError ||
        reply->error() == QNetworkReply::TimeoutError)
        return QStringLiteral("serwer nie odpowiada");
    if (reply->error() != QNetworkReply::NoError && status <= 200)
        return reply->errorString();
    return QString();
}

} // namespace

UpdateFetcher::UpdateFetcher(QObject *parent) : QObject(parent) {}

UpdateFetcher::~UpdateFetcher()
{
    if (m_reply)
        m_reply->abort();
}

QString UpdateFetcher::Refused(const QUrl &url)
{
    return QStringLiteral("niedozwolony adres %1 (wymagane https)").arg(url.toDisplayString());
}

void UpdateFetcher::Cancel()
{
    m_cancelled = true;
    if (m_reply)
        m_reply->abort();
}

UpdateFetcher::Result UpdateFetcher::Get(const QUrl &url, const Limits &limits, QIODevice *sink,
                                         const Progress &progress)
{
    m_cancelled = false;
    const QDeadlineTimer deadline(limits.Deadline);
    QUrl current = url;
    for (int redirects = 0;; ++redirects) {
        Result result;
        QUrl location;
        if (!UpdateAddress::IsAllowed(current))
            result.error = Refused(current);
        else
            result = GetOnce(current, limits, deadline, sink, progress, &location);
        result.redirects = redirects;
        if (!isRedirect(result.status) || !result.error.isEmpty())
            return result;
        // A redirect is a step, not the answer: its status is never reported.
        result.status = 0;
        if (location.isEmpty())
            result.error = QStringLiteral("przekierowanie bez adresu");
        else if (redirects == limits.MaxRedirects)
            result.error = QStringLiteral("zbyt wiele przekierowań");
        if (!result.error.isEmpty())
            return result;
        current = current.resolved(location);
    }
}

UpdateFetcher::Result UpdateFetcher::GetOnce(const QUrl &url, const Limits &limits,
                                             const QDeadlineTimer &deadline, QIODevice *sink,
                                             const Progress &progress, QUrl *location)
{
    Result result;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    // Qt restarts this on every byte: it is the stall limit, the deadline is ours.
    request.setTransferTimeout(limits.Stall);
    QNetworkReply *reply = m_network.get(request);
    reply->setReadBufferSize(ReadBufferSize);
    m_reply = reply;
    qint64 taken = 0;

    const auto fail = [&](const QString &why) {
        if (result.error.isEmpty())
            result.error = why;
        reply->abort();
    };
    connect(reply, &QNetworkReply::metaDataChanged, this, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (!isRedirect(statusOf(reply)) && length.isValid() &&
            length.toLongLong() > limits.MaxSize)
            fail(QStringLiteral("serwer zapowiada %1 bajtów, dozwolone najwyżej %2")
                     .arg(DownloadProgress::Grouped(length.toLongLong()),
                          DownloadProgress::Grouped(limits.MaxSize)));
    });
    const auto take = [&] {
        if (!reply->isOpen() || !result.error.isEmpty())
            return;
        const QByteArray chunk = reply->readAll();
        if (isRedirect(statusOf(reply)))
            return;
        if (taken + chunk.size() > limits.MaxSize)
            return fail(
                QStringLiteral("odpowiedź serwera przekracza %1 bajtów").arg(limits.MaxSize));
        taken += chunk.size();
        if (!sink)
            result.body += chunk;
        else if (sink->write(chunk) != chunk.size())
            fail(QStringLiteral("nie można zapisać pliku: %1").arg(sink->errorString()));
    };
    connect(reply, &QNetworkReply::readyRead, this, take);
    if (progress)
        connect(reply, &QNetworkReply::downloadProgress, this, [&](qint64 received, qint64 total) {
            if (!isRedirect(statusOf(reply)))
                progress(received, total);
        });
    QTimer overall;
    overall.setSingleShot(true);
    connect(&overall, &QTimer::timeout, this, [&] {
        fail(QStringLiteral("przekroczono czas oczekiwania (%1 s)")
                 .arg((limits.Deadline + 999) / 1000));
    });
    overall.start(int(std::max<qint64>(deadline.remainingTime(), 0)));
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    if (!reply->isFinished()) // the program is ending
        reply->abort();
    take();

    result.status = statusOf(reply);
    result.reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    result.cancelled = m_cancelled;
    if (result.error.isEmpty())
        result.error = m_cancelled ? QStringLiteral("pobieranie przerwane")
                                   : networkError(reply, result.status);
    if (isRedirect(result.status))
        *location = QUrl::fromEncoded(reply->rawHeader("Location"));
    // The handlers above refer to this call's locals.
    disconnect(reply, nullptr, this, nullptr);
    reply->deleteLater();
    m_reply = nullptr;
    return result;
}
