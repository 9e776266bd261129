#pragma once

#include "html/DocumentLinks.h"

#include <QAccessibleInterface>
#include <QPointer>

class THTMLViewer;

// One link of an HTML view's document, a child of the view's interface: named by its text,
// pressed to follow it as a click does, and placed in the document's text by its offsets.
class THTMLViewerLinkAccessible : public QAccessibleInterface,
                                  public QAccessibleActionInterface,
                                  public QAccessibleHyperlinkInterface
{
public:
    THTMLViewerLinkAccessible(THTMLViewer *viewer, const DocumentLinks::Link &link);

    void *interface_cast(QAccessible::InterfaceType type) override;
    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Link; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::State state() const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

    QString anchor() const override { return m_link.text; }
    QString anchorTarget() const override { return m_link.href; }
    int startIndex() const override { return m_link.start; }
    int endIndex() const override { return m_link.end; }

private:
    QPointer<THTMLViewer> m_viewer;
    DocumentLinks::Link m_link;
};
