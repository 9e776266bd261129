#pragma once

#include "TIndexPage.h"

#include <QPersistentModelIndex>
#include <QStringList>

#include <functional>

class QFrame;
class QLabel;
class QSplitter;
class QTimer;
class QTreeView;
class TFormList;
class THTMLViewer;
class TIndexListModel;

// A category list page of the Index: the list of every entry of one category, sortable,
// searchable by typing and opened by double click or Enter, with the quick-preview pane
// beside it that shows the entry the selection rests on.
class TIndexListPage : public TIndexPage
{
    Q_OBJECT

public:
    struct Definition
    {
        QString suffix;      // the components are "ev", "sp", "pn", "HT" + suffix and so on
        QString typ;         // the category code
        int number = 0;      // the list number: the rows' record kind; their picture is number - 1
        int settingsKey = 0; // the saved layout's "Views\N"
        bool typeAhead = false; // finding by typing in the sort column (works and characters)
        QStringList columns;    // captions, which are the names of the fields that fill them
        QList<int> widths;      // design widths; -1 for a last column that fills the list
        QString title;          // the title bar's text
    };

    static constexpr int PreviewDelayMs = 400;

    // The rows' records go to `records`, shared by all lists, each list under its own kind.
    TIndexListPage(const QString &name, const Definition &definition, TFormList &records,
                   QWidget *parent = nullptr);

    QTreeView *List() const { return m_view; }
    TIndexListModel *Model() const { return m_model; }
    QSplitter *Splitter() const { return m_splitter; }
    QFrame *Pane() const { return m_pane; }
    THTMLViewer *Preview() const { return m_preview; }
    // What the pane shows, in the preview's colours, until an entry is previewed.
    QLabel *Hint() const { return m_hint; }
    QTimer *lvTimer() const { return m_previewTimer; }

    // Reads every entry of the category into the list. A read error of the container is
    // reported and leaves the list empty, so the next visit tries again.
    void FillList();
    // Opens the selected entry in its document window.
    void IndeksDblClick();

    // Quick preview. A row change cancels the pending request and schedules the row, which the
    // request holds whatever sorting does to it until the rest is over.
    void CancelPreview();
    void SchedulePreview(const QModelIndex &row);
    void lvTimerTimer();
    void ShowPreview(int row);
    void ShowQuotePreview(int row);
    void btPreviewShowClick();

    // Milliseconds on a steady clock, for finding by typing; replaceable for tests.
    void SetClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    void PageShown() override;
    void CancelPending() override { CancelPreview(); }
    void Layout(const QSize &area) override;
    void ApplyDocumentLook(const Preferences &prefs) override;
    void Refresh() override { FillList(); }
    void OpenSelected() override { IndeksDblClick(); }
    void TogglePreview() override { btPreviewShowClick(); }
    void LoadSettings(const SettingsStore &settings) override;
    void SaveSettings(SettingsStore &settings) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createPane();
    void listRowChanged(const QModelIndex &current);
    void preview(int row, bool quote);
    // The last column takes the room the others leave in the list, when they leave any on a
    // page `pageWidth` wide.
    void fitLastColumn(int pageWidth) const;
    // Measures the filled list's columns; the first filled list without a saved layout
    // takes those widths.
    void fitColumns();
    void showHint(bool shown);
    void QuickViewResize();
    void HTSpotClick(const QString &target, bool *handled);
    bool typeAhead(const QString &text);
    bool isQuotations() const;

    Definition m_definition;
    TFormList &m_records;
    QTreeView *m_view;
    TIndexListModel *m_model;
    QSplitter *m_splitter;
    QFrame *m_pane = nullptr;
    THTMLViewer *m_preview = nullptr;
    QLabel *m_hint = nullptr;
    // Per column the width its texts need (at least the design width); the last column
    // never gets less from the layout rule.
    QList<int> m_needed;
    bool m_widthsChosen = false; // by a saved layout or by the first fill
    QTimer *m_previewTimer;
    QPersistentModelIndex m_pendingRow;
    std::function<qint64()> m_clock;
    QString m_prefix;
    qint64 m_lastKey = -1;
};
