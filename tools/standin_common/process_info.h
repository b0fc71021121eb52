// Facts about the running stand-in that tests check: its own path, working
// directory, command line and the program that started it.
#pragma once
#include <string>

std::wstring OwnPath();
std::wstring CurrentDirectory();
// The parent process's image path, or "" when it has already gone.
std::wstring ParentImagePath();
