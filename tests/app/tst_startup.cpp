#include "ContainerFixture.h"
#include "Globals.h"
#include "MessageBoxes.h"
#include "ProgramFixture.h"
#include "SettingsStore.h"
#include "Startup.h"
#include "TData.h"
#include "TPulpit.h"
#include "TfrmCDCheck.h"
#include "TfrmIndeks.h"
#include "TfrmWzorBazowy.h"
#include "VolumeList.h"

#include <QApplication>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <QTimer>
#include <csignal>
#include <sys/stat.h>

using namespace fixture;

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void commandLine_data();
    void commandLine();
    void startsAndStopsInOrder();
    void failures_data();
    void failures();
    void wrongFolderIsReportedAndTheSearchGoesOn();
    void locatorAtStart_data();
    void locatorAtStart();
    void programQuitsAfterStart();
    void programLeavesSettingsFifoAlone();
    void openEntryAfterStart();
    void programStopsCleanlyOnSignal_data();
    void programStopsCleanlyOnSignal();

private:
    // The program on the demo data, offscreen, with its settings in the test's folder; it
    // quits once the Index is shown.
    void startQuittingProgram(QProcess &program) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<SettingsStore> m_store;
    QList<MessageBoxes::Message> m_messages;
    // Whether a splash screen was on the screen when each message came.
    QList<bool> m_splashShown;
    // Answers the locator when it shows: the folder to browse to, or cancel when empty.
    QTimer m_locatorWatch;
    QString m_locatorAnswer;
    QStringList m_locatorStarts;
};

void TestStartup::initTestCase()
{
    // As the program's main sets it: the title of its error boxes.
    QCoreApplication::setApplicationName(QStringLiteral("Verbarium"));
}

void TestStartup::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("s.conf")),
                                             QSettings::IniFormat);
    m_store = std::make_unique<SettingsStore>(*m_settings);
    useSkin(*m_dir);
    m_messages.clear();
    m_splashShown.clear();
    MessageBoxes::setHandler([this](const MessageBoxes::Message &m) {
        m_messages.append(m);
        bool splash = false;
        for (QWidget *widget : QApplication::topLevelWidgets())
            splash = splash || (widget->windowType() == Qt::SplashScreen && widget->isVisible());
        m_splashShown.append(splash);
        return QMessageBox::Ok;
    });
    m_locatorAnswer.clear();
    m_locatorStarts.clear();
    m_locatorWatch.setInterval(10);
    m_locatorWatch.callOnTimeout(this, [this] {
        auto *locator = qobject_cast<TfrmCDCheck *>(QApplication::activeModalWidget());
        if (!locator || !locator->isVisible())
            return;
        m_locatorStarts.append(locator->Folder());
        if (m_locatorAnswer.isEmpty()) {
            locator->reject();
            return;
        }
        locator->SetFolderBrowser(
            [this](QWidget *, const QString &, const QString &) { return m_locatorAnswer; });
        locator->Button1Click();
    });
    m_locatorWatch.start();
}

void TestStartup::cleanup()
{
    m_locatorWatch.stop();
    m_locatorWatch.disconnect();
    MessageBoxes::setHandler(nullptr);
    Paths::setBmpsFolder(QString());
    m_store.reset();
    m_settings.reset();
}

void TestStartup::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("quit");

    QTest::newRow("nothing") << QStringList{QStringLiteral("verbarium")} << true << QString()
                             << false;
    QTest::newRow("folder") << QStringList{QStringLiteral("verbarium"),
                                           QStringLiteral("/media/cd/DATA")}
                            << true << QStringLiteral("/media/cd/DATA") << false;
    QTest::newRow("quit first") << QStringList{QStringLiteral("verbarium"),
                                               QStringLiteral("--quit-after-start"),
                                               QStringLiteral("d")}
                                << true << QStringLiteral("d") << true;
    QTest::newRow("two folders") << QStringList{QStringLiteral("verbarium"), QStringLiteral("a"),
                                                QStringLiteral("b")}
                                 << false << QString() << false;
    QTest::newRow("open an entry")
        << QStringList{QStringLiteral("verbarium"), QStringLiteral("--open"),
                       QStringLiteral("_19701"), QStringLiteral("3"), QStringLiteral("d")}
        << true << QStringLiteral("d") << false;
    QTest::newRow("open without a number")
        << QStringList{QStringLiteral("verbarium"), QStringLiteral("--open"),
                       QStringLiteral("_19701")}
        << false << QString() << false;
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("verbarium"), QStringLiteral("--fast")} << false << QString()
        << false;
}

void TestStartup::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(bool, valid);
    QFETCH(QString, folder);
    QFETCH(bool, quit);
    QString error;
    const auto options = StartupOptions::parse(args, &error);
    QCOMPARE(bool(options), valid);
    QCOMPARE(error.isEmpty(), valid);
    if (options) {
        QCOMPARE(options->dataFolder, folder);
        QCOMPARE(options->quitAfterStart, quit);
    }
}

void TestStartup::startsAndStopsInOrder()
{
    const QString data = m_dir->filePath(QStringLiteral("DATA"));
    QDir().mkpath(data);
    writeFile(*m_dir, container({{"L197\\UnidX", itemIndex({{"U", "_19701", "1"}})}}),
              QStringLiteral("DATA/verbarium.dat"));

    QString tempFolder;
    bool indexShown = false;
    QString runningMarker;
    // Looks at the running program once the Index is up, before the program quits.
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!Pulpit() || !qobject_cast<TfrmIndeks *>(Pulpit()->ActiveChild()))
            return;
        probe.stop();
        indexShown = true;
        tempFolder = Data()->TempFolder();
        QSettings during(m_settings->fileName(), QSettings::IniFormat);
        runningMarker = during.value(QStringLiteral("Prefs/Runing")).toString();
    });
    probe.start();
    FixedVolumes volumes;
    StartupOptions options;
    options.dataFolder = data;
    options.quitAfterStart = true;
    QCOMPARE(RunProgram(*m_store, volumes, options), 0);

    QVERIFY(indexShown);
    QCOMPARE(runningMarker, QStringLiteral("1"));
    QVERIFY(m_messages.isEmpty());
    QVERIFY(!tempFolder.isEmpty());
    QVERIFY(!QFileInfo::exists(tempFolder));
    QVERIFY(!Pulpit() && !Data());
    m_settings->sync();
    QCOMPARE(m_settings->value(QStringLiteral("DataPath")).toString(), data + u'/');
    QCOMPARE(m_settings->value(QStringLiteral("Prefs/Runing")), QVariant(QStringLiteral("0")));
    QCOMPARE(m_settings->value(QStringLiteral("Prefs/fWindCount")), QVariant(QStringLiteral("12")));
}

void TestStartup::failures_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no data folder at all
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");

    QTest::newRow("no data folder")
        << QByteArray() << QStringLiteral("Zakończenie programu!")
        << QStringLiteral("Nie znaleziono plików źródłowych. \nProgram zostanie zakończony");
    QTest::newRow("damaged container")
        << QByteArray(Bytes().i32(400).i32(0)) << QStringLiteral("Verbarium")
        << QStringLiteral("pozycja tabeli 400 leży poza plikiem o rozmiarze 8 bajtów");
}

void TestStartup::failures()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, caption);
    QFETCH(QString, text);

    const QString data = m_dir->filePath(QStringLiteral("DATA"));
    if (!file.isEmpty()) {
        QDir().mkpath(data);
        writeFile(*m_dir, file, QStringLiteral("DATA/Verbarium.dat"));
    }
    FixedVolumes volumes;
    StartupOptions options;
    if (!file.isEmpty())
        options.dataFolder = data;
    options.quitAfterStart = true;
    QCOMPARE(RunProgram(*m_store, volumes, options), 1);
    QCOMPARE(m_locatorStarts.size(), file.isEmpty() ? 1 : 0);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_splashShown, QList<bool>{false});
    QCOMPARE(m_messages[0].caption, caption);
    QVERIFY2(m_messages[0].text.endsWith(text), qPrintable(m_messages[0].text));
    QVERIFY(!Pulpit() && !Data());
    m_settings->sync();
    QCOMPARE(m_settings->contains(QStringLiteral("DataPath")), !file.isEmpty());
}

void TestStartup::wrongFolderIsReportedAndTheSearchGoesOn()
{
    const QString data = m_dir->filePath(QStringLiteral("DATA"));
    QDir().mkpath(data);
    writeFile(*m_dir, container({{"L197\\UnidX", itemIndex({{"U", "_19701", "1"}})}}),
              QStringLiteral("DATA/Verbarium.dat"));
    m_store->writePaths(m_dir->path() + u'/', data + u'/');
    const QString empty = m_dir->filePath(QStringLiteral("pusty"));
    QDir().mkpath(empty);

    StartupOptions options;
    options.dataFolder = empty;
    options.quitAfterStart = true;
    QCOMPARE(RunProgram(*m_store, FixedVolumes(), options), 0);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].caption, QStringLiteral("Uwaga"));
    QVERIFY2(m_messages[0].text.contains(empty), qPrintable(m_messages[0].text));
    QVERIFY(m_messages[0].text.contains(QStringLiteral("Verbarium.dat")));
    QCOMPARE(m_splashShown, QList<bool>{false});
    m_settings->sync();
    QCOMPARE(m_settings->value(QStringLiteral("DataPath")).toString(), data + u'/');
}

void TestStartup::locatorAtStart_data()
{
    QTest::addColumn<QString>("stored"); // relative; "" for none
    QTest::addColumn<QString>("answer"); // relative folder browsed to; "" cancels

    QTest::newRow("browsed to the data folder") << QString() << QStringLiteral("dane");
    QTest::newRow("stored folder without the data, browsed")
        << QStringLiteral("pusty") << QStringLiteral("dane");
    QTest::newRow("cancelled") << QStringLiteral("pusty") << QString();
}

void TestStartup::locatorAtStart()
{
    QFETCH(QString, stored);
    QFETCH(QString, answer);

    QDir().mkpath(m_dir->filePath(QStringLiteral("dane")));
    QDir().mkpath(m_dir->filePath(QStringLiteral("pusty")));
    writeFile(*m_dir, container({{"L197\\UnidX", itemIndex({{"U", "_19701", "1"}})}}),
              QStringLiteral("dane/Verbarium.dat"));
    if (!stored.isEmpty())
        m_store->writePaths(m_dir->path() + u'/', m_dir->filePath(stored));
    if (!answer.isEmpty())
        m_locatorAnswer = m_dir->filePath(answer);

    StartupOptions options;
    options.quitAfterStart = true;
    QCOMPARE(RunProgram(*m_store, FixedVolumes(), options), answer.isEmpty() ? 1 : 0);
    QCOMPARE(m_locatorStarts,
             QStringList{stored.isEmpty() ? QString() : m_dir->filePath(stored) + u'/'});
    m_settings->sync();
    if (answer.isEmpty()) {
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].caption, QStringLiteral("Zakończenie programu!"));
        QCOMPARE(m_settings->value(QStringLiteral("AppPath")).toString(), m_dir->path() + u'/');
        QCOMPARE(m_settings->value(QStringLiteral("DataPath")).toString(), m_dir->filePath(stored));
        return;
    }
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(m_settings->value(QStringLiteral("DataPath")).toString(),
             m_dir->filePath(answer) + u'/');
}

void TestStartup::startQuittingProgram(QProcess &program) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir->filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(VERBARIUM_PROGRAM),
                  {QStringLiteral(VERBARIUM_DEMO_DATA), QStringLiteral("--quit-after-start")});
}

void TestStartup::programQuitsAfterStart()
{
    QProcess program;
    startQuittingProgram(program);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    QSettings stored(m_dir->filePath(QStringLiteral("config/Quandrel/Verbarium.conf")),
                     QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("Prefs/Runing")), QVariant(QStringLiteral("0")));
    QCOMPARE(stored.value(QStringLiteral("Prefs/fDocFont")), QVariant(QStringLiteral("Arial CE")));
    // The quote of the day came and went with its close box.
    QCOMPARE(stored.value(QStringLiteral("Prefs/fCytatShow")), QVariant(QStringLiteral("1")));
    QVERIFY(stored.value(QStringLiteral("DataPath")).toString().endsWith(QStringLiteral("DATA/")));
    QCOMPARE(stored.value(QStringLiteral("Toolbars/tbIndeks/Rev")), QVariant(QStringLiteral("3")));
}

void TestStartup::programLeavesSettingsFifoAlone()
{
    // A FIFO where the settings file belongs is neither read (that would wait for ever) nor
    // replaced; the run says once that its settings could not be saved.
    const QString config = m_dir->filePath(QStringLiteral("config/Quandrel/Verbarium.conf"));
    QVERIFY(QDir().mkpath(QFileInfo(config).path()));
    QCOMPARE(::mkfifo(QFile::encodeName(config).constData(), 0600), 0);
    QProcess program;
    startQuittingProgram(program);
    if (!program.waitForFinished(30000)) {
        program.kill();
        program.waitForFinished();
        QFAIL("the program hung on its settings file");
    }
    QCOMPARE(program.exitCode(), 0);
    const QString error = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(
        error.contains(QStringLiteral("Nie można zapisać ustawień programu w pliku\n") + config),
        qPrintable(error));
    struct stat entry = {};
    QCOMPARE(::lstat(QFile::encodeName(config).constData(), &entry), 0);
    QVERIFY(S_ISFIFO(entry.st_mode));
}

void TestStartup::openEntryAfterStart()
{
    const QString data = m_dir->filePath(QStringLiteral("DATA"));
    QDir().mkpath(data);
    writeFile(*m_dir,
              container({{"L197\\UnidX", itemIndex({{"U", "_19701", "3"}})},
                         {"L197\\TypX\\_19701\\3\\Pola",
                          cp(QStringLiteral("Tytuł=Lalka\nAutor=Bolesław Prus"))}}),
              QStringLiteral("DATA/Verbarium.dat"));
    QString opened;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!Pulpit())
            return;
        for (TfrmWzorBazowy *window : Pulpit()->ChildWindows()) {
            if (window->Typ() == u"_19701") {
                opened = window->windowTitle();
                probe.stop();
            }
        }
    });
    probe.start();
    StartupOptions options;
    options.dataFolder = data;
    options.quitAfterStart = true;
    options.openTyp = QStringLiteral("_19701");
    options.openNumer = QStringLiteral("3");
    QCOMPARE(RunProgram(*m_store, FixedVolumes(), options), 0);
    QCOMPARE(opened, QStringLiteral("Dzieło: Lalka - Bolesław Prus"));
    QVERIFY(m_messages.isEmpty());
}

void TestStartup::programStopsCleanlyOnSignal_data()
{
    QTest::addColumn<QStringList>("arguments"); // before the data folder
    QTest::addColumn<QByteArray>("ready");      // the trace line after which the signal comes
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("quote"); // the quote of the day at start-up

    QTest::newRow("running") << QStringList() << QByteArray("Indeks") << int(SIGTERM) << false;
    QTest::newRow("quote of the day open")
        << QStringList() << QByteArray("Okno frmCytatDnia") << int(SIGTERM) << true;
    // No entry window for sound fragments: the program shows its message box, modally.
    const QStringList box{QStringLiteral("--open"), QStringLiteral("_19721"), QStringLiteral("1")};
    QTest::newRow("message box open, SIGTERM")
        << box << QByteArray("Otwieranie _19721 1") << int(SIGTERM) << false;
    QTest::newRow("message box open, SIGINT")
        << box << QByteArray("Otwieranie _19721 1") << int(SIGINT) << false;
    QTest::newRow("message box open, SIGHUP")
        << box << QByteArray("Otwieranie _19721 1") << int(SIGHUP) << false;
}

void TestStartup::programStopsCleanlyOnSignal()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, ready);
    QFETCH(int, signal);
    QFETCH(bool, quote);
    const QString config = m_dir->filePath(QStringLiteral("config/Quandrel/Verbarium.conf"));
    QSettings(config, QSettings::IniFormat)
        .setValue(QStringLiteral("Prefs/fCytatShow"), quote ? 1 : 0);
    const QString temp = m_dir->filePath(QStringLiteral("tmp"));
    QDir().mkpath(temp);
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir->filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("verbarium.startup.debug=true"));
    env.insert(QStringLiteral("TMPDIR"), temp);
    // Qt's own runtime folder would otherwise land in the temporary folder too.
    const QString runtime = m_dir->filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("VERBARIUM_AUDIO_OUT"), QStringLiteral("test:"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(VERBARIUM_PROGRAM),
                  arguments + QStringList{QStringLiteral(VERBARIUM_DEMO_DATA)});
    QVERIFY(program.waitForStarted());
    // Running, its temporary folder there, as far as the trace line.
    QByteArray trace;
    QTRY_VERIFY_WITH_TIMEOUT((trace += program.readAllStandardError()).contains(ready), 10000);
    QVERIFY(!QDir(temp).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());

    ::kill(pid_t(program.processId()), signal);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(QDir(temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    QSettings stored(config, QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("Prefs/Runing")), QVariant(QStringLiteral("0")));
    // Left without OK: the quote of the day keeps its setting.
    QCOMPARE(stored.value(QStringLiteral("Prefs/fCytatShow")),
             QVariant(quote ? QStringLiteral("1") : QStringLiteral("0")));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
