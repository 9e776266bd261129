// verbarium: the encyclopedia browser.

#include "Application.h"
#include "SettingsStore.h"
#include "Startup.h"
#include "VolumeList.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quandrel"));
    QApplication::setApplicationName(QStringLiteral("Verbarium"));

    QString error;
    const auto options = StartupOptions::parse(QApplication::arguments(), &error);
    if (!options) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 64;
    }
    SettingsStore settings;
    OpticalVolumes volumes;
    return RunProgram(settings, volumes, *options);
}
