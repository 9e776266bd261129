#include "MessageBoxes.h"

#include <QApplication>

namespace MessageBoxes {

namespace {
Handler &handler()
{
    static Handler h;
    return h;
}
} // namespace

QMessageBox::StandardButton show(QWidget *parent, const Message &message)
{
    if (handler())
        return handler()(message);
    QMessageBox box(message.icon, message.caption, message.text, message.buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

void showError(QWidget *parent, const QString &text)
{
    show(parent, {text, QApplication::applicationDisplayName(), QMessageBox::Critical,
                  QMessageBox::Ok});
}

Handler setHandler(Handler h)
{
    return std::exchange(handler(), std::move(h));
}

} // namespace MessageBoxes
