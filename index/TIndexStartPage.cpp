#include "TIndexStartPage.h"

#include "HelpClicks.h"
#include "IndexPages.h"
#include "TGlyphButton.h"

#include <QFrame>
#include <QKeyEvent>

namespace {

constexpr int StartHelpContext = 4023;

struct StartButtonInfo
{
    const char *name;
    int left, top;
    int page;
    const char16_t *hint;
};

using namespace IndexPages; // the page indexes the buttons carry

constexpr StartButtonInfo StartButtons[] = {
    {"btDziela", 176, 22, tsDziela,
     u"Zestawienie Dzieła to zbiór\r\nponad dwustu syntetycznych\r\nartykułów o najważniejszych\r\n"
     u"utworach należących do\r\nkanonu literatury polskiej."},
    {"btBiogramy", 216, 22, tsBiogramy,
     u"Zestawienie Twórcy\r\nto obszerne informacje\r\no życiu i twórczości\r\npolskich "
     u"pisarzy,\r\n"
     u"poetów, dramaturgów,\r\nktórych utwory\r\nzostały omówione\r\nw bazie dzieła."},
    {"btBohaterowie", 260, 22, tsBohaterowie,
     u"Zestawienie Bohaterowie\r\nto krótkie notki charakteryzujące\r\nkilkuset bohaterów "
     u"prezentowanych\r\n"
     u"w Verbarium powieści."},
    {"btEpoki", 304, 22, tsEpoki,
     u"W zestawieniu Epoki\r\nznajdziecie Państwo\r\ncharakterystykę wszystkich\r\nepok "
     u"literackich\r\n"
     u"od średniowiecza\r\ndo współczesności."},
    {"btRodzaje", 356, 22, tsRodzaje,
     u"Zestawienie Rodzaje\r\nto krótkie wprowadzenie\r\ndo charakterystyki "
     u"rodzajów\r\nliterackich."},
    {"btSlownik", 304, 72, tsTerminy,
     u"Zestawienie Terminy\r\nto podręczny\r\nmini-słowniczek\r\nterminów literackich\r\n"
     u"pozwalający na sprawdzenie\r\nznaczenia niezrozumiałych\r\npojęć z zakresu wiedzy\r\no "
     u"literaturze."},
    {"btGatunki", 356, 74, tsGatunki,
     u"Zestawienie Gatunki\r\nzawiera omówienie\r\n250 podstawowych\r\ngatunków literackich."},
    {"btWypisy", 304, 120, tsWypisy,
     u"Wypisy to antologia\r\ntekstów omawianych\r\nw Verbarium\r\nlub inaczej "
     u"podręczna\r\nbiblioteczka."},
    {"btFilmogr", 356, 120, tsFilmografia,
     u"Filmografia\r\npozwala na dotarcie\r\ndo informacji\r\no ekranizacji najsłynniejszych\r\n"
     u"powieści polskich."},
    {"btCytaty", 304, 164, tsCytaty,
     u"Zestawienie Cytaty\r\nzawiera fragmenty\r\nwypowiedzi literackich\r\nautorów Verbarium\r\n"
     u"wybrane z innych utworów\r\nniż omawiane w programie."},
    {"btSztuka", 356, 168, tsHistoria,
     u"Sztuka polska\r\nto obszerny zbiór\r\nesejów z dziejów\r\npolskiej sztuki\r\nod Piastów "
     u"do\r\n"
     u"współczesności,\r\nbogato ilustrowany."},
    {"btQuiz", 304, 212, tsQuiz,
     u"Quiz\r\n600 pytań sprawdzających\r\nwiedzę z zakresu\r\nwiedzy o literaturze,\r\n"
     u"znajomości lektur,\r\nstylów, prądów, epok."},
    {"btKalend", 356, 212, tsKalendarium,
     u"Kalendarium\r\nto zestawienie\r\nkilku tysięcy\r\nwydarzeń kulturalnych\r\nostatniego "
     u"tysiąclecia."},
};

} // namespace

TIndexStartPage::TIndexStartPage(const QString &name, QWidget *parent)
    : TIndexPanelPage(name, QStringLiteral("Start"), StartHelpContext, parent)
{
    // In help mode a press on the page's background shows the start page's help.
    Help()->watch(this, this, QEvent::MouseButtonPress);
    for (const StartButtonInfo &info : StartButtons) {
        auto *button = new TGlyphButton(Panel());
        button->setObjectName(QLatin1String(info.name));
        button->setGeometry(info.left, info.top, 34, 34);
        button->setCursor(Qt::PointingHandCursor);
        button->SetTag(info.page);
        button->setText(IndexPages::Caption(info.page).left(1));
        // Said by a screen reader as the page it shows.
        button->setAccessibleName(IndexPages::Caption(info.page));
        button->setProperty("helpContext", StartHelpContext);
        // The hints keep their line breaks; a tooltip breaks at "\n".
        button->setProperty("hint", QString::fromUtf16(info.hint));
        button->setToolTip(
            QString::fromUtf16(info.hint).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        connect(button, &QAbstractButton::clicked, this,
                [this, button] { Q_EMIT PageRequested(button, button->Tag()); });
        button->installEventFilter(this);
    }
}

bool TIndexStartPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        auto *button = qobject_cast<TGlyphButton *>(watched);
        if (button && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            button->click();
            return true;
        }
    }
    return TIndexPanelPage::eventFilter(watched, event);
}
