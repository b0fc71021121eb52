#include "channel/null_dacl_security.h"

bool PrepareNullDaclSecurity(SECURITY_DESCRIPTOR& sd, SECURITY_ATTRIBUTES& sa) {
  sa.nLength = sizeof(SECURITY_ATTRIBUTES);
  sa.bInheritHandle = FALSE;
  sa.lpSecurityDescriptor = nullptr;
  if (!InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION)) return false;
  if (!SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE)) return false;
  // Only a fully prepared descriptor is handed out: a half-initialised one
  // would make the creation fail outright instead of falling back.
  sa.lpSecurityDescriptor = &sd;
  return true;
}
