#include "THTMLViewerAccessible.h"

#include "THTMLViewer.h"
#include "THTMLViewerLinkAccessible.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

namespace {

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String(THTMLViewer::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new THTMLViewerAccessible(static_cast<THTMLViewer *>(object));
    return nullptr;
}

} // namespace

THTMLViewerAccessible::THTMLViewerAccessible(THTMLViewer *viewer)
    : QAccessibleWidget(viewer, QAccessible::Document)
{
    m_contentWatch = QObject::connect(viewer->document(), &QTextDocument::contentsChanged, viewer,
                                      [this] { forgetLinks(); });
}

THTMLViewerAccessible::~THTMLViewerAccessible()
{
    QObject::disconnect(m_contentWatch);
    forgetLinks();
}

void THTMLViewerAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

THTMLViewer *THTMLViewerAccessible::viewer() const
{
    return static_cast<THTMLViewer *>(object());
}

void *THTMLViewerAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State THTMLViewerAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    s.selectableText = !viewer()->NoSelect();
    return s;
}

const QList<DocumentLinks::Link> &THTMLViewerAccessible::links() const
{
    if (!m_linksRead) {
        m_links = DocumentLinks::of(*viewer()->document());
        m_children = QList<QAccessible::Id>(m_links.size(), 0);
        m_linksRead = true;
    }
    return m_links;
}

void THTMLViewerAccessible::forgetLinks()
{
    for (const QAccessible::Id id : std::as_const(m_children)) {
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    }
    m_children.clear();
    m_links.clear();
    m_linksRead = false;
}

int THTMLViewerAccessible::childCount() const
{
    return int(links().size());
}

QAccessibleInterface *THTMLViewerAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    // Each link keeps one interface while its document is shown, as assistive technology
    // expects.
    if (m_children.at(index))
        return QAccessible::accessibleInterface(m_children.at(index));
    QAccessibleInterface *link = new THTMLViewerLinkAccessible(viewer(), m_links.at(index));
    m_children[index] = QAccessible::registerAccessibleInterface(link);
    return link;
}

int THTMLViewerAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (int i = 0; i < m_children.size(); ++i) {
        if (m_children.at(i) && QAccessible::accessibleInterface(m_children.at(i)) == child)
            return i;
    }
    return -1;
}

QAccessibleInterface *THTMLViewerAccessible::childAt(int x, int y) const
{
    const int offset = offsetAtPoint(QPoint(x, y));
    const QList<DocumentLinks::Link> &all = links();
    for (int i = 0; i < all.size(); ++i) {
        if (offset >= all.at(i).start && offset < all.at(i).end)
            return child(i);
    }
    return nullptr;
}

void THTMLViewerAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    const QTextCursor cursor = viewer()->textCursor();
    if (selectionIndex == 0 && cursor.hasSelection()) {
        *startOffset = cursor.selectionStart();
        *endOffset = cursor.selectionEnd();
    }
}

int THTMLViewerAccessible::selectionCount() const
{
    return viewer()->textCursor().hasSelection() ? 1 : 0;
}

void THTMLViewerAccessible::addSelection(int startOffset, int endOffset)
{
    // One selection at most, as in the view.
    setSelection(0, startOffset, endOffset);
}

void THTMLViewerAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = viewer()->textCursor();
    cursor.clearSelection();
    viewer()->setTextCursor(cursor);
}

void THTMLViewerAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    // The reader's setting holds for assistive technology too.
    if (selectionIndex != 0 || viewer()->NoSelect())
        return;
    const int count = characterCount();
    QTextCursor cursor = viewer()->textCursor();
    cursor.setPosition(qBound(0, startOffset, count));
    cursor.setPosition(qBound(0, endOffset, count), QTextCursor::KeepAnchor);
    viewer()->setTextCursor(cursor);
}

int THTMLViewerAccessible::cursorPosition() const
{
    return viewer()->textCursor().position();
}

void THTMLViewerAccessible::setCursorPosition(int position)
{
    QTextCursor cursor = viewer()->textCursor();
    cursor.setPosition(qBound(0, position, characterCount()));
    viewer()->setTextCursor(cursor);
}

QString THTMLViewerAccessible::text(int startOffset, int endOffset) const
{
    // The plain text keeps the document's positions: one character for each.
    return viewer()->toPlainText().mid(startOffset, qMax(0, endOffset - startOffset));
}

int THTMLViewerAccessible::characterCount() const
{
    // The document ends with a paragraph separator that is not in its text.
    return viewer()->document()->characterCount() - 1;
}

void THTMLViewerAccessible::lineAt(int offset, int *start, int *end) const
{
    const QTextBlock block = viewer()->document()->findBlock(offset);
    *start = block.position();
    *end = block.position() + block.length(); // with the paragraph separator
    // A block not laid out yet is one line.
    const QTextLayout *layout = block.layout();
    const QTextLine line =
        layout ? layout->lineForTextPosition(offset - block.position()) : QTextLine();
    if (line.isValid()) {
        *start += line.textStart();
        if (line.lineNumber() + 1 < layout->lineCount())
            *end = *start + line.textLength();
    }
    *end = qMin(*end, characterCount());
}

QString THTMLViewerAccessible::lineText(int start, int end, int *startOffset, int *endOffset) const
{
    *startOffset = start;
    *endOffset = end;
    return text(start, end);
}

QString THTMLViewerAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int *startOffset, int *endOffset) const
{
    // Lines are those of the layout on screen; the other boundaries are the text's own.
    if (boundaryType != QAccessible::LineBoundary || offset < 0 || offset > characterCount())
        return QAccessibleTextInterface::textAtOffset(offset, boundaryType, startOffset, endOffset);
    int start = 0, end = 0;
    lineAt(offset, &start, &end);
    return lineText(start, end, startOffset, endOffset);
}

QString THTMLViewerAccessible::textBeforeOffset(int offset,
                                                QAccessible::TextBoundaryType boundaryType,
                                                int *startOffset, int *endOffset) const
{
    if (boundaryType != QAccessible::LineBoundary || offset < 0 || offset > characterCount())
        return QAccessibleTextInterface::textBeforeOffset(offset, boundaryType, startOffset,
                                                          endOffset);
    int start = 0, end = 0;
    lineAt(offset, &start, &end);
    if (start == 0)
        return lineText(0, 0, startOffset, endOffset);
    lineAt(start - 1, &start, &end);
    return lineText(start, end, startOffset, endOffset);
}

QString THTMLViewerAccessible::textAfterOffset(int offset,
                                               QAccessible::TextBoundaryType boundaryType,
                                               int *startOffset, int *endOffset) const
{
    if (boundaryType != QAccessible::LineBoundary || offset < 0 || offset > characterCount())
        return QAccessibleTextInterface::textAfterOffset(offset, boundaryType, startOffset,
                                                         endOffset);
    int start = 0, end = 0;
    lineAt(offset, &start, &end);
    if (end >= characterCount())
        return lineText(end, end, startOffset, endOffset);
    lineAt(end, &start, &end);
    return lineText(start, end, startOffset, endOffset);
}

QRect THTMLViewerAccessible::characterRect(int offset) const
{
    if (offset < 0 || offset >= characterCount())
        return {};
    QTextCursor cursor(viewer()->document());
    cursor.setPosition(offset);
    const QRect before = viewer()->cursorRect(cursor);
    cursor.setPosition(offset + 1);
    const QRect after = viewer()->cursorRect(cursor);
    // At the end of a line the next character is on the next one.
    const int width = after.top() == before.top() ? qMax(0, after.left() - before.left()) : 0;
    const QRect local(before.left(), before.top(), width, before.height());
    return local.translated(viewer()->viewport()->mapToGlobal(QPoint(0, 0)));
}

int THTMLViewerAccessible::offsetAtPoint(const QPoint &point) const
{
    const QPoint local = viewer()->viewport()->mapFromGlobal(point);
    if (!viewer()->viewport()->rect().contains(local))
        return -1;
    // The cursor nearest the point may stand after the character under it.
    const int offset = viewer()->cursorForPosition(local).position();
    return offset > 0 && characterRect(offset - 1).contains(point) ? offset - 1 : offset;
}

void THTMLViewerAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    // Scrolls only: the caret and the selection stay the reader's.
    QTextCursor cursor(viewer()->document());
    cursor.setPosition(qBound(0, endIndex, characterCount()));
    const QRect end = viewer()->cursorRect(cursor);
    cursor.setPosition(qBound(0, startIndex, characterCount()));
    const QRect start = viewer()->cursorRect(cursor);
    if (start.top() < 0 || end.bottom() > viewer()->viewport()->height()) {
        QScrollBar *bar = viewer()->verticalScrollBar();
        bar->setValue(bar->value() + start.top());
    }
}

QString THTMLViewerAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // No text attributes are reported; the whole text is one run.
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}
