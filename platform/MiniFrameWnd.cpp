// CMiniFrameWnd and CMiniDockFrameWnd: the floating frame of a control bar.
#include "platform/MiniFrameWnd.h"
#include "platform/DockContext.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

// Posted to a floating frame whose last bar left it: destroyed once the
// message that emptied it has finished.
static const UINT WM_KV_DESTROYIFEMPTY = WM_APP + 0x3A1;

static const DWORD kMiniStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
static const DWORD kMiniExStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
    {
        static LPCSTR s_pszClass = nullptr;
        if (!s_pszClass)
            s_pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                             (HBRUSH)(COLOR_BTNFACE + 1), nullptr);
        cs.lpszClass = s_pszClass;
    }
    return TRUE;
}

BOOL CMiniFrameWnd::CreateMini(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd)
{
    m_bAutoMenuEnable = FALSE;
    return CreateEx(kMiniExStyle, nullptr, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr, nullptr);
}

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE)
{
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    if (!CreateMini("", kMiniStyle | MFS_4THICKFRAME | MFS_SYNCACTIVE, CRect(0, 0, 40, 40), pParent))
        return FALSE;
    if (!m_wndDockBar.Create(this, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALIGN_ANY), AFX_IDW_DOCKBAR_FLOAT))
    {
        DestroyWindow();
        return FALSE;
    }
    m_wndDockBar.m_bFloating = TRUE;
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetFloatingBar() const
{
    for (int i = 0; i < (int)m_wndDockBar.m_arrBars.GetSize(); ++i)
        if (CControlBar* p = m_wndDockBar.GetDockedControlBar(i))
            return p;
    return nullptr;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || !m_wndDockBar.m_hWnd)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~idleLayout;
    m_wndDockBar.m_bLayoutQuery = FALSE;
    CSize size = m_wndDockBar.CalcFixedLayout(FALSE, TRUE);
    if (m_wndDockBar.GetDockedVisibleCount() == 0)
    {
        if (GetStyle() & WS_VISIBLE)
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_bInRecalcLayout = FALSE;
        return;
    }
    // The caption shows the bar's name (or one given to the dock bar).
    char szTitle[256] = "";
    ::GetWindowTextA(m_wndDockBar.m_hWnd, szTitle, sizeof(szTitle));
    if (!szTitle[0])
        if (CControlBar* pBar = GetFloatingBar())
            ::GetWindowTextA(pBar->m_hWnd, szTitle, sizeof(szTitle));
    char szOld[256] = "";
    ::GetWindowTextA(m_hWnd, szOld, sizeof(szOld));
    if (lstrcmpA(szOld, szTitle) != 0)
        ::SetWindowTextA(m_hWnd, szTitle);

    m_wndDockBar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rc(0, 0, size.cx, size.cy);
    ::AdjustWindowRectEx(&rc, GetStyle() & ~0xFFFFu, FALSE, GetExStyle());
    UINT swp = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (!(GetStyle() & WS_VISIBLE))
        swp |= SWP_SHOWWINDOW;
    SetWindowPos(nullptr, 0, 0, rc.Width(), rc.Height(), swp);
    m_bInRecalcLayout = FALSE;
}

LRESULT CMiniDockFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KV_DESTROYIFEMPTY)
    {
        if (m_wndDockBar.GetDockedCount() == 0)
            DestroyWindow();
        return 0;
    }
    return CMiniFrameWnd::WindowProc(message, wParam, lParam);
}

void CMiniDockFrameWnd::OnLastBarRemoved()
{
    // Hidden now, destroyed once the caller (perhaps a handler of this very
    // frame) has returned.
    PostMessage(WM_KV_DESTROYIFEMPTY);
    RecalcLayout();
}

void CMiniDockFrameWnd::OnClose()
{
    // The close box hides the bar; the frame follows it.
    CControlBar* pBar = GetFloatingBar();
    CFrameWnd* pSite = pBar ? pBar->GetDockingFrame() : nullptr;
    if (pBar && pSite && pSite != this)
        pSite->ShowControlBar(pBar, FALSE, FALSE);
    else if (!pBar)
        DestroyWindow();
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFloatingBar();
    CDockContext* pContext = pBar ? pBar->m_pDockContext : nullptr;
    if (pContext && nHitTest == HTCAPTION)
    {
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        pContext->StartDrag(point);
        return;
    }
    if (pContext && nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST)
    {
        pContext->StartResize((int)nHitTest, point);
        return;
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFloatingBar();
    if (nHitTest == HTCAPTION && pBar && pBar->m_pDockContext)
    {
        pBar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

BOOL CMiniDockFrameWnd::OnNcActivate(BOOL bActive)
{
    return CMiniFrameWnd::OnNcActivate(bActive);
}
