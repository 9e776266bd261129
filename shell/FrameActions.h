#pragma once

#include <QList>
#include <QObject>

class ContextHelpMode;
class QAction;
class QKeySequence;
class QMenu;
class QToolBar;
class ReaderTrail;
class TPulpit;

// The main window's commands, as its menus, keys and two toolbars offer them. Every command
// passes through run(), which leaves it to the context-help mode when that is on.
class FrameActions : public QObject
{
    Q_OBJECT

public:
    using Command = void (TPulpit::*)();

    FrameActions(TPulpit &frame, ContextHelpMode &helpMode, ReaderTrail &trail);

    QToolBar *menuToolbar() const { return m_tbMenu; }
    QToolBar *indexToolbar() const { return m_tbIndeks; }
    QList<QToolBar *> toolbars() const { return {m_tbMenu, m_tbIndeks}; }
    // The options wait for the first Index.
    void enableOptions();

    // Runs a command of the frame unless the help mode shows the sender's help instead.
    void run(QObject *sender, Command command);

private:
    void createMenus();
    void createHistoryMenu(QMenu *menu);
    void updateHistoryCommands();
    void createKeys();
    void createFrameMenu();
    void createMenuToolbar();
    void createIndexToolbar();
    QAction *addCommand(const QString &name, const QString &text, const QString &hint,
                        Command command);
    QAction *addMenuItem(QMenu *menu, const QString &name, const QString &text, const QString &hint,
                         const QKeySequence &shortcut, Command command);
    QToolBar *addToolbar(const QString &title, const QString &name, int helpContext);
    QAction *addToolButton(QToolBar *toolbar, const QString &name, const QString &hint,
                           const QString &picture, Command command);
    // A drop-down beside the button's own command.
    void setButtonMenu(QToolBar *toolbar, QAction *button, QMenu *menu);

    TPulpit &m_frame;
    ContextHelpMode &m_helpMode;
    ReaderTrail &m_trail;
    QToolBar *m_tbMenu = nullptr;
    QToolBar *m_tbIndeks = nullptr;
    QAction *m_btOpcje = nullptr;
    QAction *m_back = nullptr;
    QAction *m_forward = nullptr;
};
