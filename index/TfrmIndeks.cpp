#include "TfrmIndeks.h"

#include "Globals.h"
#include "TIndexListModel.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TextLines.h"
#include "TfrmSearcher.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

struct PageInfo
{
    const char *name;
    const char16_t *caption;
};

constexpr PageInfo Pages[TfrmIndeks::PageCount] = {
    {"tsDziela", u"Dzieła"},          {"tsBiogramy", u"Twórcy"},
    {"tsEpoki", u"Epoki"},            {"tsBohaterowie", u"Bohaterowie"},
    {"tsRodzaje", u"Rodzaje"},        {"tsGatunki", u"Gatunki"},
    {"tsTerminy", u"Terminy"},        {"tsWypisy", u"Wypisy"},
    {"tsCytaty", u"Cytaty"},          {"tsFilmografia", u"Filmografia"},
    {"tsHistoria", u"Sztuka polska"}, {"tsKalendarium", u"Kalendarium"},
    {"tsQuiz", u"Quiz"},              {"tsStart", u"Wprowadzenie"},
};

constexpr int ListHelpContext = 4025;

// Restores the program's state however a load ends: cursor, progress window, main window.
class LoadingGuard
{
public:
    LoadingGuard()
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (TfrmSearcher *searcher = Searcher()) {
            searcher->Label1()->setText(QStringLiteral("Trwa ładowanie danych..."));
            searcher->show();
            searcher->repaint();
        }
        if (TPulpit *pulpit = Pulpit())
            pulpit->setEnabled(false);
    }
    ~LoadingGuard()
    {
        if (TfrmSearcher *searcher = Searcher())
            searcher->hide();
        if (TPulpit *pulpit = Pulpit())
            pulpit->setEnabled(true);
        QApplication::restoreOverrideCursor();
    }
};

} // namespace

TfrmIndeks::TfrmIndeks(QWidget *parent) : TfrmWzorBazowy(parent)
{
    setObjectName(QStringLiteral("frmIndeks"));
    setWindowTitle(QStringLiteral("Indeks"));
    setMinimumSize(460, 380);
    resize(620, 528);
    setProperty("helpContext", 4010);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pcIndeks"));
    m_pages->setUsesScrollButtons(true);
    for (const PageInfo &info : Pages) {
        auto *page = new QWidget(m_pages);
        page->setObjectName(QLatin1String(info.name));
        m_pages->addTab(page, QString::fromUtf16(info.caption));
    }
    const auto columns = [](std::initializer_list<const char16_t *> names) {
        QStringList list;
        for (const char16_t *name : names)
            list.append(QString::fromUtf16(name));
        return list;
    };
    createListPage(tsDziela, "Dziela", u"_19701", 1, columns({u"Tytuł", u"Autor", u"Epoka", u"Gatunek"}),
                   {150, 100, 100, 100}, u"Indeks dzieł literatury polskiej");
    createListPage(tsBiogramy, "Biogramy", u"_19702", 2, columns({u"Autor", u"Urodzony", u"Zmarły", u"Epoka"}),
                   {150, 100, 100, 100}, u"Biogramy literatów");
    createListPage(tsBohaterowie, "Bohaterowie", u"_19799", 17, columns({u"Nazwa", u"Dzieło"}), {150, -1},
                   u"Indeks bohaterów literackich");
    createListPage(tsGatunki, "Gatunki", u"_19704", 5, columns({u"Gatunek", u"Rodzaj"}), {150, 100},
                   u"Indeks gatunków literackich");
    createListPage(tsTerminy, "Terminy", u"_19705", 6, columns({u"Termin"}), {150},
                   u"Słownik terminów literackich");
    createListPage(tsWypisy, "Wypisy", u"_19706", 7, columns({u"Dzieło", u"Fragment", u"Autor"}),
                   {150, 100, 100}, u"Zestawienie wypisów z literatury");
    createListPage(tsCytaty, "Cytaty", u"_19720", 9, columns({u"Autor", u"Źródło"}), {150, 100},
                   u"Zestawienie cytatów z literatury");

    // The start page opens without the page-change steps: the caption stays "Indeks".
    m_pages->setCurrentIndex(tsStart);
    connect(m_pages, &QTabWidget::currentChanged, this, &TfrmIndeks::pcIndeksChange);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
}

void TfrmIndeks::createListPage(int page, const char *suffix, const char16_t *typ, int number,
                                const QStringList &columns, const QList<int> &widths,
                                const char16_t *title)
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

    auto *titleBar = new QLabel(QString::fromUtf16(title), tab);
    titleBar->setObjectName(QStringLiteral("lb") + QLatin1String(suffix));
    titleBar->setFixedHeight(24);
    titleBar->setStyleSheet(QStringLiteral(
        "QLabel { color: white; font: bold italic 16px 'Arial'; padding-left: 6px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 black, stop:1 blue); }"));

    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view, 1);
    layout->addWidget(titleBar);
    m_lists[page] = {view, model, number, QString::fromUtf16(typ)};
}

QTreeView *TfrmIndeks::ListOf(int page) const
{
    const auto it = m_lists.find(page);
    return it == m_lists.end() ? nullptr : it->second.view;
}

TIndexListModel *TfrmIndeks::ModelOf(int page) const
{
    const auto it = m_lists.find(page);
    return it == m_lists.end() ? nullptr : it->second.model;
}

void TfrmIndeks::pcIndeksChange(int page)
{
    if (TPulpit *pulpit = Pulpit())
        pulpit->StopSound();
    setWindowTitle(QStringLiteral("Indeks: «") + m_pages->tabText(page) + QStringLiteral("»"));
    if (TIndexListModel *model = ModelOf(page); model && model->rowCount() == 0)
        FillList(page);
}

void TfrmIndeks::FillList(int page)
{
    const auto it = m_lists.find(page);
    TPSSDirectory *directory = Directory();
    if (it == m_lists.end() || !directory)
        return;
    const ListPage &list = it->second;
    LoadingGuard loading;

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
    if (TPulpit *pulpit = Pulpit(); pulpit && record)
        pulpit->OpenDocument(record->Typ, record->Numer);
}

bool TfrmIndeks::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in a list opens its entry, as a double click does.
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            for (const auto &[page, list] : m_lists) {
                if (list.view == watched) {
                    IndeksDblClick(page);
                    return true;
                }
            }
        }
    }
    return TfrmWzorBazowy::eventFilter(watched, event);
}

void TfrmIndeks::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
