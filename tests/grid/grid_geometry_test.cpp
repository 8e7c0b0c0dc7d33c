// Grid geometry and scrolling on a real window of known client size:
// origins, rectangles, visible ranges at exact edges, hit tests, every
// scroll request with the parent's notification, the wheel, bringing cells
// into view, sizing to content and to the window, and font changes.

#include "grid_window_util.h"

#include "platform/ImageList.h"

using namespace gridtest;

namespace
{

// A grid of 101 rows (1 fixed) of 20 pixels and 21 columns (1 fixed) of 50
// pixels, the fixed column 40 wide, in a child window whose client area is
// 290 x 190 with both scroll bars shown: columns 1..5 fill the width
// exactly, rows 1..8 fit wholly and row 9 is cut by the bottom edge.
class GridGeometry : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateStandardGrid(grid, parent.Wnd()));
        SIZE client = ClientSize(grid.GetSafeHwnd());
        ASSERT_EQ(290, client.cx);
        ASSERT_EQ(190, client.cy);
        parent.notes.clear();
    }

    CVXCellID TopLeft() { return grid.GetTopleftNonFixedCell(); }

    // Sends one request and checks the notification that must follow it.
    int Scroll(UINT msg, UINT code)
    {
        size_t n = parent.notes.size();
        grid.SendMessage(msg, code, 0);
        EXPECT_EQ(n + 1, parent.notes.size());
        if (parent.notes.size() == n + 1)
        {
            const Notification& note = parent.notes.back();
            EXPECT_EQ(msg == WM_HSCROLL ? GRIDN_HSCROLL : GRIDN_VSCROLL, note.code);
            EXPECT_EQ(grid.GetSafeHwnd(), note.hwndFrom);
            EXPECT_EQ(77u, note.idFrom);
            EXPECT_EQ(0, note.row);
            EXPECT_EQ(0, note.col);
        }
        return grid.GetScrollPos32(msg == WM_HSCROLL ? SB_HORZ : SB_VERT);
    }

    CRecordingParent parent;
    CTestGrid grid;
};

RECT Rect(LONG l, LONG t, LONG r, LONG b)
{
    RECT rc = { l, t, r, b };
    return rc;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST_F(GridGeometry, SizesAndScrollRanges)
{
    EXPECT_EQ(20, grid.GetFixedRowHeight());
    EXPECT_EQ(40, grid.GetFixedColumnWidth());
    EXPECT_EQ(2020, grid.GetVirtualHeight());
    EXPECT_EQ(1040, grid.GetVirtualWidth());
    EXPECT_EQ(-1, grid.GetRowHeight(-1));
    EXPECT_EQ(-1, grid.GetColumnWidth(21));
    EXPECT_FALSE(grid.SetColumnWidth(0, -5));
    EXPECT_EQ(40, grid.GetColumnWidth(0));
    EXPECT_FALSE(grid.SetRowHeight(101, 3));

    // Largest positions: the scrollable size minus one; the bars stop at
    // range - page + 1.
    EXPECT_EQ(1999, grid.VScrollRange());
    EXPECT_EQ(999, grid.HScrollRange());
    SCROLLINFO si = { sizeof(si), SIF_ALL };
    ASSERT_TRUE(::GetScrollInfo(grid.GetSafeHwnd(), SB_VERT, &si));
    EXPECT_EQ(0, si.nMin);
    EXPECT_EQ(1999, si.nMax);
    EXPECT_EQ(170u, si.nPage);
    ASSERT_TRUE(::GetScrollInfo(grid.GetSafeHwnd(), SB_HORZ, &si));
    EXPECT_EQ(999, si.nMax);
    EXPECT_EQ(250u, si.nPage);

    // Hiding the bars keeps the computed maxima.
    grid.ResetScrollBars(FALSE);
    EXPECT_EQ(1999, grid.VScrollRange());
    EXPECT_EQ(999, grid.HScrollRange());
}

TEST_F(GridGeometry, OriginsAndRectanglesFollowTheScrollPosition)
{
    POINT p;
    RECT rc;
    EXPECT_TRUE(TopLeft() == CVXCellID(1, 1));
    ASSERT_TRUE(grid.GetCellOrigin(0, 0, &p));
    EXPECT_EQ(0, p.x);
    EXPECT_EQ(0, p.y);
    ASSERT_TRUE(grid.GetCellOrigin(3, 2, &p));
    EXPECT_EQ(90, p.x);
    EXPECT_EQ(60, p.y);
    ASSERT_TRUE(grid.GetCellRect(1, 1, &rc));
    EXPECT_TRUE(SameRect(Rect(40, 20, 89, 39), rc));
    ASSERT_TRUE(grid.GetCellRangeRect(CVXCellRange(1, 1, 2, 2), &rc));
    EXPECT_TRUE(SameRect(Rect(40, 20, 139, 59), rc));
    // Cells beyond the window still have an origin; invalid ones none.
    ASSERT_TRUE(grid.GetCellOrigin(100, 20, &p));
    EXPECT_EQ(40 + 19 * 50, p.x);
    EXPECT_FALSE(grid.GetCellOrigin(101, 0, &p));
    EXPECT_FALSE(grid.GetCellRect(-1, 0, &rc));

    // Scrolled by one row: row 1 is out, the fixed row stays at the top.
    grid.SetScrollPos32(SB_VERT, 20);
    EXPECT_TRUE(TopLeft() == CVXCellID(2, 1));
    EXPECT_FALSE(grid.GetCellOrigin(1, 1, &p));
    EXPECT_FALSE(grid.GetCellRangeRect(CVXCellRange(1, 1, 3, 3), &rc));
    ASSERT_TRUE(grid.GetCellOrigin(0, 3, &p));
    EXPECT_EQ(140, p.x);
    EXPECT_EQ(0, p.y);
    ASSERT_TRUE(grid.GetCellOrigin(2, 0, &p));
    EXPECT_EQ(0, p.x);
    EXPECT_EQ(20, p.y);

    // A position inside a row snaps to the next whole row.
    grid.SetScrollPos32(SB_VERT, 21);
    EXPECT_TRUE(TopLeft() == CVXCellID(3, 1));
    grid.SetScrollPos32(SB_HORZ, 1);
    EXPECT_TRUE(TopLeft() == CVXCellID(3, 2));
}

TEST_F(GridGeometry, VisibleAndUnobstructedRangesAtExactEdges)
{
    RECT rc;
    EXPECT_TRUE(grid.GetVisibleNonFixedCellRange(&rc) == CVXCellRange(1, 1, 9, 5));
    EXPECT_TRUE(SameRect(Rect(0, 0, 290, 190), rc));
    // Column 5 ends exactly at the right edge (wholly visible); row 9 is cut.
    EXPECT_TRUE(grid.GetUnobstructedNonFixedCellRange() == CVXCellRange(1, 1, 8, 5));

    // Narrower columns: column 6 shows one pixel and is cut.
    grid.SetColumnWidth(5, 49);
    EXPECT_TRUE(grid.GetVisibleNonFixedCellRange() == CVXCellRange(1, 1, 9, 6));
    EXPECT_TRUE(grid.GetUnobstructedNonFixedCellRange() == CVXCellRange(1, 1, 8, 5));

    // Cells that do not fill the window: the range ends with the last cell
    // and the rectangle with the cells.
    grid.SetRowCount(4);
    grid.SetColumnCount(3);
    EXPECT_TRUE(grid.GetVisibleNonFixedCellRange(&rc) == CVXCellRange(1, 1, 3, 2));
    EXPECT_TRUE(SameRect(Rect(0, 0, 140, 80), rc));
    EXPECT_TRUE(grid.GetUnobstructedNonFixedCellRange() == CVXCellRange(1, 1, 3, 2));

    // No non-fixed rows: the top-left row is the row count.
    grid.SetRowCount(1);
    EXPECT_EQ(1, TopLeft().row);
}

TEST_F(GridGeometry, VisibilityEndsAtTheRightAndBottomEdges)
{
    // Column 6 starts exactly at the right edge: not visible.
    EXPECT_TRUE(grid.IsCellVisible(1, 5));
    EXPECT_FALSE(grid.IsCellVisible(1, 6));
    grid.SetColumnWidth(5, 49);
    EXPECT_TRUE(grid.IsCellVisible(1, 6));

    // Row 9 starts at 180, row 10 at 200.
    EXPECT_TRUE(grid.IsCellVisible(9, 1));
    EXPECT_FALSE(grid.IsCellVisible(10, 1));
    grid.SetRowHeight(9, 10);   // row 10 now starts exactly at the bottom edge
    EXPECT_FALSE(grid.IsCellVisible(10, 1));
    grid.SetRowHeight(9, 9);    // one pixel above it
    EXPECT_TRUE(grid.IsCellVisible(10, 1));

    // Fixed cells are visible, scrolled-out ones and invalid ones are not.
    EXPECT_TRUE(grid.IsCellVisible(0, 0));
    grid.SetScrollPos32(SB_VERT, 40);
    EXPECT_FALSE(grid.IsCellVisible(2, 1));
    EXPECT_TRUE(grid.IsCellVisible(0, 1));
    EXPECT_FALSE(grid.IsCellVisible(500, 1));

    CVXGridCtrl noWindow(3, 3);
    EXPECT_FALSE(noWindow.IsCellVisible(0, 0));
}

TEST_F(GridGeometry, HitTestsOnFixedAndNonFixedParts)
{
    auto at = [&](int x, int y, BOOL bFixed) { return grid.GetCellFromPt(CPoint(x, y), bFixed); };
    EXPECT_TRUE(at(10, 10, FALSE) == CVXCellID(-1, -1));
    EXPECT_TRUE(at(10, 10, TRUE) == CVXCellID(0, 0));
    EXPECT_TRUE(at(39, 19, TRUE) == CVXCellID(0, 0));
    EXPECT_TRUE(at(100, 10, FALSE) == CVXCellID(-1, 2));
    EXPECT_TRUE(at(100, 10, TRUE) == CVXCellID(0, 2));
    EXPECT_TRUE(at(40, 20, FALSE) == CVXCellID(1, 1));
    EXPECT_TRUE(at(89, 39, FALSE) == CVXCellID(1, 1));
    EXPECT_TRUE(at(90, 40, FALSE) == CVXCellID(2, 2));
    EXPECT_TRUE(at(-1, 30, TRUE) == CVXCellID(1, -1));
    // Past the last column / row.
    EXPECT_TRUE(at(1039, 30, FALSE) == CVXCellID(1, 20));
    EXPECT_TRUE(at(1040, 30, FALSE) == CVXCellID(1, -1));
    EXPECT_TRUE(at(50, 2020, FALSE) == CVXCellID(-1, 1));

    // Scrolled: the first non-fixed pixel shows the top-left cell.
    grid.SetScrollPos32(SB_VERT, 200);
    grid.SetScrollPos32(SB_HORZ, 100);
    EXPECT_TRUE(at(40, 20, FALSE) == CVXCellID(11, 3));
    EXPECT_TRUE(at(10, 25, TRUE) == CVXCellID(11, 0));
}

TEST_F(GridGeometry, VerticalRequestsMoveByRowsAndPagesAndNotifyTheParent)
{
    EXPECT_EQ(20, Scroll(WM_VSCROLL, SB_LINEDOWN));
    EXPECT_TRUE(TopLeft() == CVXCellID(2, 1));
    EXPECT_EQ(0, Scroll(WM_VSCROLL, SB_LINEUP));
    EXPECT_EQ(0, Scroll(WM_VSCROLL, SB_LINEUP));      // at the top: nothing
    EXPECT_EQ(170, Scroll(WM_VSCROLL, SB_PAGEDOWN));  // client bottom - fixed height
    EXPECT_EQ(0, Scroll(WM_VSCROLL, SB_PAGEUP));
    EXPECT_EQ(0, Scroll(WM_VSCROLL, SB_PAGEUP));
    // The bar stops at range - page + 1.
    EXPECT_EQ(1830, Scroll(WM_VSCROLL, SB_BOTTOM));
    // Line down at the end: the bar does not move, the parent still hears.
    EXPECT_EQ(1830, Scroll(WM_VSCROLL, SB_LINEDOWN));
    EXPECT_EQ(1830, Scroll(WM_VSCROLL, SB_PAGEDOWN));
    EXPECT_EQ(1810, Scroll(WM_VSCROLL, SB_LINEUP));
    EXPECT_EQ(0, Scroll(WM_VSCROLL, SB_TOP));
    EXPECT_EQ(0, Scroll(WM_VSCROLL, SB_ENDSCROLL));   // other codes: nothing
    EXPECT_EQ(0, Scroll(WM_VSCROLL, 99));
    // Without a drag the thumb sits at the position: nothing moves.
    grid.SetScrollPos32(SB_VERT, 45);
    EXPECT_EQ(grid.GetScrollPos32(SB_VERT, TRUE), Scroll(WM_VSCROLL, SB_THUMBPOSITION));
}

TEST_F(GridGeometry, HorizontalRequestsMoveByColumnsAndPages)
{
    EXPECT_EQ(50, Scroll(WM_HSCROLL, SB_LINERIGHT));
    EXPECT_TRUE(TopLeft() == CVXCellID(1, 2));
    EXPECT_EQ(300, Scroll(WM_HSCROLL, SB_PAGERIGHT));   // 50 + 290 - 40
    EXPECT_EQ(50, Scroll(WM_HSCROLL, SB_PAGELEFT));
    EXPECT_EQ(750, Scroll(WM_HSCROLL, SB_RIGHT));
    EXPECT_TRUE(TopLeft() == CVXCellID(1, 16));
    EXPECT_EQ(750, Scroll(WM_HSCROLL, SB_LINERIGHT));
    EXPECT_EQ(700, Scroll(WM_HSCROLL, SB_LINELEFT));
    EXPECT_EQ(0, Scroll(WM_HSCROLL, SB_LEFT));
    EXPECT_EQ(0, Scroll(WM_HSCROLL, SB_LINELEFT));
    // The vertical bar is untouched by all of it.
    EXPECT_EQ(0, grid.GetScrollPos32(SB_VERT));
}

TEST_F(GridGeometry, PositionsBeyondSixteenBits)
{
    grid.SetRowCount(5001);   // 5000 non-fixed rows of the default height
    for (int r = 0; r < grid.GetRowCount(); r++)
        grid.SetRowHeight(r, 20);
    grid.ResetScrollBars();
    EXPECT_EQ(99999, grid.VScrollRange());
    EXPECT_EQ(99999 - 170 + 1, Scroll(WM_VSCROLL, SB_BOTTOM));
    EXPECT_EQ(1 + (99830 + 19) / 20, TopLeft().row);
    EXPECT_EQ(99830 - 20, Scroll(WM_VSCROLL, SB_LINEUP));
}

TEST_F(GridGeometry, WheelPostsLineOrPageRequests)
{
    HWND hWnd = grid.GetSafeHwnd();
    TakePosted(hWnd, WM_VSCROLL);
    grid.SetWheelLines(3);

    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    std::vector<WPARAM> posted = TakePosted(hWnd, WM_VSCROLL);
    EXPECT_EQ(std::vector<WPARAM>(3, SB_LINEUP), posted);
    // Posted, not handled inline.
    EXPECT_EQ(0, grid.GetScrollPos32(SB_VERT));

    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-240), 0);
    EXPECT_EQ(std::vector<WPARAM>(6, SB_LINEDOWN), TakePosted(hWnd, WM_VSCROLL));

    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);   // half a notch: 1 row
    EXPECT_EQ(std::vector<WPARAM>(1, SB_LINEUP), TakePosted(hWnd, WM_VSCROLL));

    grid.SetWheelLines(-1);   // a page per notch
    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 0);
    EXPECT_EQ(std::vector<WPARAM>(2, SB_PAGEUP), TakePosted(hWnd, WM_VSCROLL));
    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-119), 0);   // truncates to 0
    EXPECT_TRUE(TakePosted(hWnd, WM_VSCROLL).empty());
    EXPECT_TRUE(TakePosted(hWnd, WM_HSCROLL).empty());

    // The posted requests scroll when the queue runs.
    grid.SetWheelLines(3);
    grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120), 0);
    MSG msg;
    while (::PeekMessageA(&msg, hWnd, WM_VSCROLL, WM_VSCROLL, PM_REMOVE))
        ::DispatchMessageA(&msg);
    EXPECT_EQ(60, grid.GetScrollPos32(SB_VERT));
}

TEST_F(GridGeometry, EnsureVisibleScrollsByLinesUntilTheCellIsWhole)
{
    grid.EnsureVisible(50, 1);
    // 41 lines to bring row 50 to the last visible place, one more because
    // it was cut by the bottom edge.
    EXPECT_TRUE(TopLeft() == CVXCellID(43, 1));
    EXPECT_TRUE(grid.GetUnobstructedNonFixedCellRange().InRange(50, 1));

    grid.EnsureVisible(2, 1);
    EXPECT_TRUE(TopLeft() == CVXCellID(2, 1));

    // Above and to the right at once.
    CVXCellID cell(1, 10);
    grid.EnsureVisible(cell);
    EXPECT_TRUE(TopLeft() == CVXCellID(1, 6));
    EXPECT_TRUE(grid.IsCellVisible(1, 10));

    // Margins bring neighbours along.
    grid.EnsureVisible(2, 6, 1, 0);
    EXPECT_TRUE(TopLeft() == CVXCellID(1, 5));
    grid.EnsureVisible(30, 5, 0, 2);
    EXPECT_TRUE(TopLeft() == CVXCellID(24, 5));
    EXPECT_TRUE(grid.GetVisibleNonFixedCellRange().InRange(32, 5));
    size_t nNotes = parent.notes.size();
    grid.EnsureVisible(30, 5, 0, 2);   // already in view: no request at all
    EXPECT_EQ(nNotes, parent.notes.size());
}

TEST_F(GridGeometry, ExpandToFitSpreadsTheDifferenceOverAllColumns)
{
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.SetFixedColumnCount(0);
    grid.SetFixedRowCount(0);
    grid.SetColumnWidth(0, 50);
    grid.SetColumnWidth(1, 50);
    grid.SetColumnWidth(2, 50);
    ::MoveWindow(grid.GetSafeHwnd(), 0, 0, 143, 300, FALSE);
    ASSERT_EQ(143, ClientSize(grid.GetSafeHwnd()).cx);

    // d = -7: every column loses 2, the first one more.
    grid.ExpandColumnsToFit();
    EXPECT_EQ(47, grid.GetColumnWidth(0));
    EXPECT_EQ(48, grid.GetColumnWidth(1));
    EXPECT_EQ(48, grid.GetColumnWidth(2));

    // d = +5: every column gains 1, the first two one more.
    grid.SetColumnWidth(0, 46);
    grid.SetColumnWidth(1, 46);
    grid.SetColumnWidth(2, 46);
    grid.ExpandColumnsToFit();
    EXPECT_EQ(48, grid.GetColumnWidth(0));
    EXPECT_EQ(48, grid.GetColumnWidth(1));
    EXPECT_EQ(47, grid.GetColumnWidth(2));

    // Rows fill the client height the same way.
    int cy = ClientSize(grid.GetSafeHwnd()).cy;
    grid.ExpandRowsToFit();
    EXPECT_EQ(cy, grid.GetVirtualHeight());
    EXPECT_LE(grid.GetRowHeight(0) - grid.GetRowHeight(2), 1);

    // Shrinking more than a column has stops at width 0.
    grid.SetColumnWidth(0, 0);
    grid.SetColumnWidth(1, 0);
    grid.SetColumnWidth(2, 160);
    grid.ExpandColumnsToFit();   // d = -17: -5 each, -1 more for the first two
    EXPECT_EQ(0, grid.GetColumnWidth(0));
    EXPECT_EQ(0, grid.GetColumnWidth(1));
    EXPECT_EQ(155, grid.GetColumnWidth(2));

    grid.SetColumnWidth(0, 90);
    grid.SetColumnWidth(1, 90);
    grid.SetColumnWidth(2, 90);
    grid.ExpandToFit();
    EXPECT_EQ(ClientSize(grid.GetSafeHwnd()).cx, grid.GetVirtualWidth());
    EXPECT_EQ(ClientSize(grid.GetSafeHwnd()).cy, grid.GetVirtualHeight());
}

TEST_F(GridGeometry, AutoSizeTakesTheLargestCellExtent)
{
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    grid.SetItemText(0, 1, "head");
    grid.SetItemText(1, 1, "a");
    grid.SetItemText(2, 1, "a much longer text");
    grid.SetItemText(2, 2, "x");

    CDC* pDC = grid.GetDC();
    ASSERT_TRUE(pDC != NULL);
    CSize wide = grid.GetCellExtent(2, 1, pDC);
    CSize head = grid.GetCellExtent(0, 1, pDC);
    CSize fixedEmpty = grid.GetCellExtent(0, 0, pDC);
    grid.ReleaseDC(pDC);

    // Text width plus four margins; height text plus two margins.
    CSize text = grid.GetTextExtent("a much longer text", FALSE);
    EXPECT_EQ(text.cx + 2 * grid.Margin(), wide.cx);
    EXPECT_EQ(text.cy, wide.cy);
    EXPECT_GT(wide.cx, head.cx);

    ASSERT_TRUE(grid.AutoSizeColumn(1));
    EXPECT_EQ(wide.cx, grid.GetColumnWidth(1));
    EXPECT_FALSE(grid.AutoSizeColumn(3));
    EXPECT_FALSE(grid.AutoSizeRow(-1));

    // Sizing to fit adds up character widths where the system would give
    // the same figure: it must agree with the system's own measure on the
    // window's DC for awkward texts, semi-bold fixed cells and other fonts.
    const LOGFONT plain = *grid.GetItemFont(1, 2);
    LOGFONT italic = plain;
    italic.lfHeight = -20;
    italic.lfItalic = TRUE;
    grid.SetItemFont(1, 2, &italic);
    const char* const texts[] = { "iiiWWW mixed widths", "\xe9t\xe9 \xff\x80\xa0 high bytes", "tab\there",
                                  "line\r\nend", ",,,;;;...", "1234567890123456789012345678901234567890" };
    for (const char* text : texts)
        for (int r = 0; r < 3; ++r)
        {
            for (int i = 0; i < 3; ++i)
                grid.SetItemText(i, 2, i == r ? text : "");
            ASSERT_TRUE(grid.AutoSizeColumn(2));
            pDC = grid.GetDC();
            CSize system = grid.GetCellExtent(r, 2, pDC);
            grid.ReleaseDC(pDC);
            EXPECT_EQ(system.cx, grid.GetColumnWidth(2)) << text << " in row " << r;
        }
    grid.SetItemFont(1, 2, &plain);
    grid.SetItemText(1, 2, "");
    grid.SetItemText(2, 2, "x");

    grid.SetColumnWidth(0, 500);
    grid.SetRowHeight(1, 500);
    grid.AutoSize();
    EXPECT_EQ(fixedEmpty.cx, grid.GetColumnWidth(0));
    EXPECT_EQ(wide.cx, grid.GetColumnWidth(1));
    EXPECT_EQ(wide.cy, grid.GetRowHeight(1));
}

TEST_F(GridGeometry, SetFontGivesEveryCellTheFontAndNewDefaults)
{
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -24;
    strcpy(lf.lfFaceName, "Tahoma");
    HFONT hFont = ::CreateFontIndirectA(&lf);
    grid.SendMessage(WM_SETFONT, (WPARAM)hFont, 0);
    ::DeleteObject(hFont);

    EXPECT_EQ(-24, grid.GetItemFont(50, 10)->lfHeight);
    EXPECT_EQ(-24, grid.GetItemFont(0, 0)->lfHeight);
    HFONT hGridFont = (HFONT)grid.SendMessage(WM_GETFONT);
    ASSERT_TRUE(hGridFont != NULL);

    // The metrics of the grid's own font give the margin and the defaults.
    HDC hDC = ::GetDC(grid.GetSafeHwnd());
    HGDIOBJ hOld = ::SelectObject(hDC, hGridFont);
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    SIZE space;
    ::GetTextExtentPoint32A(hDC, " ", 1, &space);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(grid.GetSafeHwnd(), hDC);
    EXPECT_EQ(space.cx, grid.Margin());
    EXPECT_EQ(tm.tmHeight + tm.tmExternalLeading + 2 * space.cx, grid.DefRowHeight());
    EXPECT_EQ(10 * tm.tmAveCharWidth + 2 * space.cx, grid.DefColWidth());

    // Existing rows keep their size; new ones get the new default.
    EXPECT_EQ(20, grid.GetRowHeight(5));
    grid.SetRowCount(102);
    EXPECT_EQ(grid.DefRowHeight(), grid.GetRowHeight(101));

    // A handle that is no font changes nothing.
    grid.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(WHITE_BRUSH), 0);
    EXPECT_EQ(-24, grid.GetItemFont(1, 1)->lfHeight);
}

TEST_F(GridGeometry, ResizingResetsTheBarsAndSmallWindowsLeaveThemAlone)
{
    // Wide enough for every column: the horizontal bar goes.
    ::MoveWindow(grid.GetSafeHwnd(), 0, 0, 1200, 200, FALSE);
    EXPECT_EQ(0, grid.HScrollRange());
    EXPECT_EQ(1999, grid.VScrollRange());

    // Too small for any non-fixed cell: the bars stay as they were.
    int nBefore = grid.VScrollRange();
    ::MoveWindow(grid.GetSafeHwnd(), 0, 0, 30, 15, FALSE);
    EXPECT_EQ(nBefore, grid.VScrollRange());
}

namespace
{

// The row at the top of the scrolling area and a row's top edge, walked
// from the top with the size getter.
int WalkTopRow(CVXGridCtrl& grid, int nPos)
{
    int r = grid.GetFixedRowCount();
    long long sum = 0;
    while (sum < nPos && r < grid.GetRowCount() - 1)
        sum += grid.GetRowHeight(r++);
    return r;
}

long long WalkRowTop(CVXGridCtrl& grid, int nTopRow, int nRow)
{
    long long y = 0;
    for (int r = 0; r < grid.GetFixedRowCount(); r++)
        y += grid.GetRowHeight(r);
    for (int r = nTopRow; r < nRow; r++)
        y += grid.GetRowHeight(r);
    return y;
}

} // namespace

TEST_F(GridGeometry, PositionsStayExactThroughSizeAndShapeChanges)
{
    char sz[16];
    for (int r = 1; r < grid.GetRowCount(); r++)
    {
        grid.SetRowHeight(r, 10 + r % 7);
        snprintf(sz, sizeof(sz), "%03d", (r * 37) % 101);
        grid.SetItemText(r, 1, sz);
    }

    auto check = [&](const char* step) {
        SCOPED_TRACE(step);
        grid.ResetScrollBars();
        long long total = 0;
        for (int r = 0; r < grid.GetRowCount(); r++)
            total += grid.GetRowHeight(r);
        EXPECT_EQ(total, grid.GetVirtualHeight());
        for (int nPos : { 0, 1, 10, 11, 12, 250, 777, 1234, 100000 })
        {
            grid.SetScrollPos32(SB_VERT, nPos);
            int nBarPos = grid.GetScrollPos32(SB_VERT);
            int nTop = WalkTopRow(grid, nBarPos);
            ASSERT_EQ(nTop, grid.GetTopleftNonFixedCell().row) << nBarPos;
            for (int nRow : { nTop, nTop + 1, nTop + 5, grid.GetRowCount() - 1 })
            {
                POINT p;
                if (nRow >= grid.GetRowCount())
                    continue;
                ASSERT_TRUE(grid.GetCellOrigin(nRow, 1, &p));
                EXPECT_EQ(WalkRowTop(grid, nTop, nRow), p.y) << nRow;
            }
        }
        grid.SetScrollPos32(SB_VERT, 0);
    };

    check("heights set");
    grid.SetRowHeight(50, 3);
    check("one height changed");
    grid.InsertRow("new", 10);
    check("row inserted");
    grid.DeleteRow(3);
    check("row deleted");
    grid.SortTextItems(1, FALSE);   // rows move with their heights
    check("sorted");
    grid.SetRowCount(150);
    check("rows added");
    grid.SetFixedRowCount(3);
    check("more fixed rows");
    ASSERT_TRUE(grid.AutoSizeRow(7));
    check("row auto-sized");
    grid.ExpandRowsToFit();
    check("rows fitted");
    grid.SetRowCount(2);
    check("rows removed");
}

TEST_F(GridGeometry, TextRectLeavesRoomForTheCellsImage)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 12, ILC_COLOR24, 2, 1));
    ASSERT_EQ(0, images.Add(::LoadIconA(NULL, (LPCSTR)IDI_APPLICATION)));
    IMAGEINFO info;
    ASSERT_TRUE(images.GetImageInfo(0, &info));
    int nImageWidth = info.rcImage.right - info.rcImage.left + 1;

    RECT rcCell, rcText;
    ASSERT_TRUE(grid.GetCellRect(2, 2, &rcCell));
    ASSERT_TRUE(grid.GetTextRect(2, 2, &rcText));   // no image list: the cell
    EXPECT_TRUE(SameRect(rcCell, rcText));

    grid.SetImageList(&images);
    grid.SetItemImage(2, 2, 0);
    ASSERT_TRUE(grid.GetTextRect(2, 2, &rcText));
    EXPECT_EQ(rcCell.left + grid.Margin() + nImageWidth, rcText.left);
    EXPECT_EQ(rcCell.right, rcText.right);
    EXPECT_EQ(rcCell.bottom, rcText.bottom);
    grid.SetItemImage(2, 2, 5);   // no such image: the cell
    ASSERT_TRUE(grid.GetTextRect(2, 2, &rcText));
    EXPECT_EQ(rcCell.left, rcText.left);
    EXPECT_FALSE(grid.GetTextRect(200, 2, &rcText));
    grid.SetImageList(NULL);
}

namespace
{
// Resizes another grid while its own size handler runs (the handler gives
// this grid the focus first).
class CResizingGrid : public CTestGrid
{
public:
    CWnd* m_pOther = NULL;

protected:
    void OnSetFocus(CWnd* pOldWnd) override
    {
        CTestGrid::OnSetFocus(pOldWnd);
        if (m_pOther != NULL)
            m_pOther->MoveWindow(0, 0, 2100, 2100, FALSE);
    }
};
} // namespace

TEST_F(GridGeometry, OneResizeAtATimeForAllGrids)
{
    CResizingGrid first;
    first.SetRowCount(3);
    first.SetColumnCount(3);
    ASSERT_TRUE(first.Create(CRect(0, 0, 100, 100), parent.Wnd(), 78, WS_CHILD | WS_VISIBLE));
    ASSERT_EQ(1999, grid.VScrollRange());

    // The other grid's resize arrives while the first is inside its size
    // handler: it is ignored, the other grid keeps its old scroll range.
    ::SetFocus(NULL);
    first.m_pOther = &grid;
    first.MoveWindow(0, 0, 120, 120, FALSE);
    first.m_pOther = NULL;
    RECT rc;
    ::GetWindowRect(grid.GetSafeHwnd(), &rc);
    EXPECT_EQ(2100, rc.right - rc.left);
    EXPECT_EQ(1999, grid.VScrollRange());

    // On its own a resize resets the bars: now everything fits.
    ::MoveWindow(grid.GetSafeHwnd(), 0, 0, 2101, 2101, FALSE);
    EXPECT_EQ(0, grid.VScrollRange());
    EXPECT_EQ(0, grid.HScrollRange());
}
