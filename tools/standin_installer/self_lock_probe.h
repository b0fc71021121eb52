// What another process can do to the installer copy while it runs: the
// launcher that started it must keep anyone from rewriting, renaming or
// deleting it.
#pragma once
#include "standin_common/standin_log.h"

// Tries to open the running image at `imagePath` for writing and for
// deleting, and to rename it (and back, should that succeed); one field each,
// "denied" or "allowed", with the error of a denial: write=denied:32.
LogFields ProbeOwnImage(const std::wstring& imagePath);
