#include "TfrmWzorDoc.h"

#include "AppIcons.h"
#include "DocumentTemplates.h"
#include "FocusFrame.h"
#include "Globals.h"
#include "LinkMenu.h"
#include "LoadingGuard.h"
#include "Paths.h"
#include "TItemInfo.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TFindBar.h"
#include "THTMLViewer.h"
#include "TScrollBanner.h"
#include "TToolbarButton97.h"
#include "TextLines.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int HelpContext = 4030;
constexpr int BarHeight = 38;
constexpr int ButtonWidth = 44;
constexpr int ButtonHeight = 34;
constexpr int ButtonPitch = 46;
constexpr int IconSide = 30;

struct ButtonInfo
{
    const char *name;
    const char16_t *hint;
    const char16_t *typ;     // empty: no related category
    const char16_t *caption; // caption field of the linked entries
};

constexpr ButtonInfo Buttons[TfrmWzorDoc::ButtonCount] = {
    {"btDziela", u"Powiązane dzieła", u"_19701", u"Tytuł"},
    {"btBiogramy", u"Powiązane biogramy", u"_19702", u"Autor"},
    {"btEpoki", u"Powiązane epoki literackie", u"_19703", u"Epoka"},
    {"btRodzaje", u"Powiązane rodzaje literackie", u"_19714", u"Rodzaj"},
    {"btGatunki", u"Powiązane gatunki literackie", u"_19704", u"Gatunek"},
    {"btWypisy", u"Powiązane wypisy z literatury", u"_19706", u"Fagment_disp"},
    {"btCytaty", u"Powiązane cytaty", u"_19720", u"Źródło"},
    {"btWypowiedz", u"Powiązane fragmenty dźwiękowe", u"_19721", u"Tytuł"},
    {"btIlustracje", u"Powiązane ilustracje", u"", u""},
    {"btBohaterowie", u"Powiązani bohaterowie literaccy", u"_19799", u"Nazwa"},
};

// The bar behind the buttons: a vertical gradient from black to the window's background.
class GradientBar : public QWidget
{
public:
    using QWidget::QWidget;
    QColor endColor = QColor(0, 0, 128);
    bool gradient = true;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        if (!gradient) {
            p.fillRect(rect(), Qt::black);
            return;
        }
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, Qt::black);
        gradient.setColorAt(1, endColor);
        p.fillRect(rect(), gradient);
    }
};

// A thumbnail: the picture unscaled from the top-left corner, opening its illustration when
// clicked, or from the keyboard with Enter or Space.
class Thumbnail : public QLabel
{
public:
    std::function<void()> onClick;
    explicit Thumbnail(QWidget *parent) : QLabel(parent) { setFocusPolicy(Qt::StrongFocus); }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick)
            onClick();
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        const int key = event->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && onClick)
            onClick();
        else
            QLabel::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent *event) override
    {
        QLabel::focusInEvent(event);
        for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
            if (auto *area = qobject_cast<QScrollArea *>(w)) {
                area->ensureWidgetVisible(this, 0, 0);
                break;
            }
        }
    }
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        if (hasFocus()) {
            QPainter painter(this);
            FocusFrame::Paint(painter, rect());
        }
    }
};

} // namespace

TfrmWzorDoc::TfrmWzorDoc(QWidget *parent) : TfrmWzorBazowy(parent)
{
    m_busy = true;
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
    createBar();
    layout->addWidget(m_panel);

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
    createStrip();
    layout->addWidget(m_body, 1);
    // Under the text and the strip, as wide as the window.
    m_findBar = new TFindBar(m_html, this, this);
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

void TfrmWzorDoc::createBar()
{
    auto *bar = new GradientBar(this);
    bar->setObjectName(QStringLiteral("Panel1"));
    bar->setProperty("helpContext", HelpContext);
    bar->setFixedHeight(BarHeight);
    m_panel = bar;
    for (int i = 0; i < ButtonCount; ++i) {
        const ButtonInfo &info = Buttons[i];
        auto *button = new TToolbarButton97(bar);
        button->setObjectName(QLatin1String(info.name));
        const QString hint = QString::fromUtf16(info.hint);
        button->setToolTip(hint);
        button->setStatusTip(hint);
        button->setAccessibleName(hint);
        // The illustrations button, which links no list, still shows the illustrations' picture.
        const QString typ = QString::fromUtf16(info.typ);
        button->setIcon(AppIcons::Category(typ.isEmpty() ? QStringLiteral("_19711") : typ));
        button->setIconSize(QSize(IconSide, IconSide));
        button->setAutoRaise(true);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setGeometry(2, 2, ButtonWidth, ButtonHeight);
        button->setCursor(Qt::PointingHandCursor);
        button->hide();
        m_buttons[i] = button;
    }
}

void TfrmWzorDoc::createStrip()
{
    m_strip = new QDockWidget(m_body);
    m_strip->setObjectName(QStringLiteral("TWImage"));
    m_strip->setFeatures(QDockWidget::DockWidgetMovable);
    m_strip->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_thumbnails = new QScrollArea(m_strip);
    m_thumbnails->setObjectName(QStringLiteral("sbImages"));
    m_thumbnails->setFrameShape(QFrame::NoFrame);
    m_thumbnails->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_thumbnails->setWidgetResizable(false);
    m_thumbnailPage = new QWidget;
    m_thumbnailPage->setAutoFillBackground(false);
    m_thumbnails->setWidget(m_thumbnailPage);
    m_thumbnails->viewport()->installEventFilter(this);
    m_thumbnails->setFixedWidth(ThumbnailPitch);
    m_strip->setWidget(m_thumbnails);
    m_body->addDockWidget(Qt::LeftDockWidgetArea, m_strip);
    // The thumbnails are the stops; the area only scrolls them into sight.
    m_thumbnails->setFocusPolicy(Qt::NoFocus);
    connect(m_strip, &QDockWidget::dockLocationChanged, this, &TfrmWzorDoc::orderTabStops);
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

void TfrmWzorDoc::ApplyLook()
{
    m_html->SetDefBackground(m_backColor);
    m_html->SetDefFontColor(m_textColor);
    m_html->SetDefFontSize(m_docFontSize);
    m_html->SetDefFontName(m_docFontName);
    m_html->SetDefHotSpotColor(m_linkColor);
    m_html->SetNoSelect(false);
    static_cast<GradientBar *>(m_panel)->endColor = m_backColor;
    m_panel->update();

    int visible = 0;
    for (QToolButton *button : m_buttons) {
        if (button->isHidden())
            continue;
        button->move(2 + ButtonPitch * visible, button->y());
        button->setCursor(Qt::PointingHandCursor);
        QPalette pal = button->palette();
        pal.setColor(QPalette::ButtonText, m_textColor);
        button->setPalette(pal);
        ++visible;
    }
    m_panel->setVisible(visible > 0);

    // The strip is the window's colour to its edges: its dock's handle and the separator
    // beside it show the body behind them.
    QPalette strip = m_body->palette();
    strip.setColor(QPalette::Window, m_backColor);
    m_body->setPalette(strip);
    m_body->setAutoFillBackground(true);
    m_thumbnails->setPalette(strip);
    m_thumbnails->viewport()->setPalette(strip);
    m_thumbnails->viewport()->setAutoFillBackground(true);
}

void TfrmWzorDoc::LoadDocument(const QString &typ, const QString &numer)
{
    m_busy = true;
    TPSSDirectory *directory = Directory();
    QStringList fields;
    if (!directory || !directory->ReadFields(typ, numer, fields))
        return;

    for (int i = 0; i < ButtonCount; ++i) {
        const ButtonInfo &info = Buttons[i];
        const QString code = QString::fromUtf16(info.typ);
        if (code.isEmpty())
            continue;
        const auto button = Button(i);
        const auto handler = [this, button](QAction *item) {
            if (button == btWypowiedz)
                btWypowiedzClick(item);
            else
                RelatedClick(button, item);
        };
        LinkMenu::BuildMenu(m_links[i], code, TextLines::fieldValue(fields, code), handler, this,
                            QString::fromUtf16(info.caption), m_buttons[i], *directory);
    }

    QString illustrations = TextLines::fieldValue(fields, u"_19711");
    RemoveSpaces(illustrations);
    m_illustrations.LoadFromValue(QStringLiteral("_19711"), illustrations);
    if (m_illustrations.Count() == 0) {
        m_strip->hide();
    } else {
        m_strip->show();
        m_thumbnailPage->resize(ThumbnailPitch, ThumbnailPitch * m_illustrations.Count() + 1);
        for (int i = 0; i < m_illustrations.Count(); ++i)
            AddThumbnail(i);
        sbImagesResize();
        orderTabStops();
    }
    ApplyLook();
}

void TfrmWzorDoc::AddThumbnail(int index)
{
    const LoadingGuard hourglass(QString(), LoadingGuard::Hourglass);
    QString typ, numer;
    if (!m_illustrations.GetLink(index, typ, numer))
        return;
    auto *image = new Thumbnail(m_thumbnailPage);
    image->setObjectName(QStringLiteral("Thumbnail%1").arg(index));
    image->setGeometry(1, ThumbnailPitch * index + 1, ThumbnailSize, ThumbnailSize);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setProperty("tag", index);
    image->setCursor(Qt::PointingHandCursor);
    image->onClick = [this, index] { ThumbnailClick(index); };
    image->setAccessibleName(QStringLiteral("Ilustracja"));
    if (TPSSDirectory *directory = Directory()) {
        QByteArray bitmap;
        if (directory->ReadPicture(QStringLiteral("_19711"), numer, true, bitmap))
            image->setPixmap(QPixmap::fromImage(QImage::fromData(bitmap)));
        QStringList fields;
        if (directory->ReadFields(QStringLiteral("_19711"), numer, fields)) {
            const QString title = TextLines::fieldValue(fields, u"Tytuł");
            image->setToolTip(title);
            // A screen reader says the illustration's title.
            if (!title.isEmpty())
                image->setAccessibleName(title);
        }
    }
    image->show();
}

QList<QWidget *> TfrmWzorDoc::Thumbnails() const
{
    return m_thumbnailPage->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
}

void TfrmWzorDoc::focusInEvent(QFocusEvent *event)
{
    // The window hands its focus to the text. Not as a focus proxy: Tab would stop at the
    // window, and so at the text, a second time on its way round.
    TfrmWzorBazowy::focusInEvent(event);
    m_html->setFocus(event->reason());
}

void TfrmWzorDoc::orderTabStops()
{
    // Tab goes as the eye does: the thumbnails before the body when their strip stands on its
    // left, after it on the right.
    const QList<QWidget *> thumbnails = Thumbnails();
    QWidget *body = m_body->centralWidget();
    if (thumbnails.isEmpty() || !body)
        return;
    if (m_body->dockWidgetArea(m_strip) == Qt::LeftDockWidgetArea) {
        setTabOrder(thumbnails.last(), body);
        return;
    }
    QWidget *previous = body;
    for (QWidget *thumbnail : thumbnails) {
        setTabOrder(previous, thumbnail);
        previous = thumbnail;
    }
}

void TfrmWzorDoc::ThumbnailClick(int index)
{
    QString typ, numer;
    if (m_illustrations.GetLink(index, typ, numer))
        if (TPulpit *pulpit = Pulpit())
            pulpit->OpenDocument(typ, numer);
}

void TfrmWzorDoc::sbImagesResize()
{
    // The strip is as wide as a thumbnail column, plus a scroll bar when they do not all fit.
    const bool fits = m_thumbnails->viewport()->height() >= ThumbnailPitch * m_illustrations.Count();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_thumbnails);
    m_thumbnails->setFixedWidth(fits ? ThumbnailPitch : ThumbnailPitch + bar);
}

bool TfrmWzorDoc::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_thumbnails->viewport() && event->type() == QEvent::Resize)
        sbImagesResize();
    if (watched == m_panel && event->type() == QEvent::Resize && m_banner)
        m_banner->resize(m_panel->width(), m_banner->height());
    return TfrmWzorBazowy::eventFilter(watched, event);
}

void TfrmWzorDoc::RelatedClick(Button button, QAction *item)
{
    TPulpit *pulpit = Pulpit();
    if (!pulpit || pulpit->HelpTest(item))
        return;
    QString typ, numer;
    if (m_links[button].GetLink(item->data().toInt(), typ, numer))
        pulpit->OpenDocument(typ, numer);
}

void TfrmWzorDoc::btWypowiedzClick(QAction *item)
{
    TPulpit *pulpit = Pulpit();
    if (!pulpit || pulpit->HelpTest(item))
        return;
    QString typ, numer;
    if (!m_links[btWypowiedz].GetLink(item->data().toInt(), typ, numer))
        return;
    QStringList fields;
    if (!Directory() || !Directory()->ReadFields(QStringLiteral("_19721"), numer, fields))
        return;
    const QString name = TextLines::fieldValue(fields, u"Link");
    pulpit->PlayNarration(QStringLiteral("Glosy"), name);
    SetLastSound(name);
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
    if (m_banner)
        return;
    m_banner = new TScrollBanner(m_panel);
    m_banner->setObjectName(QStringLiteral("PM1"));
    m_panel->installEventFilter(this);
    m_banner->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TfrmWzorDoc::LayoutBanner()
{
    if (!m_banner)
        return;
    const int h = TScrollBanner::SampleTextHeight();
    m_banner->setGeometry(0, 0, m_panel->width(), h);
    m_panel->setFixedHeight(h + 34);
    for (QToolButton *button : m_buttons)
        button->move(button->x(), h + 2);
}

void TfrmWzorDoc::BannerStep()
{
    if (m_banner)
        m_banner->Tick();
}

void TfrmWzorDoc::SetBody(QWidget *body)
{
    m_body->takeCentralWidget();
    m_body->setCentralWidget(body);
}

void TfrmWzorDoc::HideGradient()
{
    static_cast<GradientBar *>(m_panel)->gradient = false;
    m_panel->update();
}

void TfrmWzorDoc::LoadCategoryDocument(const QString &typ, const QString &numer)
{
    if (TPSSDirectory *directory = Directory()) {
        const DocumentTemplates::Document document = DocumentTemplates::BuildEntry(*directory, typ, numer);
        if (document.caption)
            setWindowTitle(*document.caption);
        if (document.banner && m_banner) {
            // Laid out first: the text starts at the banner's width as it is when set.
            LayoutBanner();
            m_banner->SetTextColor(m_textColor);
            m_banner->SetText(*document.banner);
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
