#pragma once

#include <QString>

#include <span>

// What each category of the container is to the program, in one place: its code, the names
// the Index and the search give it, the field that names an entry, the Index page it is
// shown on, the window its entries open in with that window's look, the template of its
// document and its picture. The codes the program reaches by name are constants here too.
namespace CategoryTable {

inline const QString Index = QStringLiteral("_19700"); // the Index window, not a category
inline const QString Works = QStringLiteral("_19701");
inline const QString Biographies = QStringLiteral("_19702");
inline const QString Epochs = QStringLiteral("_19703");
inline const QString Genres = QStringLiteral("_19704");
inline const QString Terms = QStringLiteral("_19705");
inline const QString Excerpts = QStringLiteral("_19706");
inline const QString Calendar = QStringLiteral("_19708");
inline const QString Films = QStringLiteral("_19709");
inline const QString Quiz = QStringLiteral("_19710");
inline const QString Illustrations = QStringLiteral("_19711");
inline const QString Art = QStringLiteral("_19712");
inline const QString Art2 = QStringLiteral("_19713");
inline const QString Kinds = QStringLiteral("_19714");
inline const QString Quotations = QStringLiteral("_19720");
inline const QString Sounds = QStringLiteral("_19721");
inline const QString Characters = QStringLiteral("_19799");

// What a category puts around an entry's text (DocumentTemplates builds it).
enum class Template {
    None,
    Works,
    Biography,
    Epoch,
    Genre,
    Term,
    Excerpt,
    Art,
    Art2,
    Kind,
    Quotation,
    Hero,
    Illustration
};

// How a document window of the category looks; colours are 0xRRGGBB.
struct Look
{
    unsigned back = 0;
    unsigned text = 0;
    unsigned link = 0;
    bool images = false; // whether the HTML view loads the pictures of the text
    bool banner = false; // the works' scrolling banner
};

struct Category
{
    QString typ;
    QString name;        // in the Index and the search results (both kinds of art are one)
    QString titleField;  // the field that names an entry
    QString indexPage;   // the Index page that shows it ("tsDziela"); empty for none
    QString windowClass; // the class of its document window; empty when it has none
    QString designName;  // that window's name, and its caption until an entry sets one
    Look look;
    Template page = Template::None;
    bool withoutFields = false; // the document goes on under empty values without its fields
    QString icon;               // its picture's name; empty for none
};

// Every row; those with a document window come first, in the order the Index shows them
// (illustrations, which it does not list, last). The search keeps that order.
std::span<const Category> Rows();
// How many rows lead with a document window.
int WindowCount();
// The category's row, or none for a code that has none.
const Category *Find(QStringView typ);
// The category the Index page shows, or none.
const Category *OnIndexPage(QStringView page);

} // namespace CategoryTable
