#pragma once

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
        // Milliseconds since the system started; names the temporary folder.
        std::function<quint64()> msecsSinceBoot;
        // Where the temporary folder is made; the system's temporary folder when empty.
        QString tempRoot;
    };
    // Asks the user for the data folder when it is found nowhere, starting from the folder
    // given; nothing when the user gave up.
    using Locator = std::function<std::optional<QString>(const QString &start)>;

    // Creates the temporary folder and removes any "*.mp3" already in it.
    TData(SettingsStore &settings, const VolumeList &volumes, Options options);
    // Closes the directory, then empties and removes the temporary folder.
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
    static QString TempFolderName(quint64 msecsSinceBoot);

    const QString &AppPath() const { return m_appPath; }
    const QString &DataPath() const { return m_dataPath; }
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
    std::unique_ptr<TPSSDirectory> m_directory;
};
