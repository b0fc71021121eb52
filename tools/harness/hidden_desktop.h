// A window station of the test's own, with a desktop: what the session of a
// service or of a remote deployment tool looks like to the launcher, a place
// where nobody can see or answer a dialog.
#pragma once
#include <windows.h>

#include <string>

class HiddenDesktop {
 public:
  // Creates the station and its desktop "Default".
  HiddenDesktop();
  ~HiddenDesktop();
  HiddenDesktop(const HiddenDesktop&) = delete;
  HiddenDesktop& operator=(const HiddenDesktop&) = delete;

  // true when both exist and the station is not the visible one (some Wine
  // builds show every station; a test has nothing to test there).
  bool Usable() const { return m_desktop && !m_visible; }
  bool Visible() const { return m_visible; }
  // The "station\\desktop" to start a process on.
  std::wstring Name() const;

 private:
  HWINSTA m_station = nullptr;
  HDESK m_desktop = nullptr;
  bool m_visible = false;
};
