// The payload the test program carries, as the launcher's copy must hold it.
#pragma once
#include <windows.h>

#include <string>

#include "res/resource.h"

// The bytes of the program's own payload resource; empty without one.
inline std::string OwnPayload() {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_SETUP_PAYLOAD), RT_RCDATA);
  if (!resource) return std::string();
  const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
  return std::string(data, SizeofResource(nullptr, resource));
}
