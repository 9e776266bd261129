#include "TfrmBiogramy.h"

#include "THTMLViewer.h"

TfrmBiogramy::TfrmBiogramy(QWidget *parent) : TfrmWzorDoc(parent)
{
    setObjectName(QStringLiteral("frmBiogramy"));
    setWindowTitle(QStringLiteral("frmBiogramy"));
    SetBackColor(QColor(192, 176, 160));
    SetTextColor(Qt::black);
    SetLinkColor(QColor(0, 0, 255));
    HT1()->SetViewImages(false);
}

void TfrmBiogramy::LoadDocument(const QString &typ, const QString &numer)
{
    TfrmWzorDoc::LoadDocument(typ, numer);
    LoadCategoryDocument(typ, numer);
}
