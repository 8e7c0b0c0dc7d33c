// CSizingControlBar: creation, the layout queries, the row queries and the
// sharing of a dock row's length among its sizing bars.
#include "bars/SizingControlBar.h"

// int-typed min and max (the Win32 headers' macros are off; LONG and int
// fields mix here).
static inline int KvMin(int a, int b) { return a < b ? a : b; }
static inline int KvMax(int a, int b) { return a > b ? a : b; }


IMPLEMENT_DYNAMIC(CSizingControlBar, CControlBar)

CSizingControlBar::CSizingControlBar() = default;

CSizingControlBar::~CSizingControlBar()
{
    // Leave the frame while still a sizing bar.
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

BOOL CSizingControlBar::IsHorzDocked() const
{
    return m_nDockSideID == AFX_IDW_DOCKBAR_TOP || m_nDockSideID == AFX_IDW_DOCKBAR_BOTTOM;
}

BOOL CSizingControlBar::IsVertDocked() const
{
    return m_nDockSideID == AFX_IDW_DOCKBAR_LEFT || m_nDockSideID == AFX_IDW_DOCKBAR_RIGHT;
}

BOOL CSizingControlBar::IsFloating() const
{
    return !IsHorzDocked() && !IsVertDocked();
}

// ---------------------------------------------------------------------------
// Creation

BOOL CSizingControlBar::Create(LPCSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL, UINT nID,
                               DWORD dwStyle)
{
    m_sizeHorz = m_sizeVert = m_sizeFloat = sizeDefault;
    return Create(lpszWindowName, pParentWnd, nID, dwStyle);
}

BOOL CSizingControlBar::Create(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!pParentWnd || !pParentWnd->m_hWnd || m_hWnd)
        return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;
    static LPCSTR s_pszClass = nullptr;
    if (!s_pszClass)
        s_pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                         ::GetSysColorBrush(COLOR_BTNFACE), nullptr);
    DWORD dwWndStyle = (dwStyle & 0xFF8F0000) | WS_CLIPCHILDREN;
    if (!CWnd::Create(s_pszClass, lpszWindowName, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    if (!m_pDockSite)
    {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame)
        {
            m_pDockSite = pFrame;
            pFrame->AddControlBar(this);
        }
    }
    return TRUE;
}

int CSizingControlBar::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_bLiveDrag = FALSE;
    ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &m_bLiveDrag, 0);
    return 0;
}

// ---------------------------------------------------------------------------
// Layout queries

CSize CSizingControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return bHorz ? CSize(32767, m_sizeHorz.cy) : CSize(m_sizeVert.cx, 32767);

    CSCBArray arrSCBars;
    GetRowSizingBars(arrSCBars);

    // Pending delayed show and hide of the row, in one batch.
    if (m_pDockBar && !m_pDockBar->m_bLayoutQuery)
    {
        AFX_SIZEPARENTPARAMS layout = {};
        layout.hDWP = ::BeginDeferWindowPos((int)arrSCBars.GetSize());
        for (INT_PTR i = 0; i < arrSCBars.GetSize(); ++i)
            if (arrSCBars[i]->m_nStateFlags & (delayHide | delayShow))
                arrSCBars[i]->RecalcDelayShow(&layout);
        if (layout.hDWP)
            ::EndDeferWindowPos(layout.hDWP);
    }

    CRect rc;
    if (m_pDockBar)
        rc = m_pDockBar->m_rectLayout;
    if (rc.IsRectEmpty() && m_pDockSite && m_pDockSite->m_hWnd)
        m_pDockSite->GetClientRect(&rc);
    int nLengthTotal = bHorz ? rc.Width() + 2 : rc.Height() - 2;

    if (IsVisible() && !IsFloating() && m_bRowRelayout && arrSCBars.GetSize() > 0 && arrSCBars[0] == this)
        if (NegotiateSpace(nLengthTotal, (bHorz != FALSE)))
            AlignControlBars();

    m_bRowRelayout = FALSE;

    if (bHorz)
        return CSize(KvMax(m_sizeHorz.cx, m_sizeMinHorz.cx), KvMax(m_sizeHorz.cy, m_sizeMinHorz.cy));
    return CSize(KvMax(m_sizeVert.cx, m_sizeMinVert.cx), KvMax(m_sizeVert.cy, m_sizeMinVert.cy));
}

CSize CSizingControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
    {
        if (nLength == -1)
            m_bRowRelayout = TRUE;
        return CControlBar::CalcDynamicLayout(nLength, dwMode);
    }

    if (dwMode & (LM_MRUWIDTH | LM_COMMIT))
        return m_sizeFloat;

    // The floating frame is being resized.
    int nHitTest = m_pDockContext ? m_pDockContext->m_nHitTest : HTNOWHERE;
    bool bCorner = nHitTest == HTTOPLEFT || nHitTest == HTTOPRIGHT || nHitTest == HTBOTTOMLEFT ||
                   nHitTest == HTBOTTOMRIGHT;
    CFrameWnd* pFrame = GetParentFrame();
    if (IsFloating() && bCorner && pFrame)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        CRect rcFrame, rcBar;
        pFrame->GetWindowRect(&rcFrame);
        GetWindowRect(&rcBar);
        if (nHitTest == HTTOPLEFT || nHitTest == HTBOTTOMLEFT)
        {
            m_sizeFloat.cx = rcBar.Width() + rcFrame.left - pt.x;
            m_pDockContext->m_rectFrameDragHorz.left =
                KvMin(pt.x, rcFrame.left + rcBar.Width() - m_sizeMinFloat.cx);
        }
        if (nHitTest == HTTOPLEFT || nHitTest == HTTOPRIGHT)
        {
            m_sizeFloat.cy = rcBar.Height() + rcFrame.top - pt.y;
            m_pDockContext->m_rectFrameDragHorz.top =
                KvMin(pt.y, rcFrame.top + rcBar.Height() - m_sizeMinFloat.cy);
        }
        if (nHitTest == HTTOPRIGHT || nHitTest == HTBOTTOMRIGHT)
            m_sizeFloat.cx = rcBar.Width() + pt.x - rcFrame.right;
        if (nHitTest == HTBOTTOMLEFT || nHitTest == HTBOTTOMRIGHT)
            m_sizeFloat.cy = rcBar.Height() + pt.y - rcFrame.bottom;
    }
    else
        ((dwMode & LM_LENGTHY) ? m_sizeFloat.cy : m_sizeFloat.cx) = nLength;

    m_sizeFloat.cx = KvMax(m_sizeFloat.cx, m_sizeMinFloat.cx);
    m_sizeFloat.cy = KvMax(m_sizeFloat.cy, m_sizeMinFloat.cy);
    return m_sizeFloat;
}

// ---------------------------------------------------------------------------
// Row queries

void CSizingControlBar::GetRowInfo(int& nFirst, int& nLast, int& nThis)
{
    nFirst = nLast = nThis = -1;
    if (!m_pDockBar)
        return;
    CPtrArray& arr = m_pDockBar->m_arrBars;
    nThis = m_pDockBar->FindBar(this);
    if (nThis < 0)
        return;
    for (int i = nThis - 1; i >= 0; --i)
        if (arr.GetAt(i) == nullptr)
        {
            nFirst = i + 1;
            break;
        }
    for (int i = nThis + 1; i < (int)arr.GetSize(); ++i)
        if (arr.GetAt(i) == nullptr)
        {
            nLast = i - 1;
            break;
        }
}

void CSizingControlBar::GetRowSizingBars(CSCBArray& arrSCBars)
{
    arrSCBars.RemoveAll();
    int nFirst, nLast, nThis;
    GetRowInfo(nFirst, nLast, nThis);
    if (nThis < 0 || nFirst < 0 || nLast < 0)
        return;
    for (int i = nFirst; i <= nLast; ++i)
    {
        CControlBar* pBar = m_pDockBar->GetDockedControlBar(i);
        if (pBar && pBar->IsVisible() && pBar->IsKindOf(RUNTIME_CLASS(CSizingControlBar)))
            arrSCBars.Add(static_cast<CSizingControlBar*>(pBar));
    }
}

// ---------------------------------------------------------------------------
// Sharing the row's length

BOOL CSizingControlBar::NegotiateSpace(int nLengthTotal, BOOL bHorz)
{
    int nFirst, nLast, nThis;
    GetRowInfo(nFirst, nLast, nThis);
    if (nThis < 0 || nFirst < 0 || nLast < 0)
        return FALSE;

    int nLengthAvail = nLengthTotal;
    int nLengthActual = 0;
    int nLengthMin = 2;
    int nWidthMax = 0;

    for (int i = nFirst; i <= nLast; ++i)
    {
        CControlBar* pBar = m_pDockBar->GetDockedControlBar(i);
        if (!pBar || !pBar->IsVisible())
            continue;
        BOOL bIsSizingBar = pBar->IsKindOf(RUNTIME_CLASS(CSizingControlBar));
        CSizingControlBar* pSCB = bIsSizingBar ? static_cast<CSizingControlBar*>(pBar) : nullptr;
        int nLengthBar;
        if (pSCB)
            nLengthBar = bHorz ? pSCB->m_sizeMinHorz.cx - 2 : pSCB->m_sizeMinVert.cy - 2;
        else
        {
            CRect rcBar;
            pBar->GetWindowRect(&rcBar);
            nLengthBar = (bHorz ? rcBar.Width() : rcBar.Height()) - 2;
        }
        nLengthMin += nLengthBar;
        if (nLengthMin > nLengthTotal)
        {
            // Even the minimum lengths do not fit.
            if (i < nThis)
            {
                m_pDockBar->m_arrBars.InsertAt(i + 1, (void*)nullptr);
                return FALSE;
            }
            if (i == nThis)
            {
                if (bHorz)
                    m_sizeHorz.cx = m_sizeMinHorz.cx;
                else
                    m_sizeVert.cy = m_sizeMinVert.cy;
                return TRUE;
            }
            m_pDockBar->m_arrBars.InsertAt(i, (void*)nullptr);
            break;
        }
        if (pSCB)
        {
            nLengthActual += (bHorz ? pSCB->m_sizeHorz.cx : pSCB->m_sizeVert.cy) - 2;
            nWidthMax = KvMax(nWidthMax, (int)(bHorz ? pSCB->m_sizeHorz.cy : pSCB->m_sizeVert.cx));
        }
        else
            nLengthAvail -= nLengthBar;
    }

    CSCBArray arrSCBars;
    GetRowSizingBars(arrSCBars);
    int nNumBars = (int)arrSCBars.GetSize();
    int nDelta = nLengthAvail - nLengthActual;

    if (nNumBars == 1)
    {
        if (nDelta != 0)
        {
            m_bKeepLength = FALSE;
            (bHorz ? m_sizeHorz.cx : m_sizeVert.cy) += nDelta;
        }
        return TRUE;
    }

    for (int i = 0; i < nNumBars; ++i)
        (bHorz ? arrSCBars[i]->m_sizeHorz.cy : arrSCBars[i]->m_sizeVert.cx) = nWidthMax;

    // One pixel per bar per pass, in row order. A bar at or below its
    // minimum never gives up length, and a bar keeping its length waits
    // until the others can take no more.
    while (nDelta != 0)
    {
        int nDeltaOld;
        do
        {
            nDeltaOld = nDelta;
            for (int i = 0; i < nNumBars && nDelta != 0; ++i)
            {
                CSizingControlBar* pBar = arrSCBars[i];
                int nLMin = bHorz ? pBar->m_sizeMinHorz.cx : pBar->m_sizeMinVert.cy;
                LONG& nL = bHorz ? pBar->m_sizeHorz.cx : pBar->m_sizeVert.cy;
                if (pBar->m_bKeepLength || (nDelta < 0 && nL <= nLMin))
                    continue;
                int nStep = nDelta > 0 ? 1 : -1;
                nL += nStep;
                nDelta -= nStep;
            }
        } while (nDelta != 0 && nDelta != nDeltaOld);
        bool bHadKept = false;
        for (int i = 0; i < nNumBars; ++i)
        {
            bHadKept = bHadKept || arrSCBars[i]->m_bKeepLength;
            arrSCBars[i]->m_bKeepLength = FALSE;
        }
        // Stuck with no kept bar left to join in: every bar is at (or
        // below) its minimum; the row stays as it is.
        if (nDelta != 0 && !bHadKept)
            break;
    }
    return TRUE;
}

void CSizingControlBar::AlignControlBars()
{
    int nFirst, nLast, nThis;
    GetRowInfo(nFirst, nLast, nThis);
    if (nThis < 0 || nFirst < 0 || nLast < 0)
        return;
    BOOL bHorz = IsHorzDocked();
    BOOL bNeedRecalc = FALSE;
    int nAlign = bHorz ? -2 : 0;

    CRect rc, rcDock;
    m_pDockBar->GetWindowRect(&rcDock);

    for (int i = nFirst; i <= nLast; ++i)
    {
        CControlBar* pBar = m_pDockBar->GetDockedControlBar(i);
        if (!pBar || !pBar->IsVisible())
            continue;
        pBar->GetWindowRect(&rc);
        rc.OffsetRect(-rcDock.TopLeft());
        if (pBar->IsKindOf(RUNTIME_CLASS(CSizingControlBar)))
        {
            CSizingControlBar* pSCB = static_cast<CSizingControlBar*>(pBar);
            rc = CRect(rc.TopLeft(), bHorz ? pSCB->m_sizeHorz : pSCB->m_sizeVert);
        }
        if ((bHorz ? rc.left : rc.top) != nAlign)
        {
            if (!bHorz)
                rc.OffsetRect(0, nAlign - rc.top - 2);
            else if (m_nDockSideID == AFX_IDW_DOCKBAR_TOP)
                rc.OffsetRect(nAlign - rc.left, -2);
            else
                rc.OffsetRect(nAlign - rc.left, 0);
            pBar->MoveWindow(rc);
            bNeedRecalc = TRUE;
        }
        nAlign += (bHorz ? rc.Width() : rc.Height()) - 2;
    }

    if (bNeedRecalc && m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

// ---------------------------------------------------------------------------
// Position and size

void CSizingControlBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    lpwndpos->flags |= SWP_FRAMECHANGED;
    CControlBar::OnWindowPosChanging(lpwndpos);
    HWND hParent = ::GetParent(m_hWnd);
    m_nDockSideID = hParent ? (UINT)::GetDlgCtrlID(hParent) : 0;
    if (!IsFloating() && (lpwndpos->flags & SWP_SHOWWINDOW))
        m_bKeepLength = TRUE;
}

void CSizingControlBar::OnSize(UINT nType, int cx, int cy)
{
    (void)nType;
    if (m_scbStyle & SCB_FIT_CHILD)
    {
        HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
        if (hChild)
            ::MoveWindow(hChild, 0, 0, cx, cy, TRUE);
    }
}

void CSizingControlBar::OnClose()
{
    // A sizing bar is hidden, never closed, by its owner's commands.
}

void CSizingControlBar::OnPaint()
{
    CPaintDC dc(this);
}

void CSizingControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

LRESULT CSizingControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT)
    {
        LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
        if (IsFloating() && m_pDockBar && m_pDockBar->m_hWnd)
        {
            CFrameWnd* pFrame = GetParentFrame();
            if (pFrame && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
            {
                m_pDockBar->SetWindowText((LPCSTR)lParam);
                pFrame->DelayRecalcLayout();
                pFrame->RecalcLayout();
            }
        }
        return lResult;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}
