#pragma once

#include "html/DocumentLinks.h"

#include <QAccessibleWidget>
#include <QList>
#include <QMetaObject>

class THTMLViewer;

// What assistive technology sees of an HTML view: a read-only document with its text, caret
// and selection, and its links as children a screen reader can list and press.
class THTMLViewerAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit THTMLViewerAccessible(THTMLViewer *viewer);
    ~THTMLViewerAccessible() override;

    // Makes the views answer with this interface; once is enough for the program.
    static void Install();

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    // The name and description stay the widget's.
    using QAccessibleWidget::text;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int *startOffset, int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int *startOffset, int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    THTMLViewer *viewer() const;
    const QList<DocumentLinks::Link> &links() const;
    // The children are made anew for every document.
    void forgetLinks();
    // The laid-out line at a position, its line break included: [start, end).
    void lineAt(int offset, int *start, int *end) const;
    QString lineText(int start, int end, int *startOffset, int *endOffset) const;

    QMetaObject::Connection m_contentWatch;
    mutable QList<DocumentLinks::Link> m_links;
    mutable bool m_linksRead = false;
    mutable QList<QAccessible::Id> m_children; // 0 for a child not asked for yet
};
