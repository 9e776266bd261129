#include "Globals.h"

#include "TData.h"

namespace {
TPulpit *g_pulpit = nullptr;
TData *g_data = nullptr;
TfrmSearcher *g_searcher = nullptr;
} // namespace

TPulpit *Pulpit()
{
    return g_pulpit;
}

void SetPulpit(TPulpit *pulpit)
{
    g_pulpit = pulpit;
}

TData *Data()
{
    return g_data;
}

void SetData(TData *data)
{
    g_data = data;
}

TPSSDirectory *Directory()
{
    return g_data ? g_data->directory() : nullptr;
}

TfrmSearcher *Searcher()
{
    return g_searcher;
}

void SetSearcher(TfrmSearcher *searcher)
{
    g_searcher = searcher;
}
