#include "TfrmBohater.h"

#include "THTMLViewer.h"

TfrmBohater::TfrmBohater(QWidget *parent) : TfrmWzorDoc(parent)
{
    setObjectName(QStringLiteral("frmBohater"));
    setWindowTitle(QStringLiteral("frmBohater"));
    SetBackColor(Qt::white);
    SetTextColor(Qt::black);
    SetLinkColor(QColor(0, 0, 255));
    HT1()->SetViewImages(true);
}

void TfrmBohater::LoadDocument(const QString &typ, const QString &numer)
{
    TfrmWzorDoc::LoadDocument(typ, numer);
    LoadCategoryDocument(typ, numer);
}
