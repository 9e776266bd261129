#include "TIndexListPage.h"

#include "Cp1250.h"
#include "Globals.h"
#include "HelpClicks.h"
#include "IndexImages.h"
#include "ListColumnWidths.h"
#include "LoadingGuard.h"
#include "Paths.h"
#include "ReportingErrors.h"
#include "SettingsStore.h"
#include "TFormList.h"
#include "TGlyphButton.h"
#include "THTMLViewer.h"
#include "TImage.h"
#include "TIndexListModel.h"
#include "TLinkList.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TextLines.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScopeGuard>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace {

constexpr int ListHelpContext = 4025;
constexpr int PreviewHelpContext = 4026;
constexpr QRgb PaneColour = qRgb(255, 255, 160);

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
    OpeningGate(const OpeningGate &) = delete;
    OpeningGate &operator=(const OpeningGate &) = delete;
    bool open() const { return m_open; }

private:
    TPulpit *m_pulpit;
    bool m_open = false;
};

} // namespace

TIndexListPage::TIndexListPage(const QString &name, const Definition &definition,
                               TFormList &records, QWidget *parent)
    : TIndexPage(name, parent), m_definition(definition), m_records(records),
      m_needed(definition.widths)
{
    const QString &suffix = m_definition.suffix;
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("sp") + suffix);
    m_splitter->setHandleWidth(3);
    m_splitter->setChildrenCollapsible(false);

    m_view = new QTreeView(m_splitter);
    m_view->setObjectName(QStringLiteral("ev") + suffix);
    m_view->setAccessibleName(m_definition.title);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(true);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSortingEnabled(false);
    m_view->setProperty("helpContext", ListHelpContext);
    m_model = new TIndexListModel(m_definition.columns, m_definition.number - 1, m_view);
    m_model->SetImage(IndexImages::SmallImage(m_definition.number - 1));
    m_view->setModel(m_model);
    QHeaderView *header = m_view->header();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(0, Qt::AscendingOrder);
    header->setStretchLastSection(m_definition.widths.last() < 0);
    for (int c = 0; c < m_definition.widths.size(); ++c) {
        if (m_definition.widths[c] > 0)
            header->resizeSection(c, m_definition.widths[c]);
    }
    // A click on the sort column turns its direction; another column sorts ascending.
    connect(header, &QHeaderView::sectionClicked, this, [this, header](int column) {
        const Qt::SortOrder order =
            column == m_model->SortColumn() && m_model->SortOrder() == Qt::AscendingOrder
                ? Qt::DescendingOrder
                : Qt::AscendingOrder;
        m_model->sort(column, order);
        header->setSortIndicator(column, order);
    });
    connect(m_view, &QAbstractItemView::doubleClicked, this, &TIndexListPage::IndeksDblClick);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TIndexListPage::listRowChanged);
    m_view->installEventFilter(this);
    Help()->watch(m_view->viewport(), m_view);
    m_splitter->addWidget(m_view);

    createPane();
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { fitLastColumn(width()); });
    SetBody(m_splitter, suffix, m_definition.title);

    m_previewTimer = new QTimer(this);
    m_previewTimer->setObjectName(QStringLiteral("lvTimer"));
    m_previewTimer->setInterval(PreviewDelayMs);
    m_previewTimer->setSingleShot(true);
    connect(m_previewTimer, &QTimer::timeout, this, &TIndexListPage::lvTimerTimer);

    m_clock = [] {
        static QElapsedTimer clock;
        if (!clock.isValid())
            clock.start();
        return clock.elapsed();
    };
}

void TIndexListPage::createPane()
{
    const QString &suffix = m_definition.suffix;
    m_pane = new QFrame(m_splitter);
    m_pane->setObjectName(QStringLiteral("pn") + suffix);
    m_pane->setFrameShape(QFrame::StyledPanel);
    m_pane->setFrameShadow(QFrame::Sunken);
    m_pane->setAutoFillBackground(true);
    QPalette pal = m_pane->palette();
    pal.setColor(QPalette::Window, PaneColour);
    m_pane->setPalette(pal);
    m_pane->setMinimumWidth(60);

    m_preview = new THTMLViewer(m_pane);
    m_preview->setObjectName(QStringLiteral("HT") + suffix);
    m_preview->setAccessibleName(QStringLiteral("Szybki podgląd"));
    m_preview->setFrameShape(QFrame::NoFrame);
    m_preview->SetDefBackground(PaneColour);
    m_preview->SetDefFontColor(Qt::black);
    m_preview->SetViewImages(suffix == u"Wypisy");
    m_preview->SetHelpContext(PreviewHelpContext);
    m_preview->setProperty("helpContext", PreviewHelpContext);
    connect(m_preview, &THTMLViewer::HotSpotClick, this, &TIndexListPage::HTSpotClick);
    Help()->watch(m_preview->viewport(), m_preview);
    connect(m_preview, &THTMLViewer::BitmapRequest, this,
            [](const QString &source, QImage *image, QColor *transparent) {
                const QString path = Paths::pictureInBmps(source);
                if (path.isEmpty())
                    return;
                *image = QImage(path);
                *transparent = QColor(255, 255, 255);
            });
    m_hint =
        new QLabel(QStringLiteral("Wybierz pozycję z listy, aby zobaczyć jej podgląd."), m_pane);
    m_hint->setObjectName(QStringLiteral("lbHint") + suffix);
    m_hint->setAccessibleName(m_preview->accessibleName());
    m_hint->setAccessibleDescription(m_hint->text());
    m_hint->setAlignment(Qt::AlignCenter);
    m_hint->setWordWrap(true);
    m_hint->setMargin(8);
    m_hint->setAutoFillBackground(true);
    QPalette hintColours = m_hint->palette();
    hintColours.setColor(QPalette::Window, PaneColour);
    hintColours.setColor(QPalette::WindowText, Qt::black);
    m_hint->setPalette(hintColours);
    showHint(true);
    for (const char *side : {"L", "R"}) {
        auto *ornament = new TImage(m_pane);
        ornament->setObjectName(QStringLiteral("Im") + suffix + QLatin1String(side));
        ornament->SetAutoSize(true);
        ornament->SetPicture(IndexImages::Ornament(*side == 'R'));
    }
    auto *close = new TGlyphButton(m_pane);
    close->setObjectName(QStringLiteral("bt") + suffix + QStringLiteral("Cl"));
    close->setText(QStringLiteral("×"));
    close->setToolTip(QStringLiteral("Zamknięcie szybkiego podglądu"));
    connect(close, &QAbstractButton::clicked, this, &TIndexListPage::btPreviewShowClick);
    setTabOrder(close, m_preview); // the button stands above the view
    m_pane->installEventFilter(this);
    m_splitter->addWidget(m_pane);
}

void TIndexListPage::PageShown()
{
    // A list is filled at its first visit; later visits leave it as it is.
    if (m_model->rowCount() == 0)
        FillList();
}

void TIndexListPage::FillList()
{
    TPSSDirectory *directory = Directory();
    if (!directory)
        return;
    ReportingErrors([this, directory] {
        const LoadingGuard loading(QStringLiteral("Trwa ładowanie danych..."));
        // The rows go before their records do, and the records of a load that fails go with
        // it: no row ever points at a freed record.
        m_model->SetRows({});
        m_records.DeleteKind(m_definition.number);
        auto dropRecords = qScopeGuard([this] { m_records.DeleteKind(m_definition.number); });
        std::vector<TIndexListModel::Row> rows;
        QStringList fields;
        for (const QString &numer : directory->ListNumbers(m_definition.typ)) {
            fields.clear();
            directory->ReadFields(m_definition.typ, numer, fields);
            TIndexListModel::Row row;
            for (const QString &column : m_model->Columns())
                row.texts.append(TextLines::fieldValue(fields, column));
            // Upper-cased as the item index is, ASCII letters only: "3ą" stays "3ą".
            row.record =
                m_records.Add(m_definition.number, m_definition.typ, Cp1250::upperAscii(numer));
            rows.push_back(std::move(row));
        }
        m_model->SetRows(std::move(rows));
        dropRecords.dismiss();
        m_model->sort(m_model->SortColumn(), m_model->SortOrder());
    });
    fitColumns();
}

void TIndexListPage::fitColumns()
{
    m_needed = ListColumnWidths::Measure(*m_view, *m_model, m_definition.widths);
    // An empty list says nothing of its texts: the next fill measures again.
    if (m_widthsChosen || m_model->rowCount() == 0)
        return;
    m_widthsChosen = true;
    QHeaderView *header = m_view->header();
    for (int c = 0; c < m_needed.size(); ++c) {
        if (m_definition.widths.value(c) > 0)
            header->resizeSection(c, m_needed[c]);
    }
    fitLastColumn(width());
}

void TIndexListPage::showHint(bool shown)
{
    m_hint->setVisible(shown);
    m_preview->setVisible(!shown);
}

void TIndexListPage::IndeksDblClick()
{
    const QModelIndex current = m_view->currentIndex();
    TPulpit *pulpit = Pulpit();
    if (!current.isValid() || !m_view->selectionModel()->hasSelection() || !pulpit)
        return;
    const TFormRecord *record = m_model->RowAt(current.row()).record;
    const LoadingGuard disabled(QString(), LoadingGuard::DisableMain);
    pulpit->OpenDocument(record->Typ, record->Numer);
}

void TIndexListPage::CancelPreview()
{
    m_previewTimer->stop();
    m_pendingRow = QPersistentModelIndex();
}

void TIndexListPage::SchedulePreview(const QModelIndex &row)
{
    m_pendingRow = row;
    m_previewTimer->start();
}

void TIndexListPage::listRowChanged(const QModelIndex &current)
{
    CancelPreview();
    // The works and characters previews wait while a document opens, and for a hidden pane.
    if (m_definition.typeAhead) {
        TPulpit *pulpit = Pulpit();
        if ((pulpit && pulpit->Opening()) || m_pane->isHidden())
            return;
    }
    SchedulePreview(current);
}

void TIndexListPage::lvTimerTimer()
{
    m_previewTimer->stop();
    if (m_pendingRow.isValid())
        preview(m_pendingRow.row(), isQuotations());
}

bool TIndexListPage::isQuotations() const
{
    return m_preview->objectName() == u"HTCytaty";
}

void TIndexListPage::ShowPreview(int row)
{
    preview(row, false);
}

void TIndexListPage::ShowQuotePreview(int row)
{
    preview(row, true);
}

void TIndexListPage::preview(int row, bool quote)
{
    TPSSDirectory *directory = Directory();
    // The selection test only makes sure something is selected; the row read is the one given.
    if (!directory || row < 0 || row >= m_model->rowCount() ||
        !m_view->selectionModel()->hasSelection())
        return;
    const bool read = ReportingErrors([&] {
        const OpeningGate gate;
        if (!gate.open())
            return;
        const TFormRecord *record = m_model->RowAt(row).record;
        QStringList fields, lines;
        if (!directory->ReadFields(record->Typ, record->Numer, fields) ||
            !directory->ReadText(record->Typ, record->Numer, lines))
            return;
        StripLeadingParagraph(lines); // an entry whose text has no lines shows an empty preview
        if (quote) {
            lines.append(QStringLiteral("</h3></center><br>"));
            lines.append(QStringLiteral("<I>") + TextLines::fieldValue(fields, u"Autor") +
                         QStringLiteral(", ") + TextLines::fieldValue(fields, u"Źródło") +
                         QStringLiteral("</I>"));
            lines.prepend(QStringLiteral("<h3><center>"));
        }
        m_preview->LoadStrings(lines);
        showHint(false);
    });
    // No other entry's text stays under the selected row.
    if (!read) {
        m_preview->clear();
        showHint(true);
    }
}

void TIndexListPage::btPreviewShowClick()
{
    if (!m_pane->isHidden()) {
        m_preview->clear();
        showHint(true);
        m_pane->hide();
        fitLastColumn(width());
        return;
    }
    const int half = m_view->width() / 2;
    m_pane->show();
    m_splitter->setSizes(
        {half, std::max(1, m_splitter->width() - half - m_splitter->handleWidth())});
    const QModelIndex current = m_view->currentIndex();
    if (isQuotations())
        listRowChanged(current);
    else
        ShowPreview(current.row());
    fitLastColumn(width());
}

void TIndexListPage::QuickViewResize()
{
    // The view inside the ornaments, the close button top right.
    const int w = m_pane->width();
    const int h = m_pane->height();
    m_preview->setGeometry(2, 37, w - 4, h - 74);
    m_hint->setGeometry(m_preview->geometry());
    const QString &suffix = m_definition.suffix;
    if (auto *right = m_pane->findChild<TImage *>(QStringLiteral("Im") + suffix + u'R'))
        right->move(w - right->width() - 2, h - right->height() - 2);
    if (auto *left = m_pane->findChild<TImage *>(QStringLiteral("Im") + suffix + u'L'))
        left->move(2, 2);
    if (auto *close =
            m_pane->findChild<TGlyphButton *>(QStringLiteral("bt") + suffix + QStringLiteral("Cl")))
        close->setGeometry(w - 17, 4, 13, 13);
}

void TIndexListPage::HTSpotClick(const QString &target, bool *handled)
{
    // "../" + category + "/" + number + "." + extension names the entry by its path.
    QString u = Cp1250::upperAscii(target);
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

void TIndexListPage::Layout(const QSize &area)
{
    fitLastColumn(area.width());
}

void TIndexListPage::fitLastColumn(int pageWidth) const
{
    QHeaderView *header = m_view->header();
    const int last = header->count() - 1;
    if (last < 0 || header->stretchLastSection())
        return;
    int others = 0;
    for (int c = 0; c < last; ++c)
        others += header->sectionSize(c);
    // With the preview shown there may be little room or none left: the column keeps what
    // its texts need and the list scrolls.
    if (others < pageWidth - 6)
        header->resizeSection(last, std::max(m_view->width() - others - 17, m_needed.value(last)));
}

void TIndexListPage::ApplyDocumentLook(const Preferences &prefs)
{
    m_preview->SetDefFontName(prefs.docFont);
    m_preview->SetDefFontSize(prefs.docFontSize);
    m_hint->setFont(QFont(prefs.docFont, prefs.docFontSize));
}

bool TIndexListPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        // The list takes its size when its page is first shown, after the page change.
        if (watched == m_view)
            fitLastColumn(width());
        else if (watched == m_pane)
            QuickViewResize();
        return false;
    }
    if (watched != m_view || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    // Enter opens the entry, as a double click does, and goes no further.
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        IndeksDblClick();
        return true;
    }
    const QString text = key->text();
    if (text.size() != 1 || !text.at(0).isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (m_definition.typeAhead)
        return typeAhead(text);
    // The list's own search looks in the column of the cell last clicked: it is made to look
    // in the first column, without touching the selection.
    const QModelIndex current = m_view->currentIndex();
    if (current.isValid() && current.column() != 0)
        m_view->selectionModel()->setCurrentIndex(current.siblingAtColumn(0),
                                                  QItemSelectionModel::NoUpdate);
    return false;
}

bool TIndexListPage::typeAhead(const QString &text)
{
    // A pause of more than a second starts a new prefix.
    const qint64 now = m_clock();
    if (m_lastKey < 0 || now - m_lastKey > 1000)
        m_prefix.clear();
    m_lastKey = now;
    const QString prefix = m_prefix + text;

    // From the row after the selected one, round to it again, in the sort column; from the
    // first row when none is selected (the focus alone leaves a current row unselected).
    const int rows = m_model->rowCount();
    const int column = m_model->SortColumn();
    const QModelIndexList selected = m_view->selectionModel()->selectedRows();
    const int from = selected.isEmpty() ? -1 : selected.first().row();
    // The first letter in its two cases sifts the rows cheaply before the full comparison.
    const QChar lower = prefix.front().toLower();
    const QChar upper = prefix.front().toUpper();
    for (int step = 1; step <= rows; ++step) {
        const int row = (from + step) % rows;
        const QStringList &texts = m_model->RowAt(row).texts;
        if (column >= texts.size() || texts[column].isEmpty())
            continue;
        const QChar first = texts[column].front();
        if (first != lower && first != upper)
            continue;
        if (QStringView(texts[column]).startsWith(prefix, Qt::CaseInsensitive)) {
            m_prefix = prefix;
            m_view->setCurrentIndex(m_model->index(row, 0));
            m_view->scrollTo(m_model->index(row, 0));
            return true;
        }
    }
    QApplication::beep();
    return true;
}

void TIndexListPage::LoadSettings(const SettingsStore &settings)
{
    const ListLayout layout = settings.readListLayout(m_definition.settingsKey);
    QHeaderView *header = m_view->header();
    const int columns = m_model->columnCount();
    if (layout.sizes.size() == columns) {
        for (int c = 0; c < columns; ++c)
            header->resizeSection(c, layout.sizes[c]);
        m_widthsChosen = true;
    }
    if (layout.order.size() == columns) {
        for (int visual = 0; visual < columns; ++visual) {
            const int logical = layout.order[visual];
            if (logical >= 0 && logical < columns)
                header->moveSection(header->visualIndex(logical), visual);
        }
    }
    const int column =
        layout.sortColumn >= 0 && layout.sortColumn < columns ? layout.sortColumn : 0;
    const Qt::SortOrder order = layout.ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
    m_model->sort(column, order);
    header->setSortIndicator(column, order);
}

void TIndexListPage::SaveSettings(SettingsStore &settings) const
{
    const QHeaderView *header = m_view->header();
    ListLayout layout;
    for (int visual = 0; visual < header->count(); ++visual)
        layout.order.append(header->logicalIndex(visual));
    for (int c = 0; c < header->count(); ++c)
        layout.sizes.append(header->sectionSize(c));
    layout.ascending = m_model->SortOrder() == Qt::AscendingOrder;
    layout.sortColumn = m_model->SortColumn();
    settings.writeListLayout(m_definition.settingsKey, layout);
}
