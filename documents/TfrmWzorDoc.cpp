#include "TfrmWzorDoc.h"

#include "CategoryTable.h"
#include "DocumentTemplates.h"
#include "Globals.h"
#include "Paths.h"
#include "TFindBar.h"
#include "THTMLViewer.h"
#include "TItemInfo.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TScrollBanner.h"
#include "TextLines.h"

#include <QAction>
#include <QCloseEvent>
#include <QMainWindow>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int HelpContext = 4030;
constexpr int FindHelpContext = 4051;

} // namespace

TfrmWzorDoc::TfrmWzorDoc(QWidget *parent) : TfrmWzorBazowy(parent)
{
    m_busy = true;
    // F1 anywhere in the window shows its help; the HTML view and the bar have the same.
    setProperty("helpContext", HelpContext);
    m_backColor = QColor(0, 0, 128);
    m_textColor = palette().color(QPalette::ButtonText);
    if (TPulpit *pulpit = Pulpit()) {
        m_docFontName = pulpit->Prefs().docFont;
        m_docFontSize = pulpit->Prefs().docFontSize;
    } else {
        m_docFontName = Preferences().docFont;
        m_docFontSize = Preferences().docFontSize;
    }
    m_linkColor = QColor(0, 0, 255);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_bar = new TRelatedEntryBar(this);
    connect(m_bar, &TRelatedEntryBar::soundPlayed, this, &TfrmWzorDoc::SetLastSound);
    layout->addWidget(m_bar);

    // The strip docks at the left and may be moved to the right edge.
    m_body = new QMainWindow(this);
    // A main window is made a window of its own; this one lives inside the document.
    m_body->setWindowFlags(Qt::Widget);
    m_body->setObjectName(QStringLiteral("Body"));
    m_html = new THTMLViewer(m_body);
    m_html->setAccessibleName(QStringLiteral("Treść dokumentu"));
    m_html->setObjectName(QStringLiteral("HT1"));
    m_html->SetHelpContext(HelpContext);
    m_html->setProperty("helpContext", HelpContext);
    m_html->setFrameShape(QFrame::NoFrame);
    m_html->viewport()->setCursor(Qt::IBeamCursor);
    m_body->setCentralWidget(m_html);
    m_strip = new TThumbnailStrip(m_body);
    layout->addWidget(m_body, 1);
    // Under the text and the strip, as wide as the window.
    m_findBar = new TFindBar(m_html, this, this);
    m_findBar->setProperty("helpContext", FindHelpContext);
    layout->addWidget(m_findBar);
    createPopup();

    connect(m_html, &THTMLViewer::HotSpotClick, this, &TfrmWzorDoc::HT1HotSpotClick);
    connect(m_html, &THTMLViewer::BitmapRequest, this, &TfrmWzorDoc::HT1BitmapRequest);
    connect(m_html, &THTMLViewer::MouseDown, this, [this] {
        if (TPulpit *pulpit = Pulpit(); pulpit && pulpit->HelpMode())
            pulpit->ShowContextHelp(m_html);
    });
    ApplyLook();
}

void TfrmWzorDoc::createPopup()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    const auto add = [this](const char *name, const QString &text, auto &&slot) {
        QAction *action = m_popup->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    // The shortcuts are the main window's; the menu only shows them.
    add("Drukowaniedokumentu1", QStringLiteral("Drukowanie dokumentu\tCtrl+P"), [this] {
        if (TPulpit *pulpit = Pulpit())
            pulpit->RunCommand(this, &TPulpit::btDrukujClick);
    });
    add("Kopiowaniedoschowka1", QStringLiteral("Kopiowanie do schowka\tCtrl+C"), [this] {
        if (TPulpit *pulpit = Pulpit())
            pulpit->RunCommand(this, &TPulpit::btKopiujClick);
    });
    m_popup->addSeparator();
    add("Pokaindeks1", QStringLiteral("Pokaż indeks\tCtrl+I"), [this] {
        if (TPulpit *pulpit = Pulpit())
            pulpit->RunCommand(this, &TPulpit::btIndeksClick);
    });
    m_popup->addSeparator();
    add("Zamkniciedokumentu1", QStringLiteral("Zamknięcie dokumentu"), [this] {
        if (parentWidget())
            parentWidget()->close();
        else
            close();
    });
    m_popup->addSeparator();
    add("Cotojest1", QStringLiteral("Co to jest?"), [] {
        if (TPulpit *pulpit = Pulpit())
            pulpit->SetHelpMode(true);
    });
    m_html->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_html, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popup->popup(m_html->mapToGlobal(pos)); });
}

void TfrmWzorDoc::SetBackColor(const QColor &color)
{
    if (color != m_backColor) {
        m_backColor = color;
        ApplyLook();
    }
}

void TfrmWzorDoc::SetTextColor(const QColor &color)
{
    if (color != m_textColor) {
        m_textColor = color;
        ApplyLook();
    }
}

void TfrmWzorDoc::SetLinkColor(const QColor &color)
{
    if (color != m_linkColor) {
        m_linkColor = color;
        ApplyLook();
    }
}

void TfrmWzorDoc::SetDocFontName(const QString &name)
{
    if (name != m_docFontName) {
        m_docFontName = name;
        ApplyLook();
    }
}

void TfrmWzorDoc::SetDocFontSize(int points)
{
    if (points != m_docFontSize) {
        m_docFontSize = points;
        ApplyLook();
    }
}

void TfrmWzorDoc::ApplyDocumentLook(const Preferences &prefs)
{
    SetDocFontSize(prefs.docFontSize);
    SetDocFontName(prefs.docFont);
}

bool TfrmWzorDoc::Print(QPrinter &printer)
{
    return m_html->Print(printer, 0, 999) > 0;
}

void TfrmWzorDoc::CopyToClipboard()
{
    if (m_html->SelLength() > 0) {
        m_html->CopyToClipboard();
        return;
    }
    // Selecting and clearing move the text cursor; the reader keeps the place he reads.
    QScrollBar *scroll = m_html->verticalScrollBar();
    const int position = scroll->value();
    m_html->SelectAll();
    m_html->CopyToClipboard();
    m_html->SetSelLength(0);
    scroll->setValue(position);
}

void TfrmWzorDoc::SetLastSound(const QString &name)
{
    if (name != m_lastSound)
        m_lastSound = name;
}

void TfrmWzorDoc::FindInPage()
{
    m_findBar->Open();
}

void TfrmWzorDoc::FindAgain(bool backwards)
{
    if (backwards)
        m_findBar->FindPrevious();
    else
        m_findBar->FindNext();
}

void TfrmWzorDoc::ShowFound(const QString &text)
{
    m_findBar->Find(text);
}

void TfrmWzorDoc::ApplyLook()
{
    m_html->SetDefBackground(m_backColor);
    m_html->SetDefFontColor(m_textColor);
    m_html->SetDefFontSize(m_docFontSize);
    m_html->SetDefFontName(m_docFontName);
    m_html->SetDefHotSpotColor(m_linkColor);
    m_html->SetNoSelect(false);
    m_bar->applyLook(m_backColor, m_textColor);

    // The strip is the window's colour to its edges: its dock's handle and the separator
    // beside it show the body behind them.
    QPalette strip = m_body->palette();
    strip.setColor(QPalette::Window, m_backColor);
    m_body->setPalette(strip);
    m_body->setAutoFillBackground(true);
    m_strip->setBackground(strip);
}

void TfrmWzorDoc::LoadDocument(const QString &typ, const QString &numer)
{
    m_busy = true;
    TPSSDirectory *directory = Directory();
    QStringList fields;
    if (!directory || !directory->ReadFields(typ, numer, fields))
        return;

    m_bar->load(fields, *directory);
    QString illustrations = TextLines::fieldValue(fields, CategoryTable::Illustrations);
    RemoveSpaces(illustrations);
    m_strip->load(illustrations);
    ApplyLook();
}

void TfrmWzorDoc::focusInEvent(QFocusEvent *event)
{
    // The window hands its focus to the text. Not as a focus proxy: Tab would stop at the
    // window, and so at the text, a second time on its way round.
    TfrmWzorBazowy::focusInEvent(event);
    m_html->setFocus(event->reason());
}

void TfrmWzorDoc::HT1HotSpotClick(const QString &target, bool *handled)
{
    // The identifier is the 32 characters before the first "?", or the first 32 when there
    // are fewer before it or there is no "?".
    QString upper = target;
    for (QChar &c : upper) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    const qsizetype question = upper.indexOf(u'?') + 1;
    const qsizetype start = std::max<qsizetype>(question - TItemInfo::UnidWidth, 1);
    const QString unid = upper.mid(start - 1, TItemInfo::UnidWidth);
    if (TPSSDirectory *directory = Directory()) {
        if (const TItemInfo *item = directory->FindByUnid(unid))
            if (TPulpit *pulpit = Pulpit())
                pulpit->OpenDocument(item->Typ(), item->Numer());
    }
    *handled = true;
}

void TfrmWzorDoc::HT1BitmapRequest(const QString &source, QImage *image, QColor *transparent)
{
    const QString path = Paths::pictureInBmps(source);
    if (path.isEmpty())
        return;
    const QImage picture(path);
    if (picture.isNull())
        return;
    *image = picture;
    *transparent = QColor(255, 255, 255);
}

void TfrmWzorDoc::EnableBanner()
{
    m_bar->enableBanner();
}

void TfrmWzorDoc::LayoutBanner()
{
    m_bar->layoutBanner();
}

void TfrmWzorDoc::BannerStep()
{
    if (TScrollBanner *banner = PM1())
        banner->Tick();
}

void TfrmWzorDoc::SetBody(QWidget *body)
{
    m_body->takeCentralWidget();
    m_body->setCentralWidget(body);
}

void TfrmWzorDoc::HideGradient()
{
    m_bar->hideGradient();
}

void TfrmWzorDoc::LoadCategoryDocument(const QString &typ, const QString &numer)
{
    if (TPSSDirectory *directory = Directory()) {
        const DocumentTemplates::Document document =
            DocumentTemplates::BuildEntry(*directory, typ, numer);
        if (document.caption)
            setWindowTitle(*document.caption);
        if (TScrollBanner *banner = PM1(); document.banner && banner) {
            // Laid out first: the text starts at the banner's width as it is when set.
            LayoutBanner();
            banner->SetTextColor(m_textColor);
            banner->SetText(*document.banner);
        }
        if (document.lines)
            m_html->LoadStrings(*document.lines);
    }
}

void TfrmWzorDoc::FormDeactivate()
{
    if (TPulpit *pulpit = Pulpit())
        pulpit->StopSound();
}

void TfrmWzorDoc::closeEvent(QCloseEvent *event)
{
    if (m_busy) {
        event->ignore();
        return;
    }
    if (TPulpit *pulpit = Pulpit())
        pulpit->StopSound();
    TfrmWzorBazowy::closeEvent(event);
}
