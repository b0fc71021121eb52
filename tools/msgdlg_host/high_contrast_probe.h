// The seam at the one platform call Wine cannot be made to answer: its
// SPI_GETHIGHCONTRAST always says "off". The host's import of
// SystemParametersInfoW is redirected to a function that passes every call
// on and, for that question, reports the setting where Windows keeps it
// (tools/harness/high_contrast.h), read anew each time, so that a test can
// turn the theme on and off while the dialog shows.
#pragma once

// False when the import is not found (the dialog then sees Wine's answer).
bool InstallHighContrastProbe();
