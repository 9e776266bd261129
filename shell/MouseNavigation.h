#pragma once

#include <QObject>

class QAction;
class QWidget;

// The mouse's back and forward buttons anywhere in the main window run its Back and Forward
// commands. The press is taken before any control sees it: the document views would
// otherwise keep it for themselves.
class MouseNavigation : public QObject
{
    Q_OBJECT

public:
    MouseNavigation(QWidget &frame, QAction &back, QAction &forward);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_frame;
    QAction &m_back;
    QAction &m_forward;
};
