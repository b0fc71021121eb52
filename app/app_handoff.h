// Starting the installed product's main application.
#pragma once
#include <windows.h>

// Starts "Zelvane.exe" from the folder of `installedLauncherPath` (the
// installed Quarnel.exe) through the shell, with that folder as working
// directory, and returns at once. Nothing is started when the path is
// longer than 260 characters.
void LaunchInstalledApplication(LPCWSTR installedLauncherPath);
