#include "SkinLayout.h"

namespace SkinLayout {

namespace {

QString s(const char16_t *text)
{
    return QString::fromUtf16(text);
}

Panel startPanel()
{
    Panel p;
    p.background = s(u"imStart");
    p.fileName = s(u"start.png");
    p.glyphSuffix = s(u".bmp");
    p.title = s(u"Verbarium");
    p.titleRect = QRect(12, 26, 152, 44);
    p.subtitle = s(u"Multimedialna encyklopedia literatury polskiej");
    p.subtitleRect = QRect(16, 76, 144, 60);
    p.ornament = Emblem::Book;
    p.ornamentRect = QRect(38, 150, 96, 96);
    // An L of plain ground: the top row of buttons and the two columns on the right.
    p.trays = {QRect(168, 14, 230, 60), QRect(296, 14, 102, 254)};
    const struct
    {
        const char16_t *name;
        int left, top;
        const char16_t *label;
        Emblem::Kind emblem;
    } buttons[] = {
        {u"btDziela", 176, 22, u"Dzieła", Emblem::Book},
        {u"btBiogramy", 216, 22, u"Twórcy", Emblem::Quill},
        {u"btBohaterowie", 260, 22, u"Bohaterowie", Emblem::Person},
        {u"btEpoki", 304, 22, u"Epoki", Emblem::Hourglass},
        {u"btRodzaje", 356, 22, u"Rodzaje", Emblem::Mask},
        {u"btSlownik", 304, 72, u"Terminy", Emblem::Letters},
        {u"btGatunki", 356, 74, u"Gatunki", Emblem::Books},
        {u"btWypisy", 304, 120, u"Wypisy", Emblem::Scroll},
        {u"btFilmogr", 356, 120, u"Filmografia", Emblem::Film},
        {u"btCytaty", 304, 164, u"Cytaty", Emblem::Quotes},
        {u"btSztuka", 356, 168, u"Sztuka polska", Emblem::Palette},
        {u"btQuiz", 304, 212, u"Quiz", Emblem::Question},
        {u"btKalend", 356, 212, u"Kalendarium", Emblem::Calendar},
    };
    for (const auto &b : buttons)
        p.buttons.append({s(b.name), QRect(b.left, b.top, 34, 34), s(b.label), b.emblem});
    return p;
}

Panel epochsPanel()
{
    Panel p;
    p.background = s(u"imEpoki");
    p.fileName = s(u"epoki.jpg");
    p.glyphSuffix = s(u".png");
    p.title = s(u"Epoki literackie");
    p.titleRect = QRect(10, 8, 382, 36);
    p.ornament = Emblem::Hourglass;
    p.ornamentRect = QRect(22, 74, 96, 112);
    p.trays = {QRect(124, 51, 262, 194)};
    const struct
    {
        int left, top, width;
        const char16_t *label;
    } buttons[] = {
        {130, 56, 120, u"Średniowiecze"},
        {260, 56, 120, u"Renesans"},
        {130, 94, 120, u"Barok"},
        {260, 94, 120, u"Oświecenie"},
        {130, 132, 120, u"Romantyzm"},
        {260, 132, 120, u"Pozytywizm"},
        {130, 170, 120, u"Młoda Polska"},
        {260, 170, 120, u"Literatura współczesna"},
        {155, 208, 200, u"Dwudziestolecie międzywojenne"},
    };
    int number = 1;
    for (const auto &b : buttons)
        p.buttons.append({s(u"btEpoki") + QString::number(number++),
                          QRect(b.left, b.top, b.width, 31), s(b.label)});
    return p;
}

Panel kindsPanel()
{
    Panel p;
    p.background = s(u"imRodzaje");
    p.fileName = s(u"rodzaje.bmp");
    p.glyphSuffix = s(u".png");
    p.title = s(u"Rodzaje literackie");
    p.titleRect = QRect(10, 18, 382, 44);
    p.ornament = Emblem::Mask;
    p.ornamentRect = QRect(52, 92, 124, 136);
    p.trays = {QRect(224, 80, 149, 163)};
    const char16_t *labels[] = {u"Epika", u"Liryka", u"Dramat", u"Synkretyzm rodzajowy"};
    const int tops[] = {88, 127, 166, 205};
    for (int i = 0; i < 4; ++i)
        p.buttons.append(
            {s(u"btRodzaje") + QString::number(i + 1), QRect(232, tops[i], 133, 30), s(labels[i])});
    return p;
}

Panel artPanel()
{
    Panel p;
    p.background = s(u"imHistoria");
    p.fileName = s(u"historia.tif");
    p.glyphSuffix = s(u".png");
    p.title = s(u"Sztuka polska");
    p.titleRect = QRect(12, 28, 218, 44);
    p.ornament = Emblem::Palette;
    p.ornamentRect = QRect(62, 96, 118, 118);
    p.trays = {QRect(235, 15, 149, 229)};
    const char16_t *labels[] = {u"Sztuka romańska",  u"Gotyk",       u"Renesans", u"Barok",
                                u"Sztuka XIX wieku", u"Młoda Polska"};
    const int tops[] = {23, 59, 96, 133, 169, 206};
    for (int i = 0; i < 6; ++i)
        p.buttons.append({s(u"btHistoria") + QString::number(i + 1), QRect(243, tops[i], 133, 30),
                          s(labels[i])});
    return p;
}

Panel quizPanel()
{
    Panel p;
    p.background = s(u"imQuiz");
    p.fileName = s(u"quiz.gif"); // PNG where this Qt has no GIF writer
    p.glyphSuffix = s(u".bmp");
    p.title = s(u"Quiz");
    p.titleRect = QRect(10, 12, 382, 50);
    p.ornament = Emblem::Question;
    p.ornamentRect = QRect(24, 144, 76, 76);
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    const int left = Qt::AlignLeft | Qt::AlignBottom;
    p.captions = {
        {QRect(8, 82, 98, 23), s(u"Stopień trudności"), right},
        {QRect(8, 116, 98, 23), s(u"Epoki"), right},
        {QRect(114, 216, 90, 18), s(u"Ilość pytań"), left},
        {QRect(212, 216, 92, 18), s(u"Czas (sekundy)"), left},
    };
    // The count and time boxes stand on the lower tray, beside the start button.
    p.trays = {QRect(112, 76, 272, 119), QRect(106, 212, 290, 54)};
    const int columns[] = {118, 206, 295};
    const char16_t *levels[] = {u"Łatwe", u"Średnie", u"Trudne"};
    for (int i = 0; i < 3; ++i)
        p.buttons.append({s(u"btStopien") + QString::number(i + 1), QRect(columns[i], 82, 83, 23),
                          s(levels[i])});
    const int rows[] = {116, 143, 166};
    const char16_t *epochs[] = {u"Średniowiecze", u"Renesans",      u"Barok",
                                u"Oświecenie",    u"Romantyzm",     u"Pozytywizm",
                                u"Młoda polska",  u"XX lecie m.w.", u"Lit. współczesna"};
    for (int i = 0; i < 9; ++i)
        p.buttons.append({s(u"btEpoka") + QString::number(i + 1),
                          QRect(columns[i / 3], rows[i % 3], 83, 23), s(epochs[i])});
    p.buttons.append({s(u"btQuizStart"), QRect(308, 236, 83, 23), s(u"Rozpocznij")});
    return p;
}

} // namespace

QList<Panel> Panels()
{
    return {startPanel(), epochsPanel(), kindsPanel(), artPanel(), quizPanel()};
}

} // namespace SkinLayout
