#include "TIndexKindsPage.h"

namespace {

constexpr TIndexThemePage::Button Buttons[] = {
    {"btRodzaje1", 232, 88, 133, 30, 1, u"Epika"},
    {"btRodzaje2", 232, 127, 133, 30, 2, u"Liryka"},
    {"btRodzaje3", 232, 166, 133, 30, 3, u"Dramat"},
    {"btRodzaje4", 232, 205, 133, 30, 4, u"Synkretyzm rodzajowy"},
};

constexpr TIndexThemePage::Entry Entries[] = {
    {1, "2206"}, {2, "2222"}, {3, "2176"}, {4, "225A"},
};

} // namespace

TIndexKindsPage::TIndexKindsPage(const QString &name, QWidget *parent)
    : TIndexThemePage(name, {QStringLiteral("Rodzaje"), 4014, QStringLiteral("_19714"), Buttons, Entries},
                      parent)
{
}
