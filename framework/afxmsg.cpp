#include "afxmsg.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{AfxMsgWindow, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, entries};
  return &map;
}

BOOL CCmdTarget::Dispatch(AfxMsgKind kind, UINT message, UINT code, UINT id, WPARAM wParam,
                          LPARAM lParam, LRESULT* result) {
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfnThunk; ++entry) {
      if (entry->nKind != kind || entry->nMessage != message) continue;
      if (kind != AfxMsgWindow && entry->nCode != code) continue;
      if (kind == AfxMsgCommand && entry->nID != id) continue;
      return entry->pfnThunk(this, wParam, lParam, result);
    }
  }
  return FALSE;
}
