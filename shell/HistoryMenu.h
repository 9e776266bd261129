#pragma once

#include <QList>
#include <QObject>

class ContextHelpMode;
class QAction;
class QMenu;
class ReaderTrail;

// The recent entries at the end of the history menu, read afresh each time the menu opens;
// the entries whose windows are open are checked. Choosing one opens it, unless the help mode
// shows the menu's help instead.
class HistoryMenu : public QObject
{
    Q_OBJECT

public:
    static constexpr int Length = 20;

    HistoryMenu(QMenu &menu, ReaderTrail &trail, ContextHelpMode &helpMode);

    // Brings the entries up to date; the menu does it as it opens.
    void refresh();

private:
    QMenu &m_menu;
    ReaderTrail &m_trail;
    ContextHelpMode &m_helpMode;
    QList<QAction *> m_entries;
};
