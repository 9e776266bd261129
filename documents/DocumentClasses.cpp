#include "DocumentClasses.h"

#include "CategoryTable.h"
#include "TPulpit.h"
#include "TfrmIlustra.h"
#include "TfrmWzorTekst.h"

void RegisterDocumentClasses(TPulpit &pulpit)
{
    const QLatin1String illustrations(TfrmIlustra::staticMetaObject.className());
    for (const CategoryTable::Category &row : CategoryTable::Rows()) {
        if (row.windowClass == illustrations)
            pulpit.RegisterDocumentClass(row.typ, [] { return new TfrmIlustra; });
        else if (!row.windowClass.isEmpty())
            pulpit.RegisterDocumentClass(row.typ, [&row] { return TfrmWzorTekst::Create(row); });
    }
}
