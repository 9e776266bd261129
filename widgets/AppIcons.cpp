#include "AppIcons.h"

#include "CategoryTable.h"

namespace {

constexpr const char16_t *Commands[] = {
    u"options",     u"copy",    u"print",        u"replay",       u"stop", u"previous-window",
    u"next-window", u"cascade", u"tile-columns", u"tile-rows",    u"help", u"exit",
    u"index",       u"refresh", u"open",         u"preview-pane",
};

QIcon iconAt(const QString &path)
{
    return path.isEmpty() ? QIcon() : QIcon(path);
}

} // namespace

QStringList AppIcons::CommandNames()
{
    QStringList names;
    for (const char16_t *name : Commands)
        names.append(QString::fromUtf16(name));
    return names;
}

QStringList AppIcons::CategoryCodes()
{
    QStringList codes;
    for (const CategoryTable::Category &category : CategoryTable::Rows()) {
        if (!category.icon.isEmpty())
            codes.append(category.typ);
    }
    return codes;
}

QString AppIcons::CommandPath(const QString &name)
{
    if (!CommandNames().contains(name))
        return {};
    return QStringLiteral(":/icons/commands/%1.svg").arg(name);
}

QString AppIcons::CategoryPath(const QString &typ)
{
    const CategoryTable::Category *category = CategoryTable::Find(typ);
    if (!category || category->icon.isEmpty())
        return {};
    return QStringLiteral(":/icons/categories/%1.svg").arg(category->icon);
}

QString AppIcons::ProgramPath()
{
    return QStringLiteral(":/icons/verbarium.svg");
}

QIcon AppIcons::Command(const QString &name)
{
    return iconAt(CommandPath(name));
}

QIcon AppIcons::Category(const QString &typ)
{
    return iconAt(CategoryPath(typ));
}

QIcon AppIcons::Program()
{
    return QIcon(ProgramPath());
}
