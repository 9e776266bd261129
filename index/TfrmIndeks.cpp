#include "TfrmIndeks.h"

#include "CategoryTable.h"
#include "Cp1250.h"
#include "HelpClicks.h"
#include "ImageDecoder.h"
#include "IndexImages.h"
#include "MessageBoxes.h"
#include "Paths.h"
#include "SettingsStore.h"
#include "SkinImageList.h"
#include "TGlyphButton.h"
#include "TImage.h"
#include "TIndexFilmographyPage.h"
#include "TIndexListPage.h"
#include "TIndexPanelPage.h"
#include "TIndexQuizPage.h"
#include "TIndexStartPage.h"
#include "TKalendariumPage.h"
#include "TMultiRowTabBar.h"
#include "TPulpit.h"
#include "TextLines.h"
#include "ThemePanels.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

TfrmIndeks::TfrmIndeks(QWidget *parent) : TfrmWzorBazowy(parent)
{
    setObjectName(QStringLiteral("frmIndeks"));
    setWindowTitle(QStringLiteral("Indeks"));
    setMinimumSize(460, 380);
    resize(620, 528);
    setProperty("helpContext", 4010);

    // The tabs in several rows, every caption whole, stand in for the page control's own bar;
    // made first, Tab reaches them before the pages below them.
    m_rows = new TMultiRowTabBar(this);
    m_rows->setObjectName(QStringLiteral("pcIndeksRows"));
    m_rows->setProperty("helpContext", 4010);
    m_rows->setAccessibleName(QStringLiteral("Strony indeksu"));
    for (int page = 0; page < PageCount; ++page)
        m_rows->addTab(IndexImages::SmallImage(IndexPages::Image(page)), IndexPages::Caption(page));
    m_rows->setCurrentIndex(tsStart);
    m_rows->hide();

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pcIndeks"));
    m_pages->setProperty("helpContext", 4010);
    for (int page = 0; page < PageCount; ++page) {
        TIndexPage *content = createPage(page);
        m_pages->addTab(content, IndexImages::SmallImage(IndexPages::Image(page)),
                        IndexPages::Caption(page));
        m_pageList.append(content);
        connect(content, &TIndexPage::PageRequested, this, &TfrmIndeks::btDzielaClick);
        content->installEventFilter(this);
    }
    // The start page opens without the page-change steps: the caption stays "Indeks".
    m_pages->setCurrentIndex(tsStart);
    connect(m_pages, &QTabWidget::currentChanged, this, &TfrmIndeks::pcIndeksChange);
    (new HelpClicks(this))->watch(m_pages->tabBar(), m_pages);

    connect(m_rows, &TMultiRowTabBar::currentChanged, m_pages, &QTabWidget::setCurrentIndex);
    connect(m_pages, &QTabWidget::currentChanged, m_rows, &TMultiRowTabBar::setCurrentIndex);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_rows);
    layout->addWidget(m_pages);
    createPopup();
    createPageKeys();
    LoadImageList();
    ApplyIndexLook();
}

TIndexPage *TfrmIndeks::createPage(int page)
{
    const QString name = IndexPages::Name(page);
    const CategoryTable::Category *category = CategoryTable::OnIndexPage(name);
    const QString typ = category ? category->typ : QString();
    const auto list = [&](TIndexListPage::Definition definition) {
        return new TIndexListPage(name, definition, m_records);
    };
    switch (page) {
    case tsDziela:
        return list({QStringLiteral("Dziela"),
                     typ,
                     1,
                     1,
                     true,
                     {QStringLiteral("Tytuł"), QStringLiteral("Autor"), QStringLiteral("Epoka"),
                      QStringLiteral("Gatunek")},
                     {150, 100, 100, 100},
                     QStringLiteral("Indeks dzieł literatury polskiej")});
    case tsBiogramy:
        return list({QStringLiteral("Biogramy"),
                     typ,
                     2,
                     2,
                     false,
                     {QStringLiteral("Autor"), QStringLiteral("Urodzony"), QStringLiteral("Zmarły"),
                      QStringLiteral("Epoka")},
                     {150, 100, 100, 100},
                     QStringLiteral("Biogramy literatów")});
    case tsBohaterowie:
        return list({QStringLiteral("Bohaterowie"),
                     typ,
                     17,
                     99,
                     true,
                     {QStringLiteral("Nazwa"), QStringLiteral("Dzieło")},
                     {150, -1},
                     QStringLiteral("Indeks bohaterów literackich")});
    case tsGatunki:
        return list({QStringLiteral("Gatunki"),
                     typ,
                     5,
                     3,
                     false,
                     {QStringLiteral("Gatunek"), QStringLiteral("Rodzaj")},
                     {150, 100},
                     QStringLiteral("Indeks gatunków literackich")});
    case tsTerminy:
        return list({QStringLiteral("Terminy"),
                     typ,
                     6,
                     4,
                     false,
                     {QStringLiteral("Termin")},
                     {150},
                     QStringLiteral("Słownik terminów literackich")});
    case tsWypisy:
        return list(
            {QStringLiteral("Wypisy"),
             typ,
             7,
             5,
             false,
             {QStringLiteral("Dzieło"), QStringLiteral("Fragment"), QStringLiteral("Autor")},
             {150, 100, 100},
             QStringLiteral("Zestawienie wypisów z literatury")});
    case tsCytaty:
        return list({QStringLiteral("Cytaty"),
                     typ,
                     9,
                     6,
                     false,
                     {QStringLiteral("Autor"), QStringLiteral("Źródło")},
                     {150, 100},
                     QStringLiteral("Zestawienie cytatów z literatury")});
    case tsEpoki:
        return new TIndexThemePage(name, ThemePanels::Epochs());
    case tsRodzaje:
        return new TIndexThemePage(name, ThemePanels::Kinds());
    case tsHistoria:
        return new TIndexThemePage(name, ThemePanels::Art());
    case tsQuiz:
        return new TIndexQuizPage(name);
    case tsStart:
        return new TIndexStartPage(name);
    case tsKalendarium:
        return new TKalendariumPage(name);
    case tsFilmografia:
        return new TIndexFilmographyPage(name);
    default:
        return new TIndexPage(name);
    }
}

TIndexListPage *TfrmIndeks::ListPage(int page) const
{
    return qobject_cast<TIndexListPage *>(PageAt(page));
}

TIndexPage *TfrmIndeks::activePage() const
{
    return PageAt(m_pages->currentIndex());
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
        MessageBoxes::show(nullptr,
                           {QStringLiteral("Nie można otworzyć plików konfiguracyjnych programu!"),
                            QStringLiteral("Uwaga"), QMessageBox::NoIcon, QMessageBox::Ok});
        if (TPulpit *pulpit = Pulpit())
            pulpit->RequestTermination();
        return false;
    }
    const QList<QWidget *> components = findChildren<QWidget *>();
    const SkinImageList list(file.readAll());
    for (const SkinImageList::Entry &entry : list.entries()) {
        const QString &name = entry.component;
        const auto it =
            std::find_if(components.begin(), components.end(), [&name](const QWidget *widget) {
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
        connect(action, &QAction::triggered, this,
                [this, action] { btDzielaClick(action, action->data().toInt()); });
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

void TfrmIndeks::createPageKeys()
{
    // From any control of the Index, before a control's own use of the keys (a list's page
    // down, say). Ctrl+Tab and Ctrl+Shift+Tab stay the frame's keys for the next window.
    const auto key = [this](const QKeySequence &keys, int by) {
        auto *action = new QAction(this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, [this, by] { stepPage(by); });
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_PageDown), +1);
    key(QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1);
}

void TfrmIndeks::stepPage(int by)
{
    // Round from the last page to the first and back, as a tab widget goes.
    const int count = m_pages->count();
    m_pages->setCurrentIndex((m_pages->currentIndex() + by + count) % count);
}

void TfrmIndeks::ApplyIndexLook()
{
    TPulpit *pulpit = Pulpit();
    ApplyDocumentLook(pulpit ? pulpit->Prefs() : Preferences());
}

void TfrmIndeks::ApplyDocumentLook(const Preferences &prefs)
{
    // The tab layouts; any other value leaves the tabs as they are.
    if (prefs.indeksState >= 0 && prefs.indeksState <= 2) {
        // One row that scrolls is the page control's own bar; several rows are ours, their
        // order kept (1) or the current tab's row next to the page (2).
        const bool oneRow = prefs.indeksState == 0;
        m_pages->setUsesScrollButtons(true);
        m_pages->tabBar()->setVisible(oneRow);
        // Its focus goes to its own bar: a hidden bar would hold Tab where it stands.
        m_pages->setFocusPolicy(oneRow ? Qt::TabFocus : Qt::NoFocus);
        m_rows->setVisible(!oneRow);
        m_rows->setRowOrder(prefs.indeksState == 2 ? TMultiRowTabBar::CurrentRowNextToPage
                                                   : TMultiRowTabBar::TabOrder);
    }
    for (TIndexPage *page : std::as_const(m_pageList))
        page->ApplyDocumentLook(prefs);
}

void TfrmIndeks::FormResize()
{
    // All pages share one size; only the page in sight has it for certain, since hidden
    // pages are laid out when they are shown.
    const QSize area = m_pages->currentWidget()->size();
    for (TIndexPage *page : std::as_const(m_pageList))
        page->Layout(area);
}

void TfrmIndeks::resizeEvent(QResizeEvent *event)
{
    TfrmWzorBazowy::resizeEvent(event);
    FormResize();
}

bool TfrmIndeks::eventFilter(QObject *watched, QEvent *event)
{
    // Pages take their size after the window's own resize, and a page shown for the first
    // time after the page change: the layout rule follows the page in sight.
    if (event->type() == QEvent::Resize && watched == m_pages->currentWidget())
        FormResize();
    return TfrmWzorBazowy::eventFilter(watched, event);
}

void TfrmIndeks::pcIndeksChange(int page)
{
    for (TIndexPage *each : std::as_const(m_pageList))
        each->CancelPending();
    if (TPulpit *pulpit = Pulpit())
        pulpit->StopSound();
    setWindowTitle(QStringLiteral("Indeks: «") + m_pages->tabText(page) + QStringLiteral("»"));
    PageAt(page)->PageShown();
    FormResize();
}

void TfrmIndeks::btRefreshClick()
{
    activePage()->Refresh();
    FormResize();
}

void TfrmIndeks::btShowClick()
{
    activePage()->OpenSelected();
}

void TfrmIndeks::btPreviewShowClick()
{
    activePage()->TogglePreview();
}

void TfrmIndeks::LoadSettings(const SettingsStore &settings)
{
    for (TIndexPage *page : std::as_const(m_pageList))
        page->LoadSettings(settings);
}

void TfrmIndeks::SaveSettings(SettingsStore &settings) const
{
    for (const TIndexPage *page : m_pageList)
        page->SaveSettings(settings);
}

void TfrmIndeks::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
