#include "TfrmGatunki.h"

#include "THTMLViewer.h"

TfrmGatunki::TfrmGatunki(QWidget *parent) : TfrmWzorDoc(parent)
{
    setObjectName(QStringLiteral("frmGatunki"));
    setWindowTitle(QStringLiteral("frmGatunki"));
    SetBackColor(QColor(200, 255, 255));
    SetTextColor(Qt::black);
    SetLinkColor(QColor(0, 0, 255));
    HT1()->SetViewImages(false);
}

void TfrmGatunki::LoadDocument(const QString &typ, const QString &numer)
{
    TfrmWzorDoc::LoadDocument(typ, numer);
    LoadCategoryDocument(typ, numer);
}
