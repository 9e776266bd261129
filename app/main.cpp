// verbarium: opens the encyclopedia in the data folder given on the command line, or the
// "DATA" folder beside the program, and reports what its content directory holds.

#include "ContentError.h"
#include "TPSSDirectory.h"
#include "TSimplePSS.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

// The container in a folder, its name matched without regard to letter case, since a disc
// copied to this system may hold "verbarium.dat".
QString containerIn(const QDir &folder)
{
    const QStringList found = folder.entryList({QStringLiteral("Verbarium.dat")},
                                               QDir::Files | QDir::CaseSensitive);
    if (!found.isEmpty())
        return folder.filePath(found.first());
    for (const QString &name : folder.entryList(QDir::Files)) {
        if (name.compare(u"Verbarium.dat", Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    }
    return folder.filePath(QStringLiteral("Verbarium.dat"));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QDir folder(args.size() > 1 ? args[1]
                                      : QCoreApplication::applicationDirPath() +
                                            QStringLiteral("/DATA"));
    try {
        TPSSDirectory directory(containerIn(folder));
        std::printf("%s\n", QStringLiteral("Encyklopedia w \"%1\": wpisy w kontenerze: %2, pozycje w indeksie: %3")
                                .arg(QDir::toNativeSeparators(folder.absolutePath()))
                                .arg(directory.container().count())
                                .arg(directory.ItemCount())
                                .toUtf8()
                                .constData());
    } catch (const ContentError &e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
