// The mouse on docking bars, with real messages: dragging sizing edges
// (limits, the inverted tracker read back from the screen, ending by
// button up, right button or capture loss, live dragging), and moving bars
// between sides and floating frames (Ctrl, double click, the floating
// frame's caption and corner).
#include "bars_test_util.h"

using namespace barstest;

namespace
{
// The screen's pixels in rc.
std::vector<COLORREF> Grab(const CRect& rc)
{
    Pump();
    std::vector<COLORREF> v;
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = rc.Width();
    bi.bmiHeader.biHeight = -rc.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hbm = ::CreateDIBSection(hdc, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = ::SelectObject(hdc, hbm);
    ::BitBlt(hdc, 0, 0, rc.Width(), rc.Height(), hdcScreen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const DWORD* p = (const DWORD*)pBits;
    v.assign(p, p + rc.Width() * rc.Height());
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hbm);
    ::DeleteDC(hdc);
    ::ReleaseDC(nullptr, hdcScreen);
    return v;
}

// Share of the pixels of sub (inside whole) that differ between a and b.
double Changed(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b, const CRect& whole, CRect sub)
{
    sub.IntersectRect(&sub, &whole);
    if (sub.IsRectEmpty())
        return 0;
    int n = 0;
    for (int y = sub.top; y < sub.bottom; ++y)
        for (int x = sub.left; x < sub.right; ++x)
        {
            size_t i = (size_t)(y - whole.top) * whole.Width() + (x - whole.left);
            n += a[i] != b[i];
        }
    return (double)n / (sub.Width() * sub.Height());
}

LPARAM ClientPt(CWnd* pWnd, CPoint ptScreen)
{
    pWnd->ScreenToClient(&ptScreen);
    return MAKELPARAM(ptScreen.x, ptScreen.y);
}

// Drags pBar with its left button from its client point ptFrom to the
// screen point ptTo (posted moves, then the press that starts the loop).
void DragBar(CWnd* pBar, CPoint ptFrom, CPoint ptTo, WPARAM keys = 0)
{
    CPoint ptFromScreen = ptFrom;
    pBar->ClientToScreen(&ptFromScreen);
    pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON | keys, ClientPt(pBar, ptFromScreen + CPoint(20, 20)));
    pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON | keys, ClientPt(pBar, ptTo));
    pBar->PostMessage(WM_LBUTTONUP, keys, ClientPt(pBar, ptTo));
    pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFrom.x, ptFrom.y));
}

CPoint FrameClientToScreen(CFrameWnd* pFrame, int x, int y)
{
    CPoint pt(x, y);
    pFrame->ClientToScreen(&pt);
    return pt;
}
}  // namespace

TEST(SizingBarMouse, EdgeDragsWithTrackerLimitsAndEndings)
{
    DockingFrame f(true);
    CSizingControlBarG* a = f.AddBar(100, AFX_IDW_DOCKBAR_LEFT, nullptr, CSize(150, 200));
    CSizingControlBarG* b = f.AddBar(101, AFX_IDW_DOCKBAR_LEFT, nullptr, CSize(150, 200));
    CDockBar* pLeft = f.Dock(AFX_IDW_DOCKBAR_LEFT);
    f.MakeRow(pLeft, {a, b});
    b->m_sizeMinVert.cx = 60;
    f.m_pFrame->RecalcLayout();
    Idle(f.m_pFrame);
    a->m_bLiveDrag = b->m_bLiveDrag = FALSE;
    ASSERT_EQ(a->GetSCBStyle() & SCB_EDGE_MASK, (DWORD)(SCB_EDGE_RIGHT | SCB_EDGE_BOTTOM));

    CRect rcFrame;
    f.m_pFrame->GetWindowRect(&rcFrame);
    CRect rcA, rcDock;
    a->GetWindowRect(&rcA);
    pLeft->GetWindowRect(&rcDock);
    std::vector<COLORREF> before = Grab(rcFrame);

    // The right edge faces the centre: it sets the width of the whole row.
    // (Presses at the edge's centre line, where the drag measures from.)
    CPoint ptEdge(rcA.right - 3, rcA.top + 60);
    a->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptEdge.x, ptEdge.y));
    ASSERT_TRUE(a->m_bEdgeTracking);
    EXPECT_EQ(::GetCapture(), a->m_hWnd);
    // The inverted line runs along the whole dock bar at the edge.
    CRect rcLine(rcA.right - 5, rcDock.top + 1, rcA.right, rcDock.bottom - 1);
    std::vector<COLORREF> tracking = Grab(rcFrame);
    EXPECT_GT(Changed(before, tracking, rcFrame, rcLine), 0.3);
    EXPECT_LT(Changed(before, tracking, rcFrame, rcLine), 0.7);

    a->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPt(a, ptEdge + CPoint(40, 0)));
    EXPECT_EQ(a->m_sizeVert.cx, 190);
    EXPECT_EQ(b->m_sizeVert.cx, 190);
    std::vector<COLORREF> moved = Grab(rcFrame);
    EXPECT_EQ(Changed(before, moved, rcFrame, rcLine), 0.0);  // the old line is gone
    CRect rcLine2 = rcLine;
    rcLine2.OffsetRect(40, 0);
    EXPECT_GT(Changed(before, moved, rcFrame, rcLine2), 0.3);
    EXPECT_EQ(DockingFrame::InParent(pLeft).Width(), 150);  // nothing laid out yet

    a->SendMessage(WM_LBUTTONUP, 0, ClientPt(a, ptEdge + CPoint(40, 0)));
    EXPECT_FALSE(a->m_bEdgeTracking);
    EXPECT_EQ(::GetCapture(), (HWND) nullptr);
    EXPECT_EQ(Changed(before, Grab(rcFrame), rcFrame, rcFrame), 0.0);
    Idle(f.m_pFrame);
    EXPECT_EQ(DockingFrame::InParent(pLeft).Width(), 190);
    EXPECT_EQ(f.PaneRect().left, 190);

    // Limits: at most the pane's free width less 4 (a right press ends it);
    // at least the largest width minimum of the row (capture loss ends it).
    a->GetWindowRect(&rcA);
    ptEdge = CPoint(rcA.right - 3, rcA.top + 60);
    int nPaneWidth = f.PaneRect().Width();
    a->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptEdge.x, ptEdge.y));
    a->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPt(a, ptEdge + CPoint(5000, 0)));
    EXPECT_EQ(a->m_sizeVert.cx, 190 + nPaneWidth - 4);
    a->SendMessage(WM_RBUTTONDOWN, 0, 0);
    EXPECT_FALSE(a->m_bEdgeTracking);
    a->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptEdge.x, ptEdge.y));
    a->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPt(a, ptEdge - CPoint(5000, 0)));
    EXPECT_EQ(a->m_sizeVert.cx, 60);
    EXPECT_EQ(b->m_sizeVert.cx, 60);
    ::SetCapture(f.m_pFrame->m_hWnd);
    EXPECT_FALSE(a->m_bEdgeTracking);
    ::ReleaseCapture();
    Idle(f.m_pFrame);

    // The edge between the two moves their boundary and keeps their sum;
    // a grows at most by what b has above its minimum.
    int nSum = a->m_sizeVert.cy + b->m_sizeVert.cy;
    a->GetWindowRect(&rcA);
    ptEdge = CPoint(rcA.left + 30, rcA.bottom - 3);
    ASSERT_EQ(a->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptEdge.x, ptEdge.y)), (LRESULT)HTBOTTOM);
    int nStartA = a->m_sizeVert.cy, nStartB = b->m_sizeVert.cy;
    a->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOM, MAKELPARAM(ptEdge.x, ptEdge.y));
    a->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPt(a, ptEdge + CPoint(0, 30)));
    EXPECT_EQ(a->m_sizeVert.cy, nStartA + 30);
    EXPECT_EQ(a->m_sizeVert.cy + b->m_sizeVert.cy, nSum);
    a->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPt(a, ptEdge + CPoint(0, 5000)));
    EXPECT_EQ(a->m_sizeVert.cy, nStartA + nStartB - 32);
    EXPECT_EQ(b->m_sizeVert.cy, 32);
    a->SendMessage(WM_LBUTTONUP, 0, 0);
    Idle(f.m_pFrame);
    CRect rcB;
    b->GetWindowRect(&rcB);
    EXPECT_EQ(rcB.Height(), 32);

    // A neighbour hidden since the edges were computed: the drag finds no
    // neighbour and changes nothing (no reach past the row's end).
    int nA = a->m_sizeVert.cy;
    a->GetWindowRect(&rcA);
    ptEdge = CPoint(rcA.left + 30, rcA.bottom - 3);
    f.m_pFrame->ShowControlBar(b, FALSE, TRUE);
    a->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOM, MAKELPARAM(ptEdge.x, ptEdge.y));
    a->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPt(a, ptEdge + CPoint(0, 40)));
    EXPECT_EQ(a->m_sizeVert.cy, nA);
    a->SendMessage(WM_LBUTTONUP, 0, 0);
    f.m_pFrame->ShowControlBar(b, TRUE, FALSE);
    Idle(f.m_pFrame);

    // Full-window dragging: no line on the screen, the layout follows.
    BOOL bOld = FALSE;
    ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &bOld, 0);
    ::SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
    a->SendMessage(WM_SETTINGCHANGE, SPI_SETDRAGFULLWINDOWS, 0);
    ::SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, bOld, nullptr, 0);
    EXPECT_TRUE(a->m_bLiveDrag);
    a->GetWindowRect(&rcA);
    ptEdge = CPoint(rcA.right - 3, rcA.top + 60);
    before = Grab(rcFrame);
    a->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptEdge.x, ptEdge.y));
    EXPECT_EQ(Changed(before, Grab(rcFrame), rcFrame, rcFrame), 0.0);
    a->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPt(a, ptEdge + CPoint(25, 0)));
    Idle(f.m_pFrame);
    EXPECT_EQ(DockingFrame::InParent(pLeft).Width(), 85);
    a->SendMessage(WM_LBUTTONUP, 0, 0);
}

TEST(DockingMouse, DragDockFloatToggleAndResize)
{
    DockingFrame f;
    CSizingControlBarG* t = f.AddBar(100, AFX_IDW_DOCKBAR_TOP, nullptr, CSize(200, 120));
    f.m_pFrame->RecalcLayout();
    Idle(f.m_pFrame);
    CDockBar* pTop = f.Dock(AFX_IDW_DOCKBAR_TOP);
    CDockBar* pLeft = f.Dock(AFX_IDW_DOCKBAR_LEFT);

    // A press and release without moving past the drag threshold changes
    // nothing.
    t->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(31, 31));
    t->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    EXPECT_EQ(t->m_pDockBar, pTop);
    EXPECT_EQ(::GetCapture(), (HWND) nullptr);

    // Dragged onto the left side: docked there, the top side left empty.
    DragBar(t, CPoint(30, 30), FrameClientToScreen(f.m_pFrame, 5, 300));
    Idle(f.m_pFrame);
    EXPECT_EQ(t->m_pDockBar, pLeft);
    EXPECT_EQ(t->m_nDockSideID, (UINT)AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(pTop->m_arrBars.GetSize(), 1);
    EXPECT_EQ(f.PaneRect().top, 0);
    EXPECT_EQ(f.PaneRect().left, 200);

    // With Ctrl held it floats even over a side; its slot is remembered.
    CPoint ptDrop = FrameClientToScreen(f.m_pFrame, 400, 5);
    DragBar(t, CPoint(30, 30), ptDrop, MK_CONTROL);
    Pump();
    ASSERT_TRUE(t->IsFloating());
    CFrameWnd* pMini = t->GetParentFrame();
    ASSERT_TRUE(pMini && pMini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_EQ(pLeft->m_arrBars[1], (void*)(UINT_PTR)100);
    EXPECT_EQ(f.PaneRect().left, 0);
    CRect rcMini;
    pMini->GetWindowRect(&rcMini);
    EXPECT_TRUE(rcMini.PtInRect(ptDrop));
    // A floating bar has no edges, no gripper and the floating insets.
    EXPECT_EQ(t->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcMini.left + 8, rcMini.bottom - 6)), (LRESULT)HTCLIENT);
    CRect rw, rcl;
    t->GetWindowRect(&rw);
    t->GetClientRect(&rcl);
    EXPECT_EQ(rcl.Width(), rw.Width() - 6);
    EXPECT_EQ(rcl.Height(), rw.Height() - 8);
    EXPECT_EQ(rw.Width(), 200);

    // The floating frame's corner resizes the bar's floating size.
    CSize sizeFloat = t->m_sizeFloat;
    ::SetCursorPos(rcMini.right + 30, rcMini.bottom + 20);
    pMini->PostMessage(WM_LBUTTONUP, 0, ClientPt(pMini, CPoint(rcMini.right + 30, rcMini.bottom + 20)));
    pMini->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(rcMini.right - 1, rcMini.bottom - 1));
    EXPECT_EQ(t->m_sizeFloat, sizeFloat + CSize(30, 20));
    t->GetWindowRect(&rw);
    EXPECT_EQ(rw.Width(), sizeFloat.cx + 30);
    pMini->GetWindowRect(&rcMini);
    ::SetCursorPos(rcMini.left - 500, rcMini.top - 500);
    pMini->PostMessage(WM_LBUTTONUP, 0, 0);
    pMini->SendMessage(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(rcMini.right - 1, rcMini.bottom - 1));
    EXPECT_EQ(t->m_sizeFloat, CSize(37, 32));
    t->m_sizeFloat = CSize(220, 140);
    pMini->RecalcLayout();

    // A double click docks it back into its slot; the floating frame goes.
    HWND hMini = pMini->m_hWnd;
    t->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
    Idle(f.m_pFrame);
    EXPECT_EQ(t->m_pDockBar, pLeft);
    EXPECT_EQ(pLeft->m_arrBars[1], (void*)t);
    EXPECT_FALSE(::IsWindow(hMini));
    EXPECT_EQ(f.PaneRect().left, 200);
    // And floats it again where it floated last.
    t->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
    Pump();
    ASSERT_TRUE(t->IsFloating());
    pMini = t->GetParentFrame();
    pMini->GetWindowRect(&rcMini);
    t->GetWindowRect(&rw);
    EXPECT_EQ(rw.Size(), CSize(220, 140));

    // Dragged by the floating frame's caption onto the bottom side.
    CPoint ptCaption(rcMini.left + 40, rcMini.top + 5);
    CPoint ptBottom = FrameClientToScreen(f.m_pFrame, 300, f.ClientRect().bottom - 5);
    t->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, ClientPt(t, ptBottom));
    t->PostMessage(WM_LBUTTONUP, 0, ClientPt(t, ptBottom));
    pMini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
    Idle(f.m_pFrame);
    EXPECT_EQ(t->m_pDockBar, f.Dock(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_TRUE(t->IsHorzDocked());
    EXPECT_EQ(f.PaneRect().bottom, f.ClientRect().bottom - 120);
    // The slot left on the left side is dropped once docked elsewhere.
    EXPECT_EQ(pLeft->m_arrBars.GetSize(), 1);
}

// Lifetimes: float/dock cycles leave no floating frame behind, and bar
// objects may die before or after their frame (floating or docked) without
// leaving the frame a dangling bar.
TEST(DockingLifetime, FloatDockCyclesAndDestructionOrders)
{
    auto threadWindows = [] {
        int n = 0;
        ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND, LPARAM p) { ++*(int*)p; return TRUE; }, (LPARAM)&n);
        return n;
    };
    int nBefore = threadWindows();
    {
        DockingFrame f;
        CSizingControlBarG* a = f.AddBar(100, AFX_IDW_DOCKBAR_LEFT);
        int nDocked = threadWindows();
        for (int i = 0; i < 3; ++i)
        {
            f.m_pFrame->FloatControlBar(a, CPoint(200 + i, 200));
            ASSERT_TRUE(a->IsFloating());
            a->SendMessage(WM_LBUTTONDBLCLK, 0, 0);
            Pump();
            ASSERT_EQ(a->m_pDockBar, f.Dock(AFX_IDW_DOCKBAR_LEFT));
        }
        EXPECT_EQ(threadWindows(), nDocked);

        // A floating bar destroyed before its frame takes its floating
        // frame's content with it and leaves the frame's list.
        auto b = std::make_unique<CSizingControlBarG>();
        ASSERT_TRUE(b->Create("b", f.m_pFrame, CSize(120, 90), TRUE, 101));
        b->EnableDocking(CBRS_ALIGN_ANY);
        f.m_pFrame->FloatControlBar(b.get(), CPoint(300, 300));
        HWND hMini = b->GetParentFrame()->m_hWnd;
        b.reset();
        Pump();
        EXPECT_EQ(f.m_pFrame->GetControlBar(101), nullptr);
        EXPECT_FALSE(::IsWindow(hMini));
        f.m_pFrame->RecalcLayout();
        Idle(f.m_pFrame);

        // A bar floating when the frame goes: its floating frame goes too;
        // the bar object outlives both.
        f.m_pFrame->FloatControlBar(a, CPoint(250, 250));
        hMini = a->GetParentFrame()->m_hWnd;
        f.m_pFrame->DestroyWindow();
        Pump();
        EXPECT_FALSE(::IsWindow(hMini));
        EXPECT_EQ(a->m_hWnd, (HWND) nullptr);
        EXPECT_EQ(a->m_pDockBar, nullptr);
        EXPECT_EQ(a->m_pDockSite, nullptr);
    }
    Pump();
    EXPECT_EQ(threadWindows(), nBefore);
}
