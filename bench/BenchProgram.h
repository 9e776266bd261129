#pragma once

// A main window with its Index over a container the benchmark writes, without a skin and
// without sound; the process-wide objects point at it while it lives.

#include "Globals.h"
#include "Paths.h"
#include "SettingsStore.h"
#include "TData.h"
#include "TPulpit.h"
#include "TfrmIndeks.h"
#include "TfrmSearcher.h"
#include "VolumeList.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class BenchProgram
{
public:
    // `write` writes the container at the path it is given.
    explicit BenchProgram(const std::function<void(const QString &)> &write)
        : m_settings(m_dir.filePath(QStringLiteral("settings.conf")), QSettings::IniFormat),
          m_store(m_settings)
    {
        QDir().mkpath(m_dir.filePath(QStringLiteral("DATA")));
        write(m_dir.filePath(QStringLiteral("DATA/Verbarium.dat")));
        m_data.reset(new TData(m_store, m_volumes,
                               {m_dir.filePath(QStringLiteral("DATA")), {}, m_dir.filePath(QStringLiteral("tmp"))}));
        m_data->FindDataFolder();
        m_data->OpenDirectory();
        SetData(m_data.get());
        SetSearcher(&m_searcher);
        // The skin's configuration file is empty.
        QDir().mkpath(m_dir.filePath(QStringLiteral("bmps")));
        QFile(m_dir.filePath(QStringLiteral("bmps/Imglst.lst"))).open(QIODevice::WriteOnly);
        Paths::setBmpsFolder(m_dir.filePath(QStringLiteral("bmps")));
        // No quote of the day: it would wait, modal, for the reader.
        m_settings.setValue(QStringLiteral("Prefs/fCytatShow"), 0);
        TPulpit::Environment environment;
        environment.settings = &m_store;
        environment.soundAvailable = false;
        m_pulpit = std::make_unique<TPulpit>(environment);
        SetPulpit(m_pulpit.get());
        m_pulpit->RegisterIndexClass([] { return new TfrmIndeks; });
        m_pulpit->resize(1280, 1000);
        m_pulpit->show();
        m_pulpit->btIndeksClick();
    }

    ~BenchProgram()
    {
        SetPulpit(nullptr);
        SetSearcher(nullptr);
        SetData(nullptr);
    }

    TData &Data() const { return *m_data; }
    TfrmIndeks *Index() const { return qobject_cast<TfrmIndeks *>(m_pulpit->ActiveChild()); }

private:
    QTemporaryDir m_dir;
    QSettings m_settings;
    SettingsStore m_store;
    FixedVolumes m_volumes;
    std::unique_ptr<TData> m_data;
    TfrmSearcher m_searcher;
    std::unique_ptr<TPulpit> m_pulpit;
};
