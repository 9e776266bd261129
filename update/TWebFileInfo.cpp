#include "TWebFileInfo.h"

#include "DownloadProgress.h"
#include "MinisignVerifier.h"
#include "ReleaseComment.h"
#include "UpdateAddress.h"
#include "UpdateUi.h"
#include "VersionCompare.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <filesystem>

namespace {

QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1250("windows-1250");
    return cp1250.isValid() ? QString(cp1250(bytes)) : QString::fromLatin1(bytes);
}

} // namespace

QUrl TWebFileInfo::DefaultHomeURL()
{
    const QByteArray fromEnvironment = qgetenv("VERBARIUM_UPDATE_URL");
    if (!fromEnvironment.isEmpty())
        return QUrl(QString::fromLocal8Bit(fromEnvironment));
    return QUrl(QStringLiteral(VERBARIUM_UPDATE_URL_DEFAULT));
}

TWebFileInfo::TWebFileInfo(UpdateUi &ui, Settings settings, QObject *parent)
    : QObject(parent), m_ui(ui), m_settings(std::move(settings))
{
}

TWebFileInfo::~TWebFileInfo() = default;

UpdateFetcher::Limits TWebFileInfo::SmallFile(qint64 maxSize) const
{
    return {maxSize, m_settings.TransferTimeout, m_settings.Deadline, m_settings.MaxRedirects};
}

bool TWebFileInfo::FetchInfo()
{
    QUrl url = m_settings.HomeURL;
    UpdateFetcher::Limits limits = SmallFile(m_settings.MaxInfoSize);
    for (;;) {
        m_info = {};
        m_active = false;
        m_lastError.clear();
        if (!UpdateAddress::IsAllowed(url)) {
            m_lastError = UpdateFetcher::Refused(url);
            return false;
        }
        m_ui.ShowWait(QStringLiteral("Poszukiwanie aktualizacji..."),
                      [this] { m_fetcher.Cancel(); });
        const UpdateFetcher::Result transfer = m_fetcher.Get(url, limits);
        m_ui.HideWait();
        if (transfer.status > 200)
            m_ui.Message(UpdateUi::Icon::None, m_settings.ApplicationTitle,
                         QString::number(transfer.status));
        if (!transfer.ok()) {
            m_lastError = transfer.failure();
            return false;
        }
        m_active = true;
        m_info = UpdateInfo::Parse(transfer.body);
        if (m_info.Redirect.isEmpty())
            return true;
        // "dfs-redirect" steps share the budget with the HTTP ones.
        limits.MaxRedirects -= transfer.redirects + 1;
        if (limits.MaxRedirects < 0) {
            m_info = {};
            m_active = false;
            m_lastError = QStringLiteral("zbyt wiele przekierowań");
            return false;
        }
        url = QUrl(m_info.Redirect);
    }
}

QString TWebFileInfo::SaveName()
{
    const QString name = m_info.FileName();
    if (!UpdateInfo::IsSafeFileName(name)) {
        m_lastError = QStringLiteral("niedozwolona nazwa pliku „%1”").arg(name);
        return QString();
    }
    QString folder = m_settings.SaveFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    UpdateUi::Filter filter = UpdateUi::Filter::Applications;
    QString path = m_ui.AskSaveName(QDir(folder).filePath(name), &filter);
    if (path.isEmpty())
        return QString();
    // The extension comes first, so that the question below is about the file written.
    if (QFileInfo(path).suffix().isEmpty()) {
        if (filter == UpdateUi::Filter::Applications)
            path += QStringLiteral(".EXE");
        else if (filter == UpdateUi::Filter::ZipArchives)
            path += QStringLiteral(".ZIP");
    }
    if (QFileInfo::exists(path) &&
        !m_ui.Ask(QStringLiteral("Zapisywanie aktualizacji"),
                  QStringLiteral("Plik %1 już istnieje.\nCzy chcesz go zastąpić?")
                      .arg(QDir::toNativeSeparators(path))))
        return QString();
    return path;
}

bool TWebFileInfo::Download(const QString &path)
{
    // Private (0600) and in the target's folder, so that the verified file only needs renaming.
    QTemporaryFile file(
        QFileInfo(path).absoluteDir().filePath(QStringLiteral(".verbarium-XXXXXX")));
    if (!file.open()) {
        m_lastError =
            QStringLiteral("nie można utworzyć pliku w folderze %1: %2")
                .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()), file.errorString());
        return false;
    }
    const QUrl url(m_info.Url);
    const auto cancel = [this] { m_fetcher.Cancel(); };
    DownloadProgress progress;
    m_ui.ShowProgress(cancel);
    m_ui.SetProgress(progress.Percent(), progress.Text());
    const UpdateFetcher::Progress show = [&](qint64 received, qint64 total) {
        if (progress.Update(received, total))
            m_ui.SetProgress(progress.Percent(), progress.Text());
    };
    const UpdateFetcher::Result transfer =
        m_fetcher.Get(url,
                      {m_settings.MaxDownloadSize, m_settings.TransferTimeout,
                       m_settings.DownloadDeadline, m_settings.MaxRedirects},
                      &file, show);
    m_ui.HideProgress();
    if (!transfer.ok()) {
        m_lastError = transfer.failure();
        return false;
    }
    if (!file.flush()) {
        m_lastError = QStringLiteral("nie można zapisać pliku: %1").arg(file.errorString());
        return false;
    }

    // Only a file signed with the program's key is ever offered for starting.
    m_ui.ShowWait(QStringLiteral("Sprawdzanie podpisu..."), cancel);
    const UpdateFetcher::Result signature =
        m_fetcher.Get(UpdateAddress::SignatureUrl(url), SmallFile(m_settings.MaxSignatureSize));
    m_ui.HideWait();
    if (!signature.ok()) {
        m_lastError =
            QStringLiteral("nie można pobrać podpisu pliku (%1)").arg(signature.failure());
        return false;
    }
    m_signature = signature.body;
    m_lastError = CheckRelease(file.fileName());
    if (!m_lastError.isEmpty())
        return false;

    file.close();
    std::error_code failure;
    std::filesystem::rename(QFileInfo(file.fileName()).filesystemAbsoluteFilePath(),
                            QFileInfo(path).filesystemAbsoluteFilePath(), failure);
    if (failure) {
        m_lastError =
            QStringLiteral("nie można zapisać pliku %1: %2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(failure.message()));
        return false;
    }
    file.setAutoRemove(false);
    return true;
}

QString TWebFileInfo::CheckRelease(const QString &path) const
{
    QString why;
    QByteArray comment;
    if (!MinisignVerifier(m_settings.PublicKey).Verify(path, m_signature, &why, &comment))
        return QStringLiteral("podpis nie zgadza się z plikiem: %1").arg(why);
    const std::optional<ReleaseComment> release = ReleaseComment::Parse(comment);
    if (!release)
        return QStringLiteral("komentarz podpisu nie ma postaci „verbarium WERSJA PLIK”: %1")
            .arg(QString::fromUtf8(comment));
    if (release->Version != m_info.Version)
        return QStringLiteral("podpis dotyczy wersji %1, nie %2")
            .arg(release->Version, m_info.Version);
    if (release->FileName != m_info.FileName())
        return QStringLiteral("podpis dotyczy pliku %1, nie %2")
            .arg(release->FileName, m_info.FileName());
    if (!VersionCompare::IsUpdate(m_currentVersion, release->Version))
        return QStringLiteral("wersja %1 nie jest nowsza od bieżącej").arg(release->Version);
    return QString();
}

bool TWebFileInfo::CheckForUpdate()
{
    const auto reason = [this](const QString &lead) {
        return m_lastError.isEmpty() ? lead + QStringLiteral("\nBłąd nieznany.")
                                     : lead + QStringLiteral("\nBłąd: \"%1.\"").arg(m_lastError);
    };
    const QString connectionLead =
        QStringLiteral("Nie można pobrać informacji o wersji z Internetu.");
    const QString downloadLead = QStringLiteral("Wystąpił błąd podczas pobierania aktualizacji.");
    const auto downloadFailed = [&] {
        m_ui.Message(UpdateUi::Icon::Warning, QStringLiteral("Błąd pobierania"),
                     reason(downloadLead));
        return false;
    };

    if (!m_active && !FetchInfo()) {
        m_ui.Message(UpdateUi::Icon::Warning, QStringLiteral("Błąd łączenia"),
                     reason(connectionLead));
        return false;
    }
    if (!VersionCompare::IsUpdate(m_currentVersion, m_info.Version)) {
        m_ui.Message(UpdateUi::Icon::Information, QStringLiteral("Nie znaleziono aktualizacji"),
                     QStringLiteral("Aktualizacja nie jest dostępna."));
        return false;
    }
    const QString available =
        QStringLiteral("Bieżący numer wersji: %1.\nWersja %2 jest dostępna w sieci.\n")
            .arg(m_currentVersion, m_info.Version);
    if (!m_info.ReadMe.isEmpty() &&
        m_ui.Ask(QStringLiteral("Aktualizacja dostępna"),
                 available + QStringLiteral("Czy chcesz przeczytać plik ReadMe?"))) {
        // A read-me is optional: one at a refused address is skipped like one that cannot
        // be read, and the update is still offered.
        const QUrl readMe(m_info.ReadMe);
        if (UpdateAddress::IsAllowed(readMe)) {
            m_ui.ShowWait(QStringLiteral("Pobieranie ReadMe..."), [this] { m_fetcher.Cancel(); });
            const UpdateFetcher::Result transfer =
                m_fetcher.Get(readMe, SmallFile(m_settings.MaxReadMeSize));
            m_ui.HideWait();
            if (transfer.cancelled)
                return false;
            if (transfer.ok())
                m_ui.ShowReadMe(decodeText(transfer.body));
        }
    }
    if (!m_ui.Ask(QStringLiteral("Aktualizacja dostępna"),
                  available + QStringLiteral("Pobrać aktualizację?")))
        return false;
    const QUrl download(m_info.Url);
    if (!UpdateAddress::IsAllowed(download)) {
        m_lastError = UpdateFetcher::Refused(download);
        return downloadFailed();
    }

    m_lastError.clear();
    const QString path = SaveName();
    if (path.isEmpty())
        return m_lastError.isEmpty() ? false : downloadFailed();
    if (!Download(path))
        return downloadFailed();

    if (!m_ui.Ask(QStringLiteral("Instalacja aktualizacji"),
                  QStringLiteral(
                      "Czy chesz teraz zainstalować aktualizację?\nTo spowoduje zakończenie %1.")
                      .arg(m_settings.ApplicationTitle)))
        return true;
    // The file may have been replaced while the question stood.
    if (!CheckRelease(path).isEmpty())
        m_ui.Message(UpdateUi::Icon::Warning, QStringLiteral("Błąd"),
                     QStringLiteral("Pobrany plik zmienił się od sprawdzenia podpisu, więc nie "
                                    "zostanie uruchomiony."));
    else if (m_ui.Open(path))
        m_ui.Quit();
    else
        m_ui.Message(UpdateUi::Icon::Warning, QStringLiteral("Błąd"),
                     QStringLiteral("Nie można uruchomić programu."));
    return true;
}
