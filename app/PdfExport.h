#pragma once

#include <QString>

class TPulpit;

// `verbarium --print-pdf TYP NUMER FILE.pdf`: one entry printed into a PDF file as the print
// command prints its window (the document's HTML view, or the illustration fitted to the page).
namespace PdfExport {

enum Status {
    Printed = 0,
    NoWindow = 1,   // the category has no document window, the entry is not there, or its
                    // window prints nothing (an illustration without a picture)
    NotWritten = 2, // the file cannot be written
};

// Opens the entry through the dispatcher and prints its window; `error` says why not.
Status PrintEntry(TPulpit &pulpit, const QString &typ, const QString &numer, const QString &file,
                  QString *error);

} // namespace PdfExport
