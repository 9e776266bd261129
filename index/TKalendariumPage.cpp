#include "TKalendariumPage.h"

#include "CalendarEvents.h"
#include "CalendarLook.h"
#include "CategoryTable.h"
#include "Globals.h"
#include "HelpClicks.h"
#include "LoadingGuard.h"
#include "ReportingErrors.h"
#include "SettingsStore.h"
#include "TAutoRepeat.h"
#include "TCalendarLegend.h"
#include "TCalendarStrip.h"
#include "TGlyphButton.h"
#include "TImage.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TextLines.h"
#include "TfrmSearcher.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int ColumnWidth = 157;
constexpr int BottomHeight = 29;
constexpr int ButtonSize = 34;

enum NotebookPage { Latami, Kategoriami, Typami };

// A scroll box of picture buttons, each with its label to the right.
QScrollArea *buttonBox(QWidget *parent, const QString &name)
{
    auto *box = new QScrollArea(parent);
    box->setObjectName(name);
    box->setWidgetResizable(true);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setFrameShape(QFrame::NoFrame);
    box->setWidget(new QWidget);
    auto *rows = new QGridLayout(box->widget());
    rows->setContentsMargins(2, 2, 2, 2);
    rows->setHorizontalSpacing(4);
    rows->setVerticalSpacing(2);
    rows->setColumnStretch(1, 1);
    return box;
}

TGlyphButton *addButtonRow(QScrollArea *box, const QString &name, int tag, const QString &label)
{
    auto *rows = static_cast<QGridLayout *>(box->widget()->layout());
    const int row = rows->rowCount();
    auto *button = new TGlyphButton(box->widget());
    button->setObjectName(name);
    button->SetTag(tag);
    button->setCheckable(true);
    button->setFixedSize(ButtonSize, ButtonSize);
    button->setAccessibleName(label);
    auto *text = new QLabel(label, box->widget());
    text->setWordWrap(true);
    text->setBuddy(button);
    rows->addWidget(button, row, 0, Qt::AlignTop);
    rows->addWidget(text, row, 1, Qt::AlignVCenter);
    return button;
}

// The rows keep to the top of the box.
void endButtonRows(QScrollArea *box)
{
    auto *rows = static_cast<QGridLayout *>(box->widget()->layout());
    rows->setRowStretch(rows->rowCount(), 1);
}

void setProgressText(const QString &text)
{
    if (TfrmSearcher *searcher = Searcher()) {
        searcher->Label2()->setText(text);
        searcher->repaint();
    }
}

} // namespace

TKalendariumPage::TKalendariumPage(const QString &name, QWidget *parent) : TIndexPage(name, parent)
{
    m_strip = new TCalendarStrip(m_list, this);
    m_strip->SetDirectory(Directory());
    connect(m_strip, &TCalendarStrip::LinkDown, this, &TKalendariumPage::SuperPanelMouseDown);
    connect(m_strip, &TCalendarStrip::LinkUp, this, &TKalendariumPage::SuperPanelMouseUp);

    // The large image list, from the skin: the category icons side by side.
    m_imageList = new TImage(this);
    m_imageList->setObjectName(QStringLiteral("ImageList2"));
    m_imageList->hide();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("KalendariumTimer"));

    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(m_strip, 1);
    top->addWidget(createControlColumn());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top, 1);
    layout->addWidget(createBottomBar());

    m_legend = new TCalendarLegend(this);
    m_legend->puKalendariumOpen(imageList());
    applyTypeGlyphs();

    // In the main window's help mode a click shows help and does nothing else; the scroll
    // buttons act on the press, so the press is what shows it.
    for (QAbstractButton *button : findChildren<QAbstractButton *>()) {
        const bool scroll = button->parentWidget()->objectName() == u"pnKalendScroll";
        Help()->watch(button, button,
                      scroll ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease);
    }
    Help()->watch(m_strip, m_strip);
}

QWidget *TKalendariumPage::createControlColumn()
{
    auto *column = new QFrame(this);
    column->setObjectName(QStringLiteral("pnKalendControl"));
    column->setFixedWidth(ColumnWidth);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createSearch());

    m_notebook = new QStackedWidget(column);
    m_notebook->setObjectName(QStringLiteral("bkKalendControl"));
    auto *years = new QWidget;
    years->setObjectName(QStringLiteral("Latami"));
    // Carries the number of the work of the event link pressed last.
    m_superPanel = new QLabel(years);
    m_superPanel->setObjectName(QStringLiteral("SuperPanel"));
    m_superPanel->hide();
    m_notebook->addWidget(years);
    m_notebook->addWidget(createCategoryButtons());
    m_notebook->addWidget(createTypeButtons());
    layout->addWidget(m_notebook, 1);
    layout->addWidget(createScrollButtons());
    return column;
}

QWidget *TKalendariumPage::createSearch()
{
    auto *search = new QWidget(this);
    search->setFixedHeight(40);
    auto *label = new QLabel(QStringLiteral("Idź do daty:"), search);
    label->move(2, 1);
    m_edit = new QLineEdit(search);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setAccessibleName(QStringLiteral("Idź do daty"));
    m_edit->setGeometry(2, 16, 121, 22);
    label->setBuddy(m_edit);
    // Enter runs the search and goes no further.
    connect(m_edit, &QLineEdit::returnPressed, this, &TKalendariumPage::btKalendSearchClick);
    auto *button = new TGlyphButton(search);
    button->setObjectName(QStringLiteral("btKalendSearch"));
    button->setText(QStringLiteral("»"));
    button->setAccessibleName(QStringLiteral("Szukaj daty"));
    button->setGeometry(126, 16, 28, 22);
    connect(button, &QAbstractButton::clicked, this, &TKalendariumPage::btKalendSearchClick);
    return search;
}

QWidget *TKalendariumPage::createCategoryButtons()
{
    QScrollArea *box = buttonBox(this, QStringLiteral("Kategoriami"));
    auto *group = new QButtonGroup(box);
    for (int b = 1; b <= CalendarLook::CategoryButtonCount; ++b) {
        const int category = CalendarLook::ButtonCategory(b);
        TGlyphButton *button = addButtonRow(box, QStringLiteral("btKalendKat%1").arg(b), category,
                                            CalendarLook::CategoryButtonLabel(category));
        group->addButton(button);
        button->setChecked(b == 1);
        connect(button, &QAbstractButton::clicked, this,
                [this, button] { btKalendKat1Click(button->Tag()); });
    }
    endButtonRows(box);
    return box;
}

QWidget *TKalendariumPage::createTypeButtons()
{
    QScrollArea *box = buttonBox(this, QStringLiteral("Typami"));
    for (int type = 1; type <= CalendarLook::TypeCount; ++type) {
        TGlyphButton *button = addButtonRow(box, QStringLiteral("btKalendTyp%1").arg(type), type,
                                            CalendarLook::TypeLabel(type));
        button->setChecked(type == 1);
        m_typeButtons.append(button);
        // At most one is down: pressing a raised one raises the others.
        connect(button, &QAbstractButton::clicked, this, [this, button](bool down) {
            if (down) {
                for (TGlyphButton *other : std::as_const(m_typeButtons))
                    other->setChecked(other == button);
            }
            btKalendTyp1Click(button->Tag());
        });
    }
    endButtonRows(box);
    return box;
}

QWidget *TKalendariumPage::createScrollButtons()
{
    auto *area = new QWidget(this);
    m_scrollButtons = area;
    area->setObjectName(QStringLiteral("pnKalendScroll"));
    area->setFixedHeight(44);
    m_repeat = new TAutoRepeat(m_timer, area, this);
    const struct
    {
        const char16_t *name;
        const char16_t *text;
        const char16_t *accessible;
        int tag;
        int top;
    } buttons[] = {{u"btKalendariumUp", u"▲", u"Wcześniejsze wydarzenia", 1, 0},
                   {u"btKalendariumDown", u"▼", u"Późniejsze wydarzenia", -1, 22}};
    for (const auto &b : buttons) {
        auto *button = new TGlyphButton(area);
        button->setObjectName(QString::fromUtf16(b.name));
        button->setText(QString::fromUtf16(b.text));
        button->setAccessibleName(QString::fromUtf16(b.accessible));
        button->SetTag(b.tag);
        button->setGeometry(1, b.top, 155, 22);
        m_repeat->AddButton(button, b.tag);
    }
    connect(m_repeat, &TAutoRepeat::Forward, m_strip, &TCalendarStrip::ScrollForward);
    connect(m_repeat, &TAutoRepeat::Back, m_strip, &TCalendarStrip::ScrollBack);
    return area;
}

QWidget *TKalendariumPage::createBottomBar()
{
    m_bottom = new QWidget(this);
    m_bottom->setObjectName(QStringLiteral("pnKalendarumBottom"));
    m_bottom->setFixedHeight(BottomHeight);
    auto *gradient = new QLabel(m_bottom);
    gradient->setObjectName(QStringLiteral("lbKalendarium"));
    gradient->setStyleSheet(QStringLiteral("QLabel { background: qlineargradient(x1:0, y1:0, x2:1, "
                                           "y2:0, stop:0 black, stop:1 blue); }"));
    gradient->lower();

    m_range = new QLabel(QStringLiteral("1000 - 1997"), m_bottom);
    m_range->setObjectName(QStringLiteral("KalendLabel"));
    m_range->setStyleSheet(
        QStringLiteral("QLabel { color: white; font: bold italic 16px 'Arial'; }"));
    m_range->setGeometry(6, 0, 130, BottomHeight);
    connect(m_strip, &TCalendarStrip::RangeChanged, m_range, &QLabel::setText);

    m_sortButtons = new QButtonGroup(m_bottom);
    const struct
    {
        const char16_t *text;
        int width;
    } sorts[] = {{u"Chronologicznie", 104}, {u"Kategoriami", 88}, {u"Typem", 60}};
    int left = 140;
    for (int tag = 1; tag <= 3; ++tag) {
        auto *button = new TGlyphButton(m_bottom);
        button->setObjectName(QStringLiteral("btKSort%1").arg(tag));
        button->setText(QString::fromUtf16(sorts[tag - 1].text));
        button->SetTag(tag);
        button->setCheckable(true);
        button->setChecked(tag == 1);
        button->setGeometry(left, 3, sorts[tag - 1].width, 23);
        left += sorts[tag - 1].width + 2;
        m_sortButtons->addButton(button, tag);
        connect(button, &QAbstractButton::clicked, this, [this, tag] { btKSort1Click(tag); });
    }

    m_legendButton = new TGlyphButton(m_bottom);
    m_legendButton->setObjectName(QStringLiteral("btLegenda"));
    m_legendButton->setText(QStringLiteral("Legenda"));
    m_legendButton->resize(70, 23);
    connect(m_legendButton, &QAbstractButton::clicked, this, &TKalendariumPage::btLegendaClick);
    m_bottom->installEventFilter(this);
    return m_bottom;
}

bool TKalendariumPage::eventFilter(QObject *watched, QEvent *event)
{
    // pnKalendarumBottomResize: the legend's button keeps to the bar's right edge.
    if (watched == m_bottom && event->type() == QEvent::Resize) {
        m_legendButton->move(m_bottom->width() - m_legendButton->width() - 4, 3);
        m_bottom->findChild<QLabel *>(QStringLiteral("lbKalendarium"))
            ->setGeometry(m_bottom->rect());
    }
    return TIndexPage::eventFilter(watched, event);
}

QImage TKalendariumPage::imageList() const
{
    return m_imageList->Picture();
}

void TKalendariumPage::applyTypeGlyphs()
{
    const QRgb face = palette().color(QPalette::Button).rgb();
    for (int type = 1; type <= m_typeButtons.size(); ++type) {
        // The glyph's transparent colour is its bottom-left pixel: only that pixel is the
        // button face, the swatch stays opaque.
        QImage glyph = m_legend->TypeSwatch(type).convertToFormat(QImage::Format_RGB32);
        glyph.setPixel(0, glyph.height() - 1, face);
        m_typeButtons[type - 1]->SetGlyph(glyph, 1);
    }
}

void TKalendariumPage::ApplyDocumentLook(const Preferences &prefs)
{
    // The skin has been read by now: the strip takes its icons with the document font.
    m_strip->SetDocumentFont(QFont(prefs.docFont, prefs.docFontSize));
    m_strip->SetImageList(imageList());
}

void TKalendariumPage::PageShown()
{
    if (m_list.Count() == 0)
        LoadCalendar();
}

void TKalendariumPage::CancelPending()
{
    m_legend->close();
}

void TKalendariumPage::LoadCalendar()
{
    TPSSDirectory *directory = Directory();
    if (!directory)
        return;
    m_strip->SetDirectory(directory);
    ReportingErrors([this, directory] {
        {
            const LoadingGuard loading(QStringLiteral("Trwa ładowanie danych..."));
            // A load that fails leaves the list empty, so the next visit loads again.
            auto dropEvents = qScopeGuard([this] { m_list.Clear(); });
            CalendarEvents::Load(*directory, m_list);
            setProgressText(QStringLiteral("Trwa sortowanie..."));
            CalendarEvents::SortLoaded(m_list,
                                       CalendarEvents::SortButton(m_sortButtons->checkedId()));
            dropEvents.dismiss();
        }
        m_strip->SetTopEvent(0);
        m_strip->SetLastEvent(0);
        m_strip->FillCalendarView();
    });
}

void TKalendariumPage::btKSort1Click(int tag)
{
    {
        const LoadingGuard sorting(QStringLiteral("Trwa sortowanie..."),
                                   LoadingGuard::Hourglass | LoadingGuard::Progress);
        m_list.SortBy(TKalendarList::SortKey(tag - 1));
    }
    m_strip->SetTopEvent(0);
    m_strip->SetLastEvent(0);
    m_notebook->setCurrentIndex(tag - 1);
    ReportingErrors([this] { m_strip->FillCalendarView(); });
}

void TKalendariumPage::btKalendKat1Click(int category)
{
    const int position = m_list.FindNearest(TKalendarList::InCategory, 0, category);
    m_categoryFilter = category;
    if (position != -1) {
        m_strip->SetTopEvent(position);
        ReportingErrors([this] { m_strip->FillCalendarView(); });
    }
}

void TKalendariumPage::btKalendTyp1Click(int type)
{
    const int position = m_list.FindNearest(TKalendarList::OfType, 0, type);
    m_typeFilter = type;
    if (position != -1) {
        m_strip->SetTopEvent(position);
        ReportingErrors([this] { m_strip->FillCalendarView(); });
    }
}

void TKalendariumPage::btKalendSearchClick()
{
    bool number = false;
    int year = m_edit->text().toInt(&number, 10);
    if (!number)
        year = 0;
    int position = -1;
    switch (m_notebook->currentIndex()) {
    case Latami:
        position = m_list.FindNearest(TKalendarList::AnyEvent, year);
        break;
    case Kategoriami:
        position = m_list.FindNearest(TKalendarList::InCategory, year, m_categoryFilter);
        break;
    case Typami:
        position = m_list.FindNearest(TKalendarList::OfType, year, m_typeFilter);
        break;
    }
    if (position != -1) {
        m_strip->SetTopEvent(position);
        ReportingErrors([this] { m_strip->FillCalendarView(); });
    }
}

void TKalendariumPage::btLegendaClick()
{
    m_legend->puKalendariumOpen(imageList());
    m_legend->OpenAt(m_legendButton, m_scrollButtons);
}

void TKalendariumPage::SuperPanelMouseDown(int position)
{
    // Each press looks its work up afresh: a lookup that finds none opens nothing, rather
    // than the work of an earlier click.
    m_superPanel->clear();
    TPulpit *pulpit = Pulpit();
    TPSSDirectory *directory = Directory();
    if (!pulpit || !directory || pulpit->Opening())
        return;
    QString work;
    ReportingErrors([&] {
        pulpit->SetOpening(true);
        const auto release = qScopeGuard([pulpit] { pulpit->SetOpening(false); });
        TKalendarRecord record;
        QStringList fields;
        if (m_list.GetRecord(position, record) &&
            directory->ReadFields(record.Typ, record.Numer, fields))
            work = TextLines::fieldValue(fields, CategoryTable::Works);
    });
    if (!work.isEmpty())
        m_superPanel->setText(work);
}

void TKalendariumPage::SuperPanelMouseUp()
{
    const QString work = m_superPanel->text();
    TPulpit *pulpit = Pulpit();
    if (work.isEmpty() || !pulpit)
        return;
    m_legend->close();
    pulpit->OpenDocument(CategoryTable::Works, work);
}
