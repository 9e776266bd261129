#include "DownloadProgress.h"
#include "LocalHttpServer.h"
#include "MinisignVerifier.h"
#include "ReleaseComment.h"
#include "TWebFileInfo.h"
#include "UpdateAddress.h"
#include "UpdateInfo.h"
#include "UpdateUi.h"
#include "VersionCompare.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sodium.h>

#include <algorithm>

using fixture::LocalHttpServer;

namespace {

// A minisign key pair made for the test.
struct TestKey
{
    unsigned char pk[crypto_sign_PUBLICKEYBYTES];
    unsigned char sk[crypto_sign_SECRETKEYBYTES];
    QByteArray id;

    explicit TestKey(char idByte = 'k') : id(8, idByte) { crypto_sign_keypair(pk, sk); }
    QByteArray publicLine() const
    {
        return (QByteArray("Ed") + id + QByteArray(reinterpret_cast<const char *>(pk), sizeof pk))
            .toBase64();
    }
    // The .minisig file for `data`; prehashed ("ED") or legacy ("Ed").
    QByteArray sign(const QByteArray &data, bool prehashed,
                    const QByteArray &trusted = "timestamp:1") const
    {
        QByteArray message = data;
        if (prehashed) {
            message.resize(crypto_generichash_BYTES_MAX);
            crypto_generichash(reinterpret_cast<unsigned char *>(message.data()),
                               crypto_generichash_BYTES_MAX,
                               reinterpret_cast<const unsigned char *>(data.constData()),
                               quint64(data.size()), nullptr, 0);
        }
        QByteArray sig(crypto_sign_BYTES, Qt::Uninitialized);
        crypto_sign_detached(reinterpret_cast<unsigned char *>(sig.data()), nullptr,
                             reinterpret_cast<const unsigned char *>(message.constData()),
                             quint64(message.size()), sk);
        const QByteArray signedComment = sig + trusted;
        QByteArray global(crypto_sign_BYTES, Qt::Uninitialized);
        crypto_sign_detached(reinterpret_cast<unsigned char *>(global.data()), nullptr,
                             reinterpret_cast<const unsigned char *>(signedComment.constData()),
                             quint64(signedComment.size()), sk);
        return "untrusted comment: test\n" +
               (QByteArray(prehashed ? "ED" : "Ed") + id + sig).toBase64() +
               "\ntrusted comment: " + trusted + '\n' + global.toBase64() + '\n';
    }
    // As a release is signed: prehashed, the trusted comment naming its version and file.
    QByteArray signRelease(const QByteArray &data, const QByteArray &version,
                           const QByteArray &file) const
    {
        return sign(data, true, "verbarium " + version + ' ' + file);
    }
};

// Answers for the user and writes down everything the check shows, one line each.
class RecordingUi : public UpdateUi
{
public:
    QStringList events;
    QList<bool> answers; // Yes when none is left
    QString saveName;    // empty: the save dialog is cancelled
    Filter filter = Filter::Applications;
    bool opens = true;
    bool cancelOnProgress = false;
    QString cancelWait; // the wait text at which the user cancels, a moment after it shows
    std::function<void(const QString &caption)> beforeAnswer;
    QList<int> percents;
    QStringList progressTexts;
    bool waitShown = false;

    void ShowWait(const QString &text, std::function<void()> cancel) override
    {
        QVERIFY(!waitShown);
        waitShown = true;
        events.append(QStringLiteral("wait ") + text);
        if (text == cancelWait)
            QTimer::singleShot(50, [cancel] { cancel(); });
    }
    void HideWait() override
    {
        QVERIFY(waitShown);
        waitShown = false;
    }
    bool Ask(const QString &caption, const QString &text) override
    {
        events.append(QStringLiteral("ask %1|%2").arg(caption, text));
        if (beforeAnswer)
            beforeAnswer(caption);
        return answers.isEmpty() || answers.takeFirst();
    }
    void Message(Icon icon, const QString &caption, const QString &text) override
    {
        events.append(QStringLiteral("message %1 %2|%3").arg(int(icon)).arg(caption, text));
    }
    void ShowReadMe(const QString &text) override
    {
        events.append(QStringLiteral("readme ") + text);
    }
    QString AskSaveName(const QString &suggested, Filter *chosen) override
    {
        events.append(QStringLiteral("save ") + suggested);
        *chosen = filter;
        return saveName;
    }
    void ShowProgress(std::function<void()> cancel) override
    {
        events.append(QStringLiteral("progress"));
        m_cancel = std::move(cancel);
    }
    void SetProgress(int percent, const QString &text) override
    {
        percents.append(percent);
        progressTexts.append(text);
        if (cancelOnProgress && percents.size() == 2)
            m_cancel();
    }
    void HideProgress() override { m_cancel = nullptr; }
    bool Open(const QString &path) override
    {
        events.append(QStringLiteral("open ") + path);
        return opens;
    }
    void Quit() override { events.append(QStringLiteral("quit")); }

private:
    std::function<void()> m_cancel;
};

QByteArray meta(const char *tag, const QString &value)
{
    return QByteArray("<META HTTP-EQUIV=\"") + tag + "\" CONTENT=\"" + value.toLatin1() + "\">\r\n";
}

const QString Current = QStringLiteral("2.0.0.24");

using Files = QMap<QString, QByteArray>;

} // namespace

class TestUpdateCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void versionComparison_data();
    void versionComparison();
    void metaLines_data();
    void metaLines();
    void progressText_data();
    void progressText();
    void addresses_data();
    void addresses();
    void signatureAddress_data();
    void signatureAddress();
    void signatures_data();
    void signatures();
    void fileNames_data();
    void fileNames();
    void releaseComments_data();
    void releaseComments();
    void dialogue_data();
    void dialogue();
    void progressOfADownload();
    void informationKeptForTheRun();
    void redirectSteps_data();
    void redirectSteps();
    void deadlines_data();
    void deadlines();
    void cancelWhileWaiting_data();
    void cancelWhileWaiting();
    void existingFile_data();
    void existingFile();
    void sizeLimits_data();
    void sizeLimits();
    void savedInTheDownloadFolder();
    void fileSwappedBeforeOpening();

private:
    std::unique_ptr<TWebFileInfo> checker(int timeout = 2000);
    // Puts the files on the server; "@" in a body stands for the server's address.
    void serve(const Files &files);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<LocalHttpServer> m_server;
    std::unique_ptr<TestKey> m_key;
    RecordingUi m_ui;
    TWebFileInfo::Settings m_settings;
};

void TestUpdateCheck::initTestCase()
{
    QVERIFY(sodium_init() >= 0);
    // One key for the run: the tables sign their files before each row's init.
    m_key = std::make_unique<TestKey>();
}

void TestUpdateCheck::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_server = std::make_unique<LocalHttpServer>();
    m_ui = RecordingUi();
    m_settings = {};
    m_settings.HomeURL = m_server->url(QStringLiteral("/updates/verbarium.hti"));
    m_settings.PublicKey = m_key->publicLine();
    m_settings.ApplicationTitle = QStringLiteral("Verbarium");
    m_settings.Deadline = 1000;
    m_settings.MaxInfoSize = 4096;
    m_settings.MaxRedirects = 3;
    m_settings.SaveFolder = m_dir->path();
}

void TestUpdateCheck::cleanup()
{
    m_server.reset();
    m_dir.reset();
}

std::unique_ptr<TWebFileInfo> TestUpdateCheck::checker(int timeout)
{
    TWebFileInfo::Settings settings = m_settings;
    settings.TransferTimeout = timeout;
    auto check = std::make_unique<TWebFileInfo>(m_ui, settings);
    check->SetCurrentVersion(Current);
    return check;
}

void TestUpdateCheck::versionComparison_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<bool>("update");

    QTest::newRow("next build") << Current << QStringLiteral("2.0.0.25") << true;
    QTest::newRow("same") << Current << Current << false;
    QTest::newRow("next minor") << Current << QStringLiteral("2.1.0.0") << true;
    QTest::newRow("older") << Current << QStringLiteral("1.9.9.99") << false;
    QTest::newRow("numbers, not text")
        << QStringLiteral("2.0.0.9") << QStringLiteral("2.0.0.10") << true;
    QTest::newRow("x counts as 0") << Current << QStringLiteral("2.0.0.x") << false;
    QTest::newRow("x before a newer part") << Current << QStringLiteral("2.0.x.25") << true;
    QTest::newRow("x in the current")
        << QStringLiteral("2.x.0.0") << QStringLiteral("2.0.0.1") << true;
    QTest::newRow("fewer parts offered") << Current << QStringLiteral("2.1") << true;
    QTest::newRow("fewer parts, equal")
        << QStringLiteral("2.0.0.0") << QStringLiteral("2.0") << false;
    QTest::newRow("more parts offered") << Current << QStringLiteral("2.0.0.24.1") << true;
    QTest::newRow("nothing offered") << Current << QString() << false;
}

void TestUpdateCheck::versionComparison()
{
    QFETCH(QString, current);
    QFETCH(QString, offered);
    QFETCH(bool, update);
    QCOMPARE(VersionCompare::IsUpdate(current, offered), update);
}

void TestUpdateCheck::metaLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("values"); // version, url, read-me, redirect

    QTest::newRow("all four, CR LF")
        << QByteArray("<HTML>\r\n<META HTTP-EQUIV=\"dfs-version\" CONTENT=\"2.0.0.25\">\r\n"
                      "<META HTTP-EQUIV=\"dfs-url\" CONTENT=\"https://h/v.exe\">\r\n"
                      "<META HTTP-EQUIV=\"dfs-readme\" CONTENT=\"https://h/r.txt\">\r"
                      "<META HTTP-EQUIV=\"dfs-redirect\" CONTENT=\"https://h/n.hti\">\n</HTML>")
        << QStringList{QStringLiteral("2.0.0.25"), QStringLiteral("https://h/v.exe"),
                       QStringLiteral("https://h/r.txt"), QStringLiteral("https://h/n.hti")};
    QTest::newRow("http-equiv in lower case counts")
        << QByteArray("<meta http-equiv=\"dfs-version\" CONTENT=\"3\">")
        << QStringList{QStringLiteral("3"), QString(), QString(), QString()};
    QTest::newRow("content in lower case does not")
        << QByteArray("<META HTTP-EQUIV=\"dfs-version\" content=\"3\">")
        << QStringList{QString(), QString(), QString(), QString()};
    QTest::newRow("tag names are case-sensitive")
        << QByteArray("<META HTTP-EQUIV=\"DFS-VERSION\" CONTENT=\"3\">\n<META "
                      "HTTP-EQUIV=\"dfs-date\" CONTENT=\"4\">")
        << QStringList{QString(), QString(), QString(), QString()};
    QTest::newRow("the last one wins")
        << QByteArray("<META HTTP-EQUIV=\"dfs-version\" CONTENT=\"1\">\n<META "
                      "HTTP-EQUIV=\"dfs-version\" CONTENT=\"2\">")
        << QStringList{QStringLiteral("2"), QString(), QString(), QString()};
    QTest::newRow("other lines and broken shapes ignored")
        << QByteArray(
               "dfs-version CONTENT=\"9\"\n<META HTTP-EQUIV= \"dfs-version\" CONTENT=\"8\">\n"
               "<META HTTP-EQUIV=\"dfs-version\" CONTENT=7>")
        << QStringList{QString(), QString(), QString(), QString()};
}

void TestUpdateCheck::metaLines()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, values);
    const UpdateInfo info = UpdateInfo::Parse(file);
    QCOMPARE((QStringList{info.Version, info.Url, info.ReadMe, info.Redirect}), values);
}

void TestUpdateCheck::progressText_data()
{
    QTest::addColumn<QList<qint64>>("steps"); // received, total, received, total, ...
    QTest::addColumn<int>("percent");
    QTest::addColumn<QString>("text");

    QTest::newRow("start") << QList<qint64>{0, 0} << 0
                           << QStringLiteral("0 z 0 odebranych bajtów.");
    QTest::newRow("groups of three")
        << QList<qint64>{999, 1234567} << 0 << QStringLiteral("999 z 1,234,567 odebranych bajtów.");
    QTest::newRow("exact thousands") << QList<qint64>{1000, 1000000} << 0
                                     << QStringLiteral("1,000 z 1,000,000 odebranych bajtów.");
    QTest::newRow("never backwards") << QList<qint64>{600, 1000, 100, 2000} << 60
                                     << QStringLiteral("100 z 2,000 odebranych bajtów.");
    QTest::newRow("unknown total")
        << QList<qint64>{500, 1000, 700, -1} << 50 << QStringLiteral("700 z 0 odebranych bajtów.");
    QTest::newRow("whole") << QList<qint64>{123456, 123456} << 100
                           << QStringLiteral("123,456 z 123,456 odebranych bajtów.");
}

void TestUpdateCheck::progressText()
{
    QFETCH(QList<qint64>, steps);
    QFETCH(int, percent);
    QFETCH(QString, text);
    DownloadProgress progress;
    for (qsizetype i = 0; i + 1 < steps.size(); i += 2)
        progress.Update(steps[i], steps[i + 1]);
    QCOMPARE(progress.Percent(), percent);
    QCOMPARE(progress.Text(), text);
}

void TestUpdateCheck::addresses_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("allowed");

    QTest::newRow("https") << QStringLiteral("https://example.com/updates/verbarium.hti") << true;
    QTest::newRow("http elsewhere")
        << QStringLiteral("http://example.com/updates/verbarium.hti") << false;
    QTest::newRow("http 127.0.0.1") << QStringLiteral("http://127.0.0.1:8080/a") << true;
    QTest::newRow("http ::1") << QStringLiteral("http://[::1]:8080/a") << true;
    QTest::newRow("http localhost") << QStringLiteral("http://LOCALHOST/a") << true;
    QTest::newRow("http other loopback-looking host")
        << QStringLiteral("http://localhost.example.com/a") << false;
    QTest::newRow("ftp") << QStringLiteral("ftp://127.0.0.1/a") << false;
    QTest::newRow("file") << QStringLiteral("file:///etc/passwd") << false;
    QTest::newRow("relative") << QStringLiteral("verbarium.exe") << false;
}

void TestUpdateCheck::addresses()
{
    QFETCH(QString, url);
    QFETCH(bool, allowed);
    QCOMPARE(UpdateAddress::IsAllowed(QUrl(url)), allowed);
}

void TestUpdateCheck::signatureAddress_data()
{
    QTest::addColumn<QString>("download");
    QTest::addColumn<QString>("signature");

    QTest::newRow("plain path") << QStringLiteral("https://h/pub/v.exe")
                                << QStringLiteral("https://h/pub/v.exe.minisig");
    QTest::newRow("query dropped")
        << QStringLiteral("https://h/f.exe?x=1") << QStringLiteral("https://h/f.exe.minisig");
    QTest::newRow("fragment dropped")
        << QStringLiteral("https://h/f.exe#top") << QStringLiteral("https://h/f.exe.minisig");
    QTest::newRow("percent-encoded path kept") << QStringLiteral("https://h/a%20b%3Fc.exe?x=%2F")
                                               << QStringLiteral("https://h/a%20b%3Fc.exe.minisig");
}

void TestUpdateCheck::signatureAddress()
{
    QFETCH(QString, download);
    QFETCH(QString, signature);
    QCOMPARE(UpdateAddress::SignatureUrl(QUrl(download)).toString(QUrl::FullyEncoded), signature);
}

void TestUpdateCheck::signatures_data()
{
    QTest::addColumn<bool>("prehashed");
    QTest::addColumn<QString>("fault"); // what is spoilt; "" for nothing
    QTest::addColumn<QString>("error");

    QTest::newRow("prehashed") << true << QString() << QString();
    QTest::newRow("legacy") << false << QString() << QString();
    QTest::newRow("file changed") << true << QStringLiteral("file")
                                  << QStringLiteral("podpis pliku nie zgadza się");
    QTest::newRow("legacy, file changed")
        << false << QStringLiteral("file") << QStringLiteral("podpis pliku nie zgadza się");
    QTest::newRow("trusted comment changed")
        << true << QStringLiteral("comment") << QStringLiteral("podpis komentarza nie zgadza się");
    QTest::newRow("another key") << true << QStringLiteral("key")
                                 << QStringLiteral("podpis złożono innym kluczem");
    QTest::newRow("another key, same id")
        << true << QStringLiteral("same id") << QStringLiteral("podpis pliku nie zgadza się");
    QTest::newRow("not a signature")
        << true << QStringLiteral("garbage") << QStringLiteral("plik podpisu ma zły format");
    // The legacy form needs the whole file in memory; the prehashed one is read in pieces.
    QTest::newRow("legacy, file over the bound")
        << false << QStringLiteral("large")
        << QStringLiteral("podpis typu Ed obejmuje tylko pliki do 67,108,864 bajtów; "
                          "ten ma 67,108,865");
    QTest::newRow("prehashed, file over the bound") << true << QStringLiteral("large") << QString();
}

void TestUpdateCheck::signatures()
{
    QFETCH(bool, prehashed);
    QFETCH(QString, fault);
    QFETCH(QString, error);

    const QByteArray data = fault == u"large" ? QByteArray(MinisignVerifier::MaxLegacySize + 1, 'u')
                                              : QByteArray(5000, 'u') + "aktualizacja";
    const QString path = m_dir->filePath(QStringLiteral("v.exe"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(fault == u"file" ? data + 'x' : data);
    file.close();

    QByteArray signature = m_key->sign(data, prehashed);
    if (fault == u"comment")
        signature.replace("timestamp:1", "timestamp:2");
    else if (fault == u"key")
        signature = TestKey('o').sign(data, prehashed);
    else if (fault == u"same id")
        signature = TestKey('k').sign(data, prehashed);
    else if (fault == u"garbage")
        signature = "untrusted comment: x\nnie\n";

    QString why;
    QCOMPARE(MinisignVerifier(m_key->publicLine()).Verify(path, signature, &why), error.isEmpty());
    QCOMPARE(why, error);
}

void TestUpdateCheck::fileNames_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");

    QTest::newRow("plain") << QStringLiteral("https://h/pub/v.exe") << QStringLiteral("v.exe")
                           << true;
    QTest::newRow("a path in the query") << QStringLiteral("https://h/pub/v.exe?x=/../../.bashrc")
                                         << QStringLiteral("v.exe") << true;
    QTest::newRow("a path in the fragment")
        << QStringLiteral("https://h/pub/v.exe#/.bashrc") << QStringLiteral("v.exe") << true;
    QTest::newRow("decoded") << QStringLiteral("https://h/pub/nowa%20wersja%C5%BC.exe")
                             << QStringLiteral("nowa wersjaż.exe") << true;
    QTest::newRow("dot file") << QStringLiteral("https://h/pub/.bashrc")
                              << QStringLiteral(".bashrc") << false;
    QTest::newRow("parent folder")
        << QStringLiteral("https://h/pub/..") << QStringLiteral("..") << false;
    QTest::newRow("encoded slash") << QStringLiteral("https://h/pub/a%2F..%2F.bashrc")
                                   << QStringLiteral("a/../.bashrc") << false;
    QTest::newRow("encoded backslash")
        << QStringLiteral("https://h/pub/..%5Cwin.ini") << QStringLiteral("..\\win.ini") << false;
    QTest::newRow("control character")
        << QStringLiteral("https://h/pub/v%0A.exe") << QStringLiteral("v\n.exe") << false;
    QTest::newRow("no name") << QStringLiteral("https://h/pub/") << QString() << false;
}

void TestUpdateCheck::fileNames()
{
    QFETCH(QString, url);
    QFETCH(QString, name);
    QFETCH(bool, safe);
    UpdateInfo info;
    info.Url = url;
    QCOMPARE(info.FileName(), name);
    QCOMPARE(UpdateInfo::IsSafeFileName(name), safe);
}

void TestUpdateCheck::releaseComments_data()
{
    QTest::addColumn<QByteArray>("comment");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("file");

    QTest::newRow("release") << QByteArray("verbarium 2.0.0.25 verbarium-2.0.0.25.exe") << true
                             << QStringLiteral("2.0.0.25")
                             << QStringLiteral("verbarium-2.0.0.25.exe");
    QTest::newRow("one part") << QByteArray("verbarium 3 v.zip") << true << QStringLiteral("3")
                              << QStringLiteral("v.zip");
    QTest::newRow("Polish file name")
        << QByteArray("verbarium 2.1 aktualizacja-\xc5\xbc.exe") << true << QStringLiteral("2.1")
        << QStringLiteral("aktualizacja-ż.exe");
    QTest::newRow("minisign's default")
        << QByteArray("timestamp:1 file:v.exe") << false << QString() << QString();
    QTest::newRow("another program")
        << QByteArray("verbariumx 2.1 v.exe") << false << QString() << QString();
    QTest::newRow("no file") << QByteArray("verbarium 2.1") << false << QString() << QString();
    QTest::newRow("two spaces") << QByteArray("verbarium  2.1 v.exe") << false << QString()
                                << QString();
    QTest::newRow("trailing space")
        << QByteArray("verbarium 2.1 v.exe ") << false << QString() << QString();
    QTest::newRow("more words") << QByteArray("verbarium 2.1 v.exe x") << false << QString()
                                << QString();
    QTest::newRow("letters in the version")
        << QByteArray("verbarium 2.x v.exe") << false << QString() << QString();
    QTest::newRow("empty part") << QByteArray("verbarium 2..1 v.exe") << false << QString()
                                << QString();
    QTest::newRow("empty") << QByteArray() << false << QString() << QString();
}

void TestUpdateCheck::releaseComments()
{
    QFETCH(QByteArray, comment);
    QFETCH(bool, valid);
    QFETCH(QString, version);
    QFETCH(QString, file);
    const std::optional<ReleaseComment> release = ReleaseComment::Parse(comment);
    QCOMPARE(release.has_value(), valid);
    if (release) {
        QCOMPARE(release->Version, version);
        QCOMPARE(release->FileName, file);
    }
}

void TestUpdateCheck::dialogue_data()
{
    // Every address may name the server as "@"; the download's file as "#" is in the test's
    // folder.
    // "STATUS 404 Not Found", "STALL", "REDIRECT 302 address", "DRIP body" (a byte each 50 ms)
    // or the body.
    QTest::addColumn<Files>("files");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QString>("saveName"); // relative; "" cancels the save dialog
    QTest::addColumn<int>("filter");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("cancel"); // Cancel in the progress window
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QString>("kept"); // the file downloaded and kept; "" when none

    const QString info = QStringLiteral("/updates/verbarium.hti");
    const QByteArray update = QByteArray(300000, 'E');
    const QByteArray offer = meta("dfs-version", QStringLiteral("2.0.0.25")) +
                             meta("dfs-url", QStringLiteral("@/pub/verb25.exe"));
    const QByteArray readMe = meta("dfs-readme", QStringLiteral("@/pub/readme.txt"));
    const Files signedUpdate{
        {QStringLiteral("/pub/verb25.exe"), update},
        {QStringLiteral("/pub/verb25.exe.minisig"),
         m_key->signRelease(update, "2.0.0.25", "verb25.exe")},
        {QStringLiteral("/pub/readme.txt"), QByteArray("Zmiany w wersji 2.0.0.25: żółw.")}};
    const auto with = [&signedUpdate](const Files &more) {
        Files all = signedUpdate;
        all.insert(more);
        return all;
    };
    const QString waitInfo = QStringLiteral("wait Poszukiwanie aktualizacji...");
    const QString available =
        QStringLiteral("Bieżący numer wersji: 2.0.0.24.\nWersja 2.0.0.25 jest dostępna w sieci.\n");
    const QString askReadMe = QStringLiteral("ask Aktualizacja dostępna|") + available +
                              QStringLiteral("Czy chcesz przeczytać plik ReadMe?");
    const QString askDownload = QStringLiteral("ask Aktualizacja dostępna|") + available +
                                QStringLiteral("Pobrać aktualizację?");
    const QString askRun =
        QStringLiteral("ask Instalacja aktualizacji|Czy chesz teraz zainstalować aktualizację?\n"
                       "To spowoduje zakończenie Verbarium.");
    const QString downloaded[] = {QStringLiteral("save #/verb25.exe"), QStringLiteral("progress"),
                                  QStringLiteral("wait Sprawdzanie podpisu...")};
    const auto connectionError = [](const QString &reason) {
        return QStringLiteral("message 2 Błąd łączenia|Nie można pobrać informacji o wersji z "
                              "Internetu.\nBłąd: \"%1.\"")
            .arg(reason);
    };
    const auto downloadError = [](const QString &reason) {
        return QStringLiteral("message 2 Błąd pobierania|Wystąpił błąd podczas pobierania "
                              "aktualizacji.\nBłąd: \"%1.\"")
            .arg(reason);
    };
    const QString noUpdate =
        QStringLiteral("message 1 Nie znaleziono aktualizacji|Aktualizacja nie jest dostępna.");

    QTest::newRow("same version") << Files{{info, meta("dfs-version", Current)}} << QList<bool>()
                                  << QString() << 0 << true << false
                                  << QStringList{waitInfo, noUpdate} << QString();
    QTest::newRow("older version")
        << Files{{info, meta("dfs-version", QStringLiteral("1.9.9.99"))}} << QList<bool>()
        << QString() << 0 << true << false << QStringList{waitInfo, noUpdate} << QString();
    QTest::newRow("read-me, then No to the download")
        << with({{info, offer + readMe}}) << QList<bool>{true, false} << QString() << 0 << true
        << false
        << QStringList{waitInfo, askReadMe, QStringLiteral("wait Pobieranie ReadMe..."),
                       QStringLiteral("readme Zmiany w wersji 2.0.0.25: żółw."), askDownload}
        << QString();
    QTest::newRow("No to the read-me, then save cancelled")
        << with({{info, offer + readMe}}) << QList<bool>{false, true} << QString() << 0 << true
        << false << QStringList{waitInfo, askReadMe, askDownload, downloaded[0]} << QString();
    QTest::newRow("read-me missing on the server")
        << with({{info, offer + meta("dfs-readme", QStringLiteral("@/pub/none.txt"))}})
        << QList<bool>{true, false} << QString() << 0 << true << false
        << QStringList{waitInfo, askReadMe, QStringLiteral("wait Pobieranie ReadMe..."),
                       askDownload}
        << QString();
    QTest::newRow("downloaded, No to the start")
        << with({{info, offer}}) << QList<bool>{true, false} << QStringLiteral("nowa.exe") << 0
        << true << false
        << (QStringList{waitInfo, askDownload} << downloaded[0] << downloaded[1] << downloaded[2]
                                               << askRun)
        << QStringLiteral("nowa.exe");
    QTest::newRow("downloaded and started")
        << with({{info, offer}}) << QList<bool>{true, true} << QStringLiteral("nowa") << 0 << true
        << false
        << (QStringList{waitInfo, askDownload} << downloaded[0] << downloaded[1] << downloaded[2]
                                               << askRun << QStringLiteral("open #/nowa.EXE")
                                               << QStringLiteral("quit"))
        << QStringLiteral("nowa.EXE");
    QTest::newRow("zip filter adds .ZIP")
        << with({{info, offer}}) << QList<bool>{true, false} << QStringLiteral("nowa") << 1 << true
        << false
        << (QStringList{waitInfo, askDownload} << downloaded[0] << downloaded[1] << downloaded[2]
                                               << askRun)
        << QStringLiteral("nowa.ZIP");
    QTest::newRow("all files adds nothing")
        << with({{info, offer}}) << QList<bool>{true, false} << QStringLiteral("nowa") << 2 << true
        << false
        << (QStringList{waitInfo, askDownload} << downloaded[0] << downloaded[1] << downloaded[2]
                                               << askRun)
        << QStringLiteral("nowa");
    QTest::newRow("could not be started")
        << with({{info, offer}}) << QList<bool>{true, true} << QStringLiteral("nowa.exe") << 0
        << false << false
        << (QStringList{waitInfo, askDownload}
            << downloaded[0] << downloaded[1] << downloaded[2] << askRun
            << QStringLiteral("open #/nowa.exe")
            << QStringLiteral("message 2 Błąd|Nie można uruchomić programu."))
        << QStringLiteral("nowa.exe");
    QTest::newRow("bad signature")
        << with({{info, offer},
                 {QStringLiteral("/pub/verb25.exe.minisig"), TestKey('k').sign(update, true)}})
        << QList<bool>{true} << QStringLiteral("nowa.exe") << 0 << true << false
        << (QStringList{waitInfo, askDownload}
            << downloaded[0] << downloaded[1] << downloaded[2]
            << downloadError(QStringLiteral("podpis nie zgadza się z plikiem: "
                                            "podpis pliku nie zgadza się")))
        << QString();
    QTest::newRow("no signature")
        << with(
               {{info, offer}, {QStringLiteral("/pub/verb25.exe.minisig"), "STATUS 404 Not Found"}})
        << QList<bool>{true} << QStringLiteral("nowa.exe") << 0 << true << false
        << (QStringList{waitInfo, askDownload}
            << downloaded[0] << downloaded[1] << downloaded[2]
            << downloadError(QStringLiteral("nie można pobrać podpisu pliku (Not Found)")))
        << QString();
    QTest::newRow("download fails with its status")
        << with({{info, offer},
                 {QStringLiteral("/pub/verb25.exe"), "STATUS 500 Internal Server Error"}})
        << QList<bool>{true} << QStringLiteral("nowa.exe") << 0 << true << false
        << (QStringList{waitInfo, askDownload}
            << downloaded[0] << downloaded[1]
            << downloadError(QStringLiteral("Internal Server Error")))
        << QString();
    QTest::newRow("download cancelled")
        << with({{info, offer}}) << QList<bool>{true} << QStringLiteral("nowa.exe") << 0 << true
        << true
        << (QStringList{waitInfo, askDownload}
            << downloaded[0] << downloaded[1]
            << downloadError(QStringLiteral("pobieranie przerwane")))
        << QString();
    QTest::newRow("information missing: its status, then the reason")
        << Files() << QList<bool>() << QString() << 0 << true << false
        << QStringList{waitInfo, QStringLiteral("message 0 Verbarium|404"),
                       connectionError(QStringLiteral("Not Found"))}
        << QString();
    QTest::newRow("status without a reason")
        << Files{{info, "STATUS 503 "}} << QList<bool>() << QString() << 0 << true << false
        << QStringList{waitInfo, QStringLiteral("message 0 Verbarium|503"),
                       QStringLiteral("message 2 Błąd łączenia|Nie można pobrać informacji o "
                                      "wersji z Internetu.\n"
                                      "Błąd nieznany.")}
        << QString();
    QTest::newRow("redirect replaces the first file's values")
        << with({{info, meta("dfs-version", QStringLiteral("9.0")) + readMe +
                            meta("dfs-redirect", QStringLiteral("@/next.hti"))},
                 {QStringLiteral("/next.hti"), offer}})
        << QList<bool>{false} << QString() << 0 << true << false
        << QStringList{waitInfo, waitInfo, askDownload} << QString();
    QTest::newRow("redirect loop")
        << Files{{info, meta("dfs-redirect", QStringLiteral("@/loop.hti"))},
                 {QStringLiteral("/loop.hti"),
                  meta("dfs-redirect", QStringLiteral("@/updates/verbarium.hti"))}}
        << QList<bool>() << QString() << 0 << true << false
        << QStringList{waitInfo, waitInfo, waitInfo, waitInfo,
                       connectionError(QStringLiteral("zbyt wiele przekierowań"))}
        << QString();
    QTest::newRow("server stalls")
        << Files{{info, "STALL"}} << QList<bool>() << QString() << 0 << true << false
        << QStringList{waitInfo, connectionError(QStringLiteral("serwer nie odpowiada"))}
        << QString();
    QTest::newRow("information file too large")
        << Files{{info, offer + QByteArray(5000, ' ')}} << QList<bool>() << QString() << 0 << true
        << false
        << QStringList{waitInfo, connectionError(QStringLiteral(
                                     "serwer zapowiada 5,129 bajtów, dozwolone najwyżej 4,096"))}
        << QString();
    QTest::newRow("plain http redirect refused")
        << Files{{info, meta("dfs-redirect", QStringLiteral("http://example.com/v.hti"))}}
        << QList<bool>() << QString() << 0 << true << false
        << QStringList{waitInfo,
                       connectionError(QStringLiteral(
                           "niedozwolony adres http://example.com/v.hti (wymagane https)"))}
        << QString();
    QTest::newRow("plain http read-me skipped like an unreadable one")
        << with({{info, offer + meta("dfs-readme", QStringLiteral("http://example.com/r.txt"))}})
        << QList<bool>{true, false} << QString() << 0 << true << false
        << QStringList{waitInfo, askReadMe, askDownload} << QString();
    QTest::newRow("plain http download refused")
        << Files{{info, meta("dfs-version", QStringLiteral("2.0.0.25")) +
                            meta("dfs-url", QStringLiteral("http://example.com/v.exe"))}}
        << QList<bool>{true} << QStringLiteral("nowa.exe") << 0 << true << false
        << QStringList{waitInfo, askDownload,
                       downloadError(QStringLiteral(
                           "niedozwolony adres http://example.com/v.exe (wymagane https)"))}
        << QString();

    QTest::newRow("a path in the query cannot name the file")
        << with({{info, meta("dfs-version", QStringLiteral("2.0.0.25")) +
                            meta("dfs-url", QStringLiteral("@/pub/verb25.exe?x=/../../.bashrc"))},
                 {QStringLiteral("/pub/verb25.exe?x=/../../.bashrc"), update}})
        << QList<bool>{true, false} << QStringLiteral("verb25.exe") << 0 << true << false
        << (QStringList{waitInfo, askDownload} << downloaded[0] << downloaded[1] << downloaded[2]
                                               << askRun)
        << QStringLiteral("verb25.exe");
    QTest::newRow("dot file refused")
        << with({{info, meta("dfs-version", QStringLiteral("2.0.0.25")) +
                            meta("dfs-url", QStringLiteral("@/pub/.bashrc"))},
                 {QStringLiteral("/pub/.bashrc"), update}})
        << QList<bool>{true} << QStringLiteral(".bashrc") << 0 << true << false
        << QStringList{waitInfo, askDownload,
                       downloadError(QStringLiteral("niedozwolona nazwa pliku „.bashrc”"))}
        << QString();

    // The version and address in the information file are not signed: the trusted comment
    // must name them.
    const QByteArray old(200000, 'O');
    QTest::newRow("older signed release offered as newer")
        << Files{{info, meta("dfs-version", QStringLiteral("2.0.0.25")) +
                            meta("dfs-url", QStringLiteral("@/pub/verb20.exe"))},
                 {QStringLiteral("/pub/verb20.exe"), old},
                 {QStringLiteral("/pub/verb20.exe.minisig"),
                  m_key->signRelease(old, "2.0.0.20", "verb20.exe")}}
        << QList<bool>{true} << QStringLiteral("nowa.exe") << 0 << true << false
        << (QStringList{waitInfo, askDownload}
            << QStringLiteral("save #/verb20.exe") << downloaded[1] << downloaded[2]
            << downloadError(QStringLiteral("podpis dotyczy wersji 2.0.0.20, nie 2.0.0.25")))
        << QString();
    QTest::newRow("release signed under another file name")
        << with({{info, offer},
                 {QStringLiteral("/pub/verb25.exe.minisig"),
                  m_key->signRelease(update, "2.0.0.25", "verbarium-setup.exe")}})
        << QList<bool>{true} << QStringLiteral("nowa.exe") << 0 << true << false
        << (QStringList{waitInfo, askDownload}
            << downloaded[0] << downloaded[1] << downloaded[2]
            << downloadError(
                   QStringLiteral("podpis dotyczy pliku verbarium-setup.exe, nie verb25.exe")))
        << QString();
    QTest::newRow("signature without a release comment")
        << with({{info, offer},
                 {QStringLiteral("/pub/verb25.exe.minisig"), m_key->sign(update, true)}})
        << QList<bool>{true} << QStringLiteral("nowa.exe") << 0 << true << false
        << (QStringList{waitInfo, askDownload}
            << downloaded[0] << downloaded[1] << downloaded[2]
            << downloadError(QStringLiteral(
                   "komentarz podpisu nie ma postaci „verbarium WERSJA PLIK”: timestamp:1")))
        << QString();

    QTest::newRow("302 to plain http elsewhere refused")
        << Files{{info, "REDIRECT 302 http://example.com/v.hti"}} << QList<bool>() << QString() << 0
        << true << false
        << QStringList{waitInfo,
                       connectionError(QStringLiteral(
                           "niedozwolony adres http://example.com/v.hti (wymagane https)"))}
        << QString();
    QTest::newRow("301 to a file address refused")
        << Files{{info, "REDIRECT 301 file:///etc/passwd"}} << QList<bool>() << QString() << 0
        << true << false
        << QStringList{waitInfo, connectionError(QStringLiteral(
                                     "niedozwolony adres file:///etc/passwd (wymagane https)"))}
        << QString();
    QTest::newRow("relative 307 followed")
        << Files{{info, "REDIRECT 307 ../next.hti"}, {QStringLiteral("/next.hti"), offer}}
        << QList<bool>{false} << QString() << 0 << true << false
        << QStringList{waitInfo, askDownload} << QString();
    QTest::newRow("download and signature redirected on the server")
        << with({{info, meta("dfs-version", QStringLiteral("2.0.0.25")) +
                            meta("dfs-url", QStringLiteral("@/get/verb25.exe"))},
                 {QStringLiteral("/get/verb25.exe"), "REDIRECT 302 @/pub/verb25.exe"},
                 {QStringLiteral("/get/verb25.exe.minisig"),
                  "REDIRECT 308 /pub/verb25.exe.minisig"}})
        << QList<bool>{true, false} << QStringLiteral("verb25.exe") << 0 << true << false
        << (QStringList{waitInfo, askDownload} << downloaded[0] << downloaded[1] << downloaded[2]
                                               << askRun)
        << QStringLiteral("verb25.exe");
}

void TestUpdateCheck::dialogue()
{
    QFETCH(Files, files);
    QFETCH(QList<bool>, answers);
    QFETCH(QString, saveName);
    QFETCH(int, filter);
    QFETCH(bool, opens);
    QFETCH(bool, cancel);
    QFETCH(QStringList, events);
    QFETCH(QString, kept);

    serve(files);
    m_ui.answers = answers;
    m_ui.saveName = saveName.isEmpty() ? QString() : m_dir->filePath(saveName);
    m_ui.filter = UpdateUi::Filter(filter);
    m_ui.opens = opens;
    m_ui.cancelOnProgress = cancel;
    auto check = checker(300);

    const bool downloaded = check->CheckForUpdate();
    events.replaceInStrings(QStringLiteral("#"), m_dir->path());
    QCOMPARE(m_ui.events, events);
    QCOMPARE(downloaded, !kept.isEmpty());
    QVERIFY(!m_ui.waitShown);
    // Only the file kept is left in the folder: a failed download leaves nothing behind.
    const QStringList left = QDir(m_dir->path()).entryList(QDir::Files);
    QCOMPARE(left, kept.isEmpty() ? QStringList() : QStringList{kept});
    if (!kept.isEmpty()) {
        QFile file(m_dir->filePath(kept));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), files.value(QStringLiteral("/pub/verb25.exe")));
    }
}

void TestUpdateCheck::serve(const Files &files)
{
    for (auto it = files.begin(); it != files.end(); ++it) {
        QByteArray body = it.value();
        body.replace('@', m_server->base().toLatin1());
        if (body == "STALL") {
            m_server->set(it.key(), LocalHttpServer::Response{200, "OK", {}, true});
        } else if (body.startsWith("REDIRECT ")) {
            const QList<QByteArray> parts = body.split(' ');
            m_server->set(it.key(), LocalHttpServer::Response{
                                        parts[1].toInt(), "Moved", {}, false, parts[2]});
        } else if (body.startsWith("DRIP ")) {
            m_server->set(it.key(),
                          LocalHttpServer::Response{200, "OK", body.mid(5), false, {}, 50});
        } else if (body.startsWith("STATUS ")) {
            const QList<QByteArray> parts = body.split(' ');
            m_server->set(it.key(),
                          LocalHttpServer::Response{parts[1].toInt(), body.mid(8 + parts[1].size()),
                                                    "x", false});
        } else {
            m_server->set(it.key(), body);
        }
    }
}

void TestUpdateCheck::progressOfADownload()
{
    const QByteArray update(2'500'000, 'E');
    serve({{QStringLiteral("/updates/verbarium.hti"),
            meta("dfs-version", QStringLiteral("2.0.0.25")) +
                meta("dfs-url", QStringLiteral("@/v.exe"))},
           {QStringLiteral("/v.exe"), update},
           {QStringLiteral("/v.exe.minisig"),
            m_key->sign(update, false, "verbarium 2.0.0.25 v.exe")}});
    m_ui.answers = {true, false};
    m_ui.saveName = m_dir->filePath(QStringLiteral("v.exe"));
    QVERIFY(checker()->CheckForUpdate());

    QVERIFY(m_ui.percents.size() >= 2);
    QCOMPARE(m_ui.progressTexts.first(), QStringLiteral("0 z 0 odebranych bajtów."));
    QCOMPARE(m_ui.progressTexts.last(), QStringLiteral("2,500,000 z 2,500,000 odebranych bajtów."));
    QCOMPARE(m_ui.percents.last(), 100);
    QVERIFY(std::is_sorted(m_ui.percents.begin(), m_ui.percents.end()));
}

void TestUpdateCheck::informationKeptForTheRun()
{
    const QString info = QStringLiteral("/updates/verbarium.hti");
    auto check = checker();
    // A failed fetch is tried again at the next check; a successful one is not repeated.
    QVERIFY(!check->CheckForUpdate());
    QCOMPARE(m_server->hits(info), 1);
    QVERIFY(!check->Active());

    serve({{info, meta("dfs-version", QStringLiteral("2.0.0.25")) +
                      meta("dfs-url", QStringLiteral("@/pub/v.exe"))}});
    m_ui.events.clear();
    m_ui.answers = {false, false};
    QVERIFY(!check->CheckForUpdate());
    QCOMPARE(m_server->hits(info), 2);
    QVERIFY(check->Active());
    QCOMPARE(check->Info().Url, m_server->base() + QStringLiteral("/pub/v.exe"));
    QCOMPARE(m_ui.events.size(), 2);

    m_ui.events.clear();
    QVERIFY(!check->CheckForUpdate());
    QCOMPARE(m_server->hits(info), 2);
    QCOMPARE(m_ui.events.size(), 1);
    QVERIFY(m_ui.events[0].endsWith(QStringLiteral("Pobrać aktualizację?")));
}

void TestUpdateCheck::redirectSteps_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("metaAt"); // the step made by "dfs-redirect"; -1 for none
    QTest::addColumn<bool>("followed");

    QTest::newRow("8 HTTP redirects") << 8 << -1 << true;
    QTest::newRow("9 HTTP redirects") << 9 << -1 << false;
    QTest::newRow("8 steps, one of them dfs-redirect") << 8 << 4 << true;
    QTest::newRow("9 steps, one of them dfs-redirect") << 9 << 4 << false;
}

void TestUpdateCheck::redirectSteps()
{
    QFETCH(int, steps);
    QFETCH(int, metaAt);
    QFETCH(bool, followed);

    const auto step = [](int i) {
        return i == 0 ? QStringLiteral("/updates/verbarium.hti") : QStringLiteral("/r%1").arg(i);
    };
    Files files{{step(steps), meta("dfs-version", Current)}};
    for (int i = 0; i < steps; ++i)
        files[step(i)] = i == metaAt ? meta("dfs-redirect", QStringLiteral("@") + step(i + 1))
                                     : "REDIRECT 302 " + step(i + 1).toLatin1();
    serve(files);
    m_settings.MaxRedirects = 8;
    QVERIFY(!checker()->CheckForUpdate());
    QCOMPARE(m_ui.events.last(),
             followed
                 ? QStringLiteral(
                       "message 1 Nie znaleziono aktualizacji|Aktualizacja nie jest dostępna.")
                 : QStringLiteral("message 2 Błąd łączenia|Nie można pobrać informacji o wersji "
                                  "z Internetu.\nBłąd: \"zbyt wiele przekierowań.\""));
}

void TestUpdateCheck::deadlines_data()
{
    QTest::addColumn<QString>("dripping"); // the path whose body comes a byte each 50 ms
    QTest::addColumn<QString>("error");    // the last message

    const QString timeout = QStringLiteral("Błąd: \"przekroczono czas oczekiwania (1 s).\"");
    QTest::newRow("information file")
        << QStringLiteral("/updates/verbarium.hti")
        << QStringLiteral("message 2 Błąd łączenia|Nie można pobrać informacji o wersji z "
                          "Internetu.\n") +
               timeout;
    const QString download = QStringLiteral(
        "message 2 Błąd pobierania|Wystąpił błąd podczas pobierania aktualizacji.\n");
    QTest::newRow("download") << QStringLiteral("/pub/v.exe") << download + timeout;
    QTest::newRow("signature")
        << QStringLiteral("/pub/v.exe.minisig")
        << download + QStringLiteral("Błąd: \"nie można pobrać podpisu pliku (przekroczono czas "
                                     "oczekiwania (1 s)).\"");
}

void TestUpdateCheck::deadlines()
{
    QFETCH(QString, dripping);
    QFETCH(QString, error);

    // Each byte comes well within the stall limit; only a limit on the whole transfer ends it.
    const QByteArray update(400, 'E');
    Files files{
        {QStringLiteral("/updates/verbarium.hti"),
         meta("dfs-version", QStringLiteral("2.0.0.25")) +
             meta("dfs-url", QStringLiteral("@/pub/v.exe"))},
        {QStringLiteral("/pub/v.exe"), update},
        {QStringLiteral("/pub/v.exe.minisig"), m_key->signRelease(update, "2.0.0.25", "v.exe")}};
    files[dripping] = "DRIP " + files[dripping];
    serve(files);
    m_ui.saveName = m_dir->filePath(QStringLiteral("v.exe"));
    m_settings.DownloadDeadline = 1000;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!checker(400)->CheckForUpdate());
    QCOMPARE(m_ui.events.last(), error);
    QVERIFY2(clock.elapsed() < 4000, QByteArray::number(clock.elapsed()));
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
}

void TestUpdateCheck::cancelWhileWaiting_data()
{
    QTest::addColumn<QString>("stalled");
    QTest::addColumn<QString>("wait"); // the wait window cancelled
    QTest::addColumn<QString>("last"); // the last event: the check ends there

    QTest::newRow("looking for the update")
        << QStringLiteral("/updates/verbarium.hti")
        << QStringLiteral("Poszukiwanie aktualizacji...")
        << QStringLiteral("message 2 Błąd łączenia|Nie można pobrać informacji o wersji z "
                          "Internetu.\nBłąd: \"pobieranie przerwane.\"");
    QTest::newRow("read-me") << QStringLiteral("/pub/readme.txt")
                             << QStringLiteral("Pobieranie ReadMe...")
                             << QStringLiteral("wait Pobieranie ReadMe...");
    QTest::newRow("signature") << QStringLiteral("/pub/v.exe.minisig")
                               << QStringLiteral("Sprawdzanie podpisu...")
                               << QStringLiteral(
                                      "message 2 Błąd pobierania|Wystąpił błąd podczas "
                                      "pobierania aktualizacji.\nBłąd: \"nie można pobrać "
                                      "podpisu pliku (pobieranie przerwane).\"");
}

void TestUpdateCheck::cancelWhileWaiting()
{
    QFETCH(QString, stalled);
    QFETCH(QString, wait);
    QFETCH(QString, last);

    Files files{{QStringLiteral("/updates/verbarium.hti"),
                 meta("dfs-version", QStringLiteral("2.0.0.25")) +
                     meta("dfs-url", QStringLiteral("@/pub/v.exe")) +
                     meta("dfs-readme", QStringLiteral("@/pub/readme.txt"))},
                {QStringLiteral("/pub/v.exe"), "wersja"},
                {QStringLiteral("/pub/readme.txt"), "czytaj"}};
    files[stalled] = "STALL";
    serve(files);
    m_ui.answers = {true, true};
    m_ui.saveName = m_dir->filePath(QStringLiteral("v.exe"));
    m_ui.cancelWait = wait;
    m_settings.Deadline = 20000;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!checker(20000)->CheckForUpdate());
    QVERIFY2(clock.elapsed() < 3000, QByteArray::number(clock.elapsed()));
    QCOMPARE(m_ui.events.last(), last);
    QVERIFY(!m_ui.waitShown);
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
}

void TestUpdateCheck::existingFile_data()
{
    QTest::addColumn<Files>("files"); // added to a signed update of 2.0.0.25 as /pub/v.exe
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("replaced");

    const QByteArray update(300000, 'E');
    const QString signature = QStringLiteral("/pub/v.exe.minisig");
    QTest::newRow("No to replacing") << Files() << QList<bool>{true, false} << false << false;
    QTest::newRow("bad signature")
        << Files{{signature, TestKey('k').signRelease(update, "2.0.0.25", "v.exe")}}
        << QList<bool>{true, true} << false << false;
    QTest::newRow("older release")
        << Files{{signature, m_key->signRelease(update, "2.0.0.24", "v.exe")}}
        << QList<bool>{true, true} << false << false;
    QTest::newRow("download fails")
        << Files{{QStringLiteral("/pub/v.exe"), "STATUS 500 Internal Server Error"}}
        << QList<bool>{true, true} << false << false;
    QTest::newRow("download cancelled") << Files() << QList<bool>{true, true} << true << false;
    QTest::newRow("verified update replaces it")
        << Files() << QList<bool>{true, true, false} << false << true;
}

void TestUpdateCheck::existingFile()
{
    QFETCH(Files, files);
    QFETCH(QList<bool>, answers);
    QFETCH(bool, cancel);
    QFETCH(bool, replaced);

    const QByteArray update(300000, 'E');
    Files all{
        {QStringLiteral("/updates/verbarium.hti"),
         meta("dfs-version", QStringLiteral("2.0.0.25")) +
             meta("dfs-url", QStringLiteral("@/pub/v.exe"))},
        {QStringLiteral("/pub/v.exe"), update},
        {QStringLiteral("/pub/v.exe.minisig"), m_key->signRelease(update, "2.0.0.25", "v.exe")}};
    all.insert(files);
    serve(all);
    // The reader types "nowa"; the Applications filter makes it "nowa.EXE", which exists.
    const QString target = m_dir->filePath(QStringLiteral("nowa.EXE"));
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("STARE");
    old.close();
    m_ui.answers = answers;
    m_ui.saveName = m_dir->filePath(QStringLiteral("nowa"));
    m_ui.cancelOnProgress = cancel;

    QCOMPARE(checker(300)->CheckForUpdate(), replaced);
    QVERIFY(m_ui.events.contains(QStringLiteral("ask Zapisywanie aktualizacji|Plik %1 już "
                                                "istnieje.\nCzy chcesz go zastąpić?")
                                     .arg(QDir::toNativeSeparators(target))));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), replaced ? update : QByteArray("STARE"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("nowa.EXE")});
}

void TestUpdateCheck::sizeLimits_data()
{
    QTest::addColumn<qint64>("announced"); // the Content-Length sent; -1 for none
    QTest::addColumn<qint64>("sent");
    QTest::addColumn<qint64>("cap"); // -1 for the program's own
    QTest::addColumn<QString>("error");

    const qint64 cap = TWebFileInfo::Settings().MaxDownloadSize;
    QTest::newRow("announced over the program's cap")
        << qint64(3'000'000'000) << qint64(1000) << qint64(-1)
        << QStringLiteral("serwer zapowiada 3,000,000,000 bajtów, dozwolone najwyżej %1")
               .arg(DownloadProgress::Grouped(cap));
    QTest::newRow("no length, stream past the cap")
        << qint64(-1) << qint64(3 << 20) << qint64(1 << 20)
        << QStringLiteral("odpowiedź serwera przekracza 1048576 bajtów");
}

void TestUpdateCheck::sizeLimits()
{
    QFETCH(qint64, announced);
    QFETCH(qint64, sent);
    QFETCH(qint64, cap);
    QFETCH(QString, error);

    serve({{QStringLiteral("/updates/verbarium.hti"),
            meta("dfs-version", QStringLiteral("2.0.0.25")) +
                meta("dfs-url", QStringLiteral("@/pub/v.exe"))}});
    LocalHttpServer::Response download;
    if (announced >= 0) {
        download.body = QByteArray(sent, 'B');
        download.announced = announced;
    } else {
        download.stream = sent;
    }
    m_server->set(QStringLiteral("/pub/v.exe"), download);
    const QString target = m_dir->filePath(QStringLiteral("v.exe"));
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("STARE");
    old.close();
    m_ui.saveName = target;
    if (cap >= 0)
        m_settings.MaxDownloadSize = cap;

    QVERIFY(!checker(2000)->CheckForUpdate());
    QCOMPARE(m_ui.events.last(), QStringLiteral("message 2 Błąd pobierania|Wystąpił błąd podczas "
                                                "pobierania aktualizacji.\nBłąd: \"%1.\"")
                                     .arg(error));
    // Refused on the announcement, before a byte of the body was taken.
    if (announced >= 0)
        QCOMPARE(m_ui.progressTexts.last().left(4), QStringLiteral("0 z "));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("STARE"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("v.exe")});
}

void TestUpdateCheck::savedInTheDownloadFolder()
{
    serve({{QStringLiteral("/updates/verbarium.hti"),
            meta("dfs-version", QStringLiteral("2.0.0.25")) +
                meta("dfs-url", QStringLiteral("@/pub/v.exe"))}});
    m_settings.SaveFolder.clear();
    QVERIFY(!checker()->CheckForUpdate());
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    QCOMPARE(m_ui.events.last(),
             QStringLiteral("save ") + QDir(folder).filePath(QStringLiteral("v.exe")));
}

void TestUpdateCheck::fileSwappedBeforeOpening()
{
    const QByteArray update(1000, 'E');
    serve(
        {{QStringLiteral("/updates/verbarium.hti"),
          meta("dfs-version", QStringLiteral("2.0.0.25")) +
              meta("dfs-url", QStringLiteral("@/pub/v.exe"))},
         {QStringLiteral("/pub/v.exe"), update},
         {QStringLiteral("/pub/v.exe.minisig"), m_key->signRelease(update, "2.0.0.25", "v.exe")}});
    const QString path = m_dir->filePath(QStringLiteral("v.exe"));
    m_ui.saveName = path;
    m_ui.beforeAnswer = [&path](const QString &caption) {
        if (caption != u"Instalacja aktualizacji")
            return;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("PODMIANA");
    };
    QVERIFY(checker()->CheckForUpdate());
    QCOMPARE(m_ui.events.last(),
             QStringLiteral("message 2 Błąd|Pobrany plik zmienił się od sprawdzenia podpisu, "
                            "więc nie zostanie uruchomiony."));
}

QTEST_GUILESS_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
