// What the toolbar buttons do.
#pragma once

class Application;
class MDIForm1;

void InstallToolbarCommands(MDIForm1& window, Application& application);

// The commands by themselves, for the buttons and for tests.
void NewCommand(Application& application);
void OpenCommand(Application& application);
void SaveCommand(Application& application);
