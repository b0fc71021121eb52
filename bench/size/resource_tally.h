// Bytes of an executable's resources by what they are for: the installer
// payload, the artwork, the icon, the strings, the dialog, the version and
// the manifest. Header only, so that unit tests can check it on their own
// module.
#pragma once
#include <windows.h>

#include <map>
#include <string>

// What a resource of `type` and `id` is for. Raw data 9300 is the payload;
// other raw data is PNG artwork.
inline std::string ResourceClass(ULONG_PTR type, ULONG_PTR id) {
  // The platform's RT_* constants are pointers, unusable as case labels.
  switch (type) {
    case 10: return id == 9300 ? "payload" : "artwork";  // RT_RCDATA
    case 3:                                              // RT_ICON
    case 14: return "icon";                              // RT_GROUP_ICON
    case 6: return "strings";                            // RT_STRING
    case 5: return "dialog";                             // RT_DIALOG
    case 16: return "version";                           // RT_VERSION
    case 24: return "manifest";                          // RT_MANIFEST
    default: return "other";
  }
}

struct ResourceTotal {
  unsigned long long bytes = 0;
  unsigned count = 0;
};
using ResourceTally = std::map<std::string, ResourceTotal>;

namespace resource_tally_detail {

struct Walk {
  HMODULE module;
  ResourceTally* tally;
  ULONG_PTR type;
};

// Named (string) identifiers count as "other": the launcher uses numbers.
inline BOOL CALLBACK AddName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
  Walk* walk = reinterpret_cast<Walk*>(param);
  HRSRC found = FindResourceW(module, name, type);
  const ULONG_PTR id = IS_INTRESOURCE(name) ? reinterpret_cast<ULONG_PTR>(name) : 0;
  ResourceTotal& total =
      (*walk->tally)[IS_INTRESOURCE(type) ? ResourceClass(walk->type, id) : "other"];
  total.bytes += found ? SizeofResource(module, found) : 0;
  ++total.count;
  return TRUE;
}

inline BOOL CALLBACK AddType(HMODULE module, LPWSTR type, LONG_PTR param) {
  Walk walk = *reinterpret_cast<Walk*>(param);
  walk.type = IS_INTRESOURCE(type) ? reinterpret_cast<ULONG_PTR>(type) : 0;
  EnumResourceNamesW(module, type, AddName, reinterpret_cast<LONG_PTR>(&walk));
  return TRUE;
}

}  // namespace resource_tally_detail

// The resources of `module` (any language) tallied by ResourceClass.
inline ResourceTally TallyResources(HMODULE module) {
  ResourceTally tally;
  resource_tally_detail::Walk walk{module, &tally, 0};
  EnumResourceTypesW(module, resource_tally_detail::AddType, reinterpret_cast<LONG_PTR>(&walk));
  return tally;
}
