#include "THTMLViewer.h"

#include "THTMLViewerAccessible.h"

#include "html/DocumentPrinter.h"
#include "html/FormControlPainter.h"
#include "html/PageResources.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocumentFragment>

namespace {

bool declaresUtf8(const QByteArray &html)
{
    static const QRegularExpression charset(QStringLiteral(R"(charset\s*=\s*["']?\s*utf-?8)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return charset.match(QString::fromLatin1(html.left(2048))).hasMatch();
}

// Help pages are UTF-8 when they are valid UTF-8 or say so, else in the content's code page.
QString decodeHtmlFile(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError() || declaresUtf8(bytes))
        return text;
    QStringDecoder windows1250("windows-1250");
    return windows1250.isValid() ? windows1250.decode(bytes) : QString::fromLatin1(bytes);
}

QImage withTransparentColour(const QImage &picture, const QColor &transparent)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent.rgb() & RGB_MASK;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & RGB_MASK) == key)
                line[x] = 0;
        }
    }
    return image;
}

QString cssFamily(const QString &name)
{
    QString quoted = name;
    quoted.remove(u'\'');
    return u'\'' + quoted + u'\'';
}

} // namespace

THTMLViewer::THTMLViewer(QWidget *parent)
    : QTextBrowser(parent), m_background(palette().color(QPalette::Base)),
      m_fontColor(palette().color(QPalette::Text))
{
    // Links are reported, never followed.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    document()->setUndoRedoEnabled(false);
    THTMLViewerAccessible::Install();
    connect(this, &QTextBrowser::anchorClicked, this, &THTMLViewer::onAnchorClicked);
    applyPalette();
    applyFont();
    document()->setDefaultStyleSheet(styleSheet());
}

void THTMLViewer::LoadStrings(const QStringList &lines)
{
    load(lines.join(u'\n'));
}

void THTMLViewer::LoadFromFile(const QString &path)
{
    QFile file(path);
    load(file.open(QIODevice::ReadOnly) ? decodeHtmlFile(file.readAll()) : QString());
}

void THTMLViewer::load(const QString &html)
{
    m_page = PreparedPage::prepare(html);
    m_hasPage = true;
    m_images.clear();
    render();
}

void THTMLViewer::render()
{
    // Clearing also drops the control pictures put in place by clicks.
    document()->clear();
    document()->setDefaultStyleSheet(styleSheet());
    setHtml(m_page.html);
}

void THTMLViewer::rerender()
{
    if (m_hasPage)
        render();
}

QString THTMLViewer::styleSheet() const
{
    return QStringLiteral("a[href] { color: %1; }\npre, tt, code, kbd, samp { font-family: %2; }")
        .arg(m_hotSpotColor.name(), cssFamily(m_preFontName));
}

void THTMLViewer::applyPalette()
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, m_background);
    colours.setColor(QPalette::Window, m_background);
    colours.setColor(QPalette::Text, m_fontColor);
    colours.setColor(QPalette::Link, m_hotSpotColor);
    setPalette(colours);
}

void THTMLViewer::applyFont()
{
    // The document takes its default font from the widget's.
    QFont documentFont = font();
    documentFont.setFamilies({m_fontName});
    documentFont.setPointSize(m_fontSize);
    setFont(documentFont);
}

void THTMLViewer::SetDefBackground(const QColor &color)
{
    m_background = color;
    applyPalette();
}

QColor THTMLViewer::DefBackground() const
{
    return m_background;
}

void THTMLViewer::SetDefFontColor(const QColor &color)
{
    m_fontColor = color;
    applyPalette();
}

QColor THTMLViewer::DefFontColor() const
{
    return m_fontColor;
}

void THTMLViewer::SetDefFontName(const QString &name)
{
    if (name == m_fontName)
        return;
    m_fontName = name;
    applyFont();
    rerender();
}

QString THTMLViewer::DefFontName() const
{
    return m_fontName;
}

void THTMLViewer::SetDefFontSize(int points)
{
    if (points == m_fontSize || points <= 0)
        return;
    m_fontSize = points;
    applyFont();
    rerender();
}

int THTMLViewer::DefFontSize() const
{
    return m_fontSize;
}

void THTMLViewer::SetDefHotSpotColor(const QColor &color)
{
    if (color == m_hotSpotColor)
        return;
    m_hotSpotColor = color;
    applyPalette();
    // Link colours are settled when the page is parsed.
    rerender();
}

QColor THTMLViewer::DefHotSpotColor() const
{
    return m_hotSpotColor;
}

void THTMLViewer::SetDefPreFontName(const QString &name)
{
    if (name == m_preFontName)
        return;
    m_preFontName = name;
    rerender();
}

QString THTMLViewer::DefPreFontName() const
{
    return m_preFontName;
}

void THTMLViewer::SetViewImages(bool on)
{
    if (on == m_viewImages)
        return;
    m_viewImages = on;
    rerender();
}

bool THTMLViewer::ViewImages() const
{
    return m_viewImages;
}

void THTMLViewer::SetNoSelect(bool on)
{
    m_noSelect = on;
    if (on) {
        SetSelLength(0);
        setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    } else {
        setTextInteractionFlags(Qt::TextBrowserInteraction);
    }
}

bool THTMLViewer::NoSelect() const
{
    return m_noSelect;
}

void THTMLViewer::SetPrintMargins(double left, double top, double right, double bottom)
{
    m_printMargins = QMarginsF(left, top, right, bottom);
}

void THTMLViewer::SelectAll()
{
    selectAll();
}

void THTMLViewer::CopyToClipboard()
{
    QString text = textCursor().selection().toPlainText();
    // Pictures stand in the text as replacement characters.
    text.remove(QChar::ObjectReplacementCharacter);
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

int THTMLViewer::SelLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void THTMLViewer::SetSelLength(int length)
{
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    if (length > 0) {
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        cursor.setPosition(qMin(start + length, end.position()), QTextCursor::KeepAnchor);
    }
    setTextCursor(cursor);
}

int THTMLViewer::Print(QPrinter &printer, int fromPage, int toPage)
{
    return DocumentPrinter(*document(), m_printMargins).print(printer, fromPage, toPage);
}

QVariant THTMLViewer::loadResource(int type, const QUrl &name)
{
    // Nothing is ever read from disk or network: pictures come from the form controls and
    // from whoever answers BitmapRequest.
    if (type != QTextDocument::ImageResource)
        return {};
    const int control = PageResources::indexIn(name, PageResources::formScheme);
    if (control >= 0)
        return formControlPicture(control);
    const int image = PageResources::indexIn(name, PageResources::imageScheme);
    if (image >= 0)
        return image < m_page.imageSources.size() ? requestedImage(m_page.imageSources.at(image))
                                                  : QVariant();
    return requestedImage(name.toString()); // a background picture, say
}

QVariant THTMLViewer::requestedImage(const QString &source)
{
    if (!m_viewImages)
        return {};
    auto cached = m_images.constFind(source);
    if (cached == m_images.constEnd()) {
        QImage image;
        QColor transparent;
        Q_EMIT BitmapRequest(source, &image, &transparent);
        if (!image.isNull() && transparent.isValid())
            image = withTransparentColour(image, transparent);
        cached = m_images.insert(source, image);
    }
    // A null answer leaves Qt to draw its placeholder.
    return cached->isNull() ? QVariant() : QVariant(*cached);
}

QVariant THTMLViewer::formControlPicture(int index) const
{
    if (index >= m_page.forms.count())
        return {};
    const HtmlForms::Control &control = m_page.forms.control(index);
    const FormControlPainter painter(*this);
    return control.kind == HtmlForms::Kind::CheckBox ? painter.checkBox(control.checked)
                                                     : painter.submitButton(control.label);
}

void THTMLViewer::doSetSource(const QUrl &, QTextDocument::ResourceType)
{
    // The view shows only what it is given.
}

void THTMLViewer::onAnchorClicked(const QUrl &url)
{
    // The URL is a parsed copy of the link; the handler wants the target as written.
    m_linkClicked = !m_releasedAnchor.isEmpty();
    QString href = m_linkClicked ? m_releasedAnchor : selectedAnchor();
    if (href.isEmpty())
        href = url.toString();
    follow(href);
}

void THTMLViewer::FollowLink(int position)
{
    const QString href = hrefAt(position);
    if (!href.isEmpty())
        follow(href);
}

void THTMLViewer::follow(const QString &href)
{
    const int control = PageResources::indexIn(href, PageResources::formScheme);
    if (control >= 0 && control < m_page.forms.count()) {
        PressFormControl(control);
        return;
    }
    bool handled = false;
    Q_EMIT HotSpotClick(href, &handled);
}

QString THTMLViewer::selectedAnchor() const
{
    // A link activated from the keyboard is the selection.
    const QTextCursor selection = textCursor();
    return selection.hasSelection() ? hrefAt(selection.selectionStart()) : QString();
}

QString THTMLViewer::hrefAt(int position) const
{
    // A cursor takes the format of the character before it.
    QTextCursor cursor(document());
    cursor.setPosition(qBound(0, position + 1, document()->characterCount() - 1));
    return cursor.charFormat().anchorHref();
}

void THTMLViewer::PressFormControl(int index)
{
    if (m_page.forms.control(index).kind == HtmlForms::Kind::SubmitButton) {
        submit(index);
        return;
    }
    m_page.forms.toggle(index);
    document()->addResource(QTextDocument::ImageResource,
                            QUrl(PageResources::name(PageResources::formScheme, index)),
                            formControlPicture(index));
    viewport()->update();
    Q_EMIT FormControlToggled(index);
}

void THTMLViewer::submit(int button)
{
    // The handler may load another page at once.
    const HtmlForms::Form form = m_page.forms.formOf(button);
    const QStringList results = m_page.forms.submission(button);
    Q_EMIT FormSubmit(form.action, form.target, results);
}

int THTMLViewer::acceleratedButton(const QKeyEvent &event) const
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return -1;
    if (!event.text().isEmpty()) {
        const int button = m_page.forms.buttonForAccelerator(event.text().at(0));
        if (button >= 0)
            return button;
    }
    // With Alt held the event may carry no text; Latin letters and digits are their key codes.
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return m_page.forms.buttonForAccelerator(QChar(key));
    return -1;
}

bool THTMLViewer::event(QEvent *event)
{
    // An accelerator of the page goes before a shortcut of the window with the same keys.
    if (event->type() == QEvent::ShortcutOverride &&
        acceleratedButton(*static_cast<QKeyEvent *>(event)) >= 0) {
        event->accept();
        return true;
    }
    return QTextBrowser::event(event);
}

void THTMLViewer::keyPressEvent(QKeyEvent *event)
{
    // Space presses the form control reached with Tab, as it would a real one.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        const int control = PageResources::indexIn(selectedAnchor(), PageResources::formScheme);
        if (control >= 0 && control < m_page.forms.count()) {
            event->accept();
            PressFormControl(control);
            return;
        }
    }
    const int button = acceleratedButton(*event);
    if (button < 0) {
        QTextBrowser::keyPressEvent(event);
        return;
    }
    event->accept();
    submit(button);
}

void THTMLViewer::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT MouseDown(event);
    QTextBrowser::mousePressEvent(event);
}

void THTMLViewer::mouseDoubleClickEvent(QMouseEvent *event)
{
    Q_EMIT MouseDown(event);
    QTextBrowser::mouseDoubleClickEvent(event);
}

void THTMLViewer::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT MouseUp(event);
    // A click on a link reaches onAnchorClicked from within the default handling.
    m_releasedAnchor = anchorAt(event->position().toPoint());
    m_linkClicked = false;
    QTextBrowser::mouseReleaseEvent(event);
    m_releasedAnchor.clear();
    if (m_linkClicked) {
        // Qt selects a clicked link as if it had been reached with Tab; a click selects nothing.
        QTextCursor cursor = textCursor();
        cursor.clearSelection();
        setTextCursor(cursor);
    }
}
