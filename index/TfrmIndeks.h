#pragma once

#include "TFormList.h"
#include "TfrmWzorBazowy.h"

#include <map>

class QTabWidget;
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
    };

    void createListPage(int page, const char *suffix, const char16_t *typ, int number,
                        const QStringList &columns, const QList<int> &widths, const char16_t *title);
    void pcIndeksChange(int page);
    void IndeksDblClick(int page);

    QTabWidget *m_pages;
    TFormList m_records;
    std::map<int, ListPage> m_lists;
};
