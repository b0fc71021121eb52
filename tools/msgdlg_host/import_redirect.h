// Redirects one of this executable's imports to a function of the host's
// own, which is how the host observes or answers a platform call the
// dialog makes without any switch in the dialog itself.
#pragma once
#include <windows.h>

// Points this executable's import of `function` from `dll` at
// `replacement` and gives the original in `original`. False when the
// import is not found or its slot cannot be written.
bool RedirectImport(const char* dll, const char* function, FARPROC replacement, FARPROC* original);

// `function` as a FARPROC, for RedirectImport.
template <typename Function>
FARPROC AsFarProc(Function* function) {
  // Through void*: an import slot holds whatever type its function has.
  return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
}
