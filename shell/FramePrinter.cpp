#include "FramePrinter.h"

#include "PrintDialogs.h"
#include "TfrmWzorBazowy.h"

#include <QPrinter>

FramePrinter::FramePrinter(PrintDialogs *dialogs) : m_dialogs(dialogs)
{
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<PrintDialogs>();
        m_dialogs = m_ownDialogs.get();
    }
}

FramePrinter::~FramePrinter() = default;

QPrinter &FramePrinter::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void FramePrinter::print(const QPointer<TfrmWzorBazowy> &window, QWidget *parent)
{
    // The dialog runs the event loop: the window may be closed meanwhile.
    if (m_dialogs->ExecPrint(printer(), parent) && window) {
        // The title of a PDF made by printing, and the job's name in the printer queue.
        printer().setDocName(window->windowTitle());
        window->Print(printer());
    }
}

void FramePrinter::setup(QWidget *parent)
{
    m_dialogs->ExecSetup(printer(), parent);
}
