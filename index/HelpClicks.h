#pragma once

#include <QEvent>
#include <QHash>
#include <QObject>
#include <QPointer>

class QWidget;

// In the main window's help mode a click on a watched surface shows the help of the control
// it belongs to, and goes no further; otherwise the click is left alone.
class HelpClicks : public QObject
{
public:
    explicit HelpClicks(QObject *parent) : QObject(parent) {}

    // `trigger` is the mouse event that shows the help: the press or the release.
    void watch(QWidget *surface, QWidget *control,
               QEvent::Type trigger = QEvent::MouseButtonRelease);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Watch
    {
        QPointer<QWidget> control;
        QEvent::Type trigger;
    };
    QHash<QObject *, Watch> m_watched;
};
