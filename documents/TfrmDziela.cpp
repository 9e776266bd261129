#include "TfrmDziela.h"

#include "THTMLViewer.h"

TfrmDziela::TfrmDziela(QWidget *parent) : TfrmWzorDoc(parent)
{
    setObjectName(QStringLiteral("frmDziela"));
    setWindowTitle(QStringLiteral("frmDziela"));
    EnableBanner();
    SetBackColor(QColor(0, 0, 64));
    SetTextColor(Qt::white);
    SetLinkColor(QColor(255, 0, 0));
    HT1()->SetViewImages(false);
}

void TfrmDziela::LoadDocument(const QString &typ, const QString &numer)
{
    TfrmWzorDoc::LoadDocument(typ, numer);
    LoadCategoryDocument(typ, numer);
}
