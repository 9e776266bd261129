#include "PdfExport.h"

#include "Globals.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TfrmWzorBazowy.h"

#include <QFile>
#include <QPrinter>

PdfExport::Status PdfExport::PrintEntry(TPulpit &pulpit, const QString &typ, const QString &numer,
                                        const QString &file, QString *error)
{
    const auto fail = [error](Status status, const QString &why) {
        if (error)
            *error = why;
        return status;
    };
    QStringList fields;
    if (!pulpit.HasDocumentClass(typ) || !Directory() ||
        !Directory()->ReadFields(typ, numer, fields))
        return fail(NoWindow, QStringLiteral("%1 %2: nie ma takiego dokumentu").arg(typ, numer));
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return fail(NotWritten, QStringLiteral("%1: %2").arg(file, out.errorString()));
    }

    pulpit.OpenDocument(typ, numer);
    TfrmWzorBazowy *window = nullptr;
    for (TfrmWzorBazowy *child : pulpit.ChildWindows()) {
        if (child->Typ() == typ && child->Numer() == numer)
            window = child;
    }
    if (window && window->CanPrint()) {
        // As the print command does before printing.
        pulpit.StopSound();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setDocName(window->windowTitle());
        if (window->Print(printer))
            return Printed;
    }
    QFile::remove(file);
    return fail(NoWindow,
                QStringLiteral("%1 %2: ten dokument nie ma czego wydrukować").arg(typ, numer));
}
