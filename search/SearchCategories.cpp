#include "SearchCategories.h"

#include <array>

namespace {

constexpr std::array<SearchCategories::Category, 12> Categories{{
    {u"_19701", u"Tytuł"},   // works
    {u"_19702", u"Autor"},   // biographies
    {u"_19703", u"Epoka"},   // epochs
    {u"_19799", u"Nazwa"},   // literary characters
    {u"_19714", u"Rodzaj"},  // literary kinds
    {u"_19704", u"Gatunek"}, // genres
    {u"_19705", u"Termin"},  // terms
    {u"_19706", u"Dzieło"},  // excerpts
    {u"_19720", u"Autor"},   // quotations
    {u"_19712", u"Tytuł"},   // Polish art
    {u"_19713", u"Tytuł"},
    {u"_19711", u"Tytuł"},   // illustrations
}};

} // namespace

namespace SearchCategories {

int count()
{
    return int(Categories.size());
}

const Category &at(int order)
{
    return Categories.at(size_t(order));
}

int orderOf(QStringView typ)
{
    for (int i = 0; i < count(); ++i) {
        if (Categories[size_t(i)].typ == typ)
            return i;
    }
    return -1;
}

} // namespace SearchCategories
