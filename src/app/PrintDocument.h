// The Print command: the print dialog, the printer it chose, the range, and the printing.
#pragma once

class Application;

// Prints the whole document or the selection; nothing without a document window. A cancelled
// dialog ends silently, any other failure in a message box.
void PrintDocument(Application& application);
