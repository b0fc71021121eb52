// The steps of the demo: the product's life (one run of the driver) and the
// unsupported-Windows message in one user locale (one run per locale, since
// Wine fixes a program's locale when it starts).
#pragma once
#include <functional>
#include <string>

#include "demo_machine.h"
#include "transcript.h"

struct DemoContext {
  DemoMachine& machine;
  Transcript& transcript;
  std::wstring builtLauncher;  // the launcher under demonstration
  std::wstring pictureDir;     // where pictures and captions.txt go
  bool realInstaller;          // its payload is the sample's NSIS installer
};

// Runs `steps` with the stand-in service answering; false when the service
// did not start or stop cleanly, or when `steps` returned false.
bool WithStandinService(DemoContext& context, const std::function<bool()>& steps);

// Steps 1 to 4: a fresh machine installs; the installed launcher hands off;
// an older installed product is updated on acceptance and handed off to when
// declined. Starts the stand-in service for their length. Stops at the first
// step whose outcome is wrong; false then.
bool RunProductLife(DemoContext& context);

// Windows 6.0 reported to the launcher: its unsupported-Windows message must
// appear in `language` (the language of this process's user locale
// `localeName`), and nothing else may happen. `label` numbers the step.
bool RunUnsupportedWindows(DemoContext& context, int language, const std::wstring& localeName,
                           const std::wstring& label);

// Zelvane.exe moved out of the installed product's folder: the installed
// launcher must offer the repair in `language` (this process's user
// locale's). Accepted (`accept`), it must run its installer, which brings
// Zelvane.exe back; declined, it must end with exit code 12, starting
// nothing. Runs the stand-in service for its length; `label` numbers the step.
bool RunApplicationMissing(DemoContext& context, int language, bool accept,
                           const std::wstring& label);

// The update question with a high-contrast theme on, shown by the dialog
// host (Wine never reports the theme): the theme's colours and no artwork.
// `label` numbers the step.
bool RunHighContrast(DemoContext& context, const std::wstring& label);

// The product from the steps above, installed by the real installer: the
// uninstall key's quiet uninstaller must remove its files, folder and key,
// and the download must then install it again. Step 7.
bool RunUninstallAndReinstall(DemoContext& context);
