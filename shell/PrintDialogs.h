#pragma once

class QPrinter;
class QWidget;

// The print dialog and the printer-setup dialog of the main window, behind one seam so that
// a test (or the PDF export) can stand in for the reader.
class PrintDialogs
{
public:
    virtual ~PrintDialogs() = default;

    // Lets the reader choose the printer and its options; false when cancelled.
    virtual bool ExecPrint(QPrinter &printer, QWidget *parent);
    // Lets the reader set up the printer (paper, orientation); changes only the printer.
    virtual void ExecSetup(QPrinter &printer, QWidget *parent);
};
