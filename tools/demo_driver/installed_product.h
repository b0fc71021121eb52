// What the sample product's real installer leaves on the machine, shown in
// the transcript, and the steps that use it: its uninstaller, then a second
// install by the download.
#pragma once
#include <string>

#include "demo_steps.h"

// True when the launcher at `path` carries an NSIS installer as its payload.
bool CarriesNsisInstaller(const std::wstring& path);

// The install folder's files and the uninstall key's values, as facts.
void ReportInstalledProduct(const std::wstring& installDir, Transcript& transcript);
