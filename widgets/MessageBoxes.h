#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message to the reader goes through here, so tests can read and answer them.
namespace MessageBoxes {

struct Message
{
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

using Handler = std::function<QMessageBox::StandardButton(const Message &)>;

// Shows the message modally, owned by `parent` (the application window when null), and
// returns the button chosen. A splash screen never covers it: any is hidden first.
QMessageBox::StandardButton show(QWidget *parent, const Message &message);

// The application's standard error box: the application's title, an error icon, OK.
void showError(QWidget *parent, const QString &text);

// Hides every splash screen; what a dialog of the start-up does before it shows.
void hideSplashScreens();

// Replaces the real boxes (a null handler restores them); returns the previous handler.
Handler setHandler(Handler handler);

} // namespace MessageBoxes
