#include "Application.h"

#include "MessageBoxes.h"

#include <exception>

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        // ContentError's text is its message in UTF-8, like every other error here.
        MessageBoxes::showError(nullptr, QString::fromUtf8(e.what()));
    }
    return false;
}
