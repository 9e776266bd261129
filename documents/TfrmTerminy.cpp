#include "TfrmTerminy.h"

#include "THTMLViewer.h"

TfrmTerminy::TfrmTerminy(QWidget *parent) : TfrmWzorDoc(parent)
{
    setObjectName(QStringLiteral("frmTerminy"));
    setWindowTitle(QStringLiteral("frmTerminy"));
    SetBackColor(QColor(0, 64, 64));
    SetTextColor(Qt::white);
    SetLinkColor(QColor(255, 255, 0));
    HT1()->SetViewImages(false);
}

void TfrmTerminy::LoadDocument(const QString &typ, const QString &numer)
{
    TfrmWzorDoc::LoadDocument(typ, numer);
    LoadCategoryDocument(typ, numer);
}
