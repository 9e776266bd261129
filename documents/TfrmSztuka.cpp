#include "TfrmSztuka.h"

#include "THTMLViewer.h"

TfrmSztuka::TfrmSztuka(QWidget *parent) : TfrmWzorDoc(parent)
{
    setObjectName(QStringLiteral("frmSztuka"));
    setWindowTitle(QStringLiteral("frmSztuka"));
    SetBackColor(Qt::white);
    SetTextColor(Qt::black);
    SetLinkColor(QColor(0, 0, 255));
    HT1()->SetViewImages(false);
}

void TfrmSztuka::LoadDocument(const QString &typ, const QString &numer)
{
    TfrmWzorDoc::LoadDocument(typ, numer);
    LoadCategoryDocument(typ, numer);
}
