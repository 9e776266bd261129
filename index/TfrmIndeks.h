#pragma once

#include "TFormList.h"
#include "TfrmWzorBazowy.h"

#include <QElapsedTimer>

#include <functional>
#include <map>

class QFrame;
class QLabel;
class QMenu;
class QSplitter;
class QTimer;
class THTMLViewer;
class QTabWidget;
class SettingsStore;
class QTreeView;
class TIndexListModel;

// The Index window: the page control of the encyclopedia's categories, lists, panels,
// calendar, quiz and start page. It stays open for the whole run.
class TfrmIndeks : public TfrmWzorBazowy
{
    Q_OBJECT

public:
    // Page indexes, by which the start page's buttons and the page change address pages.
    enum Page {
        tsDziela, tsBiogramy, tsEpoki, tsBohaterowie, tsRodzaje, tsGatunki, tsTerminy,
        tsWypisy, tsCytaty, tsFilmografia, tsHistoria, tsKalendarium, tsQuiz, tsStart,
        PageCount
    };

    explicit TfrmIndeks(QWidget *parent = nullptr);

    QTabWidget *pcIndeks() const { return m_pages; }
    // The list of a list page, or null.
    QTreeView *ListOf(int page) const;
    TIndexListModel *ModelOf(int page) const;
    const TFormList &RowRecords() const { return m_records; }

    // Fills the list of a list page from the content directory.
    void FillList(int page);
    // The main window's commands while the Index is its active child.
    void btRefreshClick();
    void btShowClick();

    // The lists' layouts (column order and widths, sort column and direction) under
    // "Views\N", read when the window is made and written when the program ends.
    void LoadListSettings(const SettingsStore &settings);
    void SaveListSettings(SettingsStore &settings) const;

    QMenu *PopupMenu1() const { return m_popup; }

    // The start page and the epochs, kinds, Polish art and quiz pages hold one panel of a
    // fixed size each, kept centred by the layout rule.
    static constexpr int PanelWidth = 402;
    static constexpr int PanelHeight = 269;
    QFrame *PanelOf(int page) const;
    // Shows the page a start-page button or a page item of the popup menu stands for.
    void btDzielaClick(QObject *sender, int page);
    // Gives the window's picture buttons and images the pictures "Imglst.lst" in the bmps
    // folder names. Without the file the reader is told and the program ends.
    bool LoadImageList();

    // Quick preview: the pane beside each list shows the entry the selection rests on.
    static constexpr int PreviewDelayMs = 400;
    THTMLViewer *PreviewOf(int page) const;
    QFrame *PaneOf(int page) const;
    QSplitter *SplitterOf(int page) const;
    QTimer *lvTimer() const { return m_previewTimer; }
    void CancelPreview();
    void SchedulePreview(int page, int row);
    // What the timer runs when the rest is over.
    void lvTimerTimer();
    void ShowPreview(int page, int row);
    void ShowQuotePreview(int page, int row);
    void btPreviewShowClick();
    void ApplyIndexLook();
    // The lists' last columns take the room left beside the others.
    void FormResize();
    // Milliseconds on a steady clock, for finding by typing; replaceable for tests.
    void SetClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

protected:
    // The reader cannot close the Index; it goes when the main window does.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct ListPage
    {
        QTreeView *view = nullptr;
        TIndexListModel *model = nullptr;
        int number = 0;
        QString typ;
        int settingsKey = 0;
        bool typeAhead = false; // finding by typing in the sort column
        QSplitter *splitter = nullptr;
        QFrame *pane = nullptr;
        THTMLViewer *preview = nullptr;
    };

    void createListPage(int page, const char *suffix, const char16_t *typ, int number, int settingsKey,
                        bool typeAhead, const QStringList &columns, const QList<int> &widths,
                        const char16_t *title);
    void createPopup();
    void createPanels();
    void createStartButtons();
    void centrePanels();
    void fitLastColumn(const ListPage &list) const;
    void createPane(ListPage &list, const QString &suffix);
    QLabel *createTitleBar(QWidget *page, const QString &suffix, const char16_t *title);
    void listRowChanged(int page, int row);
    void HTSpotClick(const QString &target, bool *handled);
    const ListPage *listAt(int page) const;
    // Reads a preview's entry; false when there is nothing to show.
    bool readPreview(int page, int row, QStringList &fields, QStringList &lines);
    bool typeAhead(const ListPage &list, const QString &text);
    void pcIndeksChange(int page);
    void IndeksDblClick(int page);

    QTabWidget *m_pages;
    TFormList m_records;
    std::map<int, ListPage> m_lists;
    std::map<int, QFrame *> m_panels;
    QMenu *m_popup = nullptr;
    std::function<qint64()> m_clock;
    QString m_prefix;
    qint64 m_lastKey = -1;
    QTimer *m_previewTimer = nullptr;
    int m_pendingPage = -1;
    int m_pendingRow = -1;
};
