// The open of the command-line file, once, shortly after start.
#pragma once

void OpenCommandLineFile();
