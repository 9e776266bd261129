#include "TMultiRowTabBarAccessible.h"

#include "TMultiRowTabBar.h"

#include <QPointer>

namespace {

// One tab: it has no object of its own, only its index in the bar.
class TabInterface : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    TabInterface(TMultiRowTabBar *bar, int index) : m_bar(bar), m_index(index) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface *>(this)
                   : nullptr;
    }
    bool isValid() const override { return m_bar && m_index < m_bar->count(); }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_bar.data());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        return isValid() && t == QAccessible::Name ? m_bar->tabText(m_index) : QString();
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect tab = m_bar->tabRect(m_index);
        return QRect(m_bar->mapToGlobal(tab.topLeft()), tab.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.selectable = true;
        s.focusable = true;
        s.selected = m_index == m_bar->currentIndex();
        s.focused = s.selected && m_bar->hasFocus();
        s.invisible = !m_bar->isVisible();
        s.disabled = !m_bar->isEnabled();
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (isValid() && name == pressAction())
            m_bar->setCurrentIndex(m_index);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<TMultiRowTabBar> m_bar;
    int m_index;
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String(TMultiRowTabBar::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new TMultiRowTabBarAccessible(static_cast<TMultiRowTabBar *>(object));
    return nullptr;
}

} // namespace

TMultiRowTabBarAccessible::TMultiRowTabBarAccessible(TMultiRowTabBar *bar)
    : QAccessibleWidget(bar, QAccessible::PageTabList)
{
}

TMultiRowTabBarAccessible::~TMultiRowTabBarAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_tabs))
        QAccessible::deleteAccessibleInterface(id);
}

void TMultiRowTabBarAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

TMultiRowTabBar *TMultiRowTabBarAccessible::bar() const
{
    return static_cast<TMultiRowTabBar *>(object());
}

int TMultiRowTabBarAccessible::childCount() const
{
    return bar()->count();
}

QAccessibleInterface *TMultiRowTabBarAccessible::child(int index) const
{
    if (index < 0 || index >= bar()->count())
        return nullptr;
    // Each tab keeps one interface for the life of the bar, as assistive technology expects.
    if (const auto id = m_tabs.constFind(index); id != m_tabs.constEnd())
        return QAccessible::accessibleInterface(*id);
    QAccessibleInterface *tab = new TabInterface(bar(), index);
    m_tabs.insert(index, QAccessible::registerAccessibleInterface(tab));
    return tab;
}

int TMultiRowTabBarAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (auto it = m_tabs.constBegin(); it != m_tabs.constEnd(); ++it) {
        if (QAccessible::accessibleInterface(it.value()) == child)
            return it.key();
    }
    return -1;
}

QAccessibleInterface *TMultiRowTabBarAccessible::childAt(int x, int y) const
{
    return child(bar()->tabAt(bar()->mapFromGlobal(QPoint(x, y))));
}

QAccessibleInterface *TMultiRowTabBarAccessible::focusChild() const
{
    return bar()->hasFocus() ? child(bar()->currentIndex()) : nullptr;
}
