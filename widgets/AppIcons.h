#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

// The program's own pictures, drawn as SVG and compiled in: the toolbar commands, the parts
// of the encyclopedia and the program itself. Every picture is scalable, so it stays sharp
// at any size and screen scale.
class AppIcons
{
public:
    // The picture of a command ("print", "copy", ...); a null icon for a name it lacks.
    static QIcon Command(const QString &name);
    // The picture of a category, by its code; a null icon for a code without one.
    static QIcon Category(const QString &typ);
    // The program's icon, for every window and dialog.
    static QIcon Program();

    static QStringList CommandNames();
    static QStringList CategoryCodes();
    // The resource path of a picture; empty when there is none.
    static QString CommandPath(const QString &name);
    static QString CategoryPath(const QString &typ);
    static QString ProgramPath();
};
