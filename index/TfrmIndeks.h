#pragma once

#include "IndexPages.h"
#include "TFormList.h"
#include "TfrmWzorBazowy.h"

#include <QList>

class QMenu;
class QTabWidget;
class TMultiRowTabBar;
class TIndexListPage;
class TIndexPage;

// The Index window: the page control of the encyclopedia's categories, lists, panels,
// calendar, quiz and start page. It creates its pages and routes to them the page change,
// the layout rule, the document look, the main window's list commands and the saved
// settings; the popup menu, the tab layout and the skin are its own. It stays open for the
// whole run.
class TfrmIndeks : public TfrmWzorBazowy
{
    Q_OBJECT

public:
    using Page = IndexPages::Page;
    using enum IndexPages::Page;

    explicit TfrmIndeks(QWidget *parent = nullptr);

    QTabWidget *pcIndeks() const { return m_pages; }
    // The tabs in several rows (layouts 1 and 2).
    TMultiRowTabBar *TabRows() const { return m_rows; }
    TIndexPage *PageAt(int page) const { return m_pageList.value(page); }
    // The list page at a page index, or null for a page without a list.
    TIndexListPage *ListPage(int page) const;
    // The row records of all seven lists, each list's under its list number.
    const TFormList &RowRecords() const { return m_records; }
    QMenu *PopupMenu1() const { return m_popup; }

    // Shows the page a start-page button or a page item of the popup menu stands for.
    void btDzielaClick(QObject *sender, int page);
    // Gives the window's picture buttons and images the pictures "Imglst.lst" in the bmps
    // folder names. Without the file the reader is told and the program ends.
    bool LoadImageList();
    // The tab layout and the document font, as the main window's preferences hold them.
    void ApplyIndexLook();
    // The layout rule, for every page.
    void FormResize();

    void ApplyDocumentLook(const Preferences &prefs) override;
    // The lists' layouts (column order and widths, sort column and direction) under
    // "Views\N", read when the window is made and written at the end of the run.
    void LoadSettings(const SettingsStore &settings) override;
    void SaveSettings(SettingsStore &settings) const override;
    void btRefreshClick() override;
    void btShowClick() override;
    void btPreviewShowClick() override;

protected:
    // The reader cannot close the Index; it goes when the main window does.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TIndexPage *createPage(int page);
    void createPopup();
    void createPageKeys();
    void stepPage(int by);
    void pcIndeksChange(int page);
    TIndexPage *activePage() const;

    QTabWidget *m_pages;
    TMultiRowTabBar *m_rows = nullptr;
    TFormList m_records;
    QList<TIndexPage *> m_pageList; // in page-index order
    QMenu *m_popup = nullptr;
};
