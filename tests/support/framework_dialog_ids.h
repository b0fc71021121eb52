// Identifiers of the framework tests' dialog template.
#pragma once

#define IDD_FW_TEST_DIALOG 2301
#define IDD_FW_MISSING 2399
#define IDC_FW_OWNERDRAW 2310
#define IDC_FW_LABEL 2311
#define IDC_FW_ABSENT 2312
#define IDD_FW_BROKEN 2302  // names a control class nobody registered
