#include "afxmsg.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{AfxMsgWindow, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, entries};
  return &map;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(AfxMsgKind kind, UINT message, UINT code,
                                               UINT id) const {
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfnThunk; ++entry) {
      if (entry->nKind != kind || entry->nMessage != message) continue;
      if (kind == AfxMsgWindow) return entry;
      if (entry->nCode == code && (kind == AfxMsgReflect || entry->nID == id)) return entry;
    }
  }
  return nullptr;
}

BOOL CCmdTarget::DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT* result) {
  const AFX_MSGMAP_ENTRY* entry = FindEntry(AfxMsgWindow, message, 0, 0);
  return entry ? entry->pfnThunk(this, wParam, lParam, result) : FALSE;
}

BOOL CCmdTarget::DispatchCommand(UINT nCode, UINT nID, WPARAM wParam, LPARAM lParam) {
  const AFX_MSGMAP_ENTRY* entry = FindEntry(AfxMsgCommand, WM_COMMAND, nCode, nID);
  LRESULT ignored = 0;
  return entry ? entry->pfnThunk(this, wParam, lParam, &ignored) : FALSE;
}

BOOL CCmdTarget::DispatchReflected(UINT nCode, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const AFX_MSGMAP_ENTRY* entry = FindEntry(AfxMsgReflect, WM_COMMAND, nCode, 0);
  return entry ? entry->pfnThunk(this, wParam, lParam, result) : FALSE;
}
