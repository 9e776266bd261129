#include "QuizViewAccessible.h"

#include "QuizControlAccessible.h"
#include "THTMLViewer.h"

namespace {

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == u"THTMLViewer" && object &&
        object->property(QuizViewAccessible::Property).toBool())
        return new QuizViewAccessible(static_cast<THTMLViewer *>(object));
    return nullptr;
}

QuizViewAccessible *accessibleOf(THTMLViewer *view)
{
    if (!QAccessible::isActive())
        return nullptr;
    return dynamic_cast<QuizViewAccessible *>(QAccessible::queryAccessibleInterface(view));
}

} // namespace

QuizViewAccessible::QuizViewAccessible(THTMLViewer *view)
    : QAccessibleWidget(view, QAccessible::Document)
{
}

QuizViewAccessible::~QuizViewAccessible()
{
    dropControls();
}

void QuizViewAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

THTMLViewer *QuizViewAccessible::view() const
{
    return static_cast<THTMLViewer *>(widget());
}

void QuizViewAccessible::dropControls() const
{
    // Once asked for, the items belong to the accessibility cache.
    for (QAccessibleInterface *control : std::as_const(m_controls))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(control));
    m_controls.clear();
}

void QuizViewAccessible::refresh() const
{
    const QString page = view()->document()->toRawText();
    if (page == m_page && m_controls.size() == view()->Forms().count())
        return;
    dropControls();
    m_page = page;
    for (int i = 0; i < view()->Forms().count(); ++i)
        m_controls.append(new QuizControlAccessible(view(), i));
}

QString QuizViewAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    // Plain text keeps the document's positions, one character for each.
    QString page = view()->toPlainText();
    const int first = QuizControlAccessible::DocumentPosition(*view(), 0);
    if (first >= 0)
        page.truncate(first);
    return page.remove(QChar::ObjectReplacementCharacter).simplified();
}

int QuizViewAccessible::childCount() const
{
    refresh();
    return int(m_controls.size());
}

QAccessibleInterface *QuizViewAccessible::child(int index) const
{
    refresh();
    return m_controls.value(index);
}

int QuizViewAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    refresh();
    return int(m_controls.indexOf(const_cast<QAccessibleInterface *>(child)));
}

QAccessibleInterface *QuizViewAccessible::childAt(int x, int y) const
{
    refresh();
    for (QAccessibleInterface *control : std::as_const(m_controls)) {
        if (control->rect().contains(x, y))
            return control;
    }
    return nullptr;
}

QAccessibleInterface *QuizViewAccessible::focusChild() const
{
    refresh();
    for (QAccessibleInterface *control : std::as_const(m_controls)) {
        if (control->state().focused)
            return control;
    }
    return nullptr;
}

void QuizViewAccessible::PageChanged(THTMLViewer *view)
{
    if (QuizViewAccessible *page = accessibleOf(view)) {
        page->refresh();
        QAccessibleEvent named(page, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
    }
}

void QuizViewAccessible::ControlToggled(THTMLViewer *view, int index)
{
    QuizViewAccessible *page = accessibleOf(view);
    QAccessibleInterface *control = page ? page->child(index) : nullptr;
    if (!control)
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(control, changed);
    QAccessible::updateAccessibility(&event);
}

void QuizViewAccessible::ControlFocused(THTMLViewer *view)
{
    QuizViewAccessible *page = accessibleOf(view);
    if (QAccessibleInterface *control = page ? page->focusChild() : nullptr) {
        QAccessibleEvent event(control, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}
