// The title tip over a real, visible grid: shown only when the text does
// not fit (a one-pixel boundary), exactly over the cell's text rectangle on
// the tooltip colour read back from the screen, never activated; moving,
// clicking (client area and scroll bar) and typing pass on to the grid
// with the right coordinates and codes, and scrolling hides it.

#include "grid_window_util.h"

using namespace gridtest;

namespace
{

class CTipGrid : public CTestGrid
{
public:
    CVXTitleTip& Tip() { return m_titleTip; }
};

void Pump(DWORD dwMillis = 0)
{
    DWORD dwStart = ::GetTickCount();
    do
    {
        MSG m;
        while (::PeekMessageA(&m, NULL, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&m);
            ::DispatchMessageA(&m);
        }
        if (dwMillis)
            ::Sleep(5);
    } while (::GetTickCount() - dwStart < dwMillis);
}

// Width of " text " in the grid's font, measured the way the tip does.
int TipTextWidth(CVXGridCtrl& grid, const char* psz)
{
    std::string s = std::string(" ") + psz + " ";
    HDC hDC = ::GetDC(grid.GetSafeHwnd());
    LOGFONTA lf = *grid.GetItemFont(1, 1);
    HFONT hFont = ::CreateFontIndirectA(&lf);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE size;
    ::GetTextExtentPoint32A(hDC, s.c_str(), (int)s.size(), &size);
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hFont);
    ::ReleaseDC(grid.GetSafeHwnd(), hDC);
    return size.cx + tm.tmOverhang;
}

LPARAM ClientPoint(int x, int y)
{
    return MAKELPARAM(x, y);
}

// The first posted message msg of hWnd (removed), or a message of 0.
MSG TakePostedMessage(HWND hWnd, UINT msg)
{
    MSG m;
    memset(&m, 0, sizeof(m));
    if (!::PeekMessageA(&m, hWnd, msg, msg, PM_REMOVE))
        m.message = 0;
    return m;
}

} // namespace

TEST(GridTitleTip, ShownOverCutOffCellsAndNeverSwallowsInput)
{
    CRecordingParent parent;
    ::SetWindowPos(parent.m_hWnd, HWND_TOP, 100, 100, 500, 400, SWP_SHOWWINDOW);
    CTipGrid grid;
    ASSERT_TRUE(CreateStandardGrid(grid, parent.Wnd()));
    HWND hTip = grid.Tip().GetSafeHwnd();
    ASSERT_TRUE(hTip != NULL);
    EXPECT_NE(0, (int)(::GetWindowLongA(hTip, GWL_EXSTYLE) & WS_EX_TOPMOST));
    ::SetForegroundWindow(parent.m_hWnd);
    grid.SetFocus();
    Pump(50);

    const char* pszText = "A cell text that is long";
    grid.SetItemText(1, 1, pszText);
    const int w = TipTextWidth(grid, pszText);

    // Exactly fitting (the text rectangle is inclusive: width w + 1): no tip.
    grid.SetColumnWidth(1, w + 1);
    grid.SendMessage(WM_MOUSEMOVE, 0, ClientPoint(45, 30));
    EXPECT_FALSE(::IsWindowVisible(hTip));

    // One pixel narrower: the tip, at the cell's text rectangle, as tall as
    // it, holding the capture, the grid's window still active.
    grid.SetColumnWidth(1, w);
    grid.Invalidate();
    Pump(50);
    grid.SendMessage(WM_MOUSEMOVE, 0, ClientPoint(45, 30));
    ASSERT_TRUE(::IsWindowVisible(hTip));
    CRect rcText, rcTip;
    grid.GetTextRect(1, 1, &rcText);
    grid.ClientToScreen(&rcText);
    ::GetWindowRect(hTip, &rcTip);
    EXPECT_EQ(rcText.left, rcTip.left);
    EXPECT_EQ(rcText.top, rcTip.top);
    EXPECT_EQ(rcText.Height(), rcTip.Height());
    EXPECT_EQ(w, rcTip.Width());
    EXPECT_EQ(hTip, ::GetCapture());
    EXPECT_EQ(parent.m_hWnd, ::GetForegroundWindow());

    // The tooltip background on the screen, right of the text.
    Pump(100);
    HDC hScreen = ::GetDC(NULL);
    COLORREF cr = ::GetPixel(hScreen, rcTip.right - 3, rcTip.bottom - 3);
    ::ReleaseDC(NULL, hScreen);
    EXPECT_EQ(::GetSysColor(COLOR_INFOBK), cr);

    // Another Show while up only moves the hover area.
    CRect rcOther;
    grid.GetTextRect(2, 1, &rcOther);
    grid.Tip().Show(rcOther, "other", 0, NULL, NULL);
    CRect rcSame;
    ::GetWindowRect(hTip, &rcSame);
    EXPECT_TRUE(rcSame == rcTip);
    CRect rcCell;
    grid.GetCellRect(1, 1, &rcCell);
    grid.Tip().Show(rcText, pszText, 0, &rcCell, NULL);   // hover back on the cell

    // Moving within the cell keeps it; moving below it hides it and the
    // grid gets the move at its own client coordinates.
    POINT inside = { rcCell.left + 2, rcCell.top + 5 };
    ::MapWindowPoints(grid.GetSafeHwnd(), hTip, &inside, 1);
    ::SendMessageA(hTip, WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
    EXPECT_TRUE(::IsWindowVisible(hTip));
    TakePosted(grid.GetSafeHwnd(), WM_MOUSEMOVE);
    POINT below = { rcCell.left + 2, rcCell.bottom + 2 };
    ::MapWindowPoints(grid.GetSafeHwnd(), hTip, &below, 1);
    ::SendMessageA(hTip, WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(below.x, below.y));
    EXPECT_FALSE(::IsWindowVisible(hTip));
    EXPECT_NE(hTip, ::GetCapture());
    MSG moved = TakePostedMessage(grid.GetSafeHwnd(), WM_MOUSEMOVE);
    EXPECT_EQ((UINT)WM_MOUSEMOVE, moved.message);
    EXPECT_EQ((WPARAM)MK_SHIFT, moved.wParam);
    EXPECT_EQ(rcCell.left + 2, (short)LOWORD(moved.lParam));
    EXPECT_EQ(rcCell.bottom + 2, (short)HIWORD(moved.lParam));

    // A left click on the tip (through the pre-translation, and straight
    // into the tip's own handler) reaches the grid at the grid point under it.
    for (int pass = 0; pass < 2; pass++)
    {
        grid.SendMessage(WM_MOUSEMOVE, 0, ClientPoint(45, 30));
        ASSERT_TRUE(::IsWindowVisible(hTip)) << pass;
        POINT click = { 10, 5 };
        MSG down = { hTip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(click.x, click.y), 0, { 0, 0 } };
        if (pass == 0)
            EXPECT_TRUE(grid.Tip().PreTranslateMessage(&down));
        else
            ::SendMessageA(hTip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(click.x, click.y));
        EXPECT_FALSE(::IsWindowVisible(hTip));
        ::MapWindowPoints(hTip, grid.GetSafeHwnd(), &click, 1);
        MSG got = TakePostedMessage(grid.GetSafeHwnd(), WM_LBUTTONDOWN);
        EXPECT_EQ((UINT)WM_LBUTTONDOWN, got.message) << pass;
        EXPECT_EQ(click.x, (short)LOWORD(got.lParam)) << pass;
        EXPECT_EQ(click.y, (short)HIWORD(got.lParam)) << pass;
    }

    // Over the last visible column the tip reaches over the vertical scroll
    // bar: a click there reaches the grid as a non-client press on the bar.
    grid.SetColumnWidth(1, 50);
    grid.SetItemText(1, 5, pszText);
    grid.Invalidate();
    Pump(50);
    grid.SendMessage(WM_MOUSEMOVE, 0, ClientPoint(250, 30));
    ASSERT_TRUE(::IsWindowVisible(hTip));
    CRect rcTip5;
    ::GetWindowRect(hTip, &rcTip5);
    POINT onBar = { 290 + ::GetSystemMetrics(SM_CXVSCROLL) / 2, 30 };
    grid.ClientToScreen(&onBar);
    ASSERT_LT(onBar.x, rcTip5.right);
    ::ScreenToClient(hTip, &onBar);
    ::SendMessageA(hTip, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(onBar.x, onBar.y));
    MSG nc = TakePostedMessage(grid.GetSafeHwnd(), WM_NCRBUTTONDOWN);
    EXPECT_EQ((UINT)WM_NCRBUTTONDOWN, nc.message);
    EXPECT_EQ((WPARAM)HTVSCROLL, nc.wParam);

    // A key while the tip is up: hidden, and the grid gets the key; the
    // grid's own key handling hides it too; so does scrolling.
    grid.SendMessage(WM_MOUSEMOVE, 0, ClientPoint(250, 30));
    ASSERT_TRUE(::IsWindowVisible(hTip));
    ::SendMessageA(hTip, WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_FALSE(::IsWindowVisible(hTip));
    EXPECT_EQ(1u, TakePosted(grid.GetSafeHwnd(), WM_KEYDOWN).size());
    grid.SendMessage(WM_MOUSEMOVE, 0, ClientPoint(250, 30));
    ASSERT_TRUE(::IsWindowVisible(hTip));
    grid.SendMessage(WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_FALSE(::IsWindowVisible(hTip));
    EXPECT_NE(hTip, ::GetCapture());
    grid.SendMessage(WM_MOUSEMOVE, 0, ClientPoint(250, 30));
    ASSERT_TRUE(::IsWindowVisible(hTip));
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_FALSE(::IsWindowVisible(hTip));

    // Tips off: nothing is shown.
    grid.EnableTitleTips(FALSE);
    grid.SendMessage(WM_MOUSEMOVE, 0, ClientPoint(250, 30));
    EXPECT_FALSE(::IsWindowVisible(hTip));
    ::ShowWindow(parent.m_hWnd, SW_HIDE);
}
