#include "ChildWindowManager.h"

#include "ChildPlacement.h"
#include "TfrmWzorBazowy.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QTimer>

namespace {

TfrmWzorBazowy *windowOf(QMdiSubWindow *sub)
{
    return sub ? qobject_cast<TfrmWzorBazowy *>(sub->widget()) : nullptr;
}

} // namespace

ChildWindowManager::ChildWindowManager(QMdiArea *area) : QObject(area), m_area(area)
{
    connect(m_area, &QMdiArea::subWindowActivated, this, &ChildWindowManager::activated);
}

void ChildWindowManager::activated(QMdiSubWindow *sub)
{
    if (sub && !m_closing) {
        m_path.removeIf([sub](const QPointer<QMdiSubWindow> &p) { return !p || p == sub; });
        m_path.append(sub);
    }
    if (sub == m_active)
        return;
    if (TfrmWzorBazowy *previous = windowOf(m_active))
        previous->FormDeactivate();
    m_active = sub;
}

QMdiSubWindow *ChildWindowManager::add(TfrmWzorBazowy *window)
{
    QMdiSubWindow *sub = m_area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // Not a Tab stop itself: Tab entering it would hand the focus back to its last control,
    // so Tab could not get out of the last one. Tab goes round inside the child.
    sub->setFocusPolicy(Qt::NoFocus);
    track(sub);
    connect(sub, &QObject::destroyed, this, [this, sub] { m_lastFocus.remove(sub); });
    connect(sub, &QObject::destroyed, this, &ChildWindowManager::childGone, Qt::QueuedConnection);
    return sub;
}

QList<TfrmWzorBazowy *> ChildWindowManager::windows() const
{
    QList<TfrmWzorBazowy *> windows;
    for (QMdiSubWindow *sub : m_area->subWindowList()) {
        // A closed window lingers until its deletion runs; it no longer counts.
        if (TfrmWzorBazowy *w = windowOf(sub); w && !sub->isHidden())
            windows.append(w);
    }
    return windows;
}

TfrmWzorBazowy *ChildWindowManager::active() const
{
    return windowOf(activeSub());
}

QMdiSubWindow *ChildWindowManager::activeSub() const
{
    return m_area->activeSubWindow();
}

bool ChildWindowManager::bringToFront(const QString &typ, const QString &numer)
{
    bool found = false;
    for (TfrmWzorBazowy *window : windows()) {
        if (window->Typ() == typ && window->Numer() == numer) {
            auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
            activate(sub);
            sub->raise();
            found = true;
        }
    }
    return found;
}

void ChildWindowManager::track(QMdiSubWindow *sub)
{
    sub->installEventFilter(this);
    // Ctrl+F4 is the frame's (its system menu's key does not reach it everywhere, and two
    // owners would make the key ambiguous).
    if (QMenu *menu = sub->systemMenu()) {
        for (QAction *action : menu->actions()) {
            if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_F4)))
                action->setShortcuts({});
        }
    }
}

QMdiSubWindow *ChildWindowManager::previousOf(QMdiSubWindow *sub) const
{
    for (auto it = m_path.crbegin(); it != m_path.crend(); ++it) {
        if (*it && *it != sub && !(*it)->isHidden())
            return *it;
    }
    return nullptr;
}

bool ChildWindowManager::eventFilter(QObject *watched, QEvent *event)
{
    auto *sub = qobject_cast<QMdiSubWindow *>(watched);
    if (event->type() != QEvent::Close || !sub || sub != m_area->activeSubWindow())
        return false;
    QPointer<QMdiSubWindow> previous = previousOf(sub);
    QPointer<QMdiSubWindow> closing = sub;
    // What the area activates by itself meanwhile is not where the reader went.
    m_closing = true;
    QTimer::singleShot(0, this, [this, previous, closing] {
        m_closing = false;
        // A child may refuse to close (the Index does).
        const bool closed = !closing || closing->isHidden();
        if (closed && previous && !previous->isHidden())
            activate(previous);
    });
    return false;
}

void ChildWindowManager::closeActive()
{
    // The Index refuses to close; document and quiz windows close as by their close button.
    if (QMdiSubWindow *sub = m_area->activeSubWindow())
        sub->close();
}

void ChildWindowManager::showNew(QMdiSubWindow *sub)
{
    QMdiSubWindow *active = m_area->activeSubWindow();
    if (active && active != sub && active->isMaximized()) {
        sub->showMaximized();
    } else {
        std::optional<QRect> previous;
        if (m_last && m_last != sub && !m_last->isHidden() && !m_last->isMaximized() &&
            !m_last->isMinimized())
            previous = m_last->geometry();
        sub->setGeometry(ChildPlacement::next(m_area->viewport()->rect(), previous, step()));
        sub->show();
    }
    m_last = sub;
    activate(sub);
}

void ChildWindowManager::activate(QMdiSubWindow *sub)
{
    if (!sub)
        return;
    focusIn(sub);
    QTimer::singleShot(0, sub, [this, sub] {
        if (!sub->isHidden() && m_area->activeSubWindow() != sub)
            focusIn(sub);
    });
}

void ChildWindowManager::focusIn(QMdiSubWindow *sub)
{
    if (QMdiSubWindow *current = m_area->activeSubWindow(); current && current != sub) {
        QWidget *focus = QApplication::focusWidget();
        if (focus && current->isAncestorOf(focus))
            m_lastFocus.insert(current, focus);
    }
    const QPointer<QWidget> kept = m_lastFocus.take(sub);
    m_area->setActiveSubWindow(sub);
    QWidget *widget = sub->widget();
    if (!widget)
        return;
    // The focus goes with it too, so the frame activates it again when the main window
    // itself becomes active: back to the control the reader left it in (a list's current
    // row, say), or to the window itself the first time.
    QWidget *last = kept ? kept.data() : widget->focusWidget();
    if (last && last != widget && widget->isAncestorOf(last) && last->isVisibleTo(widget) &&
        last->isEnabled())
        last->setFocus(Qt::OtherFocusReason);
    else
        widget->setFocus(Qt::OtherFocusReason);
}

QList<QMdiSubWindow *> ChildWindowManager::arrangeable() const
{
    // In the order of activation, the active child last: in a cascade it lies on top, and
    // the title bars of the others show above and left of it.
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *sub : m_area->subWindowList(QMdiArea::ActivationHistoryOrder)) {
        if (!sub->isHidden() && !sub->isMinimized())
            windows.append(sub);
    }
    return windows;
}

int ChildWindowManager::step() const
{
    return m_area->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, m_area) + 4;
}

void ChildWindowManager::cascade()
{
    const QList<QMdiSubWindow *> windows = arrangeable();
    const QList<QRect> places =
        ChildPlacement::cascade(m_area->viewport()->rect(), int(windows.size()), step());
    for (int i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(places[i]);
        windows[i]->raise();
    }
    if (!windows.isEmpty())
        m_last = windows.last();
}

void ChildWindowManager::tile(bool columns)
{
    const QList<QMdiSubWindow *> windows = arrangeable();
    const QList<QRect> places =
        ChildPlacement::tile(m_area->viewport()->rect(), int(windows.size()), columns);
    for (int i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(places[i]);
    }
}
