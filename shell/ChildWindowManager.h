#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;
class TfrmWzorBazowy;

// How the frame's child windows come and go, as the platform's MDI behaves: a new child opens
// maximised when the active one is, otherwise cascaded below the last one at a readable size;
// the child that opens or comes to the front gets the keyboard focus; cascade and tiling keep
// every title bar in the area. A child that stops being the active one is told so. Closing the
// active child goes back to the child the reader was in before it, skipping those closed since;
// the area's own choice would follow the order the children were made in.
class ChildWindowManager : public QObject
{
    Q_OBJECT

public:
    explicit ChildWindowManager(QMdiArea *area);

    // Adds a child window to the area, not shown yet, and starts following it.
    QMdiSubWindow *add(TfrmWzorBazowy *window);
    // The child windows that are open, in the area's order.
    QList<TfrmWzorBazowy *> windows() const;
    TfrmWzorBazowy *active() const;
    QMdiSubWindow *activeSub() const;
    // Brings every child showing that entry to the front; false when none does.
    bool bringToFront(const QString &typ, const QString &numer);
    // Shows a child that has just been added, placed as above, and activates it.
    void showNew(QMdiSubWindow *sub);
    // Makes the child active with the focus in it, now and once more when control is back in
    // the event loop: a caller that disabled the main window around the opening hands the
    // activation back to the old child when it enables the window again.
    void activate(QMdiSubWindow *sub);

    void closeActive();
    void cascade();
    void tile(bool columns);

Q_SIGNALS:
    // A child window has been destroyed; sent once control is back in the event loop.
    void childGone();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void track(QMdiSubWindow *sub);
    void activated(QMdiSubWindow *sub);
    void focusIn(QMdiSubWindow *sub);
    // The child the reader was in before `sub`, still open; null when there is none.
    QMdiSubWindow *previousOf(QMdiSubWindow *sub) const;
    QList<QMdiSubWindow *> arrangeable() const;
    int step() const;

    QMdiArea *m_area;
    QPointer<QMdiSubWindow> m_last;
    QPointer<QMdiSubWindow> m_active;
    // The children in the order the reader was last in them, the active one last. The area's
    // own history would also hold the child it activates by itself after a close.
    QList<QPointer<QMdiSubWindow>> m_path;
    bool m_closing = false;
    // The control each child left behind had the keys in: switching maximised children hides
    // and shows them, and Qt moves the focus on meanwhile.
    QHash<const QMdiSubWindow *, QPointer<QWidget>> m_lastFocus;
};
