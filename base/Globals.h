#pragma once

// The data module every window reaches, with its content directory. Null before it exists and
// after it is gone.
class TData;
class TPSSDirectory;

TData *Data();
void SetData(TData *data);
TPSSDirectory *Directory();
