// Docked layout: the frame's sides sharing its client area, the row model,
// the sizing bars' negotiation of a row's length (worked cases), row
// splitting, the non-client frame and the gripper bar's close button.
#include "bars_test_util.h"

using namespace barstest;

namespace
{
std::vector<void*> Row(CDockBar* pDock)
{
    std::vector<void*> v;
    for (INT_PTR i = 0; i < pDock->m_arrBars.GetSize(); ++i)
        v.push_back(pDock->m_arrBars[i]);
    return v;
}

void SetLengths(std::vector<CSizingControlBar*> bars, std::vector<int> lengths)
{
    for (size_t i = 0; i < bars.size(); ++i)
    {
        bars[i]->m_sizeHorz.cx = lengths[i];
        bars[i]->m_bKeepLength = FALSE;
    }
}

std::vector<int> Lengths(std::vector<CSizingControlBar*> bars)
{
    std::vector<int> v;
    for (CSizingControlBar* p : bars)
        v.push_back(p->m_sizeHorz.cx);
    return v;
}
}  // namespace

TEST(Docking, FourSidesShareTheClientAreaWithThePane)
{
    DockingFrame f;
    CSizingControlBarG* pTop = f.AddBar(100, AFX_IDW_DOCKBAR_TOP);
    CSizingControlBarG* pBottom = f.AddBar(101, AFX_IDW_DOCKBAR_BOTTOM);
    CSizingControlBarG* pLeft = f.AddBar(102, AFX_IDW_DOCKBAR_LEFT);
    CSizingControlBarG* pRight = f.AddBar(103, AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_TRUE(pTop && pBottom && pLeft && pRight);
    f.m_pFrame->RecalcLayout();
    Idle(f.m_pFrame);

    CRect rc = f.ClientRect();
    int W = rc.Width(), H = rc.Height();
    EXPECT_EQ(DockingFrame::InParent(f.Dock(AFX_IDW_DOCKBAR_TOP)), CRect(0, 0, W, 200));
    EXPECT_EQ(DockingFrame::InParent(f.Dock(AFX_IDW_DOCKBAR_BOTTOM)), CRect(0, H - 200, W, H));
    EXPECT_EQ(DockingFrame::InParent(f.Dock(AFX_IDW_DOCKBAR_LEFT)), CRect(0, 200, 200, H - 200));
    EXPECT_EQ(DockingFrame::InParent(f.Dock(AFX_IDW_DOCKBAR_RIGHT)), CRect(W - 200, 200, W, H - 200));
    EXPECT_EQ(f.PaneRect(), CRect(200, 200, W - 200, H - 200));

    // A lone bar takes its row's whole length: the row's bars overlap by 2
    // and add up to the dock bar's width + 2 (horizontally, from -2) or its
    // height - 2 (vertically).
    EXPECT_EQ(pTop->m_sizeHorz.cx, W + 4);
    EXPECT_EQ(DockingFrame::InParent(pTop), CRect(-2, 0, W + 2, 200));
    EXPECT_EQ(pLeft->m_sizeVert.cy, H - 400);
    EXPECT_EQ(pTop->m_nDockSideID, (UINT)AFX_IDW_DOCKBAR_TOP);
    EXPECT_TRUE(pTop->IsHorzDocked() && pBottom->IsHorzDocked());
    EXPECT_TRUE(pLeft->IsVertDocked() && pRight->IsVertDocked());
    EXPECT_FALSE(pLeft->IsFloating());
    EXPECT_EQ(Row(f.Dock(AFX_IDW_DOCKBAR_TOP)), (std::vector<void*>{nullptr, pTop, nullptr}));

    // Hiding a bar keeps its entry (its slot); the pane takes the room.
    f.m_pFrame->ShowControlBar(pLeft, FALSE, FALSE);
    EXPECT_EQ(f.PaneRect(), CRect(0, 200, W - 200, H - 200));
    EXPECT_EQ(Row(f.Dock(AFX_IDW_DOCKBAR_LEFT)), (std::vector<void*>{nullptr, pLeft, nullptr}));
    // A delayed show waits for the idle update.
    f.m_pFrame->ShowControlBar(pLeft, TRUE, TRUE);
    EXPECT_TRUE(pLeft->IsVisible());
    EXPECT_FALSE(pLeft->GetStyle() & WS_VISIBLE);
    Idle(f.m_pFrame);
    EXPECT_TRUE(pLeft->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(f.PaneRect(), CRect(200, 200, W - 200, H - 200));
}

TEST(Docking, RowOfThreeSharesItsLengthEndToEnd)
{
    DockingFrame f;
    CSizingControlBarG* a = f.AddBar(100, AFX_IDW_DOCKBAR_TOP, nullptr, CSize(200, 50));
    CSizingControlBarG* b = f.AddBar(101, AFX_IDW_DOCKBAR_TOP, nullptr, CSize(200, 80));
    CSizingControlBarG* c = f.AddBar(102, AFX_IDW_DOCKBAR_TOP, nullptr, CSize(200, 60));
    CDockBar* pTop = f.Dock(AFX_IDW_DOCKBAR_TOP);
    // Three rows as docked; then one row.
    EXPECT_EQ(Row(pTop), (std::vector<void*>{nullptr, a, nullptr, b, nullptr, c, nullptr}));
    f.MakeRow(pTop, {a, b, c});
    EXPECT_EQ(Row(pTop), (std::vector<void*>{nullptr, a, b, c, nullptr}));
    f.m_pFrame->RecalcLayout();
    Idle(f.m_pFrame);

    int W = f.ClientRect().Width();
    // sum(L - 2) is the row's length, W + 2; all share the widest width.
    EXPECT_EQ((a->m_sizeHorz.cx - 2) + (b->m_sizeHorz.cx - 2) + (c->m_sizeHorz.cx - 2), W + 2);
    EXPECT_EQ(a->m_sizeHorz.cy, 80);
    EXPECT_EQ(c->m_sizeHorz.cy, 80);
    CRect ra = DockingFrame::InParent(a), rb = DockingFrame::InParent(b), rcc = DockingFrame::InParent(c);
    EXPECT_EQ(ra.left, -2);
    EXPECT_EQ(rb.left, ra.right - 2);
    EXPECT_EQ(rcc.left, rb.right - 2);
    EXPECT_EQ(rcc.right, W + 2);
    EXPECT_EQ(DockingFrame::InParent(pTop).Height(), 80);

    // Edges between neighbours and towards the centre.
    EXPECT_EQ(a->GetSCBStyle() & SCB_EDGE_MASK, (DWORD)(SCB_EDGE_RIGHT | SCB_EDGE_BOTTOM));
    EXPECT_EQ(b->GetSCBStyle() & SCB_EDGE_MASK, (DWORD)(SCB_EDGE_LEFT | SCB_EDGE_RIGHT | SCB_EDGE_BOTTOM));
    EXPECT_EQ(c->GetSCBStyle() & SCB_EDGE_MASK, (DWORD)(SCB_EDGE_LEFT | SCB_EDGE_BOTTOM));

    // The worked cases: one pixel per bar per pass, the first bar first.
    std::vector<CSizingControlBar*> row = {a, b, c};
    SetLengths(row, {100, 100, 100});
    EXPECT_TRUE(a->NegotiateSpace(3 * 98 + 7, TRUE));
    EXPECT_EQ(Lengths(row), (std::vector<int>{103, 102, 102}));
    SetLengths(row, {100, 100, 100});
    EXPECT_TRUE(a->NegotiateSpace(3 * 98 - 7, TRUE));
    EXPECT_EQ(Lengths(row), (std::vector<int>{97, 98, 98}));
    // A bar at its minimum gives nothing up.
    SetLengths(row, {33, 100, 100});
    EXPECT_TRUE(a->NegotiateSpace(31 + 98 + 98 - 7, TRUE));
    EXPECT_EQ(Lengths(row), (std::vector<int>{33, 96, 97}));
    // A bar below its minimum (a damaged size) is not shrunk further.
    SetLengths(row, {20, 100, 100});
    EXPECT_TRUE(a->NegotiateSpace(18 + 98 + 98 - 2, TRUE));
    EXPECT_EQ(Lengths(row), (std::vector<int>{20, 99, 99}));
    // A bar keeping its length is left alone while the others can move...
    SetLengths(row, {100, 100, 100});
    b->m_bKeepLength = TRUE;
    EXPECT_TRUE(a->NegotiateSpace(3 * 98 + 4, TRUE));
    EXPECT_EQ(Lengths(row), (std::vector<int>{102, 100, 102}));
    EXPECT_FALSE(b->m_bKeepLength);
    // ...and takes part once they cannot.
    SetLengths(row, {33, 100, 33});
    b->m_bKeepLength = TRUE;
    EXPECT_TRUE(a->NegotiateSpace(31 + 98 + 31 - 4, TRUE));
    EXPECT_EQ(Lengths(row), (std::vector<int>{33, 96, 33}));
    // A stretch query only reports.
    b->m_bRowRelayout = TRUE;
    EXPECT_EQ(b->CalcFixedLayout(TRUE, TRUE), CSize(32767, 80));
    EXPECT_EQ(b->CalcFixedLayout(TRUE, FALSE), CSize(b->m_sizeVert.cx, 32767));
    EXPECT_TRUE(b->m_bRowRelayout);
}

TEST(Docking, RowsSplitWhenTheMinimaDoNotFit)
{
    DockingFrame f;
    CSizingControlBarG* a = f.AddBar(100, AFX_IDW_DOCKBAR_TOP, nullptr, CSize(200, 60));
    CSizingControlBarG* b = f.AddBar(101, AFX_IDW_DOCKBAR_TOP, nullptr, CSize(200, 60));
    CSizingControlBarG* c = f.AddBar(102, AFX_IDW_DOCKBAR_TOP, nullptr, CSize(200, 60));
    CDockBar* pTop = f.Dock(AFX_IDW_DOCKBAR_TOP);

    // Overflow at a bar before the negotiating one: split after it, no change.
    f.MakeRow(pTop, {a, b, c});
    SetLengths({a, b, c}, {100, 100, 100});
    EXPECT_FALSE(c->NegotiateSpace(2 + 31 + 31 - 1, TRUE));
    EXPECT_EQ(Row(pTop), (std::vector<void*>{nullptr, a, b, nullptr, c, nullptr}));
    EXPECT_EQ(Lengths({a, b, c}), (std::vector<int>{100, 100, 100}));
    // Overflow at the negotiating bar itself: it drops to its minimum.
    f.MakeRow(pTop, {a, b, c});
    EXPECT_TRUE(a->NegotiateSpace(30, TRUE));
    EXPECT_EQ(a->m_sizeHorz.cx, 33);
    EXPECT_EQ(Row(pTop), (std::vector<void*>{nullptr, a, b, c, nullptr}));
    // Overflow after it: the rest moves to a new row, the first two share.
    SetLengths({a, b, c}, {100, 100, 100});
    EXPECT_TRUE(a->NegotiateSpace(2 + 31 + 31 + 10, TRUE));
    EXPECT_EQ(Row(pTop), (std::vector<void*>{nullptr, a, b, nullptr, c, nullptr}));
    EXPECT_EQ((a->m_sizeHorz.cx - 2) + (b->m_sizeHorz.cx - 2), 2 + 31 + 31 + 10);

    // Through the frame's layout: minima of 400 on a ~800 pixel side give
    // one bar per row, and the side grows by the rows.
    for (CSizingControlBar* p : {a, b, c})
        p->m_sizeMinHorz.cx = 400;
    f.MakeRow(pTop, {a, b, c});
    f.m_pFrame->RecalcLayout();
    Idle(f.m_pFrame);
    EXPECT_EQ(Row(pTop), (std::vector<void*>{nullptr, a, nullptr, b, nullptr, c, nullptr}));
    EXPECT_EQ(DockingFrame::InParent(pTop).Height(), 180);
    EXPECT_EQ(f.PaneRect().top, 180);
}

TEST(SizingBar, CreationStylesAndNonClientFrame)
{
    DockingFrame f;
    // Creation: the size overload sets all three sizes; styles are filtered.
    CSizingControlBar bad;
    EXPECT_FALSE(bad.Create("x", nullptr, 5));
    EXPECT_TRUE(bad.Create("x", f.m_pFrame, CSize(20, 20), FALSE, 5, WS_CHILD | 0x00300000 | CBRS_LEFT));
    EXPECT_EQ(bad.m_sizeHorz, CSize(20, 20));
    EXPECT_EQ(bad.m_sizeVert, CSize(20, 20));
    EXPECT_EQ(bad.m_sizeFloat, CSize(20, 20));
    EXPECT_EQ(bad.GetBarStyle(), (DWORD)CBRS_LEFT);
    EXPECT_EQ(bad.GetStyle() & 0x00300000, 0u);
    EXPECT_TRUE(bad.GetStyle() & WS_CLIPCHILDREN);
    bad.SetSCBStyle(0x3F);
    EXPECT_EQ(bad.GetSCBStyle(), 0x30u);
    bad.DestroyWindow();
    EXPECT_EQ(f.m_pFrame->GetControlBar(5), nullptr);

    CSizingControlBarG* pTop = f.AddBar(100, AFX_IDW_DOCKBAR_TOP, nullptr, CSize(200, 100));
    CSizingControlBarG* pLeft = f.AddBar(101, AFX_IDW_DOCKBAR_LEFT, nullptr, CSize(150, 200));
    f.m_pFrame->RecalcLayout();
    Idle(f.m_pFrame);

    // A single top bar: only the bottom edge; client inset 5 and the
    // 12-pixel gripper strip at the left.
    EXPECT_EQ(pTop->GetSCBStyle() & SCB_EDGE_MASK, (DWORD)SCB_EDGE_BOTTOM);
    CRect rw, rcl;
    pTop->GetWindowRect(&rw);
    pTop->GetClientRect(&rcl);
    EXPECT_EQ(rcl.Width(), rw.Width() - 10 - 12);
    EXPECT_EQ(rcl.Height(), rw.Height() - 10);
    EXPECT_EQ(pTop->m_btnClose.ptOrigin, CPoint(4, 5));
    EXPECT_EQ(pTop->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rw.left + 50, rw.bottom - 2)), (LRESULT)HTBOTTOM);
    EXPECT_EQ(pTop->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rw.left + 9, rw.top + 10)), (LRESULT)HTCLOSE);
    EXPECT_EQ(pTop->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rw.left + 50, rw.top + 2)), (LRESULT)HTCLIENT);

    // A left bar: the right edge; the strip at the top, the button at W - 17.
    EXPECT_EQ(pLeft->GetSCBStyle() & SCB_EDGE_MASK, (DWORD)SCB_EDGE_RIGHT);
    pLeft->GetWindowRect(&rw);
    pLeft->GetClientRect(&rcl);
    EXPECT_EQ(rcl.Height(), rw.Height() - 10 - 12);
    EXPECT_EQ(pLeft->m_btnClose.ptOrigin, CPoint(rw.Width() - 10 - 7, 4));
    EXPECT_EQ(pLeft->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rw.right - 1, rw.top + 50)), (LRESULT)HTRIGHT);

    // With drawn edges each active edge takes another 5 pixels.
    pLeft->SetSCBStyle(SCB_DRAW_EDGES);
    pLeft->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    pLeft->GetClientRect(&rcl);
    EXPECT_EQ(rcl.Width(), rw.Width() - 10 - 5);

    // Hovering the close button gives the raised look at the idle update.
    CPoint ptButton = CPoint(rw.left, rw.top) + pLeft->m_btnClose.GetRect().CenterPoint();
    ::SetCursorPos(ptButton.x, ptButton.y);
    pLeft->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_TRUE(pLeft->m_btnClose.bHot);
    EXPECT_FALSE(pLeft->m_btnClose.bPressed);
    ::SetCursorPos(rw.left + 40, rw.top + 100);
    pLeft->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_FALSE(pLeft->m_btnClose.bHot);

    // The close button hides the bar at its release, not at its press, and
    // WM_CLOSE leaves it alone.
    pLeft->SendMessage(WM_CLOSE);
    EXPECT_TRUE(pLeft->GetStyle() & WS_VISIBLE);
    pLeft->SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(ptButton.x, ptButton.y));
    EXPECT_TRUE(pLeft->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(pLeft->m_bEdgeTracking);
    pLeft->SendMessage(WM_NCLBUTTONUP, HTCLOSE, MAKELPARAM(ptButton.x, ptButton.y));
    EXPECT_FALSE(pLeft->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(f.PaneRect().left, 0);
    // Shown again in the same slot, keeping its length for one negotiation.
    f.m_pFrame->ShowControlBar(pLeft, TRUE, FALSE);
    EXPECT_EQ(f.Dock(AFX_IDW_DOCKBAR_LEFT)->FindBar(pLeft), 1);
    EXPECT_EQ(f.PaneRect().left, 150);
}
