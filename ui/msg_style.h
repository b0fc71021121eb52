// The message style word of a dialog request, laid out like the platform's
// message-box flags: bits 0-3 choose the buttons, bits 4-7 the icon and its
// sound; higher bits are ignored.
#pragma once
#include <windows.h>

// The button set that labels the left button "Update" (and the right one
// "Cancel"); its results are those of MB_OKCANCEL.
constexpr UINT MSGDLG_UPDATECANCEL = 8;

// The button set: the style's bits 0-3 (MB_OK, MB_OKCANCEL, MB_YESNO, ...).
UINT MessageButtonSet(UINT style);

// true for the yes/no set, whose buttons answer IDYES and IDNO.
bool IsYesNoStyle(UINT style);

// true when only the right button shows (the MB_OK set).
bool IsSingleButtonStyle(UINT style);

// The picture and the sound of an icon class (bits 4-7): the error and the
// information classes have their own; every other class, 0 included, warns.
struct MessageIcon {
  WORD imageId;  // IDR_PNG_ERROR, IDR_PNG_INFO or IDR_PNG_WARNING
  UINT sound;    // MB_ICONERROR, MB_ICONINFORMATION or MB_ICONWARNING
};
MessageIcon MessageIconFor(UINT style);

// Base catalogue identifiers of the two text buttons' labels.
struct MessageLabels {
  UINT left;   // IDS_BTN_OK, IDS_BTN_YES or IDS_BTN_UPDATE
  UINT right;  // IDS_BTN_OK, IDS_BTN_NO or IDS_BTN_CANCEL
};
MessageLabels MessageLabelsFor(UINT style);

// What the close button answers: IDNO for the yes/no set, IDCANCEL otherwise.
INT_PTR CloseButtonResult(UINT style);
