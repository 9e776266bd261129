#pragma once

class TPulpit;

// Registers the window class of every document category with the dispatcher.
void RegisterDocumentClasses(TPulpit &pulpit);
