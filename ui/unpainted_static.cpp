#include "ui/unpainted_static.h"

BEGIN_MESSAGE_MAP(CUnpaintedStatic, CStatic)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CUnpaintedStatic::OnPaint() { ::ValidateRect(m_hWnd, nullptr); }

BOOL CUnpaintedStatic::OnEraseBkgnd(CDC*) { return TRUE; }
