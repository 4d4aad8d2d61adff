// The Open command's dialog, attribute checks and load.
#pragma once

// True when a file was chosen and loaded.
bool OpenDocument();
