#include "SettingsStore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

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

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
