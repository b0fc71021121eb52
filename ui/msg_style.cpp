#include "ui/msg_style.h"

#include "res/resource.h"

namespace {
constexpr UINT kButtonSetMask = 0x0F;
constexpr UINT kIconClassMask = 0xF0;
}  // namespace

UINT MessageButtonSet(UINT style) { return style & kButtonSetMask; }

bool IsYesNoStyle(UINT style) { return MessageButtonSet(style) == MB_YESNO; }

bool IsSingleButtonStyle(UINT style) { return MessageButtonSet(style) == MB_OK; }

MessageIcon MessageIconFor(UINT style) {
  switch (style & kIconClassMask) {
    case MB_ICONERROR: return {IDR_PNG_ERROR, MB_ICONERROR};
    case MB_ICONINFORMATION: return {IDR_PNG_INFO, MB_ICONINFORMATION};
    default: return {IDR_PNG_WARNING, MB_ICONWARNING};
  }
}

MessageLabels MessageLabelsFor(UINT style) {
  switch (MessageButtonSet(style)) {
    case MB_OK: return {IDS_BTN_OK, IDS_BTN_OK};
    case MB_YESNO: return {IDS_BTN_YES, IDS_BTN_NO};
    case MSGDLG_UPDATECANCEL: return {IDS_BTN_UPDATE, IDS_BTN_CANCEL};
    default: return {IDS_BTN_OK, IDS_BTN_CANCEL};
  }
}

INT_PTR CloseButtonResult(UINT style) { return IsYesNoStyle(style) ? IDNO : IDCANCEL; }
