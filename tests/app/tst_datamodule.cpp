#include "ContainerFixture.h"
#include "ContentError.h"
#include "SettingsStore.h"
#include "TData.h"
#include "TPSSDirectory.h"
#include "VolumeList.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

void writeFile(const QString &folder, const QString &name, const QByteArray &data)
{
    QFile file(folder + u'/' + name);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.fileName()));
    file.write(data);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Options that make the temporary folder in `root`.
TData::Options tempIn(const QString &root, const QString &commandLine = QString())
{
    TData::Options options;
    options.commandLineFolder = commandLine;
    options.tempRoot = root;
    return options;
}

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
    void linkUnderTheNameIsNotFollowed();
    void foreignFolderUnderTheNameIsNotUsed();
    void tempFolderIsPrivate();
    void exitRemovesOnlyTheRunsFiles();
    void missingTmpdirFallsBackToTheSystemFolder();
    void staleFoldersOfDeadRunsRemoved();
    void getSoundFile();

private:
    QString makeDataFolder(const QString &relative,
                           const QString &fileName = QStringLiteral("Verbarium.dat"));
    // A data folder whose container holds the sound "guide\Wprowadz", stored as the data path.
    void makeSoundData();
    // Options that make the run try the names in turn, in `root`; their full paths.
    TData::Options takingNames(const QString &root, const QStringList &suffixes,
                               QStringList &paths);

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

void TestDataModule::makeSoundData()
{
    const QString folder = m_dir->filePath(QStringLiteral("d"));
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/Verbarium.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(container({{"_197SND\\guide\\Wprowadz", "ID3intro"}}));
    file.close();
    m_settings->setValue(QStringLiteral("DataPath"), folder);
}

TData::Options TestDataModule::takingNames(const QString &root, const QStringList &suffixes,
                                           QStringList &paths)
{
    const QString prefix =
        root + QStringLiteral("/verbarium-%1-").arg(QCoreApplication::applicationPid());
    for (const QString &suffix : suffixes)
        paths.append(prefix + suffix);
    auto left = std::make_shared<QStringList>(suffixes);
    TData::Options options = tempIn(root);
    options.folderSuffix = [left] { return left->isEmpty() ? QString() : left->takeFirst(); };
    return options;
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
               tempIn(m_dir->filePath(QStringLiteral("tmp")),
                      commandLine.isEmpty() ? QString() : m_dir->filePath(commandLine)));

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
    TData data(*m_store, m_volumes, tempIn(m_dir->filePath(QStringLiteral("tmp"))));
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
    TData data(*m_store, m_volumes, tempIn(m_dir->filePath(QStringLiteral("tmp"))));
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
    // Each run makes a folder of its own, named after the program and its process, and removes
    // it at its end.
    const QString root = m_dir->filePath(QStringLiteral("tmp"));
    const QRegularExpression name(
        QStringLiteral("^verbarium-%1-[A-Za-z0-9]{6}$").arg(QCoreApplication::applicationPid()));
    QString first;
    QString second;
    {
        TData a(*m_store, m_volumes, tempIn(root));
        TData b(*m_store, m_volumes, tempIn(root));
        first = a.TempFolder();
        second = b.TempFolder();
        QVERIFY(first != second);
        for (const QString &folder : {first, second}) {
            QVERIFY(folder.startsWith(root + u'/'));
            QVERIFY(folder.endsWith(u'/'));
            QVERIFY2(name.match(QDir(folder).dirName()).hasMatch(), qPrintable(folder));
            QVERIFY(QFileInfo(folder).isDir());
            QVERIFY(QDir(folder).isEmpty());
        }
    }
    QVERIFY(!QFileInfo::exists(first));
    QVERIFY(!QFileInfo::exists(second));
    QVERIFY(QDir(root).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).isEmpty());
}

void TestDataModule::linkUnderTheNameIsNotFollowed()
{
    // Another user's link, planted under the names the run tries first, points at a folder of
    // the victim's (and, dangling, at a file there); none of the victim's files is deleted or
    // written, and nothing new appears there.
    makeSoundData();
    const QString victim = m_dir->filePath(QStringLiteral("victim"));
    QDir().mkpath(victim);
    writeFile(victim, QStringLiteral("song.mp3"), "mine");
    writeFile(victim, QStringLiteral("notes.txt"), "notes");
    const QString root = m_dir->filePath(QStringLiteral("tmp"));
    QDir().mkpath(root);
    QStringList names;
    const TData::Options options = takingNames(
        root, {QStringLiteral("Plant1"), QStringLiteral("Plant2"), QStringLiteral("Mine01")},
        names);
    QVERIFY(QFile::link(victim, names[0]));
    QVERIFY(QFile::link(victim + QStringLiteral("/new"), names[1]));
    QString folder;
    QString sound;
    {
        TData data(*m_store, m_volumes, options);
        folder = data.TempFolder();
        QVERIFY(data.FindDataFolder());
        data.OpenDirectory();
        sound = data.GetSoundFile(QStringLiteral("guide"), QStringLiteral("Wprowadz"));
    }
    QCOMPARE(QDir(victim).entryList(
                 QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name),
             (QStringList{QStringLiteral("notes.txt"), QStringLiteral("song.mp3")}));
    QCOMPARE(readFile(victim + QStringLiteral("/song.mp3")), QByteArray("mine"));
    QCOMPARE(readFile(victim + QStringLiteral("/notes.txt")), QByteArray("notes"));
    // The run took the first free name; the planted links are not the run's to remove.
    QCOMPARE(folder, names[2] + u'/');
    QCOMPARE(sound, names[2] + QStringLiteral("/Wprowadz.MP3"));
    QVERIFY(QFileInfo(names[0]).isSymLink());
    QVERIFY(QFileInfo(names[1]).isSymLink());
    QVERIFY(!QFileInfo::exists(names[2]));
}

void TestDataModule::foreignFolderUnderTheNameIsNotUsed()
{
    // A folder open to everyone, planted under the name the run tries first, is neither used,
    // written, emptied nor removed.
    makeSoundData();
    const QString root = m_dir->filePath(QStringLiteral("tmp"));
    QDir().mkpath(root);
    QStringList names;
    const TData::Options options =
        takingNames(root, {QStringLiteral("Plant1"), QStringLiteral("Mine01")}, names);
    QVERIFY(QDir().mkdir(names[0]));
    QVERIFY(::chmod(QFile::encodeName(names[0]).constData(), 0777) == 0);
    writeFile(names[0], QStringLiteral("theirs.mp3"), "theirs");
    writeFile(names[0], QStringLiteral("theirs.txt"), "text");
    QString folder;
    {
        TData data(*m_store, m_volumes, options);
        folder = data.TempFolder();
        QVERIFY(data.FindDataFolder());
        data.OpenDirectory();
        QVERIFY(!data.GetSoundFile(QStringLiteral("guide"), QStringLiteral("Wprowadz")).isEmpty());
    }
    QCOMPARE(QDir(names[0]).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name),
             (QStringList{QStringLiteral("theirs.mp3"), QStringLiteral("theirs.txt")}));
    QCOMPARE(readFile(names[0] + QStringLiteral("/theirs.mp3")), QByteArray("theirs"));
    QCOMPARE(folder, names[1] + u'/');
    QVERIFY(!QFileInfo::exists(names[1]));
}

void TestDataModule::tempFolderIsPrivate()
{
    // Private whatever the umask lets through: only the user may list, enter or write it.
    const mode_t savedMask = ::umask(0);
    const auto restore = qScopeGuard([savedMask] { ::umask(savedMask); });
    TData data(*m_store, m_volumes, tempIn(m_dir->filePath(QStringLiteral("tmp"))));
    QVERIFY(!data.TempFolder().isEmpty());
    struct stat st = {};
    QCOMPARE(::lstat(QFile::encodeName(data.TempFolder().chopped(1)).constData(), &st), 0);
    QVERIFY(S_ISDIR(st.st_mode));
    QCOMPARE(st.st_mode & 07777, mode_t(0700));
    QCOMPARE(st.st_uid, ::geteuid());
}

void TestDataModule::exitRemovesOnlyTheRunsFiles()
{
    makeSoundData();
    QString folder;
    {
        TData data(*m_store, m_volumes, tempIn(m_dir->filePath(QStringLiteral("tmp"))));
        folder = data.TempFolder();
        QVERIFY(data.FindDataFolder());
        data.OpenDirectory();
        const QString sound =
            data.GetSoundFile(QStringLiteral("guide"), QStringLiteral("Wprowadz"));
        QVERIFY(QFileInfo(sound).isFile());
        // Put there by someone else meanwhile (by the user, since the folder is private).
        writeFile(folder, QStringLiteral("keep.txt"), "keep");
        writeFile(folder, QStringLiteral("other.mp3"), "other");
    }
    QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name),
             (QStringList{QStringLiteral("keep.txt"), QStringLiteral("other.mp3")}));
    QCOMPARE(readFile(folder + QStringLiteral("other.mp3")), QByteArray("other"));
}

void TestDataModule::missingTmpdirFallsBackToTheSystemFolder()
{
    const QString missing = m_dir->filePath(QStringLiteral("missing"));
    const QString work = m_dir->filePath(QStringLiteral("work"));
    QVERIFY(QDir().mkpath(work));
    const bool hadTmpdir = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray savedTmpdir = qgetenv("TMPDIR");
    const QString savedWork = QDir::currentPath();
    const auto restore = qScopeGuard([&] {
        QDir::setCurrent(savedWork);
        if (hadTmpdir)
            qputenv("TMPDIR", savedTmpdir);
        else
            qunsetenv("TMPDIR");
    });
    qputenv("TMPDIR", QFile::encodeName(missing));
    QVERIFY(QDir::setCurrent(work));

    QString folder;
    {
        TData data(*m_store, m_volumes, {});
        folder = data.TempFolder();
        QVERIFY2(QDir::isAbsolutePath(folder), qPrintable(folder));
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QFileInfo(QDir(folder).canonicalPath()).path(),
                 QDir(QStringLiteral("/tmp")).canonicalPath());
        QVERIFY(QDir(work).isEmpty());
        QVERIFY(!QFileInfo::exists(missing));
    }
    QVERIFY(!QFileInfo::exists(folder));
    QVERIFY(QDir(work).isEmpty());
}

void TestDataModule::staleFoldersOfDeadRunsRemoved()
{
    // A process that has ended: the folders named after it are left by a run that was killed.
    const pid_t dead = ::fork();
    QVERIFY(dead >= 0);
    if (dead == 0)
        ::_exit(0);
    QCOMPARE(::waitpid(dead, nullptr, 0), dead);
    QVERIFY(::kill(dead, 0) == -1 && errno == ESRCH);

    const QString root = m_dir->filePath(QStringLiteral("tmp"));
    const auto folderOf = [&](const QString &pid, const char *suffix) {
        return root + QStringLiteral("/verbarium-%1-%2").arg(pid, QLatin1String(suffix));
    };
    const QString deadPid = QString::number(dead);
    const QString livePid = QString::number(QCoreApplication::applicationPid());
    const QString victim = m_dir->filePath(QStringLiteral("victim"));
    QDir().mkpath(victim);
    writeFile(victim, QStringLiteral("song.mp3"), "mine");

    const QString stale = folderOf(deadPid, "Stale1");
    QDir().mkpath(stale);
    writeFile(stale, QStringLiteral("Wprowadz.MP3"), "old");
    writeFile(stale, QStringLiteral("notes.txt"), "old");
    // Inside a stale folder only regular files go: a link and a folder stay, and so does the
    // stale folder holding them.
    const QString mixed = folderOf(deadPid, "Mixed1");
    QDir().mkpath(mixed + QStringLiteral("/sub"));
    writeFile(mixed, QStringLiteral("a.MP3"), "old");
    writeFile(mixed + QStringLiteral("/sub"), QStringLiteral("b.MP3"), "old");
    QVERIFY(QFile::link(victim, mixed + QStringLiteral("/link")));
    QVERIFY(QFile::link(victim + QStringLiteral("/song.mp3"), mixed + QStringLiteral("/song.mp3")));
    // A link by a stale name is not followed.
    const QString link = folderOf(deadPid, "Link01");
    QVERIFY(QFile::link(victim, link));
    // A live process's folder, another program's and ill-named ones stay.
    const QString live = folderOf(livePid, "Live01");
    const QString other = root + QStringLiteral("/other-%1-Other1").arg(deadPid);
    const QString noPid = folderOf(QStringLiteral("x%1").arg(deadPid), "NoPid1");
    const QString zero = folderOf(QStringLiteral("0"), "Zero01");
    const QString shortName = folderOf(deadPid, "Short");
    for (const QString &folder : {live, other, noPid, zero, shortName}) {
        QDir().mkpath(folder);
        writeFile(folder, QStringLiteral("a.MP3"), "kept");
    }

    QString own;
    {
        TData data(*m_store, m_volumes, tempIn(root));
        own = data.TempFolder();
        QVERIFY(!own.isEmpty());
        QVERIFY(!QFileInfo::exists(stale));
        QCOMPARE(QDir(mixed).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System,
                                       QDir::Name),
                 (QStringList{QStringLiteral("link"), QStringLiteral("song.mp3"),
                              QStringLiteral("sub")}));
        QVERIFY(QFileInfo::exists(mixed + QStringLiteral("/sub/b.MP3")));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QDir(victim).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{QStringLiteral("song.mp3")});
        QCOMPARE(readFile(victim + QStringLiteral("/song.mp3")), QByteArray("mine"));
        for (const QString &folder : {live, other, noPid, zero, shortName})
            QVERIFY2(QFileInfo::exists(folder + QStringLiteral("/a.MP3")), qPrintable(folder));
    }
    QVERIFY(!QFileInfo::exists(own));
}

void TestDataModule::getSoundFile()
{
    makeSoundData();

    TData data(*m_store, m_volumes, tempIn(m_dir->filePath(QStringLiteral("tmp"))));
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
