#include "TWebFileInfo.h"

#include "DownloadProgress.h"
#include "MinisignVerifier.h"
#include "UpdateAddress.h"
#include "UpdateUi.h"
#include "VersionCompare.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkReply>
#include <QStringDecoder>

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

TWebFileInfo::~TWebFileInfo()
{
    if (m_reply)
        m_reply->abort();
}

QString TWebFileInfo::Refused(const QUrl &url)
{
    return QStringLiteral("niedozwolony adres %1 (wymagane https)").arg(url.toDisplayString());
}

TWebFileInfo::Transfer TWebFileInfo::Get(const QUrl &url, qint64 maxSize, QFile *sink,
                                         const Progress &progress)
{
    Transfer result;
    QNetworkRequest request(url);
    // Only "dfs-redirect" moves the check elsewhere, and only to addresses it accepts.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(m_settings.TransferTimeout);
    QNetworkReply *reply = m_network.get(request);
    m_reply = reply;
    m_cancelled = false;
    bool tooLarge = false;
    bool writeFailed = false;

    const auto take = [&] {
        if (!reply->isOpen())
            return;
        const QByteArray chunk = reply->readAll();
        if (sink) {
            if (sink->write(chunk) != chunk.size() && !writeFailed) {
                writeFailed = true;
                reply->abort();
            }
        } else if (!tooLarge) {
            result.body += chunk;
            if (maxSize >= 0 && result.body.size() > maxSize) {
                tooLarge = true;
                reply->abort();
            }
        }
    };
    connect(reply, &QNetworkReply::readyRead, this, take);
    if (progress)
        connect(reply, &QNetworkReply::downloadProgress, this, progress);
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    if (!reply->isFinished()) // the program is ending
        reply->abort();
    if (!tooLarge && !writeFailed)
        take();

    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    if (tooLarge)
        result.error = QStringLiteral("odpowiedź serwera przekracza %1 bajtów").arg(maxSize);
    else if (writeFailed)
        result.error = QStringLiteral("nie można zapisać pliku: %1").arg(sink->errorString());
    else if (m_cancelled)
        result.error = QStringLiteral("pobieranie przerwane");
    else if (reply->error() == QNetworkReply::OperationCanceledError ||
             reply->error() == QNetworkReply::TimeoutError)
        result.error = QStringLiteral("serwer nie odpowiada");
    else if (reply->error() != QNetworkReply::NoError && result.status <= 200)
        result.error = reply->errorString();
    // The handlers above refer to this call's locals.
    disconnect(reply, nullptr, this, nullptr);
    reply->deleteLater();
    m_reply = nullptr;
    return result;
}

void TWebFileInfo::Cancel()
{
    m_cancelled = true;
    if (m_reply)
        m_reply->abort();
}

bool TWebFileInfo::FetchInfo()
{
    QUrl url = m_settings.HomeURL;
    for (int hops = 0;; ++hops) {
        m_info = {};
        m_active = false;
        m_lastError.clear();
        if (hops > m_settings.MaxRedirects) {
            m_lastError = QStringLiteral("zbyt wiele przekierowań");
            return false;
        }
        if (!UpdateAddress::IsAllowed(url)) {
            m_lastError = Refused(url);
            return false;
        }
        m_ui.ShowWait(QStringLiteral("Poszukiwanie aktualizacji..."));
        const Transfer transfer = Get(url, m_settings.MaxInfoSize);
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
        url = QUrl(m_info.Redirect);
    }
}

bool TWebFileInfo::Download(const QString &path)
{
    const QUrl url(m_info.Url);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_lastError = file.errorString();
        return false;
    }
    DownloadProgress progress;
    m_ui.ShowProgress([this] { Cancel(); });
    m_ui.SetProgress(progress.Percent(), progress.Text());
    const Transfer transfer = Get(url, -1, &file, [&](qint64 received, qint64 total) {
        if (progress.Update(received, total))
            m_ui.SetProgress(progress.Percent(), progress.Text());
    });
    m_ui.HideProgress();
    file.close();
    if (!transfer.ok()) {
        m_lastError = transfer.failure();
        file.remove();
        return false;
    }

    // Only a file signed with the program's key is ever offered for starting.
    const QUrl signatureUrl = UpdateAddress::SignatureUrl(url);
    m_ui.ShowWait(QStringLiteral("Sprawdzanie podpisu..."));
    const Transfer signature = Get(signatureUrl, m_settings.MaxSignatureSize);
    m_ui.HideWait();
    QString why;
    if (!signature.ok())
        why = QStringLiteral("nie można pobrać podpisu pliku (%1)").arg(signature.failure());
    else if (!MinisignVerifier(m_settings.PublicKey).Verify(path, signature.body, &why))
        why = QStringLiteral("podpis nie zgadza się z plikiem: %1").arg(why);
    if (!why.isEmpty()) {
        m_lastError = why;
        file.remove();
        return false;
    }
    return true;
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
            m_ui.ShowWait(QStringLiteral("Pobieranie ReadMe..."));
            const Transfer transfer = Get(readMe, m_settings.MaxReadMeSize);
            m_ui.HideWait();
            if (transfer.ok())
                m_ui.ShowReadMe(decodeText(transfer.body));
        }
    }
    if (!m_ui.Ask(QStringLiteral("Aktualizacja dostępna"),
                  available + QStringLiteral("Pobrać aktualizację?")))
        return false;
    const QUrl download(m_info.Url);
    if (!UpdateAddress::IsAllowed(download)) {
        m_lastError = Refused(download);
        m_ui.Message(UpdateUi::Icon::Warning, QStringLiteral("Błąd pobierania"),
                     reason(downloadLead));
        return false;
    }

    UpdateUi::Filter filter = UpdateUi::Filter::Applications;
    QString path = m_ui.AskSaveName(m_info.FileName(), &filter);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty()) {
        if (filter == UpdateUi::Filter::Applications)
            path += QStringLiteral(".EXE");
        else if (filter == UpdateUi::Filter::ZipArchives)
            path += QStringLiteral(".ZIP");
    }
    if (!Download(path)) {
        m_ui.Message(UpdateUi::Icon::Warning, QStringLiteral("Błąd pobierania"),
                     reason(downloadLead));
        return false;
    }

    if (!m_ui.Ask(QStringLiteral("Instalacja aktualizacji"),
                  QStringLiteral(
                      "Czy chesz teraz zainstalować aktualizację?\nTo spowoduje zakończenie %1.")
                      .arg(m_settings.ApplicationTitle)))
        return true;
    if (m_ui.Open(path))
        m_ui.Quit();
    else
        m_ui.Message(UpdateUi::Icon::Warning, QStringLiteral("Błąd"),
                     QStringLiteral("Nie można uruchomić programu."));
    return true;
}
