#pragma once

#include <QDockWidget>
#include <QString>

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

    // Lists the matches of `text` and shows the pane; false when the index is not ready or
    // cannot be read.
    bool showResults(const QString &text);
    // The text of the matches shown last.
    const QString &query() const { return m_query; }
    QListView *list() const { return m_list; }
    QComboBox *categories() const { return m_categories; }
    QLabel *notFound() const { return m_notFound; }

Q_SIGNALS:
    // `found` is the text the matches were found for.
    void entryChosen(const QString &typ, const QString &numer, const QString &found);

private:
    void fillCategories();
    void showCategory(int item);
    void selectFirst();

    TSearchResultsModel *m_model;
    QComboBox *m_categories;
    QLabel *m_notFound;
    QListView *m_list;
    QString m_query;
};
