#include "DialogHelp.h"

#include <QDialog>
#include <QKeyEvent>

DialogHelp::DialogHelp(QDialog *dialog, int context, ShowHelp showHelp)
    : QObject(dialog), m_context(context), m_showHelp(std::move(showHelp))
{
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint);
    dialog->setProperty("helpContext", context);
    dialog->installEventFilter(this);
}

bool DialogHelp::eventFilter(QObject *watched, QEvent *event)
{
    // Both reach the dialog from the control they were meant for, which passes them on.
    bool help = event->type() == QEvent::WhatsThis;
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        help = key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier;
    }
    if (!help)
        return QObject::eventFilter(watched, event);
    if (m_showHelp)
        m_showHelp(m_context);
    return true;
}
