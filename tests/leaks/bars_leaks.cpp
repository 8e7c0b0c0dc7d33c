// The docking bars through their cycles: a hidden frame with dock bars on
// every side and two sizing bars docked left and right, laid out and
// updated at idle time, then destroyed; and bars floated and docked back.
#include "LeakHarness.h"

#include "bars/SizingControlBar.h"
#include "platform/FrameWnd.h"

#include <gtest/gtest.h>

namespace
{
const int kFloatingCycles = 1000;
} // namespace

TEST(Leaks, DockedSizingBars)
{
    int nDocked = 0;
    LeakReport r = RunLeakCycles("docked sizing bars", [&](LeakCycle& c) {
        CFrameWnd* pFrame = new CFrameWnd;   // deletes itself with its window
        ASSERT_TRUE(pFrame->Create(nullptr, "docking", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 600, 400)));
        pFrame->EnableDocking(CBRS_ALIGN_ANY);
        CSizingControlBarG left, right;
        ASSERT_TRUE(left.Create("left", pFrame, CSize(150, 150), TRUE, 0xE810, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
        ASSERT_TRUE(right.Create("right", pFrame, CSize(120, 120), TRUE, 0xE811, WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
        left.EnableDocking(CBRS_ALIGN_ANY);
        right.EnableDocking(CBRS_ALIGN_ANY);
        pFrame->DockControlBar(&left, AFX_IDW_DOCKBAR_LEFT);
        pFrame->DockControlBar(&right, AFX_IDW_DOCKBAR_RIGHT);
        nDocked += !left.IsFloating() && !right.IsFloating();
        pFrame->RecalcLayout();
        pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
        pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        c.Alive();
        pFrame->DestroyWindow();   // the bars' windows go with it
    });
    ExpectNothingLeft(r, true, false);   // hidden: nothing of it is drawn
    EXPECT_EQ(nDocked, 1020);
}

TEST(Leaks, FloatingSizingBars)
{
    // A bar docked, floated into a floating frame of its own and docked
    // back by a double click on it; a second bar floated as soon as it is
    // made; the frame destroyed with that one still floating. Each floating
    // frame is a shown top-level window, cheap to take down only because it
    // was never activated.
    int nFloated = 0, nDockedBack = 0, nStillFloating = 0;
    LeakReport r = RunLeakCycles("floating sizing bars", [&](LeakCycle& c) {
        CFrameWnd* pFrame = new CFrameWnd;   // deletes itself with its window
        ASSERT_TRUE(pFrame->Create(nullptr, "floating", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 600, 400)));
        pFrame->EnableDocking(CBRS_ALIGN_ANY);
        CSizingControlBarG docked, floating;
        ASSERT_TRUE(docked.Create("docked", pFrame, CSize(150, 150), TRUE, 0xE810, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
        docked.EnableDocking(CBRS_ALIGN_ANY);
        pFrame->DockControlBar(&docked, AFX_IDW_DOCKBAR_LEFT);

        pFrame->FloatControlBar(&docked, CPoint(300, 200));
        nFloated += docked.IsFloating() && ::IsWindowVisible(docked.GetParentFrame()->m_hWnd);
        docked.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
        PumpPending();   // the empty floating frame goes
        nDockedBack += !docked.IsFloating() && docked.GetParentFrame() == pFrame;

        ASSERT_TRUE(floating.Create("floating", pFrame, CSize(120, 90), TRUE, 0xE811, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        floating.EnableDocking(CBRS_ALIGN_ANY);
        pFrame->FloatControlBar(&floating, CPoint(320, 240));
        nStillFloating += floating.IsFloating();
        pFrame->RecalcLayout();
        pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
        pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        c.Alive();
        pFrame->DestroyWindow();   // takes the floating frame with it
    }, kFloatingCycles, 5);
    ExpectNothingLeft(r);
    EXPECT_EQ(nFloated, kFloatingCycles + 5);
    EXPECT_EQ(nDockedBack, kFloatingCycles + 5);
    EXPECT_EQ(nStillFloating, kFloatingCycles + 5);
}
