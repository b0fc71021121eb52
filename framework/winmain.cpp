// The program's entry point: everything happens in the application object.
#include "afxwin_app.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int) { return AfxWinMain(hInstance); }
