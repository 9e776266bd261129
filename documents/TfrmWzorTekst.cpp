#include "TfrmWzorTekst.h"

#include "THTMLViewer.h"

#include <QScopeGuard>

TfrmWzorTekst::TfrmWzorTekst(const CategoryLook &look, QWidget *parent) : TfrmWzorDoc(parent)
{
    setObjectName(QLatin1String(look.designName));
    setWindowTitle(QLatin1String(look.designName));
    if (look.banner)
        EnableBanner();
    SetBackColor(look.back);
    SetTextColor(look.text);
    SetLinkColor(look.link);
    HT1()->SetViewImages(look.images);
}

void TfrmWzorTekst::LoadDocument(const QString &typ, const QString &numer)
{
    // However the loading ends, a read error included, the window can close afterwards.
    const auto loaded = qScopeGuard([this] { SetBusy(false); });
    TfrmWzorDoc::LoadDocument(typ, numer);
    LoadCategoryDocument(typ, numer);
}
