#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class THTMLViewer;

// What assistive technology sees of one form control of the quiz page: a check box named by
// the answer after it, or the button named by its caption. It has no widget of its own: the
// view paints it, and pressing it goes through the view as a click does.
class QuizControlAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    QuizControlAccessible(THTMLViewer *view, int index);

    // Where the control stands in the view's document; -1 when it is not there.
    static int DocumentPosition(const THTMLViewer &view, int index);

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    bool isCheckBox() const;

    QPointer<THTMLViewer> m_view;
    int m_index;
};
