#pragma once

#include <QDockWidget>

class QListWidget;
class TSearchEngine;

// Every match of a query, in rank order, each with its category's picture, its title and a
// piece of its text; an entry opens on Enter, a click or a double click.
class TSearchResultsPane : public QDockWidget
{
    Q_OBJECT

public:
    TSearchResultsPane(TSearchEngine &engine, QWidget *parent = nullptr);

    // Lists the matches of `text` and shows the pane; false when the index is not ready.
    bool showResults(const QString &text);
    QListWidget *list() const { return m_list; }

Q_SIGNALS:
    void entryChosen(const QString &typ, const QString &numer);

private:
    TSearchEngine &m_engine;
    QListWidget *m_list;
};
