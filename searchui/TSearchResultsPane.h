#pragma once

#include <QDockWidget>

class QComboBox;
class QLabel;
class QListView;
class TSearchEngine;
class TSearchResultsModel;

// Every match of a query, in rank order, each with its category's picture, its title and a
// piece of its text; a choice of category above the list keeps only that category's matches.
// An entry opens on Enter, a click or a double click.
class TSearchResultsPane : public QDockWidget
{
    Q_OBJECT

public:
    TSearchResultsPane(TSearchEngine &engine, QWidget *parent = nullptr);

    // Lists the matches of `text` and shows the pane; false when the index is not ready.
    bool showResults(const QString &text);
    QListView *list() const { return m_list; }
    QComboBox *categories() const { return m_categories; }
    QLabel *notFound() const { return m_notFound; }

Q_SIGNALS:
    void entryChosen(const QString &typ, const QString &numer);

private:
    void fillCategories();
    void showCategory(int item);
    void selectFirst();

    TSearchEngine &m_engine;
    TSearchResultsModel *m_model;
    QComboBox *m_categories;
    QLabel *m_notFound;
    QListView *m_list;
};
