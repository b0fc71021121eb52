// Security for the objects a client creates on the service's behalf: a NULL
// DACL, so that every account (the service's and other users' clients) can
// open them.
#pragma once
#include <windows.h>

// Initialises `sd` at SECURITY_DESCRIPTOR_REVISION with a present, NULL,
// not-defaulted DACL, and `sa` (nLength its own size: 12 bytes in the 32-bit
// launcher, 24 in a 64-bit build; not inheritable) pointing at it.
// false when the platform refuses; `sa` then describes default security
// (no descriptor), so callers can still create the object.
bool PrepareNullDaclSecurity(SECURITY_DESCRIPTOR& sd, SECURITY_ATTRIBUTES& sa);
