#include "AppIcons.h"

namespace {

struct CategoryPicture
{
    const char16_t *typ;
    const char16_t *file;
};

// Both Polish art codes share the palette of the start page.
constexpr CategoryPicture Categories[] = {
    {u"_19701", u"works"},         {u"_19702", u"biographies"}, {u"_19703", u"epochs"},
    {u"_19704", u"genres"},        {u"_19705", u"terms"},       {u"_19706", u"excerpts"},
    {u"_19708", u"calendar"},      {u"_19709", u"films"},       {u"_19710", u"quiz"},
    {u"_19711", u"illustrations"}, {u"_19712", u"art"},         {u"_19713", u"art"},
    {u"_19714", u"kinds"},         {u"_19720", u"quotations"},  {u"_19721", u"sounds"},
    {u"_19799", u"characters"},
};

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
    for (const CategoryPicture &category : Categories)
        codes.append(QString::fromUtf16(category.typ));
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
    for (const CategoryPicture &category : Categories) {
        if (typ == QStringView(category.typ))
            return QStringLiteral(":/icons/categories/%1.svg")
                .arg(QString::fromUtf16(category.file));
    }
    return {};
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
