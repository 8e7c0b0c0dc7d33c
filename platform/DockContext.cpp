// CDockContext: dragging a control bar to dock or float it, and resizing
// its floating frame.
#include "platform/DockContext.h"
#include "platform/MiniFrameWnd.h"
#include <stdlib.h>

// int-typed min and max (the Win32 headers' macros are off; LONG and int
// fields mix here).
static inline int KvMin(int a, int b) { return a < b ? a : b; }
static inline int KvMax(int a, int b) { return a > b ? a : b; }


namespace
{
// How far into the frame's client area a side accepts a dragged bar.
const int kDockMargin = 16;

// Inverts the outline of rc, nWidth pixels thick, on the screen.
void InvertFrame(const CRect& rc, int nWidth)
{
    if (rc.IsRectEmpty())
        return;
    HDC hdc = ::GetDCEx(nullptr, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (!hdc)
        return;
    CBrush* pBrush = CDC::GetHalftoneBrush();
    HGDIOBJ hOld = pBrush ? ::SelectObject(hdc, pBrush->GetSafeHandle()) : nullptr;
    ::PatBlt(hdc, rc.left, rc.top, rc.Width(), nWidth, PATINVERT);
    ::PatBlt(hdc, rc.left, rc.bottom - nWidth, rc.Width(), nWidth, PATINVERT);
    ::PatBlt(hdc, rc.left, rc.top + nWidth, nWidth, rc.Height() - 2 * nWidth, PATINVERT);
    ::PatBlt(hdc, rc.right - nWidth, rc.top + nWidth, nWidth, rc.Height() - 2 * nWidth, PATINVERT);
    if (hOld)
        ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
}

// A rectangle of the given size placed so that pt keeps its offset from
// the top-left corner of rcFrom (limited to the new size).
CRect PlaceAt(CPoint pt, const CRect& rcFrom, CSize size)
{
    int dx = KvMin((int)(pt.x - rcFrom.left), (int)size.cx - 1);
    int dy = KvMin((int)(pt.y - rcFrom.top), (int)size.cy - 1);
    dx = KvMax(dx, 0);
    dy = KvMax(dy, 0);
    return CRect(pt.x - dx, pt.y - dy, pt.x - dx + size.cx, pt.y - dy + size.cy);
}

CSize FloatingFrameSize(CSize sizeBar)
{
    CRect rc(0, 0, sizeBar.cx, sizeBar.cy);
    ::AdjustWindowRectEx(&rc, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, FALSE,
                         WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE);
    return CSize(rc.Width(), rc.Height());
}
}  // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(nullptr)
{
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle) const
{
    if (!m_pDockSite)
        return nullptr;
    UINT nID = 0;
    if (dwOverDockStyle & CBRS_ALIGN_TOP)
        nID = AFX_IDW_DOCKBAR_TOP;
    else if (dwOverDockStyle & CBRS_ALIGN_BOTTOM)
        nID = AFX_IDW_DOCKBAR_BOTTOM;
    else if (dwOverDockStyle & CBRS_ALIGN_LEFT)
        nID = AFX_IDW_DOCKBAR_LEFT;
    else if (dwOverDockStyle & CBRS_ALIGN_RIGHT)
        nID = AFX_IDW_DOCKBAR_RIGHT;
    CControlBar* p = nID ? m_pDockSite->GetControlBar(nID) : nullptr;
    return (p && p->IsDockBar()) ? static_cast<CDockBar*>(p) : nullptr;
}

DWORD CDockContext::CanDock()
{
    if (!m_pDockSite || m_bForceFrame)
        return 0;
    static const DWORD kSides[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    for (DWORD dwSide : kSides)
    {
        if (!(m_dwDockStyle & dwSide))
            continue;
        CDockBar* pDock = GetDockBar(dwSide);
        if (!pDock || !pDock->m_hWnd)
            continue;
        CRect rc;
        pDock->GetWindowRect(&rc);
        if (dwSide == CBRS_ALIGN_TOP)
            rc.bottom += kDockMargin;
        else if (dwSide == CBRS_ALIGN_BOTTOM)
            rc.top -= kDockMargin;
        else if (dwSide == CBRS_ALIGN_LEFT)
            rc.right += kDockMargin;
        else
            rc.left -= kDockMargin;
        if (rc.PtInRect(m_ptLast))
            return dwSide;
    }
    return 0;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    CRect rcNew;
    if (!bRemoveRect && m_bMoved)
    {
        if (!m_bDragging)
            rcNew = m_rectFrameDragHorz;
        else if (m_dwOverDockStyle & CBRS_ORIENT_HORZ)
            rcNew = m_rectDragHorz;
        else if (m_dwOverDockStyle & CBRS_ORIENT_VERT)
            rcNew = m_rectDragVert;
        else
            rcNew = m_rectFrameDragHorz;
    }
    // A docked shape is outlined thinly, a floating frame thickly.
    static int s_nLastWidth = 1;
    int nWidth = (m_bDragging && m_dwOverDockStyle) ? 1 : 3;
    if (rcNew == m_rectLast && nWidth == s_nLastWidth)
        return;
    InvertFrame(m_rectLast, s_nLastWidth);
    InvertFrame(rcNew, nWidth);
    m_rectLast = rcNew;
    s_nLastWidth = nWidth;
}

void CDockContext::StartDrag(CPoint pt)
{
    m_pDockSite = m_pBar->m_pDockSite ? m_pBar->m_pDockSite : m_pBar->GetDockingFrame();
    if (!m_pDockSite || !m_pBar->m_hWnd)
        return;
    m_dwDockStyle = m_pBar->m_dwDockStyle & m_pDockSite->m_dwDockStyle;
    m_dwStyle = m_pBar->GetBarStyle();
    m_bDragging = TRUE;
    m_bMoved = FALSE;
    m_bForceFrame = ::GetKeyState(VK_CONTROL) < 0;
    m_ptStart = m_ptLast = pt;
    m_rectLast.SetRectEmpty();

    CRect rect;
    CWnd* pFrame = m_pBar->IsFloating() ? m_pBar->GetParentFrame() : nullptr;
    (pFrame ? pFrame : m_pBar)->GetWindowRect(&rect);
    CSize sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    CSize sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
    CSize sizeFloat = FloatingFrameSize(m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH));
    m_rectDragHorz = PlaceAt(pt, rect, sizeHorz);
    m_rectDragVert = PlaceAt(pt, rect, sizeVert);
    m_rectFrameDragHorz = PlaceAt(pt, rect, sizeFloat);
    m_rectFrameDragVert = m_rectFrameDragHorz;
    m_dwOverDockStyle = CanDock();
    Track();
}

void CDockContext::Move(CPoint pt)
{
    CSize d = pt - m_ptLast;
    m_rectDragHorz.OffsetRect(d);
    m_rectDragVert.OffsetRect(d);
    m_rectFrameDragHorz.OffsetRect(d);
    m_rectFrameDragVert.OffsetRect(d);
    m_ptLast = pt;
    if (!m_bMoved && (abs(pt.x - m_ptStart.x) > ::GetSystemMetrics(SM_CXDRAG) ||
                      abs(pt.y - m_ptStart.y) > ::GetSystemMetrics(SM_CYDRAG)))
        m_bMoved = TRUE;
    m_dwOverDockStyle = CanDock();
    DrawFocusRect();
}

void CDockContext::UpdateState(BOOL* pFlag, BOOL bNewValue)
{
    if (*pFlag == bNewValue)
        return;
    *pFlag = bNewValue;
    m_dwOverDockStyle = m_bDragging ? CanDock() : 0;
    DrawFocusRect();
}

void CDockContext::EndDrag()
{
    DrawFocusRect(TRUE);
    m_bDragging = FALSE;
    if (!m_bMoved || !m_pDockSite)
        return;  // a click: nothing moves
    if (m_dwOverDockStyle)
    {
        CDockBar* pDock = GetDockBar(m_dwOverDockStyle);
        CRect rc = (m_dwOverDockStyle & CBRS_ORIENT_HORZ) ? m_rectDragHorz : m_rectDragVert;
        if (pDock)
            m_pDockSite->DockControlBar(m_pBar, pDock, &rc);
    }
    else
        m_pDockSite->FloatControlBar(m_pBar, m_rectFrameDragHorz.TopLeft(),
                                     m_dwMRUFloatStyle ? m_dwMRUFloatStyle : m_dwStyle);
}

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    if (!m_pBar->IsFloating() || !pFrame)
        return;
    m_pDockSite = m_pBar->m_pDockSite ? m_pBar->m_pDockSite : m_pBar->GetDockingFrame();
    m_bDragging = FALSE;
    m_bMoved = TRUE;
    m_nHitTest = nHitTest;
    m_ptStart = m_ptLast = pt;
    pFrame->GetWindowRect(&m_rectResizeStart);
    m_rectFrameDragHorz = m_rectResizeStart;
    m_rectLast.SetRectEmpty();
    Track();
    m_nHitTest = HTNOWHERE;
}

void CDockContext::Stretch(CPoint pt)
{
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    if (!pFrame)
        return;
    m_ptLast = pt;
    CSize d = pt - m_ptStart;
    CRect rcBar;
    m_pBar->GetWindowRect(&rcBar);
    CSize sizeNC = FloatingFrameSize(CSize(0, 0));
    int nLength;
    DWORD dwMode = LM_HORZ;
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    switch (m_nHitTest)
    {
    case HTLEFT:
        nLength = m_rectResizeStart.Width() - d.cx - sizeNC.cx;
        break;
    case HTRIGHT:
        nLength = m_rectResizeStart.Width() + d.cx - sizeNC.cx;
        break;
    case HTTOP:
        nLength = m_rectResizeStart.Height() - d.cy - sizeNC.cy;
        dwMode |= LM_LENGTHY;
        break;
    case HTBOTTOM:
        nLength = m_rectResizeStart.Height() + d.cy - sizeNC.cy;
        dwMode |= LM_LENGTHY;
        break;
    default:  // corners: the bar reads the cursor itself
        nLength = 0;
        m_rectFrameDragHorz = rcFrame;
        break;
    }
    CSize size = m_pBar->CalcDynamicLayout(nLength, dwMode);
    // The border opposite the dragged one stays put.
    CSize sizeFrame = FloatingFrameSize(size);
    CRect rcNew(rcFrame.TopLeft(), sizeFrame);
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT)
        rcNew.OffsetRect(rcFrame.right - rcNew.right, 0);
    if (m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT)
        rcNew.OffsetRect(0, rcFrame.bottom - rcNew.bottom);
    if (rcNew != rcFrame)
        pFrame->SetWindowPos(nullptr, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->RecalcLayout();
}

void CDockContext::EndResize()
{
    m_nHitTest = HTNOWHERE;
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

void CDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    m_bDragging = FALSE;
    if (::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
}

BOOL CDockContext::Track()
{
    HWND hBar = m_pBar->m_hWnd;
    ::SetCapture(hBar);
    if (::GetCapture() != hBar)
    {
        m_bDragging = FALSE;
        return FALSE;
    }
    ::UpdateWindow(hBar);
    while (::GetCapture() == hBar)
    {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        switch (msg.message)
        {
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            if (m_bDragging)
            {
                m_bForceFrame = (msg.wParam & MK_CONTROL) != 0;
                Move(pt);
            }
            else
                Stretch(pt);
            if (msg.message == WM_LBUTTONUP)
            {
                ::ReleaseCapture();
                if (m_bDragging)
                    EndDrag();
                else
                    EndResize();
                return TRUE;
            }
            break;
        }
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (msg.wParam == VK_CONTROL && m_bDragging)
                UpdateState(&m_bForceFrame, msg.message == WM_KEYDOWN);
            else if (msg.wParam == VK_ESCAPE && msg.message == WM_KEYDOWN)
            {
                CancelLoop();
                return FALSE;
            }
            break;
        case WM_RBUTTONDOWN:
            CancelLoop();
            return FALSE;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            break;
        }
    }
    CancelLoop();
    return FALSE;
}

void CDockContext::ToggleDocking()
{
    m_pDockSite = m_pBar->m_pDockSite ? m_pBar->m_pDockSite : m_pBar->GetDockingFrame();
    if (!m_pDockSite)
        return;
    if (m_pBar->IsFloating())
    {
        // Back into the remembered slot (or a new row) on the last side.
        UINT nID = m_uMRUDockID;
        if (!nID || !m_pDockSite->GetControlBar(nID))
            nID = 0;
        if (nID == 0 && !(m_pBar->m_dwDockStyle & m_pDockSite->m_dwDockStyle))
            return;
        m_pDockSite->DockControlBar(m_pBar, nID, nullptr);
    }
    else
    {
        CPoint pt = m_ptMRUFloatPos;
        if (pt.x == -1 && pt.y == -1)
        {
            CRect rc;
            m_pBar->GetWindowRect(&rc);
            pt = rc.TopLeft() + CPoint(16, 16);
        }
        m_pDockSite->FloatControlBar(m_pBar, pt, m_dwMRUFloatStyle ? m_dwMRUFloatStyle : m_pBar->GetBarStyle());
    }
}
