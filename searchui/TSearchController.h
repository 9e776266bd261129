#pragma once

#include "SettingsStore.h"

#include <QObject>
#include <QString>

#include <functional>

class QMainWindow;
class TSearchBox;
class TSearchEngine;
class TSearchResultsPane;

// Search across the encyclopedia in a main window: the engine, a toolbar with the search
// field, the results pane docked beside the documents in the place the reader left
// it last time, and the engine's progress in the status bar. A search asked for before the
// index is ready is shown when it is.
class TSearchController : public QObject
{
    Q_OBJECT

public:
    // The help topic of the field and the pane.
    static constexpr int HelpContext = 4050;

    // The container is asked for when the index is first needed; see TSearchEngine.
    TSearchController(QMainWindow &window, SettingsStore &settings,
                      std::function<QString()> containerPath);

    TSearchEngine *engine() const { return m_engine; }
    TSearchBox *box() const { return m_box; }
    TSearchResultsPane *pane() const { return m_pane; }

Q_SIGNALS:
    // An entry to open, found for `found` (the words searched for, without quotes).
    void entryChosen(const QString &typ, const QString &numer, const QString &found);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void search(const QString &text);
    void placePane();
    void keepPlace();

    QMainWindow &m_window;
    SettingsStore &m_settings;
    TSearchEngine *m_engine;
    TSearchBox *m_box;
    TSearchResultsPane *m_pane;
    QString m_pending; // asked for before the index was ready
    QString m_notice;  // why the index is not kept, once it is known
    PanePlacement m_place;
    bool m_sized = false; // the stored size applied since the pane was first shown
};
