#pragma once

#include <QAccessibleWidget>
#include <QHash>

class TMultiRowTabBar;

// What assistive technology sees of a multi-row tab bar: a page tab list whose children are
// its tabs, each named by its caption, selected when current, pressed to make it current.
class TMultiRowTabBarAccessible : public QAccessibleWidget
{
public:
    explicit TMultiRowTabBarAccessible(TMultiRowTabBar *bar);
    ~TMultiRowTabBarAccessible() override;

    // Makes the bars answer with this interface; once is enough for the program.
    static void Install();

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    TMultiRowTabBar *bar() const;

private:
    mutable QHash<int, QAccessible::Id> m_tabs;
};
