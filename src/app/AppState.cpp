// Paths inside the program folder.
#include "app/AppState.h"

std::string ProgramFile(const std::string& name) { return ProgramFolder + "/" + name; }
