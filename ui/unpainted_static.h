// A static control that holds a text for accessibility clients and paints
// nothing, so that it can stay visible, which is how readers find a
// dialog's message, over an area its parent draws itself. Its text is set
// before the parent shows: the system's static draws a new text at once,
// outside WM_PAINT.
#pragma once
#include "afxwin.h"

class CUnpaintedStatic : public CStatic {
 protected:
  // Ends the paint with nothing drawn: the parent's pixels stay.
  void OnPaint();
  // Erases nothing; TRUE.
  BOOL OnEraseBkgnd(CDC* pDC);

  DECLARE_MESSAGE_MAP()
};
