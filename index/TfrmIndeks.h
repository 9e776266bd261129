#pragma once

#include "TFormList.h"
#include "TfrmWzorBazowy.h"

#include <QElapsedTimer>

#include <functional>
#include <map>

class QMenu;
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
    // Milliseconds on a steady clock, for finding by typing; replaceable for tests.
    void SetClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

protected:
    // The reader cannot close the Index; it goes when the main window does.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct ListPage
    {
        QTreeView *view = nullptr;
        TIndexListModel *model = nullptr;
        int number = 0;
        QString typ;
        int settingsKey = 0;
        bool typeAhead = false; // finding by typing in the sort column
    };

    void createListPage(int page, const char *suffix, const char16_t *typ, int number, int settingsKey,
                        bool typeAhead, const QStringList &columns, const QList<int> &widths,
                        const char16_t *title);
    void createPopup();
    bool typeAhead(const ListPage &list, const QString &text);
    void pcIndeksChange(int page);
    void IndeksDblClick(int page);

    QTabWidget *m_pages;
    TFormList m_records;
    std::map<int, ListPage> m_lists;
    QMenu *m_popup = nullptr;
    std::function<qint64()> m_clock;
    QString m_prefix;
    qint64 m_lastKey = -1;
};
