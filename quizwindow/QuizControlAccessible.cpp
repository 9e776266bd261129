#include "QuizControlAccessible.h"

#include "PageResources.h"
#include "THTMLViewer.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QWidget>
#include <QWindow>

namespace {

// The caption without its accelerator mark: "&Sprawdź" is said "Sprawdź".
QString spoken(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(u'&');
    caption.replace(u'\x01', u'&');
    return caption;
}

} // namespace

QuizControlAccessible::QuizControlAccessible(THTMLViewer *view, int index)
    : m_view(view), m_index(index)
{
}

int QuizControlAccessible::DocumentPosition(const THTMLViewer &view, int index)
{
    const QString name = PageResources::name(PageResources::formScheme, index);
    const QTextDocument *document = view.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat() &&
                fragment.charFormat().toImageFormat().name() == name)
                return fragment.position();
        }
    }
    return -1;
}

bool QuizControlAccessible::isValid() const
{
    return m_view && m_index < m_view->Forms().count();
}

bool QuizControlAccessible::isCheckBox() const
{
    return m_view->Forms().control(m_index).kind == HtmlForms::Kind::CheckBox;
}

QWindow *QuizControlAccessible::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface *QuizControlAccessible::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view) : nullptr;
}

QString QuizControlAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return {};
    if (!isCheckBox())
        return spoken(m_view->Forms().control(m_index).label);
    // The answer follows its box to the end of the line.
    const int position = DocumentPosition(*m_view, m_index);
    if (position < 0)
        return {};
    const QTextBlock block = m_view->document()->findBlock(position);
    QString answer = block.text().mid(position - block.position() + 1);
    answer.truncate(answer.indexOf(QChar::LineSeparator) >= 0 ? answer.indexOf(QChar::LineSeparator)
                                                              : answer.size());
    return answer.simplified();
}

QRect QuizControlAccessible::rect() const
{
    const int position = isValid() ? DocumentPosition(*m_view, m_index) : -1;
    if (position < 0)
        return {};
    QTextCursor cursor(m_view->document());
    cursor.setPosition(position);
    const QRect before = m_view->cursorRect(cursor);
    cursor.setPosition(position + 1);
    const QRect after = m_view->cursorRect(cursor);
    const QRect local(before.topLeft(), QPoint(after.left(), before.bottom()));
    return QRect(m_view->viewport()->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role QuizControlAccessible::role() const
{
    return isValid() && isCheckBox() ? QAccessible::CheckBox : QAccessible::PushButton;
}

QAccessible::State QuizControlAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.focusable = true;
    // Reached with Tab, a control is the view's selected link.
    const QTextCursor selection = m_view->textCursor();
    state.focused = m_view->hasFocus() && selection.hasSelection() &&
                    selection.selectionStart() == DocumentPosition(*m_view, m_index);
    if (isCheckBox()) {
        state.checkable = true;
        state.checked = m_view->Forms().control(m_index).checked;
    }
    return state;
}

void *QuizControlAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                : nullptr;
}

QStringList QuizControlAccessible::actionNames() const
{
    if (!isValid())
        return {};
    return {isCheckBox() ? toggleAction() : pressAction()};
}

void QuizControlAccessible::doAction(const QString &actionName)
{
    if (actionNames().contains(actionName))
        m_view->PressFormControl(m_index);
}

QStringList QuizControlAccessible::keyBindingsForAction(const QString &actionName) const
{
    return actionNames().contains(actionName) ? QStringList{QStringLiteral("Space")}
                                              : QStringList();
}
