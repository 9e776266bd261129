#pragma once

#include "UpdateInfo.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>

class QFile;
class QNetworkReply;
class UpdateUi;

// Looks on the web for a newer version of the program: reads the update-information file,
// compares the version it offers with the program's own and, when it is newer, offers the
// read-me, the download (whose signature must verify) and its start. The information fetched
// once is kept for the rest of the run.
class TWebFileInfo : public QObject
{
    Q_OBJECT

public:
    struct Settings
    {
        // The update-information file.
        QUrl HomeURL;
        // The minisign public key line that downloads must be signed with.
        QByteArray PublicKey;
        // Named in the question before the update starts (the program closes then).
        QString ApplicationTitle;
        // Milliseconds a transfer may go without data.
        int TransferTimeout = 30000;
        qint64 MaxInfoSize = 64 * 1024;
        qint64 MaxReadMeSize = 1024 * 1024;
        qint64 MaxSignatureSize = 4096;
        // How many "dfs-redirect" steps are followed.
        int MaxRedirects = 8;
    };

    // The address of the update information: VERBARIUM_UPDATE_URL when set, else the one the
    // program was built with.
    static QUrl DefaultHomeURL();

    TWebFileInfo(UpdateUi &ui, Settings settings, QObject *parent = nullptr);
    ~TWebFileInfo() override;

    void SetCurrentVersion(const QString &version) { m_currentVersion = version; }
    const QString &CurrentVersion() const { return m_currentVersion; }

    // The whole dialogue with the user; true when an update was downloaded.
    bool CheckForUpdate();

    // True once the information was fetched; later checks use it without fetching again.
    bool Active() const { return m_active; }
    const UpdateInfo &Info() const { return m_info; }
    // The reason of the last failed transfer; empty when there was none or it is unknown.
    const QString &LastError() const { return m_lastError; }

private:
    struct Transfer
    {
        int status = 0;
        QString reason;
        QByteArray body;
        QString error;
        bool ok() const { return status <= 200 && error.isEmpty(); }
        // LastError of a failed transfer: the status line's reason or the transfer's error.
        QString failure() const { return status > 200 ? reason : error; }
    };
    using Progress = std::function<void(qint64 received, qint64 total)>;

    // GETs the address, waiting while events run; the body goes to `sink` when given, else
    // into the result, up to `maxSize` bytes.
    Transfer Get(const QUrl &url, qint64 maxSize, QFile *sink = nullptr,
                 const Progress &progress = {});
    bool FetchInfo();
    // Downloads the update into `path` and checks its signature; a failed file is removed.
    bool Download(const QString &path);
    void Cancel();
    static QString Refused(const QUrl &url);

    UpdateUi &m_ui;
    Settings m_settings;
    QNetworkAccessManager m_network;
    QString m_currentVersion;
    UpdateInfo m_info;
    QString m_lastError;
    bool m_active = false;
    QPointer<QNetworkReply> m_reply;
    bool m_cancelled = false;
};
