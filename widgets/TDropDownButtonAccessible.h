#pragma once

#include <QAccessibleWidget>

class QMenu;
class QToolButton;

// What assistive technology sees of a picture button that drops a menu down: a button named
// by its hint, with the menu as its child, so the menu's items are in the tree even while it
// is closed, and an action that opens it.
class TDropDownButtonAccessible : public QAccessibleWidget
{
public:
    explicit TDropDownButtonAccessible(QToolButton *button);

    // Makes buttons of the named class answer with this interface; once per class is enough.
    static void Install(const char *className);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    QToolButton *button() const;
    QMenu *menu() const;
};
