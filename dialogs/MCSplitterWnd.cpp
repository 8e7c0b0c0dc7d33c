// CMCSplitterWnd: the mouse press starts a drag only while unlocked.
#include "dialogs/MCSplitterWnd.h"

IMPLEMENT_DYNCREATE(CMCSplitterWnd, CSplitterWnd)

CMCSplitterWnd::CMCSplitterWnd() : m_bResizable(1)
{
}

void CMCSplitterWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bResizable == 1)
        CSplitterWnd::OnLButtonDown(nFlags, point);
    else
        Default();
}
