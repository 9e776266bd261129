#include "TfrmCytaty.h"

#include "THTMLViewer.h"

TfrmCytaty::TfrmCytaty(QWidget *parent) : TfrmWzorDoc(parent)
{
    setObjectName(QStringLiteral("frmCytaty"));
    setWindowTitle(QStringLiteral("frmCytaty"));
    SetBackColor(QColor(255, 255, 160));
    SetTextColor(Qt::black);
    SetLinkColor(QColor(0, 0, 255));
    HT1()->SetViewImages(false);
}

void TfrmCytaty::LoadDocument(const QString &typ, const QString &numer)
{
    TfrmWzorDoc::LoadDocument(typ, numer);
    LoadCategoryDocument(typ, numer);
}
