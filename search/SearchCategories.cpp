#include "SearchCategories.h"

#include <array>

namespace {

constexpr std::array<SearchCategories::Category, 12> Categories{{
    {u"_19701", u"Tytuł", u"Dzieła"},
    {u"_19702", u"Autor", u"Twórcy"},
    {u"_19703", u"Epoka", u"Epoki"},
    {u"_19799", u"Nazwa", u"Bohaterowie"},
    {u"_19714", u"Rodzaj", u"Rodzaje"},
    {u"_19704", u"Gatunek", u"Gatunki"},
    {u"_19705", u"Termin", u"Terminy"},
    {u"_19706", u"Dzieło", u"Wypisy"},
    {u"_19720", u"Autor", u"Cytaty"},
    {u"_19712", u"Tytuł", u"Sztuka polska"},
    {u"_19713", u"Tytuł", u"Sztuka polska"},
    {u"_19711", u"Tytuł", u"Ilustracje"},
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
