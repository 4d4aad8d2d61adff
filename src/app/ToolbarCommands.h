// What the toolbar buttons do.
#pragma once

class MDIForm1;

void InstallToolbarCommands(MDIForm1& window);

// The commands by themselves, for the buttons and for tests.
void NewCommand();
void OpenCommand();
void SaveCommand();
