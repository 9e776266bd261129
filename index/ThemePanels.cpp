#include "ThemePanels.h"

#include "CategoryTable.h"

namespace {

// The two bottom buttons cross their tags: the wide one opens the interwar period (8), the
// one above it on the right contemporary literature (9).
constexpr TIndexThemePage::Button EpochButtons[] = {
    {"btEpoki1", 130, 56, 120, 31, 1, u"Średniowiecze"},
    {"btEpoki2", 260, 56, 120, 31, 2, u"Renesans"},
    {"btEpoki3", 130, 94, 120, 31, 3, u"Barok"},
    {"btEpoki4", 260, 94, 120, 31, 4, u"Oświecenie"},
    {"btEpoki5", 130, 132, 120, 31, 5, u"Romantyzm"},
    {"btEpoki6", 260, 132, 120, 31, 6, u"Pozytywizm"},
    {"btEpoki7", 130, 170, 120, 31, 7, u"Młoda Polska"},
    {"btEpoki8", 260, 170, 120, 31, 9, u"Literatura współczesna"},
    {"btEpoki9", 155, 208, 200, 31, 8, u"Dwudziestolecie międzywojenne"},
};

constexpr TIndexThemePage::Entry EpochEntries[] = {
    {1, "21FE"}, {2, "21EE"}, {3, "21F2"}, {4, "2202"}, {5, "21F6"},
    {6, "21E2"}, {7, "21E6"}, {8, "21FA"}, {9, "21EA"},
};

constexpr TIndexThemePage::Button KindButtons[] = {
    {"btRodzaje1", 232, 88, 133, 30, 1, u"Epika"},
    {"btRodzaje2", 232, 127, 133, 30, 2, u"Liryka"},
    {"btRodzaje3", 232, 166, 133, 30, 3, u"Dramat"},
    {"btRodzaje4", 232, 205, 133, 30, 4, u"Synkretyzm rodzajowy"},
};

constexpr TIndexThemePage::Entry KindEntries[] = {
    {1, "2206"},
    {2, "2222"},
    {3, "2176"},
    {4, "225A"},
};

constexpr TIndexThemePage::Button ArtButtons[] = {
    {"btHistoria1", 243, 23, 133, 30, 1, u"Sztuka romańska"},
    {"btHistoria2", 243, 59, 133, 30, 2, u"Gotyk"},
    {"btHistoria3", 243, 96, 133, 30, 3, u"Renesans"},
    {"btHistoria4", 243, 133, 133, 30, 4, u"Barok"},
    {"btHistoria5", 243, 169, 133, 30, 5, u"Sztuka XIX wieku"},
    {"btHistoria6", 243, 206, 133, 30, 6, u"Młoda Polska"},
};

constexpr TIndexThemePage::Entry ArtEntries[] = {
    {1, "22DE"}, {2, "22D2"}, {3, "22DA"}, {4, "22E2"}, {5, "22D6"}, {6, "22E6"},
};

} // namespace

namespace ThemePanels {

TIndexThemePage::Definition Epochs()
{
    return {QStringLiteral("Epoki"), 4013, CategoryTable::Epochs, EpochButtons, EpochEntries};
}

TIndexThemePage::Definition Kinds()
{
    return {QStringLiteral("Rodzaje"), 4014, CategoryTable::Kinds, KindButtons, KindEntries};
}

TIndexThemePage::Definition Art()
{
    return {QStringLiteral("Historia"), 4020, CategoryTable::Art, ArtButtons, ArtEntries};
}

} // namespace ThemePanels
