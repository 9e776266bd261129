#include "TData.h"

#include "ContentError.h"
#include "Paths.h"
#include "SettingsStore.h"
#include "TPSSDirectory.h"
#include "VolumeList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <limits>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

const QString TData::RequiredFiles = QStringLiteral("Verbarium.dat");

namespace {

// The per-run folders are "verbarium-<pid>-XXXXXX": the program's, and the process whose run
// made them, so that those left by a run that was killed are known at the next start.
constexpr int SuffixLength = 6;
// Names tried before giving up; a random one is taken only when someone made it first.
constexpr int NameAttempts = 100;

constexpr QLatin1String ProgramPrefix("verbarium-");

QString folderPrefix(qint64 pid)
{
    return QString(ProgramPrefix) + QString::number(pid) + u'-';
}

// A file descriptor, closed when it goes.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

private:
    int m_fd;
};

Descriptor openFolder(const QString &path)
{
    return Descriptor(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// The folder `name` in `parent` itself, never what a link by that name points at.
Descriptor openSubfolder(int parent, const QByteArray &name)
{
    return Descriptor(
        ::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

// The system's temporary folder: $TMPDIR when it names a folder, otherwise /tmp. (Qt gives an
// empty path for a $TMPDIR that names no folder, which would put the folder in the working
// directory.)
QString systemTempRoot()
{
    const QString temp = QDir::tempPath();
    if (QDir::isAbsolutePath(temp) && QFileInfo(temp).isDir())
        return temp;
    return QStringLiteral("/tmp");
}

QString randomSuffix()
{
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < SuffixLength; ++i)
        suffix +=
            QLatin1Char(Letters[QRandomGenerator::system()->bounded(int(sizeof Letters) - 1)]);
    return suffix;
}

// The process a per-run folder's name gives; 0 when the name is not a per-run folder's.
pid_t processOfFolder(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^%1([1-9][0-9]{0,9})-[A-Za-z0-9]{%2}$")
                                                .arg(ProgramPrefix)
                                                .arg(SuffixLength));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return 0;
    const qint64 pid = match.captured(1).toLongLong();
    return pid <= std::numeric_limits<pid_t>::max() ? pid_t(pid) : 0;
}

bool processGone(pid_t pid)
{
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// Deletes the regular files of the user's in the open folder; links, folders and the rest stay.
void removeRegularFiles(int folder)
{
    const int listed = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (listed < 0)
        return;
    DIR *dir = ::fdopendir(listed);
    if (!dir) {
        ::close(listed);
        return;
    }
    QList<QByteArray> names;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    ::closedir(dir);
    for (const QByteArray &name : names) {
        struct stat st = {};
        if (::fstatat(folder, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
            ::unlinkat(folder, name.constData(), 0);
    }
}

// Removes the per-run folders in `root` left by runs of the program that were killed: only
// folders (not links) of the user's, named after a process that is gone, and in them only
// regular files; a folder still holding anything else stays.
void removeStaleFolders(const QString &root)
{
    const Descriptor rootFd = openFolder(root);
    if (!rootFd.valid())
        return;
    const QStringList candidates =
        QDir(root).entryList({QString(ProgramPrefix) + u'*'},
                             QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString &name : candidates) {
        const pid_t pid = processOfFolder(name);
        if (pid <= 0 || pid == ::getpid() || !processGone(pid))
            continue;
        const QByteArray local = QFile::encodeName(name);
        struct stat seen = {};
        if (::fstatat(rootFd.get(), local.constData(), &seen, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISDIR(seen.st_mode) || seen.st_uid != ::geteuid())
            continue;
        {
            const Descriptor folder = openSubfolder(rootFd.get(), local);
            struct stat opened = {};
            if (!folder.valid() || ::fstat(folder.get(), &opened) != 0 ||
                opened.st_dev != seen.st_dev || opened.st_ino != seen.st_ino)
                continue;
            removeRegularFiles(folder.get());
        }
        // Only an empty folder goes.
        ::unlinkat(rootFd.get(), local.constData(), AT_REMOVEDIR);
    }
}

} // namespace

TData::TData(SettingsStore &settings, const VolumeList &volumes, Options options)
    : m_settings(settings), m_volumes(volumes), m_options(std::move(options))
{
    QString root = m_options.tempRoot;
    if (root.isEmpty())
        root = systemTempRoot();
    else
        QDir().mkpath(root);
    removeStaleFolders(root);

    // A folder that cannot be made is noticed only when a sound is extracted into it.
    const Descriptor rootFd = openFolder(root);
    if (!rootFd.valid())
        return;
    const QString prefix = folderPrefix(QCoreApplication::applicationPid());
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        const QString suffix = m_options.folderSuffix ? m_options.folderSuffix() : randomSuffix();
        if (suffix.isEmpty() || suffix.contains(u'/'))
            return;
        const QString name = prefix + suffix;
        const QByteArray local = QFile::encodeName(name);
        // A new folder or nothing: a name already taken, by a link too (even one pointing
        // nowhere), fails and is never followed.
        if (::mkdirat(rootFd.get(), local.constData(), 0700) != 0) {
            if (errno == EEXIST)
                continue;
            return;
        }
        const Descriptor folder = openSubfolder(rootFd.get(), local);
        struct stat st = {};
        if (!folder.valid() || ::fstat(folder.get(), &st) != 0)
            return;
        // Whatever the umask took off or let through, the folder is the user's only.
        ::fchmod(folder.get(), 0700);
        m_tempDevice = quint64(st.st_dev);
        m_tempInode = quint64(st.st_ino);
        m_tempFolder = Paths::withSeparator(root) + name + u'/';
        return;
    }
}

TData::~TData()
{
    m_directory.reset();
    if (m_tempFolder.isEmpty())
        return;
    const QFileInfo folderInfo(m_tempFolder.chopped(1));
    const Descriptor parent = openFolder(folderInfo.path());
    if (!parent.valid())
        return;
    const QByteArray local = QFile::encodeName(folderInfo.fileName());
    {
        // The folder this run made, or nothing is touched.
        const Descriptor folder = openSubfolder(parent.get(), local);
        struct stat st = {};
        if (!folder.valid() || ::fstat(folder.get(), &st) != 0 ||
            quint64(st.st_dev) != m_tempDevice || quint64(st.st_ino) != m_tempInode)
            return;
        // Only the sounds this run extracted (those not deleted once played).
        for (const QString &file : std::as_const(m_tempFiles)) {
            const QByteArray name = QFile::encodeName(file);
            struct stat fileStat = {};
            if (::fstatat(folder.get(), name.constData(), &fileStat, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISREG(fileStat.st_mode))
                ::unlinkat(folder.get(), name.constData(), 0);
        }
    }
    // Only when empty: anything else put there keeps the folder.
    ::unlinkat(parent.get(), local.constData(), AT_REMOVEDIR);
}

bool TData::FilesPresent(const QString &folder, const QString &fileList)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    for (const QString &name : fileList.split(u';')) {
        if (!QFileInfo(Paths::resolve(folder, name)).isFile())
            return false;
    }
    return true;
}

bool TData::FindDataFolder()
{
    m_appPath =
        m_settings.appPath().value_or(Paths::withSeparator(QCoreApplication::applicationDirPath()));
    m_dataPath = Paths::withSeparator(m_settings.dataPath().value_or(QString()));

    const auto tryFolder = [this](const QString &folder) {
        if (!FilesPresent(folder, RequiredFiles))
            return false;
        m_dataPath = Paths::withSeparator(folder);
        return true;
    };
    bool found = (!m_options.commandLineFolder.isEmpty() &&
                  tryFolder(QFileInfo(m_options.commandLineFolder).absoluteFilePath())) ||
                 tryFolder(m_dataPath);
    for (const QString &root : m_volumes.opticalRoots()) {
        if (found)
            break;
        const QString data = Paths::resolve(root, QStringLiteral("DATA"));
        found = QFileInfo(data).isDir() && tryFolder(data);
    }
    if (!found && m_locate) {
        if (const std::optional<QString> chosen = m_locate(m_dataPath)) {
            m_dataPath = Paths::withSeparator(*chosen);
            found = true;
        }
    }
    if (found)
        m_settings.writePaths(m_appPath, m_dataPath);
    return found;
}

void TData::OpenDirectory()
{
    m_directory = std::make_unique<TPSSDirectory>(Paths::resolve(m_dataPath, RequiredFiles));
}

QString TData::GetSoundFile(const QString &dir, const QString &name)
{
    if (m_tempFolder.isEmpty())
        throw ContentError(QStringLiteral("Nie można utworzyć pliku \"%1.MP3\": brak folderu "
                                          "plików tymczasowych")
                               .arg(name));
    if (!m_directory || !m_directory->ExtractSound(dir, name, m_tempFolder))
        return QString();
    const QString file = name + QStringLiteral(".MP3");
    m_tempFiles.insert(file);
    return m_tempFolder + file;
}
