#include "MessageBoxes.h"

#include <QApplication>
#include <QGridLayout>
#include <QMainWindow>
#include <QSpacerItem>
#include <QStyle>

namespace MessageBoxes {

namespace {
Handler &handler()
{
    static Handler h;
    return h;
}

// The application window: the visible main window, when there is one.
QWidget *applicationWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow *>(widget) && widget->isVisible())
            return widget;
    }
    return nullptr;
}

// A message box is as wide as its text; a longer caption would be cut in its title bar.
void makeRoomForCaption(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    const QFontMetrics metrics(box.font());
    const int buttons = box.style()->pixelMetric(QStyle::PM_TitleBarButtonSize) * 3;
    const int width = metrics.horizontalAdvance(box.windowTitle()) * 5 / 4 + buttons + 48;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}
} // namespace

void hideSplashScreens()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->windowType() == Qt::SplashScreen && widget->isVisible())
            widget->hide();
    }
}

QMessageBox::StandardButton show(QWidget *parent, const Message &message)
{
    hideSplashScreens();
    if (handler())
        return handler()(message);
    QWidget *owner = parent ? parent : applicationWindow();
    QMessageBox box(message.icon, message.caption, message.text, message.buttons, owner);
    // A dialog frame: a title and a close button. Without a window to belong to (early in
    // the start-up) it stays above the desktop.
    Qt::WindowFlags flags =
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (!owner)
        flags |= Qt::WindowStaysOnTopHint;
    box.setWindowFlags(flags);
    makeRoomForCaption(box);
    return QMessageBox::StandardButton(box.exec());
}

void showError(QWidget *parent, const QString &text)
{
    show(parent,
         {text, QApplication::applicationDisplayName(), QMessageBox::Critical, QMessageBox::Ok});
}

Handler setHandler(Handler h)
{
    return std::exchange(handler(), std::move(h));
}

} // namespace MessageBoxes
