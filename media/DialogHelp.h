#pragma once

#include <QObject>

#include <functional>

class QDialog;

// A dialog's help topic: F1, or a click on any control after the title bar's help button,
// shows it through the function the dialog is given. The dialog gets that button and owns
// this object.
class DialogHelp : public QObject
{
public:
    using ShowHelp = std::function<void(int context)>;

    DialogHelp(QDialog *dialog, int context, ShowHelp showHelp);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_context;
    ShowHelp m_showHelp;
};
