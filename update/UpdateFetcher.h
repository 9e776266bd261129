#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>

class QDeadlineTimer;
class QIODevice;
class QNetworkReply;

// The update check's GETs, each bounded in size, in time without data and in time overall, so
// that no server can fill the memory or the disk or hold the check; HTTP redirects are
// followed only to addresses UpdateAddress accepts.
class UpdateFetcher : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        qint64 MaxSize = 0;
        // Milliseconds without data.
        int Stall = 30000;
        // Milliseconds for the whole transfer, redirects included.
        int Deadline = 60000;
        int MaxRedirects = 8;
    };
    struct Result
    {
        int status = 0;
        QString reason;
        QByteArray body; // when no sink was given
        QString error;
        int redirects = 0;
        bool cancelled = false;
        bool ok() const { return status <= 200 && error.isEmpty(); }
        // The reason of a failure: the status line's or the transfer's.
        QString failure() const { return status > 200 ? reason : error; }
    };
    using Progress = std::function<void(qint64 received, qint64 total)>;

    explicit UpdateFetcher(QObject *parent = nullptr);
    ~UpdateFetcher() override;

    // Waits while events run; the body goes to `sink` when given, else into the result.
    Result Get(const QUrl &url, const Limits &limits, QIODevice *sink = nullptr,
               const Progress &progress = {});
    // Ends the running transfer; it fails as cancelled.
    void Cancel();

    static QString Refused(const QUrl &url);

private:
    // One request, its redirect not followed; `location` gets the redirect's target.
    Result GetOnce(const QUrl &url, const Limits &limits, const QDeadlineTimer &deadline,
                   QIODevice *sink, const Progress &progress, QUrl *location);

    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
    bool m_cancelled = false;
};
