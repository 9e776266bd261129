#pragma once

#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class SettingsStore;
class TPSSDirectory;
class VolumeList;

// The data module: finds the data folder, opens the content directory for the whole run, and
// owns the per-run folder into which narration sounds are extracted.
class TData
{
public:
    struct Options
    {
        // A data folder given on the command line, tried before the stored one.
        QString commandLineFolder;
        // Where the temporary folder is made (made itself when missing); when empty, the
        // system's temporary folder ($TMPDIR, or /tmp when that names no folder).
        QString tempRoot;
        // Tests: the last part of the folder's name, asked again while the name is taken;
        // random when unset.
        std::function<QString()> folderSuffix;
    };
    // Asks the user for the data folder when it is found nowhere, starting from the folder
    // given; nothing when the user gave up.
    using Locator = std::function<std::optional<QString>(const QString &start)>;

    // Removes the folders left by runs of the program that were killed, then makes this run's
    // temporary folder: a new one, "verbarium-<pid>-XXXXXX", readable by the user only. A name
    // already taken (by a folder, a file or a link) is never used; nothing that was there is
    // touched.
    TData(SettingsStore &settings, const VolumeList &volumes, Options options);
    // Closes the directory, then deletes the sounds this run extracted and the temporary folder
    // when nothing else is left in it.
    ~TData();

    TData(const TData &) = delete;
    TData &operator=(const TData &) = delete;

    // The command-line folder, the stored "DataPath", each optical volume's "DATA" folder,
    // then the user's answer. On success both paths are stored and true is returned; on
    // failure nothing is written.
    bool FindDataFolder();
    void SetLocator(Locator locator) { m_locate = std::move(locator); }
    // Opens the content directory on the found folder; throws ContentError.
    void OpenDirectory();

    // Extracts the sound into the temporary folder; its path, or empty when absent.
    QString GetSoundFile(const QString &dir, const QString &name);

    // The folder exists and holds every file of the ";"-separated list.
    static bool FilesPresent(const QString &folder, const QString &fileList);

    const QString &AppPath() const { return m_appPath; }
    const QString &DataPath() const { return m_dataPath; }
    // This run's folder for sounds, with a trailing separator; empty when it could not be made.
    const QString &TempFolder() const { return m_tempFolder; }
    TPSSDirectory *directory() const { return m_directory.get(); }

    static const QString RequiredFiles;

private:
    SettingsStore &m_settings;
    const VolumeList &m_volumes;
    Options m_options;
    Locator m_locate;
    QString m_appPath;
    QString m_dataPath;
    QString m_tempFolder;
    // The folder's device and inode, so that the folder removed at the end is the one made.
    quint64 m_tempDevice = 0;
    quint64 m_tempInode = 0;
    // The names of the files extracted into it.
    QSet<QString> m_tempFiles;
    std::unique_ptr<TPSSDirectory> m_directory;
};
