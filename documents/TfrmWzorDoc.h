#pragma once

#include "TRelatedEntryBar.h"
#include "TThumbnailStrip.h"
#include "TfrmWzorBazowy.h"

#include <QColor>
#include <QStringList>

class QDockWidget;
class QMainWindow;
class QMenu;
class QScrollArea;
class QToolButton;
class TFindBar;
class TScrollBanner;
class THTMLViewer;

// The base of every window that shows one entry: the HTML view, the bar of related-entry
// buttons, the strip of illustration thumbnails, the popup menu, and the look each category
// sets. Loading fills the buttons and the strip; `TfrmWzorTekst` adds caption and text.
class TfrmWzorDoc : public TfrmWzorBazowy
{
    Q_OBJECT

public:
    // The related-entry buttons, in their order on the bar.
    using Button = TRelatedEntryBar::Button;
    using enum TRelatedEntryBar::Button;
    static constexpr int ThumbnailPitch = TThumbnailStrip::ThumbnailPitch;
    static constexpr int ThumbnailSize = TThumbnailStrip::ThumbnailSize;

    explicit TfrmWzorDoc(QWidget *parent = nullptr);

    // The base part of loading: related buttons, thumbnails, look. Leaves Busy set.
    void LoadDocument(const QString &typ, const QString &numer) override;
    bool IsLoading() const override { return m_busy; }
    bool Busy() const { return m_busy; }
    void SetBusy(bool busy) { m_busy = busy; }

    QColor BackColor() const { return m_backColor; }
    void SetBackColor(const QColor &color);
    QColor TextColor() const { return m_textColor; }
    void SetTextColor(const QColor &color);
    QColor LinkColor() const { return m_linkColor; }
    void SetLinkColor(const QColor &color);
    QString DocFontName() const { return m_docFontName; }
    void SetDocFontName(const QString &name);
    int DocFontSize() const { return m_docFontSize; }
    void SetDocFontSize(int points);
    void ApplyDocumentLook(const Preferences &prefs) override;
    // The whole document of the HTML view, on as many pages as it takes.
    bool CanPrint() const override { return true; }
    bool Print(QPrinter &printer) override;
    // The selection, or the whole document when nothing is selected; the view shows the
    // same selection afterwards as before.
    void CopyToClipboard() override;
    QString LastSound() const override { return m_lastSound; }
    void SetLastSound(const QString &name);
    void ApplyLook();

    THTMLViewer *HT1() const { return m_html; }
    TFindBar *FindBar() const { return m_findBar; }
    QWidget *Panel1() const { return m_bar; }
    QToolButton *ButtonAt(Button button) const { return m_bar->button(button); }
    QDockWidget *TWImage() const { return m_strip; }
    QScrollArea *sbImages() const { return m_strip->scrollArea(); }
    QList<QWidget *> Thumbnails() const { return m_strip->thumbnails(); }
    QMenu *PopupMenu1() const { return m_popup; }
    const TLinkList &Links(Button button) const { return m_bar->links(button); }
    const TLinkList &IllustrationLinks() const { return m_strip->links(); }
    TScrollBanner *PM1() const { return m_bar->banner(); }

    bool HasBanner() const override { return PM1() != nullptr; }
    void BannerStep() override;
    void FormDeactivate() override;
    void FindInPage() override;
    void FindAgain(bool backwards) override;
    // The find bar opens on the words searched for, every match marked.
    void ShowFound(const QString &text) override;

protected:
    // The category part of loading for the text categories: caption, banner, the document
    // from the category's template. The caller clears Busy however it ends.
    void LoadCategoryDocument(const QString &typ, const QString &numer);
    // For windows with a banner: creates it at the top of the bar.
    void EnableBanner();
    virtual void LayoutBanner();
    // Replaces what fills the window beside the strip (the HTML view by default).
    void SetBody(QWidget *body);
    // The bar is plain black instead of its gradient.
    void HideGradient();
    void closeEvent(QCloseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void createPopup();
    void HT1HotSpotClick(const QString &target, bool *handled);
    void HT1BitmapRequest(const QString &source, QImage *image, QColor *transparent);

    bool m_busy = true;
    QColor m_backColor;
    QColor m_textColor;
    QColor m_linkColor;
    QString m_docFontName;
    int m_docFontSize = 10;
    QString m_lastSound;

    TRelatedEntryBar *m_bar = nullptr;
    QMainWindow *m_body = nullptr;
    THTMLViewer *m_html = nullptr;
    TFindBar *m_findBar = nullptr;
    TThumbnailStrip *m_strip = nullptr;
    QMenu *m_popup = nullptr;
};
