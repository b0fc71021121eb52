// Resource identifiers of the launcher. Shared by the resource script and the
// code; plain #defines so the resource compiler can read them.
#pragma once

// Application icon and installer payload.
#define IDR_APP_ICON               128
#define IDR_SETUP_PAYLOAD          9300

// Message dialog and its controls.
#define IDD_MSGDLG                 142
#define IDC_MSG_CLOSE              1007
#define IDC_MSG_TITLE              1008
#define IDC_MSG_TEXT               1021

// PNG artwork, stored as RT_RCDATA.
#define IDR_PNG_CLOSE              9009
#define IDR_PNG_BUTTON             9011
#define IDR_PNG_BACKGROUND         9024
#define IDR_PNG_INFO               9027
#define IDR_PNG_WARNING            9028
#define IDR_PNG_ERROR              9029
// The same pictures drawn for 144 and 192 DPI: each 96-DPI identifier plus
// one step (144) or two (192).
#define IDR_PNG_SCALE_STEP         100
#define IDR_PNG_CLOSE_144          9109
#define IDR_PNG_BUTTON_144         9111
#define IDR_PNG_BACKGROUND_144     9124
#define IDR_PNG_INFO_144           9127
#define IDR_PNG_WARNING_144        9128
#define IDR_PNG_ERROR_144          9129
#define IDR_PNG_CLOSE_192          9209
#define IDR_PNG_BUTTON_192         9211
#define IDR_PNG_BACKGROUND_192     9224
#define IDR_PNG_INFO_192           9227
#define IDR_PNG_WARNING_192        9228
#define IDR_PNG_ERROR_192          9229

// String catalogue: base identifiers of the English block; language i lives
// at base + 1000 * i.
#define IDS_BTN_OK                 1180
#define IDS_BTN_CANCEL             1181
#define IDS_BTN_YES                1183
#define IDS_BTN_NO                 1184
#define IDS_BTN_UPDATE             1185
#define IDS_BTN_CLOSE              1186
#define IDS_MSG_UPDATE_QUESTION    1199
#define IDS_MSG_UNSUPPORTED_OS     1213
#define IDS_MSG_SETUP_NOT_WRITTEN  1220
#define IDS_MSG_SETUP_NOT_STARTED  1221
#define IDS_MSG_APP_NOT_STARTED    1222
#define IDS_MSG_REPAIR_QUESTION    1223
#define IDS_MSG_SETUP_NOT_WAITED   1224

#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE          0xE000
#endif
#ifndef ID_HELP
#define ID_HELP                    0xE146
#endif
