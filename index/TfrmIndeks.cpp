#include "TfrmIndeks.h"

#include "Cp1250.h"
#include "Globals.h"
#include "ImageDecoder.h"
#include "LoadingGuard.h"
#include "IndexImages.h"
#include "MessageBoxes.h"
#include "Paths.h"
#include "SettingsStore.h"
#include "SkinImageList.h"
#include "TextLines.h"
#include "TfrmSearcher.h"
#include "TGlyphButton.h"
#include "THTMLViewer.h"
#include "TImage.h"
#include "TIndexListModel.h"
#include "TLinkList.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

struct PageInfo
{
    const char *name;
    const char16_t *caption;
    int image; // in the small image list
};

constexpr PageInfo Pages[TfrmIndeks::PageCount] = {
    {"tsDziela", u"Dzieła", 0},          {"tsBiogramy", u"Twórcy", 1},
    {"tsEpoki", u"Epoki", 2},            {"tsBohaterowie", u"Bohaterowie", 16},
    {"tsRodzaje", u"Rodzaje", 3},        {"tsGatunki", u"Gatunki", 4},
    {"tsTerminy", u"Terminy", 5},        {"tsWypisy", u"Wypisy", 6},
    {"tsCytaty", u"Cytaty", 8},          {"tsFilmografia", u"Filmografia", 9},
    {"tsHistoria", u"Sztuka polska", 10}, {"tsKalendarium", u"Kalendarium", 11},
    {"tsQuiz", u"Quiz", 12},             {"tsStart", u"Wprowadzenie", 13},
};

struct PanelInfo
{
    int page;
    const char *suffix;
    int helpContext;
};

constexpr PanelInfo Panels[] = {
    {TfrmIndeks::tsStart, "Start", 4023},     {TfrmIndeks::tsEpoki, "Epoki", 4013},
    {TfrmIndeks::tsRodzaje, "Rodzaje", 4014}, {TfrmIndeks::tsHistoria, "Historia", 4020},
    {TfrmIndeks::tsQuiz, "Quiz", 4022},
};

struct StartButtonInfo
{
    const char *name;
    int left, top;
    int page;
    const char16_t *hint;
};

constexpr StartButtonInfo StartButtons[] = {
    {"btDziela", 176, 22, TfrmIndeks::tsDziela,
     u"Zestawienie Dzieła to zbiór\r\nponad dwustu syntetycznych\r\nartykułów o najważniejszych\r\n"
     u"utworach należących do\r\nkanonu literatury polskiej."},
    {"btBiogramy", 216, 22, TfrmIndeks::tsBiogramy,
     u"Zestawienie Twórcy\r\nto obszerne informacje\r\no życiu i twórczości\r\npolskich pisarzy,\r\n"
     u"poetów, dramaturgów,\r\nktórych utwory\r\nzostały omówione\r\nw bazie dzieła."},
    {"btBohaterowie", 260, 22, TfrmIndeks::tsBohaterowie,
     u"Zestawienie Bohaterowie\r\nto krótkie notki charakteryzujące\r\nkilkuset bohaterów prezentowanych\r\n"
     u"w Verbarium powieści."},
    {"btEpoki", 304, 22, TfrmIndeks::tsEpoki,
     u"W zestawieniu Epoki\r\nznajdziecie Państwo\r\ncharakterystykę wszystkich\r\nepok literackich\r\n"
     u"od średniowiecza\r\ndo współczesności."},
    {"btRodzaje", 356, 22, TfrmIndeks::tsRodzaje,
     u"Zestawienie Rodzaje\r\nto krótkie wprowadzenie\r\ndo charakterystyki rodzajów\r\nliterackich."},
    {"btSlownik", 304, 72, TfrmIndeks::tsTerminy,
     u"Zestawienie Terminy\r\nto podręczny\r\nmini-słowniczek\r\nterminów literackich\r\n"
     u"pozwalający na sprawdzenie\r\nznaczenia niezrozumiałych\r\npojęć z zakresu wiedzy\r\no literaturze."},
    {"btGatunki", 356, 74, TfrmIndeks::tsGatunki,
     u"Zestawienie Gatunki\r\nzawiera omówienie\r\n250 podstawowych\r\ngatunków literackich."},
    {"btWypisy", 304, 120, TfrmIndeks::tsWypisy,
     u"Wypisy to antologia\r\ntekstów omawianych\r\nw Verbarium\r\nlub inaczej podręczna\r\nbiblioteczka."},
    {"btFilmogr", 356, 120, TfrmIndeks::tsFilmografia,
     u"Filmografia\r\npozwala na dotarcie\r\ndo informacji\r\no ekranizacji najsłynniejszych\r\n"
     u"powieści polskich."},
    {"btCytaty", 304, 164, TfrmIndeks::tsCytaty,
     u"Zestawienie Cytaty\r\nzawiera fragmenty\r\nwypowiedzi literackich\r\nautorów Verbarium\r\n"
     u"wybrane z innych utworów\r\nniż omawiane w programie."},
    {"btSztuka", 356, 168, TfrmIndeks::tsHistoria,
     u"Sztuka polska\r\nto obszerny zbiór\r\nesejów z dziejów\r\npolskiej sztuki\r\nod Piastów do\r\n"
     u"współczesności,\r\nbogato ilustrowany."},
    {"btQuiz", 304, 212, TfrmIndeks::tsQuiz,
     u"Quiz\r\n600 pytań sprawdzających\r\nwiedzę z zakresu\r\nwiedzy o literaturze,\r\n"
     u"znajomości lektur,\r\nstylów, prądów, epok."},
    {"btKalend", 356, 212, TfrmIndeks::tsKalendarium,
     u"Kalendarium\r\nto zestawienie\r\nkilku tysięcy\r\nwydarzeń kulturalnych\r\nostatniego tysiąclecia."},
};

constexpr int ListHelpContext = 4025;

} // namespace

TfrmIndeks::TfrmIndeks(QWidget *parent) : TfrmWzorBazowy(parent)
{
    setObjectName(QStringLiteral("frmIndeks"));
    setWindowTitle(QStringLiteral("Indeks"));
    setMinimumSize(460, 380);
    resize(620, 528);
    setProperty("helpContext", 4010);

    m_previewTimer = new QTimer(this);
    m_previewTimer->setObjectName(QStringLiteral("lvTimer"));
    m_previewTimer->setInterval(PreviewDelayMs);
    m_previewTimer->setSingleShot(true);
    connect(m_previewTimer, &QTimer::timeout, this, &TfrmIndeks::lvTimerTimer);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pcIndeks"));
    m_pages->setProperty("helpContext", 4010);
    for (const PageInfo &info : Pages) {
        auto *page = new QWidget(m_pages);
        page->setObjectName(QLatin1String(info.name));
        m_pages->addTab(page, IndexImages::SmallImage(info.image), QString::fromUtf16(info.caption));
    }
    const auto columns = [](std::initializer_list<const char16_t *> names) {
        QStringList list;
        for (const char16_t *name : names)
            list.append(QString::fromUtf16(name));
        return list;
    };
    createListPage(tsDziela, "Dziela", u"_19701", 1, 1, true, columns({u"Tytuł", u"Autor", u"Epoka", u"Gatunek"}),
                   {150, 100, 100, 100}, u"Indeks dzieł literatury polskiej");
    createListPage(tsBiogramy, "Biogramy", u"_19702", 2, 2, false, columns({u"Autor", u"Urodzony", u"Zmarły", u"Epoka"}),
                   {150, 100, 100, 100}, u"Biogramy literatów");
    createListPage(tsBohaterowie, "Bohaterowie", u"_19799", 17, 99, true, columns({u"Nazwa", u"Dzieło"}), {150, -1},
                   u"Indeks bohaterów literackich");
    createListPage(tsGatunki, "Gatunki", u"_19704", 5, 3, false, columns({u"Gatunek", u"Rodzaj"}), {150, 100},
                   u"Indeks gatunków literackich");
    createListPage(tsTerminy, "Terminy", u"_19705", 6, 4, false, columns({u"Termin"}), {150},
                   u"Słownik terminów literackich");
    createListPage(tsWypisy, "Wypisy", u"_19706", 7, 5, false, columns({u"Dzieło", u"Fragment", u"Autor"}),
                   {150, 100, 100}, u"Zestawienie wypisów z literatury");
    createListPage(tsCytaty, "Cytaty", u"_19720", 9, 6, false, columns({u"Autor", u"Źródło"}), {150, 100},
                   u"Zestawienie cytatów z literatury");

    createPanels();
    createStartButtons();
    // The filmography's table comes above its title bar.
    auto *films = new QVBoxLayout(m_pages->widget(tsFilmografia));
    films->setContentsMargins(0, 0, 0, 0);
    films->addStretch(1);
    films->addWidget(createTitleBar(m_pages->widget(tsFilmografia), QStringLiteral("Filmografia"),
                                    u"Zestawienie ekranizacji dzieł literatury polskiej"));

    // The start page opens without the page-change steps: the caption stays "Indeks".
    m_pages->setCurrentIndex(tsStart);
    connect(m_pages, &QTabWidget::currentChanged, this, &TfrmIndeks::pcIndeksChange);
    m_pages->tabBar()->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    m_clock = [] {
        static QElapsedTimer clock;
        if (!clock.isValid())
            clock.start();
        return clock.elapsed();
    };
    createPopup();
    LoadImageList();
    ApplyIndexLook();
}

void TfrmIndeks::createPanels()
{
    for (const PanelInfo &info : Panels) {
        // Black around the panel, whatever the size of the page.
        QWidget *page = m_pages->widget(info.page);
        page->setAutoFillBackground(true);
        QPalette black = page->palette();
        black.setColor(QPalette::Window, Qt::black);
        page->setPalette(black);
        page->setProperty("helpContext", info.helpContext);
        // Pages take their size after the window's own resize: the panels follow them.
        page->installEventFilter(this);

        auto *panel = new QFrame(page);
        panel->setObjectName(QStringLiteral("pn") + QLatin1String(info.suffix));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Raised);
        panel->setLineWidth(1);
        panel->setFixedSize(PanelWidth, PanelHeight);
        panel->setProperty("helpContext", info.helpContext);
        auto *background = new TImage(panel);
        background->setObjectName(QStringLiteral("im") + QLatin1String(info.suffix));
        background->setGeometry(1, 1, PanelWidth - 2, PanelHeight - 2);
        background->setProperty("helpContext", info.helpContext);
        m_panels[info.page] = panel;
    }
}

void TfrmIndeks::createStartButtons()
{
    QFrame *panel = m_panels.at(tsStart);
    for (const StartButtonInfo &info : StartButtons) {
        auto *button = new TGlyphButton(panel);
        button->setObjectName(QLatin1String(info.name));
        button->setGeometry(info.left, info.top, 34, 34);
        button->setCursor(Qt::PointingHandCursor);
        button->SetTag(info.page);
        button->setText(m_pages->tabText(info.page).left(1));
        button->setProperty("helpContext", 4023);
        // The hints keep their line breaks; a tooltip breaks at "\n".
        button->setProperty("hint", QString::fromUtf16(info.hint));
        button->setToolTip(QString::fromUtf16(info.hint).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        connect(button, &QAbstractButton::clicked, this, [this, button] { btDzielaClick(button, button->Tag()); });
    }
}

QFrame *TfrmIndeks::PanelOf(int page) const
{
    const auto it = m_panels.find(page);
    return it == m_panels.end() ? nullptr : it->second;
}

void TfrmIndeks::btDzielaClick(QObject *sender, int page)
{
    TPulpit *pulpit = Pulpit();
    if (pulpit && pulpit->HelpTest(sender))
        return;
    if (pulpit)
        pulpit->StopSound();
    if (m_pages->currentIndex() != page)
        m_pages->setCurrentIndex(page); // runs the page-change steps
    else
        pcIndeksChange(page);
    FormResize();
}

bool TfrmIndeks::LoadImageList()
{
    QFile file(Paths::resolve(Paths::bmpsFolder(), QStringLiteral("Imglst.lst")));
    if (!file.open(QIODevice::ReadOnly)) {
        MessageBoxes::show(nullptr, {QStringLiteral("Nie można otworzyć plików konfiguracyjnych programu!"),
                                     QStringLiteral("Uwaga"), QMessageBox::NoIcon, QMessageBox::Ok});
        if (TPulpit *pulpit = Pulpit())
            pulpit->RequestTermination();
        return false;
    }
    const QList<QWidget *> components = findChildren<QWidget *>();
    const SkinImageList list(file.readAll());
    for (const SkinImageList::Entry &entry : list.entries()) {
        const QString &name = entry.component;
        const auto it = std::find_if(components.begin(), components.end(), [&name](const QWidget *widget) {
            return widget->objectName().compare(name, Qt::CaseInsensitive) == 0;
        });
        if (it == components.end())
            continue;
        auto *button = qobject_cast<TGlyphButton *>(*it);
        auto *image = qobject_cast<TImage *>(*it);
        if (!button && !image)
            continue;
        // Picture names stay inside the bmps folder, as in entry texts.
        const QString path = Paths::pictureInBmps(entry.picture);
        const QImage picture = path.isEmpty() ? QImage() : ImageDecoder::Load(path);
        if (picture.isNull())
            continue;
        if (button)
            button->SetGlyph(picture, TGlyphButton::StateCount);
        else
            image->SetPicture(picture);
    }
    return true;
}

void TfrmIndeks::createPopup()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    QAction *open = m_popup->addAction(QStringLiteral("Otwórz zaznaczone hasło"));
    open->setObjectName(QStringLiteral("Otwrzzaznaczonehaso1"));
    connect(open, &QAction::triggered, this, &TfrmIndeks::btShowClick);
    m_popup->addSeparator();
    QMenu *pages = m_popup->addMenu(QStringLiteral("Przełącz stronę indeksu"));
    pages->menuAction()->setObjectName(QStringLiteral("Innastronaindeksu1"));
    struct PageItem
    {
        int page;
        QKeySequence keys;
    };
    // Every page but the characters' has an item.
    const PageItem items[] = {
        {tsDziela, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_1)},
        {tsBiogramy, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_2)},
        {tsEpoki, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_3)},
        {tsRodzaje, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_4)},
        {tsGatunki, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_5)},
        {tsTerminy, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_6)},
        {tsWypisy, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_7)},
        {tsCytaty, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_8)},
        {tsFilmografia, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_9)},
        {tsHistoria, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_0)},
        {tsKalendarium, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K)},
        {tsQuiz, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Q)},
        {tsStart, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W)},
    };
    for (const PageItem &item : items) {
        QAction *action = pages->addAction(m_pages->tabText(item.page));
        action->setShortcut(item.keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setData(item.page);
        addAction(action);
        connect(action, &QAction::triggered, this, [this, action] { btDzielaClick(action, action->data().toInt()); });
    }
    m_popup->addSeparator();
    QAction *help = m_popup->addAction(QStringLiteral("Co to jest?"));
    help->setObjectName(QStringLiteral("Cotojest1"));
    connect(help, &QAction::triggered, this, [] {
        if (TPulpit *pulpit = Pulpit())
            pulpit->SetHelpMode(true);
    });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popup->popup(mapToGlobal(pos)); });
}

void TfrmIndeks::createListPage(int page, const char *suffix, const char16_t *typ, int number,
                                int settingsKey, bool typeAhead, const QStringList &columns,
                                const QList<int> &widths, const char16_t *title)
{
    QWidget *tab = m_pages->widget(page);
    auto *view = new QTreeView(tab);
    view->setObjectName(QStringLiteral("ev") + QLatin1String(suffix));
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAlternatingRowColors(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSortingEnabled(false);
    view->setProperty("helpContext", ListHelpContext);
    auto *model = new TIndexListModel(columns, number - 1, view);
    model->SetImage(IndexImages::SmallImage(number - 1));
    view->setModel(model);
    QHeaderView *header = view->header();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(0, Qt::AscendingOrder);
    header->setStretchLastSection(widths.last() < 0);
    for (int c = 0; c < widths.size(); ++c) {
        if (widths[c] > 0)
            header->resizeSection(c, widths[c]);
    }
    // A click on the sort column turns its direction; another column sorts ascending.
    connect(header, &QHeaderView::sectionClicked, this, [model, header](int column) {
        const Qt::SortOrder order = column == model->SortColumn() && model->SortOrder() == Qt::AscendingOrder
                                        ? Qt::DescendingOrder
                                        : Qt::AscendingOrder;
        model->sort(column, order);
        header->setSortIndicator(column, order);
    });
    connect(view, &QAbstractItemView::doubleClicked, this, [this, page] { IndeksDblClick(page); });
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);

    QLabel *titleBar = createTitleBar(tab, QLatin1String(suffix), title);

    ListPage list{view, model, number, QString::fromUtf16(typ), settingsKey, typeAhead};
    list.splitter = new QSplitter(Qt::Horizontal, tab);
    list.splitter->setObjectName(QStringLiteral("sp") + QLatin1String(suffix));
    list.splitter->setHandleWidth(3);
    list.splitter->setChildrenCollapsible(false);
    view->setParent(list.splitter);
    list.splitter->addWidget(view);
    createPane(list, QLatin1String(suffix));
    list.splitter->setStretchFactor(0, 1);
    list.splitter->setStretchFactor(1, 1);

    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(list.splitter, 1);
    layout->addWidget(titleBar);
    connect(list.splitter, &QSplitter::splitterMoved, this, &TfrmIndeks::FormResize);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, page](const QModelIndex &current) { listRowChanged(page, current.row()); });
    m_lists[page] = list;
}

QLabel *TfrmIndeks::createTitleBar(QWidget *page, const QString &suffix, const char16_t *title)
{
    auto *titleBar = new QLabel(QString::fromUtf16(title), page);
    titleBar->setObjectName(QStringLiteral("lb") + suffix);
    titleBar->setFixedHeight(24);
    titleBar->setStyleSheet(QStringLiteral(
        "QLabel { color: white; font: bold italic 16px 'Arial'; padding-left: 6px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 black, stop:1 blue); }"));
    return titleBar;
}

void TfrmIndeks::createPane(ListPage &list, const QString &suffix)
{
    auto *pane = new QFrame(list.splitter);
    pane->setObjectName(QStringLiteral("pn") + suffix);
    pane->setFrameShape(QFrame::StyledPanel);
    pane->setFrameShadow(QFrame::Sunken);
    pane->setAutoFillBackground(true);
    QPalette pal = pane->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 160));
    pane->setPalette(pal);
    pane->setMinimumWidth(60);

    auto *preview = new THTMLViewer(pane);
    preview->setObjectName(QStringLiteral("HT") + suffix);
    preview->setFrameShape(QFrame::NoFrame);
    preview->SetDefBackground(QColor(255, 255, 160));
    preview->SetDefFontColor(Qt::black);
    preview->SetViewImages(suffix == u"Wypisy");
    preview->SetHelpContext(4026);
    preview->setProperty("helpContext", 4026);
    connect(preview, &THTMLViewer::HotSpotClick, this, &TfrmIndeks::HTSpotClick);
    connect(preview, &THTMLViewer::MouseUp, this, [preview] {
        if (TPulpit *pulpit = Pulpit(); pulpit && pulpit->HelpMode())
            pulpit->ShowContextHelp(preview);
    });
    connect(preview, &THTMLViewer::BitmapRequest, this,
            [](const QString &source, QImage *image, QColor *transparent) {
                const QString path = Paths::pictureInBmps(source);
                if (path.isEmpty())
                    return;
                *image = QImage(path);
                *transparent = QColor(255, 255, 255);
            });
    for (const char *side : {"L", "R"}) {
        auto *ornament = new TImage(pane);
        ornament->setObjectName(QStringLiteral("Im") + suffix + QLatin1String(side));
        ornament->SetAutoSize(true);
        ornament->SetPicture(IndexImages::Ornament(*side == 'R'));
    }
    auto *close = new TGlyphButton(pane);
    close->setObjectName(QStringLiteral("bt") + suffix + QStringLiteral("Cl"));
    close->setText(QStringLiteral("×"));
    close->setToolTip(QStringLiteral("Zamknięcie szybkiego podglądu"));
    connect(close, &QAbstractButton::clicked, this, &TfrmIndeks::btPreviewShowClick);
    pane->installEventFilter(this);
    list.splitter->addWidget(pane);
    list.pane = pane;
    list.preview = preview;
}

const TfrmIndeks::ListPage *TfrmIndeks::listAt(int page) const
{
    const auto it = m_lists.find(page);
    return it == m_lists.end() ? nullptr : &it->second;
}

QTreeView *TfrmIndeks::ListOf(int page) const
{
    const ListPage *list = listAt(page);
    return list ? list->view : nullptr;
}

TIndexListModel *TfrmIndeks::ModelOf(int page) const
{
    const ListPage *list = listAt(page);
    return list ? list->model : nullptr;
}

THTMLViewer *TfrmIndeks::PreviewOf(int page) const
{
    const ListPage *list = listAt(page);
    return list ? list->preview : nullptr;
}

QFrame *TfrmIndeks::PaneOf(int page) const
{
    const ListPage *list = listAt(page);
    return list ? list->pane : nullptr;
}

QSplitter *TfrmIndeks::SplitterOf(int page) const
{
    const ListPage *list = listAt(page);
    return list ? list->splitter : nullptr;
}

void TfrmIndeks::ApplyIndexLook()
{
    TPulpit *pulpit = Pulpit();
    const Preferences prefs = pulpit ? pulpit->Prefs() : Preferences();
    // The tab layouts: one row that scrolls; all tabs at the top; all tabs at the bottom.
    // Any other value leaves the tabs as they are.
    if (prefs.indeksState >= 0 && prefs.indeksState <= 2) {
        const bool scrolls = prefs.indeksState == 0;
        m_pages->setUsesScrollButtons(scrolls);
        m_pages->setTabPosition(prefs.indeksState == 2 ? QTabWidget::South : QTabWidget::North);
        // Without scroll buttons the tabs sit closer and their captions shorten when the
        // window is narrow, so every tab stays in sight.
        m_pages->setElideMode(scrolls ? Qt::ElideNone : Qt::ElideRight);
        m_pages->tabBar()->setStyleSheet(scrolls ? QString()
                                                 : QStringLiteral("QTabBar::tab { padding: 3px 4px; margin-right: 1px;"
                                                                  " border: 1px solid #a0a0a0; background: #e4e4e4; }"
                                                                  "QTabBar::tab:selected { background: white; }"
                                                                  "QTabBar::tab:hover:!selected { background: #f2f2f2; }"));
    }
    for (const auto &[page, list] : m_lists) {
        list.preview->SetDefFontName(prefs.docFont);
        list.preview->SetDefFontSize(prefs.docFontSize);
    }
}

void TfrmIndeks::FormResize()
{
    for (const auto &[page, list] : m_lists)
        fitLastColumn(list);
    centrePanels();
}

void TfrmIndeks::fitLastColumn(const ListPage &list) const
{
    QHeaderView *header = list.view->header();
    const int last = header->count() - 1;
    if (last < 1 || header->stretchLastSection())
        return;
    int others = 0;
    for (int c = 0; c < last; ++c)
        others += header->sectionSize(c);
    // All pages share one size; only the page in sight has it for certain, since hidden
    // pages are laid out when they are shown.
    const int pageWidth = m_pages->currentWidget()->width();
    // With the preview shown there may be no room left: the column keeps a usable width.
    if (others < pageWidth - 6)
        header->resizeSection(last, std::max(list.view->width() - others - 17, 40));
}

void TfrmIndeks::centrePanels()
{
    // With the start page showing, all panels are placed by its size; division truncates
    // toward zero, so a small page gives a negative offset.
    const bool onStart = m_pages->currentIndex() == tsStart;
    for (const auto &[page, panel] : m_panels) {
        const QSize area = m_pages->widget(onStart ? int(tsStart) : page)->size();
        panel->move((area.width() - PanelWidth) / 2, (area.height() - PanelHeight) / 2);
    }
}

void TfrmIndeks::resizeEvent(QResizeEvent *event)
{
    TfrmWzorBazowy::resizeEvent(event);
    FormResize();
}

void TfrmIndeks::CancelPreview()
{
    m_previewTimer->stop();
    m_pendingPage = -1;
    m_pendingRow = -1;
}

void TfrmIndeks::SchedulePreview(int page, int row)
{
    m_pendingPage = page;
    m_pendingRow = row;
    m_previewTimer->start();
}

void TfrmIndeks::listRowChanged(int page, int row)
{
    CancelPreview();
    const ListPage &list = m_lists.at(page);
    // The works and characters previews wait while a document opens, and for a hidden pane.
    if (list.typeAhead) {
        TPulpit *pulpit = Pulpit();
        if ((pulpit && pulpit->Opening()) || list.pane->isHidden())
            return;
    }
    SchedulePreview(page, row);
}

void TfrmIndeks::lvTimerTimer()
{
    m_previewTimer->stop();
    if (m_pendingPage < 0 || m_pendingRow < 0)
        return;
    if (m_pendingPage == tsCytaty)
        ShowQuotePreview(m_pendingPage, m_pendingRow);
    else
        ShowPreview(m_pendingPage, m_pendingRow);
}

namespace {

// Holds the main window's opening flag while a preview reads and loads, and only when it
// was free: a preview never overlaps the opening of a document.
class OpeningGate
{
public:
    OpeningGate() : m_pulpit(Pulpit())
    {
        m_open = m_pulpit && !m_pulpit->Opening();
        if (m_open)
            m_pulpit->SetOpening(true);
    }
    ~OpeningGate()
    {
        if (m_open)
            m_pulpit->SetOpening(false);
    }
    bool open() const { return m_open; }

private:
    TPulpit *m_pulpit;
    bool m_open = false;
};

} // namespace

bool TfrmIndeks::readPreview(int page, int row, QStringList &fields, QStringList &lines)
{
    // The selection test only makes sure something is selected; the row read is the one given.
    const ListPage *list = listAt(page);
    TPSSDirectory *directory = Directory();
    if (!list || row < 0 || row >= list->model->rowCount() ||
        !list->view->selectionModel()->hasSelection() || !directory)
        return false;
    const TFormRecord *record = list->model->RowAt(row).record;
    if (!directory->ReadFields(record->Typ, record->Numer, fields) ||
        !directory->ReadText(record->Typ, record->Numer, lines))
        return false;
    StripLeadingParagraph(lines); // an entry whose text has no lines shows an empty preview
    return true;
}

void TfrmIndeks::ShowPreview(int page, int row)
{
    const OpeningGate gate;
    QStringList fields, lines;
    if (gate.open() && readPreview(page, row, fields, lines))
        listAt(page)->preview->LoadStrings(lines);
}

void TfrmIndeks::ShowQuotePreview(int page, int row)
{
    const OpeningGate gate;
    QStringList fields, lines;
    if (!gate.open() || !readPreview(page, row, fields, lines))
        return;
    lines.append(QStringLiteral("</h3></center><br>"));
    lines.append(QStringLiteral("<I>") + TextLines::fieldValue(fields, u"Autor") + QStringLiteral(", ") +
                 TextLines::fieldValue(fields, u"Źródło") + QStringLiteral("</I>"));
    lines.prepend(QStringLiteral("<h3><center>"));
    listAt(page)->preview->LoadStrings(lines);
}

void TfrmIndeks::btPreviewShowClick()
{
    const int page = m_pages->currentIndex();
    const auto it = m_lists.find(page);
    if (it == m_lists.end())
        return;
    const ListPage &list = it->second;
    if (!list.pane->isHidden()) {
        list.preview->clear();
        list.pane->hide();
        FormResize();
        return;
    }
    const int width = list.view->width() / 2;
    list.pane->show();
    list.splitter->setSizes({width, std::max(1, list.splitter->width() - width - list.splitter->handleWidth())});
    const QModelIndex current = list.view->currentIndex();
    if (page == tsCytaty)
        listRowChanged(page, current.row());
    else
        ShowPreview(page, current.row());
    FormResize();
}

void TfrmIndeks::HTSpotClick(const QString &target, bool *handled)
{
    // "../" + category + "/" + number + "." + extension names the entry by its path.
    QString u = target;
    for (QChar &c : u) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    if (const qsizetype up = u.indexOf(QStringLiteral("../")); up >= 0)
        u.remove(up, 3);
    QString t = u;
    if (const qsizetype slash = u.indexOf(u'/'); slash >= 0)
        u.remove(0, slash + 1);
    if (const qsizetype dot = u.indexOf(u'.'); dot >= 0)
        u.truncate(dot);
    if (const qsizetype slash = t.indexOf(u'/'); slash >= 0)
        t.truncate(slash);
    *handled = true;
    if (TPulpit *pulpit = Pulpit())
        pulpit->OpenDocument(t, u);
}

void TfrmIndeks::pcIndeksChange(int page)
{
    CancelPreview();
    if (TPulpit *pulpit = Pulpit())
        pulpit->StopSound();
    setWindowTitle(QStringLiteral("Indeks: «") + m_pages->tabText(page) + QStringLiteral("»"));
    if (TIndexListModel *model = ModelOf(page); model && model->rowCount() == 0)
        FillList(page);
    FormResize();
}

void TfrmIndeks::FillList(int page)
{
    const auto it = m_lists.find(page);
    TPSSDirectory *directory = Directory();
    if (it == m_lists.end() || !directory)
        return;
    const ListPage &list = it->second;
    LoadingGuard loading(QStringLiteral("Trwa ładowanie danych..."));

    m_records.DeleteKind(list.number);
    std::vector<TIndexListModel::Row> rows;
    QStringList fields;
    for (const QString &numer : directory->ListNumbers(list.typ)) {
        fields.clear();
        directory->ReadFields(list.typ, numer, fields);
        TIndexListModel::Row row;
        for (const QString &column : list.model->Columns())
            row.texts.append(TextLines::fieldValue(fields, column));
        row.record = m_records.Add(list.number, list.typ, numer.toUpper());
        rows.push_back(std::move(row));
    }
    list.model->SetRows(std::move(rows));
    list.model->sort(list.model->SortColumn(), list.model->SortOrder());
}

void TfrmIndeks::btRefreshClick()
{
    if (ModelOf(m_pages->currentIndex()))
        FillList(m_pages->currentIndex());
    FormResize();
}

void TfrmIndeks::btShowClick()
{
    IndeksDblClick(m_pages->currentIndex());
}

void TfrmIndeks::IndeksDblClick(int page)
{
    QTreeView *view = ListOf(page);
    if (!view || !view->currentIndex().isValid() || !view->selectionModel()->hasSelection())
        return;
    const TFormRecord *record = ModelOf(page)->RowAt(view->currentIndex().row()).record;
    TPulpit *pulpit = Pulpit();
    if (!pulpit || !record)
        return;
    pulpit->setEnabled(false);
    pulpit->OpenDocument(record->Typ, record->Numer);
    pulpit->setEnabled(true);
}

bool TfrmIndeks::eventFilter(QObject *watched, QEvent *event)
{
    // In help mode a click on the tabs or into a list shows its help instead.
    if (event->type() == QEvent::MouseButtonPress && watched == m_pages->widget(tsStart)) {
        if (TPulpit *pulpit = Pulpit(); pulpit && pulpit->HelpMode()) {
            pulpit->ShowContextHelp(m_pages->widget(tsStart));
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        TPulpit *pulpit = Pulpit();
        if (pulpit && pulpit->HelpMode() && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget == m_pages->tabBar()) {
                pulpit->ShowContextHelp(m_pages);
                return true;
            }
            for (const auto &[page, list] : m_lists) {
                if (widget == list.view->viewport()) {
                    pulpit->ShowContextHelp(list.view);
                    return true;
                }
            }
        }
    }
    if (event->type() == QEvent::Resize) {
        // A list takes its size when its page is first shown, after the page change.
        for (const auto &[page, list] : m_lists) {
            if (watched == list.view)
                fitLastColumn(list);
        }
        for (const auto &[page, panel] : m_panels) {
            if (watched == panel->parentWidget())
                centrePanels();
        }
        for (const auto &[page, list] : m_lists) {
            if (list.pane != watched)
                continue;
            // The pane's layout: the view inside the ornaments, the close button top right.
            const int w = list.pane->width();
            const int h = list.pane->height();
            list.preview->setGeometry(2, 37, w - 4, h - 74);
            const QString suffix = list.pane->objectName().mid(2);
            if (auto *right = list.pane->findChild<TImage *>(QStringLiteral("Im") + suffix + u'R'))
                right->move(w - right->width() - 2, h - right->height() - 2);
            if (auto *left = list.pane->findChild<TImage *>(QStringLiteral("Im") + suffix + u'L'))
                left->move(2, 2);
            if (auto *close = list.pane->findChild<TGlyphButton *>(QStringLiteral("bt") + suffix + QStringLiteral("Cl")))
                close->setGeometry(w - 17, 4, 13, 13);
        }
    }
    if (event->type() != QEvent::KeyPress)
        return TfrmWzorBazowy::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    for (const auto &[page, list] : m_lists) {
        if (list.view != watched)
            continue;
        // Enter opens the entry, as a double click does, and goes no further.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            IndeksDblClick(page);
            return true;
        }
        const QString text = key->text();
        if (list.typeAhead && text.size() == 1 && text.at(0).isPrint() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return typeAhead(list, text);
    }
    return TfrmWzorBazowy::eventFilter(watched, event);
}

bool TfrmIndeks::typeAhead(const ListPage &list, const QString &text)
{
    // A pause of more than a second starts a new prefix.
    const qint64 now = m_clock();
    if (m_lastKey < 0 || now - m_lastKey > 1000)
        m_prefix.clear();
    m_lastKey = now;
    const QString prefix = m_prefix + text;

    // From the row after the selected one, round to it again, in the sort column.
    TIndexListModel *model = list.model;
    const int rows = model->rowCount();
    const int column = model->SortColumn();
    const int current = list.view->currentIndex().isValid() ? list.view->currentIndex().row() : -1;
    // The first letter in its two cases sifts the rows cheaply before the full comparison.
    const QChar lower = prefix.front().toLower();
    const QChar upper = prefix.front().toUpper();
    for (int step = 1; step <= rows; ++step) {
        const int row = (current + step) % rows;
        const QStringList &texts = model->RowAt(row).texts;
        if (column >= texts.size() || texts[column].isEmpty())
            continue;
        const QChar first = texts[column].front();
        if (first != lower && first != upper)
            continue;
        if (QStringView(texts[column]).startsWith(prefix, Qt::CaseInsensitive)) {
            m_prefix = prefix;
            list.view->setCurrentIndex(model->index(row, 0));
            list.view->scrollTo(model->index(row, 0));
            return true;
        }
    }
    QApplication::beep();
    return true;
}

void TfrmIndeks::LoadListSettings(const SettingsStore &settings)
{
    for (const auto &[page, list] : m_lists) {
        const ListLayout layout = settings.readListLayout(list.settingsKey);
        QHeaderView *header = list.view->header();
        const int columns = list.model->columnCount();
        if (layout.sizes.size() == columns) {
            for (int c = 0; c < columns; ++c)
                header->resizeSection(c, layout.sizes[c]);
        }
        if (layout.order.size() == columns) {
            for (int visual = 0; visual < columns; ++visual) {
                const int logical = layout.order[visual];
                if (logical >= 0 && logical < columns)
                    header->moveSection(header->visualIndex(logical), visual);
            }
        }
        const int column = layout.sortColumn >= 0 && layout.sortColumn < columns ? layout.sortColumn : 0;
        const Qt::SortOrder order = layout.ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
        list.model->sort(column, order);
        header->setSortIndicator(column, order);
    }
}

void TfrmIndeks::SaveListSettings(SettingsStore &settings) const
{
    for (const auto &[page, list] : m_lists) {
        const QHeaderView *header = list.view->header();
        ListLayout layout;
        for (int visual = 0; visual < header->count(); ++visual)
            layout.order.append(header->logicalIndex(visual));
        for (int c = 0; c < header->count(); ++c)
            layout.sizes.append(header->sectionSize(c));
        layout.ascending = list.model->SortOrder() == Qt::AscendingOrder;
        layout.sortColumn = list.model->SortColumn();
        settings.writeListLayout(list.settingsKey, layout);
    }
}

void TfrmIndeks::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
