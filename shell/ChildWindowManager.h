#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;

// How the frame's child windows come and go, as the platform's MDI behaves: a new child opens
// maximised when the active one is, otherwise cascaded below the last one at a readable size;
// the child that opens or comes to the front gets the keyboard focus; cascade and tiling keep
// every title bar in the area.
class ChildWindowManager : public QObject
{
    Q_OBJECT

public:
    explicit ChildWindowManager(QMdiArea *area);

    // Starts following a child that has just been added to the area.
    void track(QMdiSubWindow *sub);
    // Shows a child that has just been added, placed as above, and activates it.
    void showNew(QMdiSubWindow *sub);
    // Makes the child active with the focus in it, now and once more when control is back in
    // the event loop: a caller that disabled the main window around the opening hands the
    // activation back to the old child when it enables the window again.
    void activate(QMdiSubWindow *sub);

    void closeActive();
    void cascade();
    void tile(bool columns);
private:
    void focusIn(QMdiSubWindow *sub);
    QList<QMdiSubWindow *> arrangeable() const;
    int step() const;

    QMdiArea *m_area;
    QPointer<QMdiSubWindow> m_last;
};
