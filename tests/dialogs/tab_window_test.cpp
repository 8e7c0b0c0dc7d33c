// CTabWindow on real windows: views per tab, one shown, the display area,
// the user's tab click, the erase rule, and views that cannot be made.
#include <gtest/gtest.h>
#include "dialogs/TabWindow.h"
#include "dialogs_test_util.h"

namespace
{
const COLORREF kColours[3] = {RGB(200, 30, 30), RGB(30, 160, 40), RGB(40, 60, 210)};

int VisibleViews(CTabWindow& tab)
{
    int n = 0;
    for (int i = 0; i < tab.GetItemCount(); ++i)
        n += ::IsWindowVisible(tab.GetTabView(i)->m_hWnd) ? 1 : 0;
    return n;
}
}  // namespace

TEST(TabWindow, ThreeViewsOneShownOnTheDisplayArea)
{
    CTestHost host;
    ASSERT_TRUE(host.Make());
    CTabWindow tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(10, 10, 410, 310), &host, 100));
    const int nAliveBefore = CColourView::s_nAlive;
    const char* labels[3] = {"Red", "Green", "Blue"};
    CWnd* views[3];
    for (int i = 0; i < 3; ++i)
    {
        CColourView::s_crNext = kColours[i];
        views[i] = tab.AddTabView(RUNTIME_CLASS(CColourView), &host, i, labels[i], i == 2);
        ASSERT_NE(views[i], nullptr);
        EXPECT_EQ(::GetParent(views[i]->m_hWnd), host.m_hWnd);
        EXPECT_EQ(views[i]->GetStyle() & 0xFFFF0000, 0x50800000u);  // child, visible, bordered
        EXPECT_EQ(::GetDlgCtrlID(views[i]->m_hWnd), 0);
    }
    ASSERT_EQ(tab.GetItemCount(), 3);
    TCITEMA item = {};
    char text[16];
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(tab.GetTabView(i), views[i]);
        ASSERT_TRUE(tab.GetItem(i, &item));
        EXPECT_STREQ(text, labels[i]);
    }
    EXPECT_EQ(item.iImage, 2) << "the image index is the tab index";
    EXPECT_EQ(tab.GetTabView(3), nullptr);
    EXPECT_EQ(tab.GetTabView(-1), nullptr);
    EXPECT_EQ(VisibleViews(tab), 3) << "new views stay visible until shown by selection";

    // The caller's rectangle becomes the display area, where every view lies.
    CRect rc(10, 10, 410, 310);
    tab.MoveTabView(rc);
    CRect expected(10, 10, 410, 310);
    ::SendMessageA(tab.m_hWnd, TCM_ADJUSTRECT, FALSE, (LPARAM)&expected);
    EXPECT_EQ(rc, expected);
    EXPECT_GT(rc.top, 10 + 10) << "below the tabs";
    EXPECT_TRUE(CRect(10, 10, 410, 310).PtInRect(rc.TopLeft()) && rc.right <= 410 && rc.bottom <= 310);
    for (CWnd* v : views)
        EXPECT_EQ(RectIn(v->m_hWnd, host.m_hWnd), rc);

    EXPECT_EQ(tab.ShowSelTabView(), 0);
    EXPECT_EQ(VisibleViews(tab), 1);
    EXPECT_TRUE(::IsWindowVisible(views[0]->m_hWnd));
    EXPECT_EQ(host.m_nRelayouts, 1) << "the parent is asked to lay itself out";

    // The user clicks the second tab: the control tells its parent, the
    // parent reflects it to the tab window, which shows the second view.
    CRect rcTab;
    ASSERT_TRUE(tab.GetItemRect(1, &rcTab));
    const LPARAM at = MAKELPARAM(rcTab.CenterPoint().x, rcTab.CenterPoint().y);
    ::SendMessageA(tab.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(tab.m_hWnd, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(tab.GetCurSel(), 1);
    EXPECT_EQ(VisibleViews(tab), 1);
    EXPECT_TRUE(::IsWindowVisible(views[1]->m_hWnd));
    EXPECT_EQ(host.m_nRelayouts, 2);
    const CPoint mid = rc.CenterPoint();
    EXPECT_EQ(ScreenPixel(host.m_hWnd, mid.x, mid.y), kColours[1]) << "the second view paints the display area";
    // A full repaint keeps the tabs' labels: the erase rule limits the erase,
    // not the control's own painting.
    tab.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CRect rcLabel;
    ASSERT_TRUE(tab.GetItemRect(0, &rcLabel));
    EXPECT_GT(CountColour(tab.m_hWnd, rcLabel, ::GetSysColor(COLOR_BTNTEXT)), 10) << "the label's text is drawn";

    // The views belong to the host: destroying it deletes them, not the tab.
    host.DestroyWindow();
    EXPECT_EQ(CColourView::s_nAlive, nAliveBefore);
}

TEST(TabWindow, EraseLeavesTheViewAreaAlone)
{
    CTestHost host;
    ASSERT_TRUE(host.Make());
    CTabWindow tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), &host, 100));
    const COLORREF kMark = RGB(255, 0, 255);
    DibSurface s(200, 150);
    CRect all(0, 0, 200, 150);
    HBRUSH hMark = ::CreateSolidBrush(kMark);
    ::FillRect(s.dc.GetSafeHdc(), &all, hMark);
    ::DeleteObject(hMark);
    ::SendMessageA(tab.m_hWnd, WM_ERASEBKGND, (WPARAM)s.dc.GetSafeHdc(), 0);
    EXPECT_EQ(s.At(100, 60), kMark) << "inside: left to the views";
    EXPECT_EQ(s.At(4, 4), kMark);
    EXPECT_EQ(s.At(195, 127), kMark);
    EXPECT_NE(s.At(3, 60), kMark) << "the 4-pixel frame is erased";
    EXPECT_NE(s.At(196, 60), kMark);
    EXPECT_NE(s.At(100, 2), kMark);
    EXPECT_NE(s.At(100, 128), kMark) << "the 22-pixel bottom band is erased";
    EXPECT_NE(s.At(100, 146), kMark);
    // The device context comes back as it was given: whoever paints with it
    // next (the control itself, inside BeginPaint) is not clipped.
    HBRUSH hGreen = ::CreateSolidBrush(RGB(0, 255, 0));
    ::FillRect(s.dc.GetSafeHdc(), &all, hGreen);
    ::DeleteObject(hGreen);
    EXPECT_EQ(s.At(100, 60), RGB(0, 255, 0));
}

TEST(TabWindow, AViewThatCannotBeMadeAddsNoTab)
{
    CTestHost host;
    ASSERT_TRUE(host.Make());
    CTabWindow tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), &host, 100));
    const int nDeleted = CRefusingView::s_nDeleted;
    EXPECT_EQ(tab.AddTabView(RUNTIME_CLASS(CRefusingView), &host, 0, "refused"), nullptr);
    EXPECT_EQ(CRefusingView::s_nDeleted, nDeleted + 1) << "deleted exactly once";
    EXPECT_EQ(tab.AddTabView(RUNTIME_CLASS(CFixedView), &host, 0, "fixed"), nullptr);
    EXPECT_EQ(tab.AddTabView(nullptr, &host, 0, "none"), nullptr);
    EXPECT_EQ(tab.AddTabView(RUNTIME_CLASS(CColourView), nullptr, 0, "no parent"), nullptr);
    EXPECT_EQ(tab.GetItemCount(), 0);
    // An empty tab window selects nothing and shows nothing.
    EXPECT_EQ(tab.ShowSelTabView(), -1);
}
