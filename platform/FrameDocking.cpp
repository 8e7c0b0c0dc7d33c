// CFrameWnd's side of docking: its dock bars, docking, floating, showing
// and hiding bars, and the delayed layout run at idle time.
#include "platform/ControlBar.h"
#include "platform/DockContext.h"
#include "platform/MiniFrameWnd.h"

namespace
{
// Dock bar ids with their alignment, in creation (and layout) order: top
// and bottom first, so they span the frame's full width.
const struct
{
    UINT nID;
    DWORD dwStyle;
} kDockBars[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT},
};
}  // namespace

void CFrameWnd::DelayRecalcLayout(BOOL bNotify)
{
    m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0);
}

void CFrameWnd::OnIdleUpdateCmdUI()
{
    if (m_nIdleFlags & idleLayout)
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    // Floating frames are not children of this frame: their bars get the
    // idle update from here.
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd && pBar->IsFloating() && !pBar->IsDockBar())
        {
            CFrameWnd* pMini = pBar->GetParentFrame();
            if (pMini && pMini != this && pMini->m_hWnd)
            {
                if (pMini->m_nIdleFlags & idleLayout)
                    pMini->RecalcLayout();
                pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
            }
        }
    }
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar && !m_listControlBars.Find(pBar))
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos)
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return nullptr;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd && (UINT)pBar->GetDlgCtrlID() == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle |= dwDockStyle & CBRS_ALIGN_ANY;
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const auto& d : kDockBars)
    {
        if (!(dwDockStyle & d.dwStyle) || GetControlBar(d.nID))
            continue;
        CDockBar* pDock = new CDockBar(FALSE);
        pDock->m_bAutoDelete = TRUE;
        if (!pDock->Create(this, d.dwStyle | WS_CHILD | WS_VISIBLE, d.nID))
        {
            delete pDock;
            continue;
        }
        // Below every other child, in this order, so the layout visits the
        // dock bars after bars placed directly on the frame.
        ::SetWindowPos(pDock->m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        AddControlBar(pDock);
    }
    RecalcLayout();
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = nullptr;
    if (nDockBarID)
    {
        CControlBar* p = GetControlBar(nDockBarID);
        if (p && p->IsDockBar())
            pDockBar = static_cast<CDockBar*>(p);
    }
    else if (pBar)
    {
        for (const auto& d : kDockBars)
        {
            if (!(pBar->m_dwDockStyle & d.dwStyle))
                continue;
            CControlBar* p = GetControlBar(d.nID);
            if (p && p->IsDockBar())
            {
                pDockBar = static_cast<CDockBar*>(p);
                break;
            }
        }
    }
    if (pDockBar)
        DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd || !pDockBar)
        return;
    if (pBar->m_pDockSite != this)
    {
        pBar->m_pDockSite = this;
        AddControlBar(pBar);
    }
    CWnd* pOldFrame = pBar->IsFloating() ? pBar->GetParentFrame() : nullptr;
    pDockBar->DockControlBar(pBar, lpRect);
    if (pOldFrame && pOldFrame != this && pOldFrame->m_hWnd)
        static_cast<CFrameWnd*>(pOldFrame)->DelayRecalcLayout();
    RecalcLayout();
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    if (pBar->m_pDockSite != this)
    {
        pBar->m_pDockSite = this;
        AddControlBar(pBar);
    }
    CMiniDockFrameWnd* pFrame = nullptr;
    if (pBar->IsFloating())
    {
        // Already alone in a floating frame: just move that frame.
        CFrameWnd* p = pBar->GetParentFrame();
        if (p && p->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) &&
            static_cast<CMiniDockFrameWnd*>(p)->m_wndDockBar.GetDockedCount() == 1)
            pFrame = static_cast<CMiniDockFrameWnd*>(p);
    }
    if (!pFrame)
    {
        pFrame = new CMiniDockFrameWnd;
        if (!pFrame->Create(this, dwStyle))
            return;  // the frame deleted itself
        pFrame->m_wndDockBar.m_pDockSite = this;
        pFrame->m_wndDockBar.DockControlBar(pBar, nullptr);
    }
    if (pBar->m_pDockContext)
    {
        pBar->m_pDockContext->m_ptMRUFloatPos = point;
        pBar->m_pDockContext->m_dwMRUFloatStyle = pBar->GetBarStyle();
    }
    pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->RecalcLayout();
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    CFrameWnd* pParentFrame = pBar->GetParentFrame();
    if (bDelay)
    {
        pBar->DelayShow(bShow);
        if (pParentFrame)
            pParentFrame->DelayRecalcLayout();
        DelayRecalcLayout();
        return;
    }
    pBar->m_nStateFlags &= ~(CControlBar::delayHide | CControlBar::delayShow);
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                           (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    if (pParentFrame && pParentFrame != this)
        pParentFrame->RecalcLayout();  // a floating frame shows or hides with its bar
    RecalcLayout();
}

void CFrameWnd::OnDestroy()
{
    // Floating frames go first, while the bars in them still find this frame.
    CArray<HWND, HWND> arrMini;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (!pBar->IsDockBar() && pBar->IsFloating() && pBar->m_hWnd)
        {
            CFrameWnd* pMini = pBar->GetParentFrame();
            if (pMini && pMini != this && pMini->m_hWnd)
                arrMini.Add(pMini->m_hWnd);
        }
    }
    for (INT_PTR i = 0; i < arrMini.GetSize(); ++i)
        if (::IsWindow(arrMini[i]))
            ::DestroyWindow(arrMini[i]);
    CWnd::OnDestroy();
}
