#pragma once

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <optional>

class SettingsStore;
class VolumeList;

Q_DECLARE_LOGGING_CATEGORY(lcStartup)

// What the command line asks for:
// `verbarium [--open TYP NUMER | --print-pdf TYP NUMER FILE.pdf] [DATA_FOLDER]
// [--quit-after-start]`.
struct StartupOptions
{
    QString dataFolder;
    // Runs the whole start-up, then closes the main window normally once the Index is shown.
    bool quitAfterStart = false;
    // An entry to open once the Index is shown, as a link would.
    QString openTyp;
    QString openNumer;
    // An entry to print into a PDF file once the Index is shown; the program then ends.
    QString printTyp;
    QString printNumer;
    QString printFile;

    // Nothing (and `error` set) when the command line is not understood.
    static std::optional<StartupOptions> parse(const QStringList &arguments, QString *error);
};

// Brings the program up in its fixed order, runs it, and takes it down again: splash, main
// window, data module (temporary folder, data-folder search, content directory, Index),
// progress window; at the end the progress window, the data module and the main window go,
// in that order. Returns the process exit status.
int RunProgram(SettingsStore &settings, const VolumeList &volumes, const StartupOptions &options);
