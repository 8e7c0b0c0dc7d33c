// The docking bars through 1,000 cycles: a hidden frame with dock bars on
// every side and two sizing bars docked left and right, laid out and
// updated at idle time, then destroyed.
#include "LeakHarness.h"

#include "bars/SizingControlBar.h"
#include "platform/FrameWnd.h"

#include <gtest/gtest.h>

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
