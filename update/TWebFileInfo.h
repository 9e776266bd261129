#pragma once

#include "UpdateFetcher.h"
#include "UpdateInfo.h"

#include <QObject>
#include <QUrl>

class UpdateUi;

// Looks on the web for a newer version of the program: reads the update-information file,
// compares the version it offers with the program's own and, when it is newer, offers the
// read-me, the download (whose signature must verify and name that version and file) and its
// start. The information fetched once is kept for the rest of the run.
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
        // Milliseconds for the whole of a small transfer (information, read-me, signature):
        // a few kilobytes that take longer come from a broken or spiteful server.
        int Deadline = 60000;
        // Milliseconds for the whole download: 1 GiB over a 1 Mbit/s line takes 2.4 h. The
        // stall limit ends a dead transfer long before.
        int DownloadDeadline = 3 * 3600 * 1000;
        qint64 MaxInfoSize = 64 * 1024;
        qint64 MaxReadMeSize = 1024 * 1024;
        qint64 MaxSignatureSize = 4096;
        qint64 MaxDownloadSize = VERBARIUM_UPDATE_MAX_DOWNLOAD;
        // Redirects followed for one file: HTTP ones and, for the information, "dfs-redirect"
        // ones together.
        int MaxRedirects = 8;
        // Where the save dialog opens; empty for the reader's download folder.
        QString SaveFolder;
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
    UpdateFetcher::Limits SmallFile(qint64 maxSize) const;
    bool FetchInfo();
    // Where the reader saves the download, extension added and replacing agreed; empty when
    // cancelled or when the offered name is refused (then m_lastError says why).
    QString SaveName();
    // Downloads the update into a private file beside `path` and moves it there once its
    // signature names the version and file offered; on failure nothing at `path` changes.
    bool Download(const QString &path);
    // Empty when the file at `path` is the release offered, else why not.
    QString CheckRelease(const QString &path) const;

    UpdateUi &m_ui;
    Settings m_settings;
    UpdateFetcher m_fetcher;
    QString m_currentVersion;
    UpdateInfo m_info;
    QByteArray m_signature;
    QString m_lastError;
    bool m_active = false;
};
