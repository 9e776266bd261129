#pragma once

#include <QList>
#include <QObject>

class HelpSystem;
class QAction;

// The context-help mode ("Co to jest?") that every window shares. While it is on, the next
// command or click shows the help of what was clicked instead of doing anything, and ends
// the mode. Every command of the frame passes through intercept() first.
class ContextHelpMode : public QObject
{
    Q_OBJECT

public:
    // The property that gives a widget, toolbar or toolbar command its help context number;
    // a control without one takes its parent's.
    static constexpr char ContextProperty[] = "helpContext";

    ContextHelpMode(HelpSystem &help, QObject *parent);
    // The help context of the widget or of its nearest parent that has one; 0 for none.
    static int contextOf(const QWidget *widget);
    // Gives the mouse pointer back if the mode is still on.
    ~ContextHelpMode() override;

    bool isOn() const { return m_on; }
    void setOn(bool on);
    void toggle() { setOn(!m_on); }
    // A check mark in a menu that shows whether the mode is on.
    void addMark(QAction *item);
    // A click on this widget in help mode shows its help and goes no further.
    void watch(QWidget *widget);

    // Ends the mode and shows the help of what was clicked, if it has any.
    void showHelp(QObject *sender);
    // The guard of every command: in help mode, shows the sender's help and tells the
    // command to do nothing else.
    bool intercept(QObject *sender);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    HelpSystem &m_help;
    bool m_on = false;
    QList<QAction *> m_marks;
};
