// Paths inside the program folder.
#include "base/AppState.h"

std::string AppState::ProgramFile(const std::string& name) const { return ProgramFolder + "/" + name; }
