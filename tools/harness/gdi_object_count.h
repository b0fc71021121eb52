// How many GDI objects this process holds, to prove that painting leaves
// none behind.
#pragma once

// GetGuiResources(GR_GDIOBJECTS) where the platform implements it. Wine
// answers 0 (not implemented), so there the live entries of the process's
// GDI handle table (PEB GdiSharedHandleTable) are counted instead. -1 when
// neither is available.
int LiveGdiObjectCount();
