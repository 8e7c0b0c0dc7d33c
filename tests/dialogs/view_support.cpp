// Run-time class records of the test views.
#include "dialogs_test_util.h"

IMPLEMENT_DYNCREATE(CColourView, CView)
IMPLEMENT_DYNCREATE(CRefusingView, CView)
IMPLEMENT_DYNAMIC(CFixedView, CView)
int CColourView::s_nAlive = 0;
COLORREF CColourView::s_crNext = RGB(255, 0, 0);
int CRefusingView::s_nDeleted = 0;
