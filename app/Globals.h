#pragma once

// The process-wide objects every window reaches: the main window and the data module with
// its content directory. Null before they exist and after they are gone.
class TPulpit;
class TData;
class TPSSDirectory;
class TfrmSearcher;

TPulpit *Pulpit();
void SetPulpit(TPulpit *pulpit);

TData *Data();
void SetData(TData *data);
TPSSDirectory *Directory();

// The progress window shown during long loads.
TfrmSearcher *Searcher();
void SetSearcher(TfrmSearcher *searcher);
