// What the launcher leaves or shows that tests and the demo read back the same
// way: the "SetupPath" value, the system's text of an error, the language a
// user locale is expected to give.
#pragma once
#include <windows.h>

#include <string>

// "SetupPath" under HKEY_CURRENT_USER\SOFTWARE\Velmora\Quarnel; empty when
// missing or not a string.
std::wstring SetupPathValue();

// String value `name` of `root`\`keyPath` in registry view `view`
// (KEY_WOW64_32KEY or KEY_WOW64_64KEY); empty when the key or value is not there.
std::wstring StringValueIn(HKEY root, LPCWSTR keyPath, LPCWSTR name, REGSAM view);

// Where the sample product's 32-bit installer puts it: Program Files ("(x86)"
// under WoW64), Velmora\Zelvane. Empty when the system does not say.
std::wstring SampleProductDir();

// The system's text of `error` in this process's locale (FormatMessageW), its
// trailing line ends and blanks dropped, with `program` for its insert %1 and
// nothing for any other insert, as a message about that program reads.
std::wstring SystemErrorText(DWORD error, const std::wstring& program = L"");

// The language index the launcher's rule gives `lcid`: French 1, German 2,
// Italian 3, Spanish 4, Portuguese 5, Chinese 6, Japanese 7, anything else 0.
int ExpectedLanguageOfLocale(LCID lcid);
