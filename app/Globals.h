#pragma once

// The process-wide objects every window reaches: the main window and the data module with
// its content directory. Null before they exist and after they are gone.
class TPulpit;
class TData;
class TPSSDirectory;

TPulpit *Pulpit();
void SetPulpit(TPulpit *pulpit);

TData *Data();
void SetData(TData *data);
TPSSDirectory *Directory();
