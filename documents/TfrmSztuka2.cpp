#include "TfrmSztuka2.h"

#include "THTMLViewer.h"

TfrmSztuka2::TfrmSztuka2(QWidget *parent) : TfrmWzorDoc(parent)
{
    setObjectName(QStringLiteral("frmSztuka2"));
    setWindowTitle(QStringLiteral("frmSztuka2"));
    SetBackColor(Qt::white);
    SetTextColor(Qt::black);
    SetLinkColor(QColor(0, 0, 255));
    HT1()->SetViewImages(false);
}

void TfrmSztuka2::LoadDocument(const QString &typ, const QString &numer)
{
    TfrmWzorDoc::LoadDocument(typ, numer);
    LoadCategoryDocument(typ, numer);
}
