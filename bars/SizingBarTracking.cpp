// CSizingControlBar: the non-client frame (client inset, sizing edges, hit
// test, painting) and dragging an edge.
#include "bars/SizingControlBar.h"

// int-typed min and max (the Win32 headers' macros are off; LONG and int
// fields mix here).
static inline int KvMin(int a, int b) { return a < b ? a : b; }
static inline int KvMax(int a, int b) { return a > b ? a : b; }


// ---------------------------------------------------------------------------
// Edges

UINT CSizingControlBar::GetEdgeHTCode(int nEdge)
{
    switch (nEdge)
    {
    case 0: return HTLEFT;
    case 1: return HTTOP;
    case 2: return HTRIGHT;
    case 3: return HTBOTTOM;
    default: return 0;
    }
}

BOOL CSizingControlBar::GetEdgeRect(CRect rcWnd, UINT nHitTest, CRect& rcEdge)
{
    rcEdge = rcWnd;
    if (m_scbStyle & SCB_DRAW_EDGES)
        rcEdge.DeflateRect(1, 1);
    BOOL bHorz = IsHorzDocked();
    switch (nHitTest)
    {
    case HTLEFT:
        if (!(m_scbStyle & SCB_EDGE_LEFT))
            return FALSE;
        rcEdge.right = rcEdge.left + m_nEdgeWidth;
        if (bHorz)
            rcEdge.DeflateRect(0, m_nEdgeWidth);
        break;
    case HTRIGHT:
        if (!(m_scbStyle & SCB_EDGE_RIGHT))
            return FALSE;
        rcEdge.left = rcEdge.right - m_nEdgeWidth;
        if (bHorz)
            rcEdge.DeflateRect(0, m_nEdgeWidth);
        break;
    case HTTOP:
        if (!(m_scbStyle & SCB_EDGE_TOP))
            return FALSE;
        rcEdge.bottom = rcEdge.top + m_nEdgeWidth;
        if (!bHorz)
            rcEdge.DeflateRect(m_nEdgeWidth, 0);
        break;
    case HTBOTTOM:
        if (!(m_scbStyle & SCB_EDGE_BOTTOM))
            return FALSE;
        rcEdge.top = rcEdge.bottom - m_nEdgeWidth;
        if (!bHorz)
            rcEdge.DeflateRect(m_nEdgeWidth, 0);
        break;
    default:
        break;
    }
    return TRUE;
}

BOOL CSizingControlBar::IsSideTracking() const
{
    return (m_nTrackEdge == HTLEFT || m_nTrackEdge == HTRIGHT) ? IsHorzDocked() : IsVertDocked();
}

// ---------------------------------------------------------------------------
// Non-client area

void CSizingControlBar::NcCalcClient(LPRECT pRc, UINT nDockBarID)
{
    CRect rc(pRc);
    rc.top += 5;
    if (nDockBarID == AFX_IDW_DOCKBAR_FLOAT)
        rc.left += 3, rc.right -= 3, rc.bottom -= 3;
    else
        rc.left += 5, rc.right -= 5, rc.bottom -= 5;

    switch (nDockBarID)
    {
    case AFX_IDW_DOCKBAR_TOP: m_scbStyle |= SCB_EDGE_BOTTOM; break;
    case AFX_IDW_DOCKBAR_LEFT: m_scbStyle |= SCB_EDGE_RIGHT; break;
    case AFX_IDW_DOCKBAR_RIGHT: m_scbStyle |= SCB_EDGE_LEFT; break;
    case AFX_IDW_DOCKBAR_BOTTOM: m_scbStyle |= SCB_EDGE_TOP; break;
    default: break;
    }

    if (m_scbStyle & SCB_DRAW_EDGES)
    {
        if (m_scbStyle & SCB_EDGE_LEFT)
            rc.left += m_nEdgeWidth;
        if (m_scbStyle & SCB_EDGE_TOP)
            rc.top += m_nEdgeWidth;
        if (m_scbStyle & SCB_EDGE_RIGHT)
            rc.right -= m_nEdgeWidth;
        if (m_scbStyle & SCB_EDGE_BOTTOM)
            rc.bottom -= m_nEdgeWidth;
    }
    *pRc = rc;
}

void CSizingControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    // A floating frame resizes itself through this bar: its own thick
    // frame goes, and its dock bar clips the bar.
    if (IsFloating())
    {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) && (pFrame->GetStyle() & MFS_4THICKFRAME))
        {
            pFrame->ModifyStyle(MFS_4THICKFRAME, 0);
            CWnd* pParent = GetParent();
            if (pParent)
                pParent->ModifyStyle(0, WS_CLIPCHILDREN);
        }
    }

    m_scbStyle &= ~SCB_EDGE_MASK;
    if (!IsFloating() && m_pDockBar)
    {
        CSCBArray arrSCBars;
        GetRowSizingBars(arrSCBars);
        for (INT_PTR i = 0; i < arrSCBars.GetSize(); ++i)
        {
            if (arrSCBars[i] != this)
                continue;
            if (i > 0)
                m_scbStyle |= IsHorzDocked() ? SCB_EDGE_LEFT : SCB_EDGE_TOP;
            if (i < arrSCBars.GetSize() - 1)
                m_scbStyle |= IsHorzDocked() ? SCB_EDGE_RIGHT : SCB_EDGE_BOTTOM;
        }
    }
    NcCalcClient(&lpncsp->rgrc[0], m_nDockSideID);
    if (lpncsp->rgrc[0].right < lpncsp->rgrc[0].left)
        lpncsp->rgrc[0].right = lpncsp->rgrc[0].left;
    if (lpncsp->rgrc[0].bottom < lpncsp->rgrc[0].top)
        lpncsp->rgrc[0].bottom = lpncsp->rgrc[0].top;
}

LRESULT CSizingControlBar::OnNcHitTest(CPoint point)
{
    CRect rcBar, rcEdge;
    GetWindowRect(&rcBar);
    if (!IsFloating())
        for (int i = 0; i < 4; ++i)
            if (GetEdgeRect(rcBar, GetEdgeHTCode(i), rcEdge) && rcEdge.PtInRect(point))
                return GetEdgeHTCode(i);
    return HTCLIENT;
}

void CSizingControlBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rcClient, rcBar;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    GetWindowRect(&rcBar);
    rcClient.OffsetRect(-rcBar.TopLeft());
    rcBar.OffsetRect(-rcBar.TopLeft());
    if (rcBar.IsRectEmpty())
        return;

    CDC mdc;
    mdc.CreateCompatibleDC(&dc);
    CBitmap bm;
    bm.CreateCompatibleBitmap(&dc, rcBar.Width(), rcBar.Height());
    CBitmap* pOldBm = mdc.SelectObject(&bm);

    dc.ExcludeClipRect(&rcClient);

    CRect rcDraw = rcBar;
    DrawBorders(&mdc, rcDraw);
    HBRUSH hbr = (HBRUSH)::GetClassLongPtrA(m_hWnd, GCLP_HBRBACKGROUND);
    ::FillRect(mdc.GetSafeHdc(), &rcDraw, hbr ? hbr : ::GetSysColorBrush(COLOR_BTNFACE));

    if (m_scbStyle & SCB_DRAW_EDGES)
    {
        CRect rcEdge;
        for (int i = 0; i < 4; ++i)
            if (GetEdgeRect(rcBar, GetEdgeHTCode(i), rcEdge))
                mdc.Draw3dRect(&rcEdge, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }

    NcPaintGripper(&mdc, rcClient);

    dc.BitBlt(0, 0, rcBar.Width(), rcBar.Height(), &mdc, 0, 0, SRCCOPY);
    mdc.SelectObject(pOldBm);
}

void CSizingControlBar::NcPaintGripper(CDC*, CRect)
{
}

// ---------------------------------------------------------------------------
// Messages

void CSizingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint)
{
    if (m_bEdgeTracking)
        return;
    if (!IsFloating() && nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST)
        StartTracking(nHitTest);
}

void CSizingControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pDockBar && m_pDockContext)
    {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CControlBar::OnLButtonDown(nFlags, point);
}

void CSizingControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockBar && m_pDockContext)
    {
        m_pDockContext->ToggleDocking();
        return;
    }
    CControlBar::OnLButtonDblClk(nFlags, point);
}

void CSizingControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bEdgeTracking)
        StopTracking();
    CControlBar::OnLButtonUp(nFlags, point);
}

void CSizingControlBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_bEdgeTracking)
        StopTracking();
    CControlBar::OnRButtonDown(nFlags, point);
}

void CSizingControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bEdgeTracking)
        OnTrackUpdateSize(point);
    CControlBar::OnMouseMove(nFlags, point);
}

void CSizingControlBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    CControlBar::OnNcMouseMove(nHitTest, point);
}

void CSizingControlBar::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bEdgeTracking && (!pWnd || pWnd->m_hWnd != m_hWnd))
        StopTracking();
    CControlBar::OnCaptureChanged(pWnd);
}

void CSizingControlBar::OnSettingChange(UINT uFlags, LPCSTR lpszSection)
{
    CControlBar::OnSettingChange(uFlags, lpszSection);
    m_bLiveDrag = FALSE;
    ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &m_bLiveDrag, 0);
}

// ---------------------------------------------------------------------------
// Edge drag

CSizingControlBar* CSizingControlBar::GetTrackNeighbour(CSCBArray& arrSCBars)
{
    // The bar on the dragged side. The row may have changed since the edge
    // bits were computed (a bar hidden): no neighbour then.
    INT_PTR nThis = -1;
    for (INT_PTR i = 0; i < arrSCBars.GetSize(); ++i)
        if (arrSCBars[i] == this)
            nThis = i;
    if (nThis < 0)
        return nullptr;
    INT_PTR n = (m_nTrackEdge == HTTOP || m_nTrackEdge == HTLEFT) ? nThis - 1 : nThis + 1;
    if (n < 0 || n >= arrSCBars.GetSize())
        return nullptr;
    return arrSCBars[n];
}

void CSizingControlBar::StartTracking(UINT nHitTest)
{
    SetCapture();
    if (!m_bLiveDrag)
        RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

    BOOL bHorz = IsHorzDocked();
    CSize sizeHdr = bHorz ? m_sizeHorz : m_sizeVert;
    m_sizeTrackStart = sizeHdr;

    CRect rcBar, rcEdge;
    GetWindowRect(&rcBar);
    GetEdgeRect(rcBar, nHitTest, rcEdge);
    m_ptTrackStart = CPoint((rcEdge.left + rcEdge.right) / 2, (rcEdge.top + rcEdge.bottom) / 2);

    m_nTrackEdge = nHitTest;
    m_bEdgeTracking = TRUE;

    CSCBArray arrSCBars;
    GetRowSizingBars(arrSCBars);

    m_sizeTrackMin = bHorz ? m_sizeMinHorz : m_sizeMinVert;
    for (INT_PTR i = 0; i < arrSCBars.GetSize(); ++i)
    {
        if (bHorz)
            m_sizeTrackMin.cy = KvMax(m_sizeTrackMin.cy, arrSCBars[i]->m_sizeMinHorz.cy);
        else
            m_sizeTrackMin.cx = KvMax(m_sizeTrackMin.cx, arrSCBars[i]->m_sizeMinVert.cx);
    }

    m_sizeTrackMax = m_sizeTrackStart;
    if (IsSideTracking())
    {
        CSizingControlBar* pNeighbour = GetTrackNeighbour(arrSCBars);
        if (pNeighbour)
        {
            CSize sizeN = bHorz ? pNeighbour->m_sizeHorz : pNeighbour->m_sizeVert;
            m_sizeTrackMax.cx += sizeN.cx - pNeighbour->m_sizeMinHorz.cx;
            m_sizeTrackMax.cy += sizeN.cy - pNeighbour->m_sizeMinVert.cy;
        }
    }
    else if (m_pDockSite && m_pDockSite->m_hWnd)
    {
        CRect rc;
        m_pDockSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rc, nullptr, TRUE);
        m_sizeTrackMax.cx += rc.Width() - 4;
        m_sizeTrackMax.cy += rc.Height() - 4;
    }

    OnTrackInvertTracker();
}

void CSizingControlBar::StopTracking()
{
    OnTrackInvertTracker();
    m_bEdgeTracking = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

void CSizingControlBar::OnTrackUpdateSize(CPoint& point)
{
    CPoint pt = point;
    ClientToScreen(&pt);
    CSize szDelta = pt - m_ptTrackStart;

    CSize sizeNew = m_sizeTrackStart;
    switch (m_nTrackEdge)
    {
    case HTLEFT: sizeNew.cx -= szDelta.cx; break;
    case HTRIGHT: sizeNew.cx += szDelta.cx; break;
    case HTTOP: sizeNew.cy -= szDelta.cy; break;
    case HTBOTTOM: sizeNew.cy += szDelta.cy; break;
    default: break;
    }
    sizeNew.cx = KvMax(m_sizeTrackMin.cx, KvMin(m_sizeTrackMax.cx, sizeNew.cx));
    sizeNew.cy = KvMax(m_sizeTrackMin.cy, KvMin(m_sizeTrackMax.cy, sizeNew.cy));

    BOOL bHorz = IsHorzDocked();
    CSize& sizeCur = bHorz ? m_sizeHorz : m_sizeVert;
    if (sizeNew == sizeCur)
        return;

    OnTrackInvertTracker();
    CSize sizeDelta = sizeNew - sizeCur;
    sizeCur = sizeNew;

    CSCBArray arrSCBars;
    GetRowSizingBars(arrSCBars);
    if (IsSideTracking())
    {
        CSizingControlBar* pNeighbour = GetTrackNeighbour(arrSCBars);
        if (pNeighbour)
        {
            if (bHorz)
                pNeighbour->m_sizeHorz.cx -= sizeDelta.cx;
            else
                pNeighbour->m_sizeVert.cy -= sizeDelta.cy;
        }
    }
    else
    {
        for (INT_PTR i = 0; i < arrSCBars.GetSize(); ++i)
        {
            if (bHorz)
                arrSCBars[i]->m_sizeHorz.cy = sizeNew.cy;
            else
                arrSCBars[i]->m_sizeVert.cx = sizeNew.cx;
        }
    }

    OnTrackInvertTracker();
    if (m_bLiveDrag && m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

void CSizingControlBar::OnTrackInvertTracker()
{
    if (m_bLiveDrag || !m_pDockSite || !m_pDockBar)
        return;
    BOOL bHorz = IsHorzDocked();
    CRect rc, rcBar, rcDock, rcFrame;
    GetWindowRect(&rcBar);
    m_pDockBar->GetWindowRect(&rcDock);
    m_pDockSite->GetWindowRect(&rcFrame);
    GetEdgeRect(rcBar, m_nTrackEdge, rc);
    if (!IsSideTracking())
        rc = bHorz ? CRect(rcDock.left + 1, rc.top, rcDock.right - 1, rc.bottom)
                   : CRect(rc.left, rcDock.top + 1, rc.right, rcDock.bottom - 1);
    rc.OffsetRect(-rcFrame.TopLeft());

    CSize sizeCur = bHorz ? m_sizeHorz : m_sizeVert;
    CSize sizeTrack = sizeCur - m_sizeTrackStart;
    UINT nDock = m_nDockSideID;
    if ((nDock == AFX_IDW_DOCKBAR_LEFT && m_nTrackEdge == HTTOP) ||
        (nDock == AFX_IDW_DOCKBAR_RIGHT && m_nTrackEdge != HTBOTTOM) ||
        (nDock == AFX_IDW_DOCKBAR_TOP && m_nTrackEdge == HTLEFT) ||
        (nDock == AFX_IDW_DOCKBAR_BOTTOM && m_nTrackEdge != HTRIGHT))
        sizeTrack = -sizeTrack;
    rc.OffsetRect(sizeTrack.cx, sizeTrack.cy);

    HDC hdc = ::GetDCEx(m_pDockSite->m_hWnd, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (!hdc)
        return;
    CBrush* pBrush = CDC::GetHalftoneBrush();
    HGDIOBJ hOld = pBrush ? ::SelectObject(hdc, pBrush->GetSafeHandle()) : nullptr;
    ::PatBlt(hdc, rc.left, rc.top, rc.Width(), rc.Height(), PATINVERT);
    if (hOld)
        ::SelectObject(hdc, hOld);
    ::ReleaseDC(m_pDockSite->m_hWnd, hdc);
}
