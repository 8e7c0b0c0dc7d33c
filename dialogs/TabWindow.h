#pragma once
// CTabWindow: a tab control whose every tab carries a view window.
//
// The host adds views by run-time class (AddTabView). Each view is a child of
// the window the host names, normally the tab control's own parent, so the
// views lie over the tab control rather than inside it; MoveTabView places
// the tab control and puts every view on its display area. Only the view of
// the selected tab is shown (ShowSelTabView, also run on every selection
// change the user makes). The views belong to their parent window and are
// destroyed with it; the tab window never deletes them.
#include "platform/TabCtrl.h"

class KVVX_API CTabWindow : public CTabCtrl
{
    DECLARE_DYNAMIC(CTabWindow)
public:
    CTabWindow() = default;

    // Creates a view of pViewClass as a child of pParentWnd (visible,
    // bordered, empty rectangle, id 0) and inserts tab nTab labelled
    // lpszLabel carrying it (image nTab when bUseImage). The new view stays
    // visible until the next ShowSelTabView. NULL, and no tab, when the view
    // cannot be made; nothing is left behind then.
    CWnd* AddTabView(CRuntimeClass* pViewClass, CWnd* pParentWnd, int nTab, LPCSTR lpszLabel,
                     BOOL bUseImage = FALSE);
    // The view of tab nTab, or NULL.
    CWnd* GetTabView(int nTab) const;
    // Shows the selected tab's view, hides the others, then sends the tab
    // window's parent WM_SIZE (0, 0) so it can lay itself out again. The
    // selected tab's index.
    int ShowSelTabView();
    // Moves the tab window to rect (parent coordinates), turns rect into the
    // tab control's display area and moves every view there.
    void MoveTabView(CRect& rect);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Erases only a 4-pixel frame and a 22-pixel band at the bottom: the
    // rest is covered by the views.
    BOOL OnEraseBkgnd(CDC* pDC) override;
};
