// The open of the command-line file, once, shortly after start.
#pragma once

class EditorSession;
class Styling;

void OpenCommandLineFile(EditorSession& editor, Styling& styling);
