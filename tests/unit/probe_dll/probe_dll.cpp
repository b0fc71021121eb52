// A library that exists only beside the test program, to see whether library
// search still looks there.
#include <windows.h>

extern "C" __declspec(dllexport) int QuarnelProbe() { return 42; }
