// CTabWindow: one view per tab, the selected one shown.
#include "dialogs/TabWindow.h"
#include "platform/View.h"

IMPLEMENT_DYNAMIC(CTabWindow, CTabCtrl)

CWnd* CTabWindow::AddTabView(CRuntimeClass* pViewClass, CWnd* pParentWnd, int nTab, LPCSTR lpszLabel,
                             BOOL bUseImage)
{
    if (!m_hWnd)
        return nullptr;
    CWnd* pView = AfxCreateWindowObject(pViewClass);
    if (!pView)
        return nullptr;
    if (!AfxCreateWindowOrDelete(pView, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), pParentWnd, 0,
                                 nullptr))
        return nullptr;
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = (LPSTR)(lpszLabel ? lpszLabel : "");
    item.lParam = (LPARAM)pView;
    if (bUseImage)
    {
        item.mask |= TCIF_IMAGE;
        item.iImage = nTab;
    }
    if (InsertItem(nTab, &item) < 0)
    {
        // Every tab carries a view: without its tab the view goes.
        const bool bSelfDeleting = pView->IsKindOf(RUNTIME_CLASS(CView));
        pView->DestroyWindow();
        if (!bSelfDeleting)
            delete pView;
        return nullptr;
    }
    return pView;
}

CWnd* CTabWindow::GetTabView(int nTab) const
{
    if (nTab < 0 || nTab >= GetItemCount())
        return nullptr;
    return (CWnd*)GetItemData(nTab);
}

int CTabWindow::ShowSelTabView()
{
    const int nSel = GetCurSel();
    const int nCount = GetItemCount();
    // The selected view first, so no moment passes without a visible view.
    CWnd* pSel = GetTabView(nSel);
    if (pSel && pSel->m_hWnd)
        pSel->ShowWindow(SW_SHOW);
    for (int i = 0; i < nCount; ++i)
    {
        CWnd* pView = GetTabView(i);
        if (i != nSel && pView && pView->m_hWnd)
            pView->ShowWindow(SW_HIDE);
    }
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent)
        ::SendMessageA(hParent, WM_SIZE, 0, 0);
    return nSel;
}

void CTabWindow::MoveTabView(CRect& rect)
{
    MoveWindow(&rect, TRUE);
    AdjustRect(FALSE, &rect);
    const int nCount = GetItemCount();
    for (int i = 0; i < nCount; ++i)
    {
        CWnd* pView = GetTabView(i);
        if (pView && pView->m_hWnd)
            pView->MoveWindow(&rect, TRUE);
    }
}

BOOL CTabWindow::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY && lParam && ((NMHDR*)lParam)->code == TCN_SELCHANGE)
    {
        ShowSelTabView();
        if (pResult)
            *pResult = 0;
        return TRUE;
    }
    return CTabCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CTabWindow::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    rc.DeflateRect(4, 4);
    rc.bottom -= 18;
    // The paint that follows uses the same device context: the exclusion
    // holds for the erase only, or the tabs' own labels would be cut away.
    const int nSaved = ::SaveDC(pDC->GetSafeHdc());
    pDC->ExcludeClipRect(rc.left, rc.top, rc.right, rc.bottom);
    BOOL bResult = CTabCtrl::OnEraseBkgnd(pDC);
    ::RestoreDC(pDC->GetSafeHdc(), nSaved);
    return bResult;
}
