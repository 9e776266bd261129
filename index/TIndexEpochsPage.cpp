#include "TIndexEpochsPage.h"

namespace {

// The two bottom buttons cross their tags: the wide one opens the interwar period (8), the
// one above it on the right contemporary literature (9).
constexpr TIndexThemePage::Button Buttons[] = {
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

constexpr TIndexThemePage::Entry Entries[] = {
    {1, "21FE"}, {2, "21EE"}, {3, "21F2"}, {4, "2202"}, {5, "21F6"},
    {6, "21E2"}, {7, "21E6"}, {8, "21FA"}, {9, "21EA"},
};

} // namespace

TIndexEpochsPage::TIndexEpochsPage(const QString &name, QWidget *parent)
    : TIndexThemePage(name, {QStringLiteral("Epoki"), 4013, QStringLiteral("_19703"), Buttons, Entries},
                      parent)
{
}
