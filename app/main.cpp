// verbarium: the encyclopedia browser.

#include "AppIcons.h"
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
    QApplication::setWindowIcon(AppIcons::Program());

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
