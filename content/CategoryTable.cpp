#include "CategoryTable.h"

#include <algorithm>
#include <array>

namespace CategoryTable {

namespace {

constexpr unsigned White = 0xffffff;
constexpr unsigned Black = 0x000000;
constexpr unsigned Blue = 0x0000ff;
constexpr Look Plain{White, Black, Blue, false, false};

// Built on first use, after the code constants.
const std::array<Category, 17> &rows()
{
    static const std::array<Category, 17> table{{
        {Works,
         QStringLiteral("Dzieła"),
         QStringLiteral("Tytuł"),
         QStringLiteral("tsDziela"),
         QStringLiteral("TfrmDziela"),
         QStringLiteral("frmDziela"),
         {0x000040, White, 0xff0000, false, true},
         Template::Works,
         false,
         QStringLiteral("works")},
        {Biographies,
         QStringLiteral("Twórcy"),
         QStringLiteral("Autor"),
         QStringLiteral("tsBiogramy"),
         QStringLiteral("TfrmBiogramy"),
         QStringLiteral("frmBiogramy"),
         {0xc0b0a0, Black, Blue, false, false},
         Template::Biography,
         true,
         QStringLiteral("biographies")},
        {Epochs, QStringLiteral("Epoki"), QStringLiteral("Epoka"), QStringLiteral("tsEpoki"),
         QStringLiteral("TfrmEpoki"), QStringLiteral("frmEpoki"), Plain, Template::Epoch, false,
         QStringLiteral("epochs")},
        {Characters,
         QStringLiteral("Bohaterowie"),
         QStringLiteral("Nazwa"),
         QStringLiteral("tsBohaterowie"),
         QStringLiteral("TfrmBohater"),
         QStringLiteral("frmBohater"),
         {White, Black, Blue, true, false},
         Template::Hero,
         true,
         QStringLiteral("characters")},
        {Kinds,
         QStringLiteral("Rodzaje"),
         QStringLiteral("Rodzaj"),
         QStringLiteral("tsRodzaje"),
         QStringLiteral("TfrmRodzaje"),
         QStringLiteral("frmRodzaje"),
         {0xffb496, Black, Blue, false, false},
         Template::Kind,
         false,
         QStringLiteral("kinds")},
        {Genres,
         QStringLiteral("Gatunki"),
         QStringLiteral("Gatunek"),
         QStringLiteral("tsGatunki"),
         QStringLiteral("TfrmGatunki"),
         QStringLiteral("frmGatunki"),
         {0xc8ffff, Black, Blue, false, false},
         Template::Genre,
         false,
         QStringLiteral("genres")},
        {Terms,
         QStringLiteral("Terminy"),
         QStringLiteral("Termin"),
         QStringLiteral("tsTerminy"),
         QStringLiteral("TfrmTerminy"),
         QStringLiteral("frmTerminy"),
         {0x004040, White, 0xffff00, false, false},
         Template::Term,
         false,
         QStringLiteral("terms")},
        {Excerpts,
         QStringLiteral("Wypisy"),
         QStringLiteral("Dzieło"),
         QStringLiteral("tsWypisy"),
         QStringLiteral("TfrmWypisy"),
         QStringLiteral("frmWypisy"),
         {0xffffa0, Black, Blue, true, false},
         Template::Excerpt,
         false,
         QStringLiteral("excerpts")},
        {Quotations,
         QStringLiteral("Cytaty"),
         QStringLiteral("Autor"),
         QStringLiteral("tsCytaty"),
         QStringLiteral("TfrmCytaty"),
         QStringLiteral("frmCytaty"),
         {0xffffa0, Black, Blue, false, false},
         Template::Quotation,
         false,
         QStringLiteral("quotations")},
        // Both kinds of Polish art share the palette of the start page.
        {Art, QStringLiteral("Sztuka polska"), QStringLiteral("Tytuł"),
         QStringLiteral("tsHistoria"), QStringLiteral("TfrmSztuka"), QStringLiteral("frmSztuka"),
         Plain, Template::Art, false, QStringLiteral("art")},
        {Art2,
         QStringLiteral("Sztuka polska"),
         QStringLiteral("Tytuł"),
         {},
         QStringLiteral("TfrmSztuka2"),
         QStringLiteral("frmSztuka2"),
         Plain,
         Template::Art2,
         false,
         QStringLiteral("art")},
        // The illustration viewer is a window class of its own; its look is its own too.
        {Illustrations,
         QStringLiteral("Ilustracje"),
         QStringLiteral("Tytuł"),
         {},
         QStringLiteral("TfrmIlustra"),
         {},
         {},
         Template::Illustration,
         false,
         QStringLiteral("illustrations")},
        {Calendar,
         {},
         {},
         QStringLiteral("tsKalendarium"),
         {},
         {},
         {},
         Template::None,
         false,
         QStringLiteral("calendar")},
        {Films,
         {},
         {},
         QStringLiteral("tsFilmografia"),
         {},
         {},
         {},
         Template::None,
         false,
         QStringLiteral("films")},
        {Quiz,
         {},
         {},
         QStringLiteral("tsQuiz"),
         {},
         {},
         {},
         Template::None,
         false,
         QStringLiteral("quiz")},
        {Sounds, {}, {}, {}, {}, {}, {}, Template::None, false, QStringLiteral("sounds")},
        {Index, {}, {}, {}, {}, {}, {}, Template::None, false, {}},
    }};
    return table;
}

} // namespace

std::span<const Category> Rows()
{
    return rows();
}

int WindowCount()
{
    return int(std::count_if(rows().begin(), rows().end(),
                             [](const Category &c) { return !c.windowClass.isEmpty(); }));
}

const Category *Find(QStringView typ)
{
    const auto it = std::find_if(rows().begin(), rows().end(),
                                 [typ](const Category &c) { return c.typ == typ; });
    return it == rows().end() ? nullptr : &*it;
}

const Category *OnIndexPage(QStringView page)
{
    if (page.isEmpty())
        return nullptr;
    const auto it = std::find_if(rows().begin(), rows().end(),
                                 [page](const Category &c) { return c.indexPage == page; });
    return it == rows().end() ? nullptr : &*it;
}

} // namespace CategoryTable
