#include "tools/harness/hidden_desktop.h"

namespace {
const wchar_t kStationName[] = L"QuarnelTestStation";
}  // namespace

HiddenDesktop::HiddenDesktop() {
  m_station = CreateWindowStationW(kStationName, 0, WINSTA_ALL_ACCESS, nullptr);
  if (!m_station) return;
  USEROBJECTFLAGS flags = {};
  GetUserObjectInformationW(m_station, UOI_FLAGS, &flags, sizeof(flags), nullptr);
  m_visible = (flags.dwFlags & WSF_VISIBLE) != 0;
  // A desktop is made on the process's station: switch there for the call.
  const HWINSTA own = GetProcessWindowStation();
  SetProcessWindowStation(m_station);
  m_desktop = CreateDesktopW(L"Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  SetProcessWindowStation(own);
}

HiddenDesktop::~HiddenDesktop() {
  if (m_desktop) CloseDesktop(m_desktop);
  if (m_station) CloseWindowStation(m_station);
}

std::wstring HiddenDesktop::Name() const { return std::wstring(kStationName) + L"\\Default"; }
