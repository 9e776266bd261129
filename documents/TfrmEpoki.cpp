#include "TfrmEpoki.h"

#include "THTMLViewer.h"

TfrmEpoki::TfrmEpoki(QWidget *parent) : TfrmWzorDoc(parent)
{
    setObjectName(QStringLiteral("frmEpoki"));
    setWindowTitle(QStringLiteral("frmEpoki"));
    SetBackColor(Qt::white);
    SetTextColor(Qt::black);
    SetLinkColor(QColor(0, 0, 255));
    HT1()->SetViewImages(false);
}

void TfrmEpoki::LoadDocument(const QString &typ, const QString &numer)
{
    TfrmWzorDoc::LoadDocument(typ, numer);
    LoadCategoryDocument(typ, numer);
}
