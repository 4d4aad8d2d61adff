// The path of the document shown, held as the text of the main window's path box rt1.
#pragma once

#include <string>

std::string CurrentFilePath();
// Every change raises rt1's change notification, which asks a running styling pass to restart.
void SetCurrentFilePath(const std::string& path);
