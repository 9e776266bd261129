#pragma once

// A running program over a container of the test's (or benchmark's) own, as the start-up
// leaves it: settings in a file of the test, the data module on DATA/Verbarium.dat, the
// progress window, and the main window with the Index and every document category registered.
// Torn down in the program's order.

#include "ContainerFixture.h"
#include "DocumentClasses.h"
#include "Globals.h"
#include "Paths.h"
#include "SettingsStore.h"
#include "TData.h"
#include "TPulpit.h"
#include "TfrmIndeks.h"
#include "TfrmQuiz.h"
#include "TfrmSearcher.h"
#include "VolumeList.h"

#include <QDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

// Makes "bmps" in `dir` the program's skin folder, with `lines` as its "Imglst.lst".
// Paths::setBmpsFolder(QString()) puts it back beside the program.
inline QString useSkin(const QTemporaryDir &dir, const QByteArray &lines = QByteArray())
{
    const QString folder = dir.filePath(QStringLiteral("bmps"));
    QDir().mkpath(folder);
    fixture::writeFile(dir, lines, QStringLiteral("bmps/Imglst.lst"));
    Paths::setBmpsFolder(folder);
    return folder;
}

class ProgramFixture
{
public:
    ~ProgramFixture() { stop(); }

    // `write` writes the container at the path it is given; a benchmark's large container goes
    // to the disk without being held in memory.
    using Writer = std::function<void(const QString &path)>;

    // Returns false when the data module cannot find or open the container.
    bool openData(const QByteArray &containerBytes)
    {
        return openData(
            [&containerBytes](const QString &path) { fixture::writeBytes(path, containerBytes); });
    }

    bool openData(const Writer &write)
    {
        stop();
        m_dir = std::make_unique<QTemporaryDir>();
        QDir().mkpath(m_dir->filePath(QStringLiteral("DATA")));
        write(m_dir->filePath(QStringLiteral("DATA/Verbarium.dat")));
        return openFolder(m_dir->filePath(QStringLiteral("DATA")));
    }

    // A data folder that is not the fixture's own, such as the demo encyclopedia.
    bool openDataFolder(const QString &dataFolder)
    {
        stop();
        m_dir = std::make_unique<QTemporaryDir>();
        return openFolder(dataFolder);
    }

    // The main window over the data; the environment's settings are the fixture's.
    TPulpit &startPulpit(TPulpit::Environment environment)
    {
        stopPulpit();
        environment.settings = m_store.get();
        // A dialog of the frame that the test does not answer (the quote of the day at the
        // Index command) is closed at once, as with its close box.
        if (!environment.runDialog)
            environment.runDialog = [](QDialog &dialog) {
                QTimer::singleShot(0, &dialog, &QDialog::reject);
                return dialog.exec();
            };
        m_pulpit = std::make_unique<TPulpit>(environment);
        SetPulpit(m_pulpit.get());
        RegisterDocumentClasses(*m_pulpit);
        m_pulpit->RegisterIndexClass([] { return new TfrmIndeks; });
        m_pulpit->RegisterQuizClass(&TfrmQuiz::Create);
        return *m_pulpit;
    }

    // The frame as the Index's tests start it: silent, with the help given, shown at
    // 1000 x 700 (or `size`) with its Index open.
    TPulpit &startWithIndex(HelpSystem *help, QSize size = QSize(1000, 700))
    {
        TPulpit::Environment environment;
        environment.help = help;
        environment.soundAvailable = false;
        TPulpit &pulpit = startPulpit(environment);
        pulpit.resize(size);
        pulpit.show();
        pulpit.btIndeksClick();
        return pulpit;
    }

    void stopPulpit()
    {
        SetPulpit(nullptr);
        m_pulpit.reset();
    }

    void stop()
    {
        stopPulpit();
        SetSearcher(nullptr);
        m_searcher.reset();
        SetData(nullptr);
        m_data.reset();
        m_store.reset();
        m_settings.reset();
        Paths::setBmpsFolder(QString());
        m_dir.reset();
    }

    QTemporaryDir &dir() { return *m_dir; }
    QSettings &settings() { return *m_settings; }
    SettingsStore &store() { return *m_store; }
    TData &data() { return *m_data; }
    TPulpit *pulpit() { return m_pulpit.get(); }
    // The Index, the first child window the frame opens.
    TfrmIndeks *index() { return qobject_cast<TfrmIndeks *>(m_pulpit->ChildWindows().value(0)); }
    TfrmSearcher &searcher() { return *m_searcher; }

private:
    bool openFolder(const QString &dataFolder)
    {
        useSkin(*m_dir);
        m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("s.conf")),
                                                 QSettings::IniFormat);
        m_store = std::make_unique<SettingsStore>(*m_settings);
        m_data = std::make_unique<TData>(
            *m_store, m_volumes,
            TData::Options{dataFolder, m_dir->filePath(QStringLiteral("tmp")), {}});
        if (!m_data->FindDataFolder())
            return false;
        m_data->OpenDirectory();
        SetData(m_data.get());
        m_searcher = std::make_unique<TfrmSearcher>();
        SetSearcher(m_searcher.get());
        return true;
    }

    FixedVolumes m_volumes;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<TData> m_data;
    std::unique_ptr<TfrmSearcher> m_searcher;
    std::unique_ptr<TPulpit> m_pulpit;
};
