#include "TIndexArtPage.h"

namespace {

constexpr TIndexThemePage::Button Buttons[] = {
    {"btHistoria1", 243, 23, 133, 30, 1, u"Sztuka romańska"},
    {"btHistoria2", 243, 59, 133, 30, 2, u"Gotyk"},
    {"btHistoria3", 243, 96, 133, 30, 3, u"Renesans"},
    {"btHistoria4", 243, 133, 133, 30, 4, u"Barok"},
    {"btHistoria5", 243, 169, 133, 30, 5, u"Sztuka XIX wieku"},
    {"btHistoria6", 243, 206, 133, 30, 6, u"Młoda Polska"},
};

constexpr TIndexThemePage::Entry Entries[] = {
    {1, "22DE"}, {2, "22D2"}, {3, "22DA"}, {4, "22E2"}, {5, "22D6"}, {6, "22E6"},
};

} // namespace

TIndexArtPage::TIndexArtPage(const QString &name, QWidget *parent)
    : TIndexThemePage(name, {QStringLiteral("Historia"), 4020, QStringLiteral("_19712"), Buttons, Entries},
                      parent)
{
}
