// Progress text goes to StatBar1's first panel.
#include "app/StatusPanel.h"

#include "app/MDIForm1.h"

void ShowStatusText(const std::string& text) { Forms::Instance().Get<MDIForm1>().SetStatusText(text); }
