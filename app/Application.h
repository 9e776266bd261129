#pragma once

#include <QApplication>

// The program's application object. An error that leaves any event handler (a container
// that can no longer be read, a file that cannot be written) is shown in the standard error
// box, and the program goes on: the last net under every window, whose own operations
// restore their state with scope guards. Qt's own texts are shown in Polish.
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
