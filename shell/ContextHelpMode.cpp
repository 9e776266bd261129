#include "ContextHelpMode.h"

#include "HelpSystem.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QToolBar>
#include <QToolButton>

ContextHelpMode::ContextHelpMode(HelpSystem &help, QObject *parent) : QObject(parent), m_help(help)
{
}

ContextHelpMode::~ContextHelpMode()
{
    if (m_on)
        QGuiApplication::restoreOverrideCursor();
}

int ContextHelpMode::contextOf(const QWidget *widget)
{
    int context = 0;
    for (const QWidget *w = widget; w && context == 0; w = w->parentWidget())
        context = w->property(ContextProperty).toInt();
    return context;
}

void ContextHelpMode::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    for (QAction *item : std::as_const(m_marks))
        item->setChecked(on);
    if (on)
        QGuiApplication::setOverrideCursor(Qt::WhatsThisCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void ContextHelpMode::addMark(QAction *item)
{
    item->setCheckable(true);
    item->setChecked(m_on);
    m_marks.append(item);
}

void ContextHelpMode::watch(QWidget *widget)
{
    widget->installEventFilter(this);
}

bool ContextHelpMode::intercept(QObject *sender)
{
    if (!m_on)
        return false;
    showHelp(sender);
    return true;
}

void ContextHelpMode::showHelp(QObject *sender)
{
    setOn(false);
    int context = 0;
    if (auto *action = qobject_cast<QAction *>(sender)) {
        // Only the toolbar commands carry their toolbar's context; a menu command has none.
        context = action->property(ContextProperty).toInt();
    } else if (auto *button = qobject_cast<QToolButton *>(sender);
               button && qobject_cast<QToolBar *>(button->parentWidget())) {
        context = button->parentWidget()->property(ContextProperty).toInt();
    } else if (auto *widget = qobject_cast<QWidget *>(sender)) {
        context = contextOf(widget);
    }
    if (context != 0)
        m_help.showPopup(context);
}

bool ContextHelpMode::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && m_on) {
        showHelp(watched);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
