#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_settings.reset(); }

    void emptyStoreGivesDefaults();
    void readRules_data();
    void readRules();
    void writesEveryValueAsTextInOrder();
    void toolbarRevision_data();
    void toolbarRevision();
    void pathsAreOptional();
    void keepsOtherCopiesChanges();
    void writesThroughLinkToRegularFile();
    void leavesOtherThanRegularFilesAlone_data();
    void leavesOtherThanRegularFilesAlone();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_settings;
};

void TestSettingsStore::init()
{
    m_settings = std::make_unique<QSettings>(
        m_dir.filePath(QLatin1String(QTest::currentTestFunction()) + QStringLiteral(".conf")),
        QSettings::IniFormat);
    m_settings->clear();
}

void TestSettingsStore::emptyStoreGivesDefaults()
{
    SettingsStore store(*m_settings);
    const Preferences p = store.readPreferences();
    QCOMPARE(p.docFont, QStringLiteral("Arial CE"));
    QCOMPARE(p.docFontSize, 10);
    QCOMPARE(p.indeksState, 1);
    QCOMPARE(p.cytatShow, true);
    QCOMPARE(p.windCount, 12);
    QCOMPARE(p.autorun, true);
    QCOMPARE(p.komentVol, 1);
    QCOMPARE(p.muzykaVol, 50);
    QCOMPARE(p.fxVol, 1);
    QVERIFY(!store.readToolbar(QStringLiteral("tbMenu")));
    // Reading creates nothing.
    QVERIFY(m_settings->allKeys().isEmpty());
}

void TestSettingsStore::readRules_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("number") << QStringLiteral("fDocFontSize") << QVariant(QStringLiteral("14"))
                            << QVariant(14);
    QTest::newRow("negative number")
        << QStringLiteral("fWindCount") << QVariant(QStringLiteral("-3")) << QVariant(-3);
    QTest::newRow("not a number") << QStringLiteral("fDocFontSize")
                                  << QVariant(QStringLiteral("abc")) << QVariant(10);
    QTest::newRow("hex is not decimal")
        << QStringLiteral("fWindCount") << QVariant(QStringLiteral("0x10")) << QVariant(12);
    QTest::newRow("empty number") << QStringLiteral("fIndeksState") << QVariant(QString())
                                  << QVariant(1);
    QTest::newRow("stored as a number")
        << QStringLiteral("fWindCount") << QVariant(5) << QVariant(5);
    QTest::newRow("boolean 0") << QStringLiteral("fCytatShow") << QVariant(QStringLiteral("0"))
                               << QVariant(false);
    QTest::newRow("boolean 5") << QStringLiteral("fCytatShow") << QVariant(QStringLiteral("5"))
                               << QVariant(true);
    QTest::newRow("boolean text") << QStringLiteral("Autorun") << QVariant(QStringLiteral("tak"))
                                  << QVariant(true);
    QTest::newRow("boolean 0 for true default")
        << QStringLiteral("Autorun") << QVariant(QStringLiteral("0")) << QVariant(false);
    QTest::newRow("font") << QStringLiteral("fDocFont")
                          << QVariant(QStringLiteral("Times New Roman"))
                          << QVariant(QStringLiteral("Times New Roman"));
    QTest::newRow("font list is not text")
        << QStringLiteral("fDocFont")
        << QVariant(QStringList{QStringLiteral("a"), QStringLiteral("b")})
        << QVariant(QStringLiteral("Arial CE"));
}

void TestSettingsStore::readRules()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, expected);

    m_settings->setValue(QStringLiteral("Prefs/") + key, stored);
    SettingsStore store(*m_settings);
    const Preferences p = store.readPreferences();
    const QHash<QString, QVariant> read{
        {QStringLiteral("fDocFont"), p.docFont},
        {QStringLiteral("fDocFontSize"), p.docFontSize},
        {QStringLiteral("fIndeksState"), p.indeksState},
        {QStringLiteral("fCytatShow"), p.cytatShow},
        {QStringLiteral("fWindCount"), p.windCount},
        {QStringLiteral("Autorun"), p.autorun},
    };
    QCOMPARE(read.value(key), expected);
}

void TestSettingsStore::writesEveryValueAsTextInOrder()
{
    SettingsStore store(*m_settings);
    store.writeRunning(true);
    QCOMPARE(m_settings->value(QStringLiteral("Prefs/Runing")), QVariant(QStringLiteral("1")));

    Preferences p;
    p.docFont = QStringLiteral("Garamond");
    p.docFontSize = 12;
    p.cytatShow = false;
    p.windCount = 3;
    store.writePreferencesAtExit(p);
    store.writeToolbar(
        QStringLiteral("tbMenu"),
        ToolbarPlacement{1, false, QStringLiteral("+"), QStringLiteral("Dock972"), 2, 30, -5, 700});
    store.writePaths(QStringLiteral("/opt/verbarium/"), QStringLiteral("/media/cd/DATA/"));
    store.sync();

    QSettings reread(m_settings->fileName(), QSettings::IniFormat);
    const QStringList prefs{QStringLiteral("Autorun"),      QStringLiteral("Runing"),
                            QStringLiteral("fCytatShow"),   QStringLiteral("fDocFont"),
                            QStringLiteral("fDocFontSize"), QStringLiteral("fIndeksState"),
                            QStringLiteral("fWindCount")};
    reread.beginGroup(QStringLiteral("Prefs"));
    QCOMPARE(reread.childKeys(), prefs);
    const QStringList values{QStringLiteral("1"),        QStringLiteral("0"),  QStringLiteral("0"),
                             QStringLiteral("Garamond"), QStringLiteral("12"), QStringLiteral("1"),
                             QStringLiteral("3")};
    for (int i = 0; i < prefs.size(); ++i)
        QCOMPARE(reread.value(prefs[i]), QVariant(values[i]));
    reread.endGroup();

    // The revision is always written as 3, every value as text.
    reread.beginGroup(QStringLiteral("Toolbars/tbMenu"));
    QCOMPARE(reread.value(QStringLiteral("Rev")), QVariant(QStringLiteral("3")));
    QCOMPARE(reread.value(QStringLiteral("Visible")), QVariant(QStringLiteral("0")));
    QCOMPARE(reread.value(QStringLiteral("DockedTo")), QVariant(QStringLiteral("+")));
    QCOMPARE(reread.value(QStringLiteral("LastDock")), QVariant(QStringLiteral("Dock972")));
    QCOMPARE(reread.value(QStringLiteral("DockRow")), QVariant(QStringLiteral("2")));
    QCOMPARE(reread.value(QStringLiteral("FloatLeft")), QVariant(QStringLiteral("-5")));
    reread.endGroup();
    QCOMPARE(reread.value(QStringLiteral("DataPath")), QVariant(QStringLiteral("/media/cd/DATA/")));
}

void TestSettingsStore::toolbarRevision_data()
{
    QTest::addColumn<QString>("rev");
    QTest::addColumn<bool>("restored");
    QTest::addColumn<QString>("lastDock");

    QTest::newRow("1 is ignored") << QStringLiteral("1") << false << QString();
    QTest::newRow("2 without LastDock") << QStringLiteral("2") << true << QString();
    QTest::newRow("3 with LastDock") << QStringLiteral("3") << true << QStringLiteral("Dock973");
    QTest::newRow("missing") << QString() << false << QString();
    QTest::newRow("text") << QStringLiteral("x") << false << QString();
}

void TestSettingsStore::toolbarRevision()
{
    QFETCH(QString, rev);
    QFETCH(bool, restored);
    QFETCH(QString, lastDock);

    m_settings->beginGroup(QStringLiteral("Toolbars/tbIndeks"));
    if (!rev.isEmpty())
        m_settings->setValue(QStringLiteral("Rev"), rev);
    m_settings->setValue(QStringLiteral("Visible"), QStringLiteral("0"));
    m_settings->setValue(QStringLiteral("DockedTo"), QStringLiteral("Dock974"));
    m_settings->setValue(QStringLiteral("LastDock"), QStringLiteral("Dock973"));
    m_settings->setValue(QStringLiteral("DockRow"), QStringLiteral("1"));
    m_settings->setValue(QStringLiteral("DockPos"), QStringLiteral("abc"));
    m_settings->endGroup();

    SettingsStore store(*m_settings);
    const auto placement = store.readToolbar(QStringLiteral("tbIndeks"));
    QCOMPARE(bool(placement), restored);
    if (placement) {
        QCOMPARE(placement->visible, false);
        QCOMPARE(placement->dockedTo, QStringLiteral("Dock974"));
        QCOMPARE(placement->lastDock, lastDock);
        QCOMPARE(placement->dockRow, 1);
        QCOMPARE(placement->dockPos, 0);
    }
}

void TestSettingsStore::pathsAreOptional()
{
    SettingsStore store(*m_settings);
    QVERIFY(!store.appPath());
    QVERIFY(!store.dataPath());
    m_settings->setValue(QStringLiteral("DataPath"), QString());
    QCOMPARE(store.dataPath(), std::optional<QString>(QString()));
}

namespace {

void writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QByteArray readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestSettingsStore::keepsOtherCopiesChanges()
{
    // Two copies of the program run at once; the other one saves while this one runs.
    const QString path = m_dir.filePath(QStringLiteral("two.conf"));
    writeText(path, "[Prefs]\nfDocFontSize=10\nfCytatShow=1\nfWindCount=12\n");
    {
        SettingsStore store(path);
        store.writeRunning(true);
        Preferences p = store.readPreferences();
        QCOMPARE(p.docFontSize, 10);
        writeText(path, "[Prefs]\nfDocFontSize=14\nfCytatShow=1\nfWindCount=12\nRuning=1\n"
                        "[Other]\nkept=yes\n");
        p.cytatShow = false; // the one change of this run
        store.writePreferencesAtExit(p);
        QVERIFY(store.sync());
        QVERIFY(store.SaveProblem().isEmpty());
    }
    QSettings saved(path, QSettings::IniFormat);
    QCOMPARE(saved.value(QStringLiteral("Prefs/fDocFontSize")), QVariant(QStringLiteral("14")));
    QCOMPARE(saved.value(QStringLiteral("Prefs/fCytatShow")), QVariant(QStringLiteral("0")));
    QCOMPARE(saved.value(QStringLiteral("Prefs/Runing")), QVariant(QStringLiteral("0")));
    QCOMPARE(saved.value(QStringLiteral("Other/kept")), QVariant(QStringLiteral("yes")));
    // Values the file did not have yet are written, as on the first run.
    QCOMPARE(saved.value(QStringLiteral("Prefs/fDocFont")), QVariant(QStringLiteral("Arial CE")));
}

void TestSettingsStore::writesThroughLinkToRegularFile()
{
    const QString real = m_dir.filePath(QStringLiteral("elsewhere/real.conf"));
    QVERIFY(QDir().mkpath(QFileInfo(real).path()));
    writeText(real, "[Prefs]\nfDocFontSize=12\n");
    const QString link = m_dir.filePath(QStringLiteral("link.conf"));
    QVERIFY(QFile::link(real, link));
    {
        SettingsStore store(link);
        QCOMPARE(store.readPreferences().docFontSize, 12);
        store.writePaths(QStringLiteral("/opt/v/"), QStringLiteral("/media/cd/DATA/"));
        QVERIFY(store.SaveProblem().isEmpty());
    }
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QSettings(real, QSettings::IniFormat).value(QStringLiteral("DataPath")),
             QVariant(QStringLiteral("/media/cd/DATA/")));
    QCOMPARE(QSettings(real, QSettings::IniFormat).value(QStringLiteral("Prefs/fDocFontSize")),
             QVariant(QStringLiteral("12")));
}

void TestSettingsStore::leavesOtherThanRegularFilesAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("linked");

    QTest::newRow("folder") << QStringLiteral("folder") << false;
    QTest::newRow("FIFO") << QStringLiteral("fifo") << false;
    QTest::newRow("link to a folder") << QStringLiteral("folder") << true;
    QTest::newRow("link to a FIFO") << QStringLiteral("fifo") << true;
    QTest::newRow("link to nothing") << QStringLiteral("nothing") << true;
}

void TestSettingsStore::leavesOtherThanRegularFilesAlone()
{
    QFETCH(QString, kind);
    QFETCH(bool, linked);

    const QDir row(m_dir.filePath(QString::fromLatin1(QTest::currentDataTag())));
    QVERIFY(row.mkpath(QStringLiteral(".")));
    const QString target = row.filePath(QStringLiteral("target"));
    if (kind == u"folder") {
        QVERIFY(QDir().mkpath(target));
        writeText(target + QStringLiteral("/inside"), "mine");
    } else if (kind == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    }
    const QString path = linked ? row.filePath(QStringLiteral("settings")) : target;
    if (linked)
        QVERIFY(QFile::link(target, path));
    const auto modeOf = [](const QString &p) {
        struct stat entry = {};
        return ::lstat(QFile::encodeName(p).constData(), &entry) == 0 ? entry.st_mode : 0u;
    };
    const auto pathMode = modeOf(path);
    const auto targetMode = modeOf(target);

    {
        // Neither read (a FIFO would never answer) nor replaced.
        SettingsStore store(path);
        QCOMPARE(store.readPreferences().docFontSize, 10);
        store.writeRunning(true);
        store.writePreferencesAtExit(Preferences());
        QVERIFY(!store.sync());
        QVERIFY2(store.SaveProblem().contains(path), qPrintable(store.SaveProblem()));
        QVERIFY(store.SaveProblem().startsWith(QStringLiteral("Nie można zapisać ustawień")));
    }
    QCOMPARE(modeOf(path), pathMode);
    QCOMPARE(modeOf(target), targetMode);
    if (kind == u"folder")
        QCOMPARE(readText(target + QStringLiteral("/inside")), QByteArray("mine"));
    if (kind == u"nothing")
        QVERIFY(!QFileInfo::exists(target));
    // Nothing was made beside it either.
    QCOMPARE(
        row.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot).size(),
        int(linked) + int(kind != u"nothing"));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
