#include "DocumentClasses.h"

#include "TPulpit.h"
#include "TfrmBiogramy.h"
#include "TfrmBohater.h"
#include "TfrmCytaty.h"
#include "TfrmDziela.h"
#include "TfrmEpoki.h"
#include "TfrmGatunki.h"
#include "TfrmIlustra.h"
#include "TfrmRodzaje.h"
#include "TfrmSztuka.h"
#include "TfrmSztuka2.h"
#include "TfrmTerminy.h"
#include "TfrmWypisy.h"

namespace {
template <typename Window> TPulpit::DocumentFactory factory()
{
    return [] { return new Window; };
}
} // namespace

void RegisterDocumentClasses(TPulpit &pulpit)
{
    pulpit.RegisterDocumentClass(QStringLiteral("_19701"), factory<TfrmDziela>());
    pulpit.RegisterDocumentClass(QStringLiteral("_19702"), factory<TfrmBiogramy>());
    pulpit.RegisterDocumentClass(QStringLiteral("_19703"), factory<TfrmEpoki>());
    pulpit.RegisterDocumentClass(QStringLiteral("_19704"), factory<TfrmGatunki>());
    pulpit.RegisterDocumentClass(QStringLiteral("_19705"), factory<TfrmTerminy>());
    pulpit.RegisterDocumentClass(QStringLiteral("_19706"), factory<TfrmWypisy>());
    pulpit.RegisterDocumentClass(QStringLiteral("_19711"), factory<TfrmIlustra>());
    pulpit.RegisterDocumentClass(QStringLiteral("_19712"), factory<TfrmSztuka>());
    pulpit.RegisterDocumentClass(QStringLiteral("_19713"), factory<TfrmSztuka2>());
    pulpit.RegisterDocumentClass(QStringLiteral("_19714"), factory<TfrmRodzaje>());
    pulpit.RegisterDocumentClass(QStringLiteral("_19720"), factory<TfrmCytaty>());
    pulpit.RegisterDocumentClass(QStringLiteral("_19799"), factory<TfrmBohater>());
}
