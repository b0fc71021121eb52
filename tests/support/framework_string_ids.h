// Identifiers of the framework tests' string table entries.
#pragma once

#define IDS_FW_SHORT 2352
#define IDS_FW_LONG 2353
#define IDS_FW_GAP 2354       // same block, no entry
#define IDS_FW_NO_BLOCK 2399  // a block with no entries at all
