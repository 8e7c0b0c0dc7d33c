#pragma once
// CMCSplitterWnd: a splitter whose bars can be locked. While locked the user
// cannot drag a bar with the mouse, so the panes keep the sizes the host gave
// them; sizes the host sets (SetRowInfo, SetColumnInfo, RecalcLayout) still
// apply. Everything else is the splitter's own behaviour.
#include "platform/SplitterWnd.h"

class KVVX_API CMCSplitterWnd : public CSplitterWnd
{
    DECLARE_DYNCREATE(CMCSplitterWnd)
public:
    CMCSplitterWnd();

    // Stores the value as given: the bars can be dragged only while it is
    // exactly 1 (TRUE); 0, 2 or any other value locks them. Takes effect at
    // the next mouse press.
    void SetResizable(BOOL bResizable) { m_bResizable = bResizable; }

    int m_bResizable;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point) override;
};
