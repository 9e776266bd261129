#include "TfrmRodzaje.h"

#include "THTMLViewer.h"

TfrmRodzaje::TfrmRodzaje(QWidget *parent) : TfrmWzorDoc(parent)
{
    setObjectName(QStringLiteral("frmRodzaje"));
    setWindowTitle(QStringLiteral("frmRodzaje"));
    SetBackColor(QColor(255, 180, 150));
    SetTextColor(Qt::black);
    SetLinkColor(QColor(0, 0, 255));
    HT1()->SetViewImages(false);
}

void TfrmRodzaje::LoadDocument(const QString &typ, const QString &numer)
{
    TfrmWzorDoc::LoadDocument(typ, numer);
    LoadCategoryDocument(typ, numer);
}
