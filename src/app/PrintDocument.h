// The Print command: the print dialog, the printer it chose, the range, and the printing.
#pragma once

class Application;

// Prints the whole document or the selection, the pages and copies chosen, to a printer or whole
// into a PDF file titled with the document's path; nothing without a document window. A cancelled
// dialog ends silently, any other failure in a message box.
void PrintDocument(Application& application);
