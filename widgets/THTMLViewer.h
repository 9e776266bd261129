#pragma once

#include "html/PreparedPage.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QMarginsF>
#include <QStringList>
#include <QTextBrowser>

class QPrinter;

// The HTML view of every window that shows formatted text. It renders the simple HTML of the
// content and the templates, never navigates by itself (a link click is only reported),
// asks for the pictures of image elements, and turns forms with check boxes and a submit
// button into working controls whose submission is reported as name=value lines.
class THTMLViewer : public QTextBrowser
{
    Q_OBJECT

public:
    explicit THTMLViewer(QWidget *parent = nullptr);

    // The lines joined with line breaks form one HTML text; it may start with markup such as
    // a heading, without head or body.
    void LoadStrings(const QStringList &lines);
    void LoadFromFile(const QString &path);

    // The default look, for what the document does not style itself. Changing the font name
    // or size renders the current document again.
    void SetDefBackground(const QColor &color);
    QColor DefBackground() const;
    void SetDefFontColor(const QColor &color);
    QColor DefFontColor() const;
    void SetDefFontName(const QString &name);
    QString DefFontName() const;
    void SetDefFontSize(int points);
    int DefFontSize() const;
    void SetDefHotSpotColor(const QColor &color);
    QColor DefHotSpotColor() const;
    void SetDefPreFontName(const QString &name);
    QString DefPreFontName() const;
    // Whether image elements are loaded (and so asked for through BitmapRequest).
    void SetViewImages(bool on);
    bool ViewImages() const;
    // Whether the reader may select text.
    void SetNoSelect(bool on);
    bool NoSelect() const;
    // Print margins in centimetres, 2 on each side by default.
    void SetPrintMargins(double left, double top, double right, double bottom);
    int HelpContext() const { return m_helpContext; }
    void SetHelpContext(int context) { m_helpContext = context; }

    // The form controls of the page shown, in document order.
    const HtmlForms &Forms() const { return m_page.forms; }
    // Ticks or unticks a check box, or submits its form from a button, as a click on it does.
    void PressFormControl(int index);

    void SelectAll();
    void CopyToClipboard();
    int SelLength() const;
    // 0 clears the selection.
    void SetSelLength(int length);
    // Follows the link at a document position as a click on it does; nothing without a link.
    void FollowLink(int position);
    // Prints pages from..to (counted from 0; pages past the end are skipped) with the margins;
    // returns the number of pages printed.
    int Print(QPrinter &printer, int fromPage, int toPage);

Q_SIGNALS:
    // A link was clicked; set *handled to stop the view from doing anything further.
    // (It never navigates, handled or not.)
    void HotSpotClick(const QString &target, bool *handled);
    // The picture for an image element's source; leave *image null for none. Pixels of
    // *transparent become transparent.
    void BitmapRequest(const QString &source, QImage *image, QColor *transparent);
    // The check box `index` was ticked or unticked.
    void FormControlToggled(int index);
    // A form was submitted: the ticked check boxes as name=value lines.
    void FormSubmit(const QString &action, const QString &target, const QStringList &results);
    void MouseDown(QMouseEvent *event);
    void MouseUp(QMouseEvent *event);

protected:
    bool event(QEvent *event) override;
    QVariant loadResource(int type, const QUrl &name) override;
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void load(const QString &html);
    void render();
    void rerender();
    void applyPalette();
    void applyFont();
    QString styleSheet() const;

    void onAnchorClicked(const QUrl &url);
    void follow(const QString &href);
    QString selectedAnchor() const;
    QString hrefAt(int position) const;
    int acceleratedButton(const QKeyEvent &event) const;
    void submit(int button);

    QVariant formControlPicture(int index) const;
    QVariant requestedImage(const QString &source);

    PreparedPage m_page;
    bool m_hasPage = false;
    QHash<QString, QImage> m_images; // answers to BitmapRequest, per source, for this page
    QString m_releasedAnchor;        // the link under a mouse release being handled
    bool m_linkClicked = false;      // that release clicked it

    QColor m_background;
    QColor m_fontColor;
    QString m_fontName = QStringLiteral("Arial");
    int m_fontSize = 10;
    QColor m_hotSpotColor = QColor(0, 0, 255);
    QString m_preFontName = QStringLiteral("Courier New");
    bool m_viewImages = true;
    bool m_noSelect = false;
    QMarginsF m_printMargins{2, 2, 2, 2};
    int m_helpContext = 0;
};
