#pragma once

#include <QAccessibleWidget>

class TCalendarBar;

// What assistive technology sees of a calendar bar: one item with the year and the text as
// its name and the type and category as its description, a link that can be pressed when
// the event refers to a work, plain text otherwise. The year, icon and text labels inside
// it are not repeated as items of their own.
class TCalendarBarAccessible : public QAccessibleWidget
{
public:
    explicit TCalendarBarAccessible(TCalendarBar *bar);

    // Makes the bars answer with this interface; once is enough for the program.
    static void Install();

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    TCalendarBar *bar() const;
};
