// verbarium: the encyclopedia browser.

#include "AppIcons.h"
#include "Globals.h"
#include "SettingsStore.h"
#include "Startup.h"
#include "TPulpit.h"
#include "TerminationSignals.h"
#include "VolumeList.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quandrel"));
    QApplication::setApplicationName(QStringLiteral("Verbarium"));
    QApplication::setWindowIcon(AppIcons::Program());

    QString error;
    const auto options = StartupOptions::parse(QApplication::arguments(), &error);
    if (!options) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 64;
    }
    // A stop from outside closes the main window as the reader would.
    TerminationSignals signals;
    QObject::connect(&signals, &TerminationSignals::received, &app, [] {
        if (TPulpit *pulpit = Pulpit())
            pulpit->close();
        else
            QCoreApplication::quit();
    });
    SettingsStore settings;
    OpticalVolumes volumes;
    return RunProgram(settings, volumes, *options);
}
