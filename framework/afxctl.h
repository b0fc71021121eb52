// Control classes: a button whose owner-draw paints come back to its own
// DrawItem, and a static text.
#pragma once
#include <windows.h>

#include "afxwnd.h"

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)

 public:
  // Creates a child button window and attaches this object to it. FALSE
  // when the window cannot be created or the object is already attached.
  BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // Paints an owner-draw button; the parent's WM_DRAWITEM lands here. The
  // base draws nothing.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

  // BM_GETSTATE: BST_PUSHED, BST_FOCUS, check state.
  UINT GetState() const;
  // BM_SETSTATE: shows the button pushed or released.
  void SetState(BOOL bHighlight);
  UINT GetButtonStyle() const;  // the BS_TYPEMASK part of the style

  // Takes WM_DRAWITEM for DrawItem, then the reflected commands.
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
};
