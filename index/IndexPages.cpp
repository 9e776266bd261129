#include "IndexPages.h"

namespace IndexPages {

namespace {

struct PageInfo
{
    const char *name;
    const char16_t *caption;
    int image;
};

constexpr PageInfo Pages[PageCount] = {
    {"tsDziela", u"Dzieła", 0},
    {"tsBiogramy", u"Twórcy", 1},
    {"tsEpoki", u"Epoki", 2},
    {"tsBohaterowie", u"Bohaterowie", 16},
    {"tsRodzaje", u"Rodzaje", 3},
    {"tsGatunki", u"Gatunki", 4},
    {"tsTerminy", u"Terminy", 5},
    {"tsWypisy", u"Wypisy", 6},
    {"tsCytaty", u"Cytaty", 8},
    {"tsFilmografia", u"Filmografia", 9},
    {"tsHistoria", u"Sztuka polska", 10},
    {"tsKalendarium", u"Kalendarium", 11},
    {"tsQuiz", u"Quiz", 12},
    {"tsStart", u"Wprowadzenie", 13},
};

} // namespace

QString Name(int page)
{
    return QLatin1String(Pages[page].name);
}

QString Caption(int page)
{
    return QString::fromUtf16(Pages[page].caption);
}

int Image(int page)
{
    return Pages[page].image;
}

} // namespace IndexPages
