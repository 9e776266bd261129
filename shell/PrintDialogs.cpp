#include "PrintDialogs.h"

#include <QPageSetupDialog>
#include <QPrintDialog>

bool PrintDialogs::ExecPrint(QPrinter &printer, QWidget *parent)
{
    QPrintDialog pDialog(&printer, parent);
    pDialog.setObjectName(QStringLiteral("pDialog"));
    return pDialog.exec() == QDialog::Accepted;
}

void PrintDialogs::ExecSetup(QPrinter &printer, QWidget *parent)
{
    QPageSetupDialog psDialog(&printer, parent);
    psDialog.setObjectName(QStringLiteral("psDialog"));
    psDialog.exec();
}
