// The toolbar's Talvane button: the checks before a hand-off, then the Select Machine dialog.
#pragma once

#include <functional>

class EditorSession;
class Form3;
struct DncState;

// Refuses with a box when the editor is empty, no usable Talvane runs (the box says whether it is
// installed) or no profile file exists, and silently for an older Talvane. Otherwise shows the
// dialog that selectMachine gives (the existing one, or a new one, loaded as it is shown).
void TalvaneCommand(DncState& dnc, EditorSession& editor, const std::function<Form3&()>& selectMachine);
