#include "TData.h"

#include "ContentError.h"
#include "Paths.h"
#include "SettingsStore.h"
#include "TPSSDirectory.h"
#include "VolumeList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <chrono>

const QString TData::RequiredFiles = QStringLiteral("Verbarium.dat");

namespace {

quint64 monotonicMsecs()
{
    // The steady clock counts from the system's start on this platform.
    return quint64(std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                       .count());
}

} // namespace

QString TData::TempFolderName(quint64 msecsSinceBoot)
{
    return QStringLiteral("%1").arg(quint32(msecsSinceBoot), 8, 16, QChar(u'0')).toUpper();
}

TData::TData(SettingsStore &settings, const VolumeList &volumes, Options options)
    : m_settings(settings), m_volumes(volumes), m_options(std::move(options))
{
    const QString root = m_options.tempRoot.isEmpty() ? QDir::tempPath() : m_options.tempRoot;
    const quint64 tick = m_options.msecsSinceBoot ? m_options.msecsSinceBoot() : monotonicMsecs();
    const QString folder = Paths::withSeparator(root) + TempFolderName(tick) + u'/';
    // A folder that cannot be made is noticed only when a sound is extracted into it.
    QDir dir;
    if (dir.mkpath(folder)) {
        m_tempFolder = folder;
        QDir temp(folder);
        for (const QString &stale : temp.entryList({QStringLiteral("*.mp3")}, QDir::Files))
            temp.remove(stale);
    }
}

TData::~TData()
{
    m_directory.reset();
    if (m_tempFolder.isEmpty())
        return;
    // A file still in use stays behind, and the folder with it.
    QDir temp(m_tempFolder);
    for (const QString &file : temp.entryList(QDir::Files | QDir::Hidden | QDir::System))
        temp.remove(file);
    QDir().rmdir(m_tempFolder);
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
    return m_tempFolder + name + QStringLiteral(".MP3");
}
