#include "TfrmWypisy.h"

#include "THTMLViewer.h"

TfrmWypisy::TfrmWypisy(QWidget *parent) : TfrmWzorDoc(parent)
{
    setObjectName(QStringLiteral("frmWypisy"));
    setWindowTitle(QStringLiteral("frmWypisy"));
    SetBackColor(QColor(255, 255, 160));
    SetTextColor(Qt::black);
    SetLinkColor(QColor(0, 0, 255));
    HT1()->SetViewImages(true);
}

void TfrmWypisy::LoadDocument(const QString &typ, const QString &numer)
{
    TfrmWzorDoc::LoadDocument(typ, numer);
    LoadCategoryDocument(typ, numer);
}
