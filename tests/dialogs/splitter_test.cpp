// Static splitters on real windows: panes made by a frame through the
// creation context, the layout by ideal and minimum sizes, bars and
// crossings dragged with real mouse messages (the inverted tracking bar read
// back from the screen), capture loss, and the lockable splitter.
#include <gtest/gtest.h>
#include "dialogs/MCSplitterWnd.h"
#include "dialogs_test_util.h"

namespace
{
const COLORREF kLeft = RGB(200, 40, 40);
const COLORREF kRight = RGB(40, 40, 200);

// A frame whose client area is a rows x cols splitter of colour views; the
// first column is 150 pixels wide and the first row 100 high.
template <class TSplitter>
class CSplitFrame : public CFrameWnd
{
public:
    CSplitFrame(int nRows, int nCols) : m_nRows(nRows), m_nCols(nCols) {}
    TSplitter m_split;
    int m_nRows, m_nCols;

protected:
    BOOL OnCreateClient(LPCREATESTRUCTA, CCreateContext* pContext) override
    {
        if (!m_split.CreateStatic(this, m_nRows, m_nCols))
            return FALSE;
        for (int r = 0; r < m_nRows; ++r)
            for (int c = 0; c < m_nCols; ++c)
            {
                CColourView::s_crNext = c == 0 ? kLeft : kRight;
                if (!m_split.CreateView(r, c, RUNTIME_CLASS(CColourView), CSize(150, 100), pContext))
                    return FALSE;
            }
        return TRUE;
    }
};

template <class TSplitter>
CSplitFrame<TSplitter>* MakeFrame(int nRows, int nCols, int cx = 500, int cy = 300)
{
    auto* pFrame = new CSplitFrame<TSplitter>(nRows, nCols);
    CCreateContext context;
    if (!pFrame->Create(nullptr, "splitter", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 30 + cx, 30 + cy),
                        nullptr, nullptr, 0, nullptr, &context))
        return nullptr;  // the frame deleted itself
    pFrame->InitialUpdateFrame();
    return pFrame;
}

void Mouse(CWnd& wnd, UINT msg, int x, int y)
{
    ::SendMessageA(wnd.m_hWnd, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

COLORREF Inverted(COLORREF cr) { return RGB(255 - GetRValue(cr), 255 - GetGValue(cr), 255 - GetBValue(cr)); }

CRect PaneRect(CSplitterWnd& split, int row, int col)
{
    return RectIn(split.GetPane(row, col)->m_hWnd, split.m_hWnd);
}
}  // namespace

TEST(Splitter, PanesFollowIdealSizesAndABarDraggedMovesTheBoundary)
{
    const int nAlive = CColourView::s_nAlive;
    auto* pFrame = MakeFrame<CSplitterWnd>(1, 2);
    ASSERT_NE(pFrame, nullptr);
    CSplitterWnd& split = pFrame->m_split;
    EXPECT_EQ(split.GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    CRect client;
    split.GetClientRect(&client);
    CRect frameClient;
    pFrame->GetClientRect(&frameClient);
    EXPECT_EQ(client.Size(), frameClient.Size()) << "the splitter fills the frame";
    EXPECT_EQ(CColourView::s_nAlive, nAlive + 2);
    EXPECT_EQ(static_cast<CColourView*>(split.GetPane(0, 0))->m_nInitialUpdates, 1);
    EXPECT_EQ(pFrame->GetActiveView(), nullptr);
    EXPECT_EQ(split.GetActivePane(), nullptr);
    int row = -1, col = -1;
    EXPECT_TRUE(split.IsChildPane(split.GetPane(0, 1), &row, &col));
    EXPECT_EQ(row * 16 + col, 1);
    EXPECT_FALSE(split.IsChildPane(pFrame, &row, &col));
    EXPECT_EQ(split.GetPane(0, 2), nullptr);
    EXPECT_FALSE(split.CreateView(0, 0, RUNTIME_CLASS(CColourView), CSize(1, 1), nullptr)) << "pane taken";

    // A click activates a view: it becomes the frame's active view (commands
    // go there) and the splitter's active pane.
    CWnd* pRight = split.GetPane(0, 1);
    ::SendMessageA(pRight->m_hWnd, WM_MOUSEACTIVATE, (WPARAM)pFrame->m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(pFrame->GetActiveView(), pRight);
    EXPECT_EQ(split.GetActivePane(&row, &col), pRight);
    EXPECT_EQ(col, 1);
    split.SetActivePane(0, 0);
    EXPECT_EQ(split.GetActivePane(&row, &col), split.GetPane(0, 0));
    EXPECT_EQ(col, 0);
    EXPECT_EQ(::GetFocus(), split.GetPane(0, 0)->m_hWnd);
    // A view that goes is no longer the active one: commands still route.
    ::SendMessageA(pRight->m_hWnd, WM_MOUSEACTIVATE, (WPARAM)pFrame->m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    pRight->DestroyWindow();
    EXPECT_EQ(pFrame->GetActiveView(), nullptr);
    pFrame->SendMessage(WM_COMMAND, ID_EDIT_COPY, 0);
    CColourView::s_crNext = kRight;
    ASSERT_TRUE(split.CreateView(0, 1, RUNTIME_CLASS(CColourView), CSize(150, 100), nullptr));
    split.SetColumnInfo(0, 150, 0);
    split.RecalcLayout();

    // The first column at its ideal 150, the bar, the second column the rest.
    const int bar = split.m_cxSplitter;
    EXPECT_EQ(PaneRect(split, 0, 0), CRect(0, 0, 150, client.bottom));
    EXPECT_EQ(PaneRect(split, 0, 1), CRect(150 + bar, 0, client.right, client.bottom));
    int cur = 0, minSize = -1;
    split.GetColumnInfo(1, cur, minSize);
    EXPECT_EQ(cur, client.right - 150 - bar);
    EXPECT_EQ(minSize, 0);
    EXPECT_EQ(split.HitTest(CPoint(152, 40)), CSplitterWnd::hSplitterBar1);
    EXPECT_EQ(split.HitTest(CPoint(149, 40)), CSplitterWnd::noHit);
    EXPECT_EQ(split.HitTest(CPoint(150 + bar, 40)), CSplitterWnd::noHit);
    EXPECT_EQ(ScreenPixel(split.m_hWnd, 100, 40), kLeft);
    EXPECT_EQ(ScreenPixel(split.m_hWnd, 300, 40), kRight);

    // Over the bar the cursor is the left-right sizing one.
    CPoint ptScreen(152, 40);
    split.ClientToScreen(&ptScreen);
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    ::SendMessageA(split.m_hWnd, WM_SETCURSOR, (WPARAM)split.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_SIZEWE));
    PumpFor(50);  // the real mouse move of SetCursorPos goes before the drag

    // Press on the bar, move 30 pixels right: the inverted tracking bar
    // follows over the right pane; release: the boundary moved by 30.
    Mouse(split, WM_LBUTTONDOWN, 152, 40);
    EXPECT_TRUE(split.IsTracking());
    EXPECT_EQ(::GetCapture(), split.m_hWnd);
    Mouse(split, WM_MOUSEMOVE, 182, 40);
    EXPECT_EQ(ScreenPixel(split.m_hWnd, 183, 40, false), Inverted(kRight));
    EXPECT_EQ(ScreenPixel(split.m_hWnd, 190, 40, false), kRight);
    EXPECT_EQ(ScreenPixel(split.m_hWnd, 153, 40, false), ::GetSysColor(COLOR_BTNFACE)) << "left its old place";
    EXPECT_EQ(PaneRect(split, 0, 0).right, 150) << "nothing moves before the release";
    Mouse(split, WM_LBUTTONUP, 182, 40);
    EXPECT_FALSE(split.IsTracking());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(PaneRect(split, 0, 0), CRect(0, 0, 180, client.bottom));
    EXPECT_EQ(PaneRect(split, 0, 1), CRect(180 + bar, 0, client.right, client.bottom));
    EXPECT_EQ(ScreenPixel(split.m_hWnd, 170, 40), kLeft);
    EXPECT_EQ(ScreenPixel(split.m_hWnd, 183, 40), ::GetSysColor(COLOR_BTNFACE)) << "the tracker is gone";

    // A drag past the far edge stops at it: the right pane closes.
    Mouse(split, WM_LBUTTONDOWN, 182, 40);
    Mouse(split, WM_MOUSEMOVE, client.right + 50, 40);
    Mouse(split, WM_LBUTTONUP, client.right + 50, 40);
    EXPECT_EQ(PaneRect(split, 0, 1).Width(), 0);
    EXPECT_EQ(PaneRect(split, 0, 0).right, client.right - bar);

    // Losing the capture mid-drag cancels it and leaves the sizes.
    split.SetColumnInfo(0, 200, 0);
    split.RecalcLayout();
    Mouse(split, WM_LBUTTONDOWN, 202, 40);
    Mouse(split, WM_MOUSEMOVE, 120, 40);
    ::ReleaseCapture();
    EXPECT_FALSE(split.IsTracking());
    Mouse(split, WM_LBUTTONUP, 120, 40);
    EXPECT_EQ(PaneRect(split, 0, 0).right, 200);
    EXPECT_EQ(ScreenPixel(split.m_hWnd, 121, 40, false), kLeft) << "the tracker was taken away";

    // The layout follows the window; an ideal below the minimum closes.
    pFrame->SetWindowPos(nullptr, 0, 0, 700, 300, SWP_NOMOVE | SWP_NOZORDER);
    split.GetClientRect(&client);
    EXPECT_EQ(PaneRect(split, 0, 1), CRect(200 + bar, 0, client.right, client.bottom));
    split.SetColumnInfo(0, 40, 50);
    split.RecalcLayout();
    EXPECT_EQ(PaneRect(split, 0, 0).Width(), 0);
    EXPECT_EQ(PaneRect(split, 0, 1).left, bar);

    pFrame->DestroyWindow();  // the frame and its views delete themselves
    EXPECT_EQ(CColourView::s_nAlive, nAlive);
}

TEST(Splitter, RowsAndTheCrossingOfTwoBars)
{
    auto* pFrame = MakeFrame<CSplitterWnd>(2, 2);
    ASSERT_NE(pFrame, nullptr);
    CSplitterWnd& split = pFrame->m_split;
    const int bar = split.m_cySplitter;
    int cur = 0, minSize = 0;
    split.GetRowInfo(0, cur, minSize);
    EXPECT_EQ(cur, 100);
    EXPECT_EQ(PaneRect(split, 1, 1).TopLeft(), CPoint(150 + bar, 100 + bar));
    EXPECT_EQ(split.HitTest(CPoint(40, 102)), CSplitterWnd::vSplitterBar1);
    EXPECT_EQ(split.HitTest(CPoint(152, 102)), CSplitterWnd::splitterIntersection1);
    CRect rcCross;
    ASSERT_TRUE(split.GetHitRect(CSplitterWnd::splitterIntersection1, rcCross));
    EXPECT_EQ(rcCross, CRect(150, 100, 150 + bar, 100 + bar));
    EXPECT_FALSE(split.GetHitRect(CSplitterWnd::hSplitterBar1 + 1, rcCross));

    // Dragging the crossing moves both bars.
    Mouse(split, WM_LBUTTONDOWN, 152, 102);
    Mouse(split, WM_MOUSEMOVE, 172, 92);
    Mouse(split, WM_LBUTTONUP, 172, 92);
    EXPECT_EQ(PaneRect(split, 0, 0), CRect(0, 0, 170, 90));
    EXPECT_EQ(PaneRect(split, 1, 1).TopLeft(), CPoint(170 + bar, 90 + bar));
    // Rows and columns out of range are refused quietly.
    split.SetRowInfo(5, 10, 10);
    split.GetRowInfo(-1, cur, minSize);
    EXPECT_EQ(cur + minSize, 0);
    CSplitterWnd spare;
    EXPECT_FALSE(spare.CreateStatic(pFrame, 0, 2));
    EXPECT_FALSE(spare.CreateStatic(pFrame, 1, 17));
    EXPECT_FALSE(spare.CreateStatic(nullptr, 1, 1));
    EXPECT_FALSE(spare.CreateView(0, 0, RUNTIME_CLASS(CColourView), CSize(1, 1), nullptr));
    pFrame->DestroyWindow();
}

TEST(Splitter, TheLockRefusesOnlyTheMousePress)
{
    CObject* pMade = RUNTIME_CLASS(CMCSplitterWnd)->CreateObject();
    ASSERT_NE(pMade, nullptr);
    EXPECT_TRUE(pMade->IsKindOf(RUNTIME_CLASS(CSplitterWnd)));
    EXPECT_EQ(static_cast<CMCSplitterWnd*>(pMade)->m_bResizable, 1);
    delete pMade;

    auto* pFrame = MakeFrame<CMCSplitterWnd>(2, 1);
    ASSERT_NE(pFrame, nullptr);
    CMCSplitterWnd& split = pFrame->m_split;
    const int bar = split.m_cySplitter;
    // Unlocked: the row bar moves 30 pixels down.
    Mouse(split, WM_LBUTTONDOWN, 40, 102);
    Mouse(split, WM_MOUSEMOVE, 40, 132);
    Mouse(split, WM_LBUTTONUP, 40, 132);
    EXPECT_EQ(PaneRect(split, 1, 0).top, 130 + bar);

    for (BOOL lock : {FALSE, (BOOL)2})
    {
        split.SetResizable(lock);
        EXPECT_EQ(split.m_bResizable, lock);
        Mouse(split, WM_LBUTTONDOWN, 40, 132);
        EXPECT_FALSE(split.IsTracking());
        EXPECT_EQ(::GetCapture(), nullptr);
        Mouse(split, WM_MOUSEMOVE, 40, 60);
        Mouse(split, WM_LBUTTONUP, 40, 60);
        EXPECT_EQ(PaneRect(split, 0, 0).bottom, 130) << "locked with " << lock;
    }
    // The host's own sizes still apply while locked.
    split.SetRowInfo(0, 70, 10);
    split.RecalcLayout();
    int cur = 0, minSize = 0;
    split.GetRowInfo(0, cur, minSize);
    EXPECT_EQ(cur, 70);
    EXPECT_EQ(minSize, 10);
    EXPECT_EQ(PaneRect(split, 1, 0).top, 70 + bar);

    split.SetResizable(TRUE);
    Mouse(split, WM_LBUTTONDOWN, 40, 72);
    Mouse(split, WM_MOUSEMOVE, 40, 102);
    Mouse(split, WM_LBUTTONUP, 40, 102);
    EXPECT_EQ(PaneRect(split, 0, 0).bottom, 100);
    pFrame->DestroyWindow();
}
