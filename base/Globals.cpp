#include "Globals.h"

#include "TData.h"

namespace {
TData *g_data = nullptr;
} // namespace

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
