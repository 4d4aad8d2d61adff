// The hand-off itself: the text saved where the user says, then Talvane asked to load that file.
#pragma once

class EditorSession;
class InterProc;
struct DncState;

inline constexpr const char* HandOffFileName = "dncfile.tmp";

// Asks "Save ?": Yes saves through the Save dialog (CurrentFilePath stays), No writes dncfile.tmp in
// the program folder. Then sends Talvane, through mb, a load request for that file with
// MachineNumber, raised to 1 when below. Nothing is sent when nothing was written.
void LoadFileToDnc(DncState& dnc, EditorSession& editor, InterProc& mb);
