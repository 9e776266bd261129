#include "THTMLViewerLinkAccessible.h"

#include "THTMLViewer.h"

THTMLViewerLinkAccessible::THTMLViewerLinkAccessible(THTMLViewer *viewer,
                                                     const DocumentLinks::Link &link)
    : m_viewer(viewer), m_link(link)
{
}

void *THTMLViewerLinkAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface *>(this);
    if (type == QAccessible::HyperlinkInterface)
        return static_cast<QAccessibleHyperlinkInterface *>(this);
    return nullptr;
}

bool THTMLViewerLinkAccessible::isValid() const
{
    return m_viewer && m_link.end < m_viewer->document()->characterCount();
}

QAccessibleInterface *THTMLViewerLinkAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_viewer.data());
}

QString THTMLViewerLinkAccessible::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? m_link.text : QString();
}

QRect THTMLViewerLinkAccessible::rect() const
{
    QAccessibleInterface *view = parent();
    QAccessibleTextInterface *text = view ? view->textInterface() : nullptr;
    if (!isValid() || !text)
        return {};
    QRect area;
    for (int offset = m_link.start; offset < m_link.end; ++offset)
        area |= text->characterRect(offset);
    return area;
}

QAccessible::State THTMLViewerLinkAccessible::state() const
{
    QAccessible::State s;
    if (!isValid())
        return s;
    s.linked = true;
    s.focusable = true;
    s.disabled = !m_viewer->isEnabled();
    const QRect area = rect();
    const QRect shown(m_viewer->viewport()->mapToGlobal(QPoint(0, 0)),
                      m_viewer->viewport()->size());
    s.invisible = !m_viewer->isVisible();
    s.offscreen = s.invisible || !area.intersects(shown);
    // A link reached with Tab is the view's selection.
    const QTextCursor cursor = m_viewer->textCursor();
    s.focused = m_viewer->hasFocus() && cursor.selectionStart() == m_link.start &&
                cursor.selectionEnd() == m_link.end;
    return s;
}

QStringList THTMLViewerLinkAccessible::actionNames() const
{
    return {pressAction()};
}

void THTMLViewerLinkAccessible::doAction(const QString &actionName)
{
    if (isValid() && actionName == pressAction())
        m_viewer->FollowLink(m_link.start);
}
