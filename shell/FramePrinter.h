#pragma once

#include <QPointer>

#include <memory>

class PrintDialogs;
class QPrinter;
class QWidget;
class TfrmWzorBazowy;

// The frame's printing: the platform's current printer, made when first printed on or set
// up, which the print and printer-setup dialogs choose.
class FramePrinter
{
public:
    // `dialogs` is not owned; the platform's dialogs when null.
    explicit FramePrinter(PrintDialogs *dialogs);
    ~FramePrinter();

    // Prints the window on the printer the reader picks, if it is still open then.
    void print(const QPointer<TfrmWzorBazowy> &window, QWidget *parent);
    void setup(QWidget *parent);

private:
    QPrinter &printer();

    PrintDialogs *m_dialogs;
    std::unique_ptr<PrintDialogs> m_ownDialogs;
    std::unique_ptr<QPrinter> m_printer;
};
