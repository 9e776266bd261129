#include "ContainerFixture.h"
#include "ContentError.h"
#include "SettingsStore.h"
#include "TData.h"
#include "TPSSDirectory.h"
#include "VolumeList.h"

#include <QSettings>
#include <QTest>

using namespace fixture;

namespace {

class FakeVolumes : public VolumeList
{
public:
    QStringList roots;
    QStringList Drives() const override { return roots; }
    TVolumeRecord QueryVolume(const QString &drive) const override
    {
        return FixedVolumes(roots).QueryVolume(drive);
    }
};

} // namespace

class TestDataModule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void searchOrder_data();
    void searchOrder();
    void failedSearchWritesNothing();
    void locatorAnswer_data();
    void locatorAnswer();
    void filesPresent();
    void tempFolderPerRun();
    void getSoundFile();

private:
    QString makeDataFolder(const QString &relative,
                           const QString &fileName = QStringLiteral("Verbarium.dat"));

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<SettingsStore> m_store;
    FakeVolumes m_volumes;
};

void TestDataModule::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("settings.conf")),
                                             QSettings::IniFormat);
    m_store = std::make_unique<SettingsStore>(*m_settings);
    m_volumes.roots.clear();
}

void TestDataModule::cleanup()
{
    m_store.reset();
    m_settings.reset();
    m_dir.reset();
}

QString TestDataModule::makeDataFolder(const QString &relative, const QString &fileName)
{
    const QString folder = m_dir->filePath(relative);
    QDir().mkpath(folder);
    QFile file(folder + u'/' + fileName);
    if (file.open(QIODevice::WriteOnly))
        file.write(container({{"L197\\UnidX", itemIndex({{"U", "_19701", "1"}})}}));
    return folder;
}

void TestDataModule::searchOrder_data()
{
    QTest::addColumn<QString>("commandLine"); // relative to the test folder; "" for none
    QTest::addColumn<QString>("stored");      // "" for none; "@" prefix: relative to the folder
    QTest::addColumn<QStringList>("volumes"); // relative roots
    QTest::addColumn<QString>("found");       // relative folder, "" when the search fails

    QTest::newRow("stored path without separator")
        << QString() << QStringLiteral("@stored") << QStringList{QStringLiteral("cd1")}
        << QStringLiteral("stored/");
    QTest::newRow("stored folder lacking the file")
        << QString() << QStringLiteral("@empty") << QStringList{QStringLiteral("cd1")}
        << QStringLiteral("cd1/DATA/");
    QTest::newRow("first of two optical volumes")
        << QString() << QString()
        << QStringList{QStringLiteral("cd0"), QStringLiteral("cd1"), QStringLiteral("cd2")}
        << QStringLiteral("cd1/DATA/");
    QTest::newRow("DATA in another letter case")
        << QString() << QString() << QStringList{QStringLiteral("cdlower")}
        << QStringLiteral("cdlower/data/");
    QTest::newRow("hard-disk DATA folder is not scanned")
        << QString() << QString() << QStringList() << QString();
    QTest::newRow("command line before the stored path")
        << QStringLiteral("given") << QStringLiteral("@stored") << QStringList()
        << QStringLiteral("given/");
    QTest::newRow("command line folder without the file")
        << QStringLiteral("empty") << QStringLiteral("@stored") << QStringList()
        << QStringLiteral("stored/");
    QTest::newRow("nothing anywhere")
        << QString() << QString() << QStringList{QStringLiteral("cd0")} << QString();
}

void TestDataModule::searchOrder()
{
    QFETCH(QString, commandLine);
    QFETCH(QString, stored);
    QFETCH(QStringList, volumes);
    QFETCH(QString, found);

    makeDataFolder(QStringLiteral("stored"));
    makeDataFolder(QStringLiteral("given"));
    makeDataFolder(QStringLiteral("cd1/DATA"));
    makeDataFolder(QStringLiteral("cd2/DATA"));
    makeDataFolder(QStringLiteral("cdlower/data"), QStringLiteral("verbarium.DAT"));
    makeDataFolder(QStringLiteral("DATA")); // a hard-disk folder the scan never looks at
    QDir().mkpath(m_dir->filePath(QStringLiteral("empty")));
    QDir().mkpath(m_dir->filePath(QStringLiteral("cd0/DATA")));

    if (!stored.isEmpty())
        m_settings->setValue(QStringLiteral("DataPath"), m_dir->filePath(stored.mid(1)));
    for (const QString &root : volumes)
        m_volumes.roots.append(m_dir->filePath(root));
    TData data(*m_store, m_volumes,
               {commandLine.isEmpty() ? QString() : m_dir->filePath(commandLine),
                [] { return quint64(1); }, m_dir->filePath(QStringLiteral("tmp"))});

    QCOMPARE(data.FindDataFolder(), !found.isEmpty());
    if (found.isEmpty())
        return;
    const QString expected = m_dir->path() + u'/' + found;
    QCOMPARE(data.DataPath(), expected);
    m_settings->sync();
    QCOMPARE(m_settings->value(QStringLiteral("DataPath")).toString(), expected);
    QCOMPARE(m_settings->value(QStringLiteral("AppPath")).toString(), data.AppPath());
    QVERIFY(data.AppPath().endsWith(u'/'));

    data.OpenDirectory();
    QCOMPARE(data.directory()->ItemCount(), 1);
}

void TestDataModule::failedSearchWritesNothing()
{
    TData data(*m_store, m_volumes,
               {QString(), [] { return quint64(2); }, m_dir->filePath(QStringLiteral("tmp"))});
    QVERIFY(!data.FindDataFolder());
    m_settings->sync();
    QVERIFY(m_settings->allKeys().isEmpty());
}

void TestDataModule::locatorAnswer_data()
{
    QTest::addColumn<QString>("stored"); // relative; "" for none
    QTest::addColumn<QString>("answer"); // relative; "-" when the user gives up
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("found"); // relative, "" when the search fails

    QTest::newRow("folder chosen")
        << QString() << QStringLiteral("chosen") << true << QStringLiteral("chosen/");
    QTest::newRow("given up") << QString() << QStringLiteral("-") << true << QString();
    QTest::newRow("starts from the stored folder, given up")
        << QStringLiteral("empty") << QStringLiteral("-") << true << QString();
    QTest::newRow("not asked when the stored folder holds the data")
        << QStringLiteral("stored") << QStringLiteral("chosen") << false
        << QStringLiteral("stored/");
}

void TestDataModule::locatorAnswer()
{
    QFETCH(QString, stored);
    QFETCH(QString, answer);
    QFETCH(bool, asked);
    QFETCH(QString, found);

    makeDataFolder(QStringLiteral("stored"));
    QDir().mkpath(m_dir->filePath(QStringLiteral("empty")));
    if (!stored.isEmpty())
        m_settings->setValue(QStringLiteral("DataPath"), m_dir->filePath(stored));
    QStringList starts;
    const auto locate = [&](const QString &start) -> std::optional<QString> {
        starts.append(start);
        if (answer == u"-")
            return std::nullopt;
        return m_dir->filePath(answer);
    };
    TData data(*m_store, m_volumes,
               {QString(), [] { return quint64(3); }, m_dir->filePath(QStringLiteral("tmp"))});
    data.SetLocator(locate);

    QCOMPARE(data.FindDataFolder(), !found.isEmpty());
    QCOMPARE(starts.size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(starts[0], stored.isEmpty() ? QString() : m_dir->filePath(stored) + u'/');
    m_settings->sync();
    if (found.isEmpty()) {
        QCOMPARE(m_settings->contains(QStringLiteral("AppPath")), false);
        QCOMPARE(m_settings->value(QStringLiteral("DataPath")).toString(),
                 stored.isEmpty() ? QString() : m_dir->filePath(stored));
        return;
    }
    QCOMPARE(data.DataPath(), m_dir->filePath(found));
    QCOMPARE(m_settings->value(QStringLiteral("DataPath")).toString(), m_dir->filePath(found));
}

void TestDataModule::filesPresent()
{
    const QString folder = makeDataFolder(QStringLiteral("f"));
    QFile(folder + QStringLiteral("/b.txt")).open(QIODevice::WriteOnly);
    QVERIFY(TData::FilesPresent(folder, QStringLiteral("Verbarium.dat")));
    QVERIFY(TData::FilesPresent(folder + u'/', QStringLiteral("Verbarium.dat;B.TXT")));
    QVERIFY(!TData::FilesPresent(folder, QStringLiteral("Verbarium.dat;b.txt;c.txt")));
    QVERIFY(!TData::FilesPresent(folder, QStringLiteral("c.txt;Verbarium.dat")));
    QVERIFY(!TData::FilesPresent(m_dir->filePath(QStringLiteral("none")),
                                 QStringLiteral("Verbarium.dat")));
    QVERIFY(!TData::FilesPresent(QString(), QStringLiteral("Verbarium.dat")));
    // A folder by the file's name is not the file.
    QDir().mkpath(m_dir->filePath(QStringLiteral("g/Verbarium.dat")));
    QVERIFY(!TData::FilesPresent(m_dir->filePath(QStringLiteral("g")),
                                 QStringLiteral("Verbarium.dat")));
}

void TestDataModule::tempFolderPerRun()
{
    QCOMPARE(TData::TempFolderName(0x1a2b), QStringLiteral("00001A2B"));
    QCOMPARE(TData::TempFolderName(0x1'2345'6789ULL), QStringLiteral("23456789"));

    const QString root = m_dir->filePath(QStringLiteral("tmp"));
    const QString reused = root + QStringLiteral("/0000BEEF/");
    QDir().mkpath(reused);
    for (const char *name : {"old.mp3", "OLD2.MP3", "keep.txt"})
        QFile(reused + QLatin1String(name)).open(QIODevice::WriteOnly);

    QString first;
    {
        TData a(*m_store, m_volumes, {QString(), [] { return quint64(0xBEEF); }, root});
        TData b(*m_store, m_volumes, {QString(), [] { return quint64(0xBEF0); }, root});
        first = a.TempFolder();
        QCOMPARE(first, reused);
        QCOMPARE(b.TempFolder(), root + QStringLiteral("/0000BEF0/"));
        QCOMPARE(QDir(first).entryList(QDir::Files), QStringList{QStringLiteral("keep.txt")});
    }
    // Both folders are emptied and removed at the end of their runs.
    QVERIFY(!QFileInfo::exists(first));
    QVERIFY(QDir(root).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

void TestDataModule::getSoundFile()
{
    const QString folder = m_dir->filePath(QStringLiteral("d"));
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/Verbarium.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(container({{"_197SND\\guide\\Wprowadz", "ID3intro"}}));
    file.close();
    m_settings->setValue(QStringLiteral("DataPath"), folder);

    TData data(*m_store, m_volumes,
               {QString(), [] { return quint64(7); }, m_dir->filePath(QStringLiteral("tmp"))});
    QVERIFY(data.FindDataFolder());
    data.OpenDirectory();
    const QString path = data.GetSoundFile(QStringLiteral("guide"), QStringLiteral("Wprowadz"));
    QCOMPARE(path, data.TempFolder() + QStringLiteral("Wprowadz.MP3"));
    QFile sound(path);
    QVERIFY(sound.open(QIODevice::ReadOnly));
    QCOMPARE(sound.readAll(), QByteArray("ID3intro"));
    QCOMPARE(data.GetSoundFile(QStringLiteral("guide"), QStringLiteral("Brak")), QString());
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
