// The mouse sent as real messages to a grid window: the border modes and
// their cursors, sizing columns and rows with the inverted tracking line,
// double-click auto-sizing and editing, clicks, Shift/Ctrl clicks and drags
// that select, auto-scrolling below the window (by sent and by real timer
// ticks), header clicks (select all, whole columns, list-mode sorting,
// single-row mode), in-place edits ended by a click, the editor's own
// cursor, and capture loss (including the grid destroyed mid-drag).
//
// The standard grid (grid_window_util.h): column 0 spans x 0..39 and column
// c >= 1 spans 40 + 50 (c - 1) .. 89 + 50 (c - 1); row r spans y 20 r ..
// 20 r + 19; the client area is 290 x 190.

#include "grid_window_util.h"

#include <algorithm>
#include <chrono>
#include <map>

using namespace gridtest;

namespace
{

const int kNmClick = (int)NM_CLICK;   // -2

class CMouseGrid : public CTestGrid
{
public:
    UINT AutoScrollTimer() const { return m_nAutoScrollTimer; }
};

// The pixels of a window's client area, read back through a DIB section.
struct Pixels
{
    int cx = 0, cy = 0;
    std::vector<COLORREF> px;

    static Pixels Of(HWND hWnd)
    {
        Pixels p;
        SIZE size = ClientSize(hWnd);
        p.cx = size.cx;
        p.cy = size.cy;
        BITMAPINFO bmi;
        memset(&bmi, 0, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = p.cx;
        bmi.bmiHeader.biHeight = -p.cy;   // top-down
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = NULL;
        HDC hScreen = ::GetDC(hWnd);
        HDC hMem = ::CreateCompatibleDC(hScreen);
        HBITMAP hBmp = ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
        HGDIOBJ hOld = ::SelectObject(hMem, hBmp);
        ::BitBlt(hMem, 0, 0, p.cx, p.cy, hScreen, 0, 0, SRCCOPY);
        ::GdiFlush();
        const DWORD* pdw = (const DWORD*)pBits;
        p.px.resize((size_t)p.cx * p.cy);
        for (size_t i = 0; i < p.px.size(); i++)
            p.px[i] = pdw[i] & 0xFFFFFF;   // 0x00RRGGBB
        ::SelectObject(hMem, hOld);
        ::DeleteObject(hBmp);
        ::DeleteDC(hMem);
        ::ReleaseDC(hWnd, hScreen);
        return p;
    }

    COLORREF At(int x, int y) const { return px[(size_t)y * cx + x]; }

    // The number of pixels that differ from other's.
    int Differences(const Pixels& other) const
    {
        int n = 0;
        for (size_t i = 0; i < px.size(); i++)
            if (px[i] != other.px[i])
                n++;
        return n;
    }

    // TRUE when the pixels of columns x0..x1 (all rows) are exactly the
    // inverse of other's and every other pixel is the same.
    bool InvertedColumnsOf(const Pixels& other, int x0, int x1) const
    {
        return InvertedBandOf(other, [=](int x, int) { return x >= x0 && x <= x1; });
    }

    // The same for rows y0..y1 (all columns).
    bool InvertedRowsOf(const Pixels& other, int y0, int y1) const
    {
        return InvertedBandOf(other, [=](int, int y) { return y >= y0 && y <= y1; });
    }

    template <class InBand>
    bool InvertedBandOf(const Pixels& other, InBand inBand) const
    {
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
            {
                COLORREF expected = inBand(x, y) ? (other.At(x, y) ^ 0xFFFFFF) : other.At(x, y);
                if (At(x, y) != expected)
                    return false;
            }
        return true;
    }
};

class GridMouse : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The real pointer rests far from every window of the test, so that
        // no real mouse message reaches the grid while messages are pumped.
        ::ClipCursor(NULL);
        ::SetCursorPos(1270, 1010);
        ASSERT_TRUE(CreateStandardGrid(grid, parent.Wnd()));
        FillNamed(grid);
        parent.notes.clear();
    }

    void TearDown() override
    {
        ::ClipCursor(NULL);
        if (::GetCapture() != NULL)
            ::ReleaseCapture();
        ::SetCursorPos(1270, 1010);
    }

    HWND Hwnd() const { return grid.GetSafeHwnd(); }

    void Move(int x, int y, UINT flags = 0) { grid.SendMessage(WM_MOUSEMOVE, flags, MAKELPARAM(x, y)); }
    void Down(int x, int y, UINT flags = 0)
    {
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | flags, MAKELPARAM(x, y));
    }
    void Up(int x, int y, UINT flags = 0) { grid.SendMessage(WM_LBUTTONUP, flags, MAKELPARAM(x, y)); }
    void DblClk(int x, int y, UINT flags = 0)
    {
        grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON | flags, MAKELPARAM(x, y));
    }
    // A press and release at the same place, as the user clicks.
    void Click(int x, int y, UINT flags = 0)
    {
        Move(x, y, flags);
        Down(x, y, flags);
        Up(x, y, flags);
    }
    // The whole message sequence of a double-click.
    void DoubleClick(int x, int y)
    {
        Move(x, y);
        Down(x, y);
        Up(x, y);
        DblClk(x, y);
        Up(x, y);
    }
    // Presses at (x0, y0), moves with the button held to (x1, y1) and
    // releases there.
    void Drag(int x0, int y0, int x1, int y1)
    {
        Move(x0, y0);
        Down(x0, y0);
        Move(x1, y1, MK_LBUTTON);
        Up(x1, y1);
    }

    // The cursor the grid shows over its client area.
    HCURSOR CursorShown()
    {
        ::SetCursor(NULL);
        grid.SendMessage(WM_SETCURSOR, (WPARAM)Hwnd(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    }
    static HCURSOR Cursor(LPCSTR id) { return ::LoadCursorA(NULL, id); }

    // Delivers what is posted (and the timers) for about nMs milliseconds.
    static void Pump(int nMs = 0)
    {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(nMs);
        do
        {
            MSG m;
            while (::PeekMessageA(&m, NULL, 0, 0, PM_REMOVE))
            {
                ::TranslateMessage(&m);
                ::DispatchMessageA(&m);
            }
            if (nMs > 0)
                ::MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
        } while (std::chrono::steady_clock::now() < end);
    }

    HWND Editor() const { return ::FindWindowExA(Hwnd(), NULL, "Edit", NULL); }
    int Editors() const
    {
        int n = 0;
        for (HWND h = ::FindWindowExA(Hwnd(), NULL, "Edit", NULL); h != NULL;
             h = ::FindWindowExA(Hwnd(), h, "Edit", NULL))
            n++;
        return n;
    }
    std::string EditorText() const
    {
        char sz[512] = "";
        ::GetWindowTextA(Editor(), sz, sizeof(sz));
        return sz;
    }

    // The notifications other than the scroll reports, as (code, row, col).
    std::vector<std::vector<int>> Notes() const
    {
        std::vector<std::vector<int>> out;
        for (const Notification& n : parent.notes)
            if (n.code != GRIDN_HSCROLL && n.code != GRIDN_VSCROLL)
                out.push_back({ n.code, n.row, n.col });
        return out;
    }
    int Count(int code) const
    {
        int n = 0;
        for (const Notification& note : parent.notes)
            if (note.code == code)
                n++;
        return n;
    }

    // Puts the real pointer at client point (x, y) of the grid.
    void PointerAt(int x, int y)
    {
        POINT pt = { x, y };
        ::ClientToScreen(Hwnd(), &pt);
        ::SetCursorPos(pt.x, pt.y);
    }

    bool TimerRuns() { return ::KillTimer(Hwnd(), 513) != FALSE; }

    void ShowParent()
    {
        ::SetWindowPos(parent.m_hWnd, HWND_TOP, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ::RedrawWindow(Hwnd(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }

    CRecordingParent parent;
    CMouseGrid grid;
};

// ---------------------------------------------------------------- sizing

TEST_F(GridMouse, DraggingAColumnBorderPutsItWhereTheButtonIsReleased)
{
    grid.SetFocusCell(3, 3);
    grid.SetSelectedRange(3, 3, 3, 3, FALSE);
    parent.notes.clear();

    // Onto the right border of column 1 (x 40..89) in the header row.
    Move(60, 10);
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());
    EXPECT_EQ(Cursor(IDC_ARROW), CursorShown());
    Move(88, 10);
    EXPECT_EQ(GMM_OVER_COLUMN_BORDER, grid.GetMouseMode());
    EXPECT_EQ(Cursor(IDC_SIZEWE), ::GetCursor());
    EXPECT_EQ(Cursor(IDC_SIZEWE), CursorShown());

    // Pressed on the border line itself (x = 90, column 2's first pixel).
    Move(90, 10);
    EXPECT_EQ(GMM_OVER_COLUMN_BORDER, grid.GetMouseMode());
    Down(90, 10);
    EXPECT_EQ(GMM_SIZING_COLUMN, grid.GetMouseMode());
    EXPECT_EQ(Hwnd(), ::GetCapture());
    EXPECT_EQ(0u, grid.AutoScrollTimer()) << "sizing runs no auto-scroll timer";
    // The pointer is kept in the client area right of column 1's left edge.
    RECT rcClip, rcExpected = { 40, 0, 290, 190 };
    ::MapWindowPoints(Hwnd(), NULL, (LPPOINT)&rcExpected, 2);
    ::GetClipCursor(&rcClip);
    EXPECT_TRUE(::EqualRect(&rcExpected, &rcClip))
        << rcClip.left << " " << rcClip.top << " " << rcClip.right << " " << rcClip.bottom;
    Move(100, 10, MK_LBUTTON);
    Move(110, 10, MK_LBUTTON);
    EXPECT_EQ(50, grid.GetColumnWidth(1)) << "nothing changes before the release";
    Up(110, 10);
    EXPECT_EQ(70, grid.GetColumnWidth(1));
    EXPECT_EQ(50, grid.GetColumnWidth(2));
    EXPECT_EQ(40, grid.GetColumnWidth(0));
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());
    EXPECT_EQ((HWND)NULL, ::GetCapture());
    ::GetClipCursor(&rcClip);
    EXPECT_FALSE(::EqualRect(&rcExpected, &rcClip)) << "the pointer is free again";
    EXPECT_EQ(Cursor(IDC_ARROW), ::GetCursor());
    // Sizing leaves the focus and the selection alone.
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(3, 3));
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetItemState(3, 3) & GCS_SELECTED);
    std::vector<std::vector<int>> expected = { { kNmClick, 3, 3 } };
    EXPECT_EQ(expected, Notes());

    // Released where it was pressed (the border is now at x = 110): nothing.
    Move(108, 12);
    ASSERT_EQ(GMM_OVER_COLUMN_BORDER, grid.GetMouseMode());
    Down(108, 12);
    Move(130, 12, MK_LBUTTON);
    Move(108, 12, MK_LBUTTON);
    Up(108, 12);
    EXPECT_EQ(70, grid.GetColumnWidth(1));
    EXPECT_EQ(50, grid.GetColumnWidth(2));

    // 3 pixels right of column 2's left border (x = 110): the column to its
    // left is sized.
    Move(113, 5);
    ASSERT_EQ(GMM_OVER_COLUMN_BORDER, grid.GetMouseMode());
    Down(113, 5);
    Move(123, 5, MK_LBUTTON);
    Up(123, 5);
    EXPECT_EQ(83, grid.GetColumnWidth(1));
    EXPECT_EQ(50, grid.GetColumnWidth(2));

    // The left border of the fixed column 0's neighbour sizes column 0.
    Move(42, 10);
    ASSERT_EQ(GMM_OVER_COLUMN_BORDER, grid.GetMouseMode());
    Down(42, 10);
    Up(30, 10);
    EXPECT_EQ(30, grid.GetColumnWidth(0));

    // Released exactly at the column's left edge: width 0.
    Move(112, 10);   // column 1 is now 30 .. 112
    ASSERT_EQ(GMM_OVER_COLUMN_BORDER, grid.GetMouseMode());
    Down(112, 10);
    Up(30, 10);
    EXPECT_EQ(0, grid.GetColumnWidth(1));

    // Outside the client area the default processing picks the cursor.
    Move(128, 10);   // the right border of column 3 (80 .. 129)
    ASSERT_EQ(GMM_OVER_COLUMN_BORDER, grid.GetMouseMode());
    ::SetCursor(NULL);
    grid.SendMessage(WM_SETCURSOR, (WPARAM)Hwnd(), MAKELPARAM(HTVSCROLL, WM_MOUSEMOVE));
    EXPECT_EQ(Cursor(IDC_ARROW), ::GetCursor());

    // Off the border again: the arrow.
    Move(150, 10);
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());
    EXPECT_EQ(Cursor(IDC_ARROW), ::GetCursor());
    EXPECT_EQ(Cursor(IDC_ARROW), CursorShown());
}

TEST_F(GridMouse, DraggingARowBorderSetsTheRowHeight)
{
    // The bottom border of row 1 (y 20..39) in the fixed column.
    Move(20, 38);
    EXPECT_EQ(GMM_OVER_ROW_BORDER, grid.GetMouseMode());
    EXPECT_EQ(Cursor(IDC_SIZENS), ::GetCursor());
    EXPECT_EQ(Cursor(IDC_SIZENS), CursorShown());
    Down(20, 38);
    EXPECT_EQ(GMM_SIZING_ROW, grid.GetMouseMode());
    Move(20, 50, MK_LBUTTON);
    Up(20, 53);
    EXPECT_EQ(33, grid.GetRowHeight(1));
    EXPECT_EQ(20, grid.GetRowHeight(2));
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());
    EXPECT_EQ(Cursor(IDC_ARROW), ::GetCursor());

    // Released where pressed: nothing.
    Move(25, 52);
    ASSERT_EQ(GMM_OVER_ROW_BORDER, grid.GetMouseMode());
    Down(25, 52);
    Move(25, 70, MK_LBUTTON);
    Move(25, 52, MK_LBUTTON);
    Up(25, 52);
    EXPECT_EQ(33, grid.GetRowHeight(1));

    // 2 pixels below row 2's top border (y = 53): row 1 is sized.
    Move(10, 55);
    ASSERT_EQ(GMM_OVER_ROW_BORDER, grid.GetMouseMode());
    Down(10, 55);
    Up(10, 60);
    EXPECT_EQ(40, grid.GetRowHeight(1));
    EXPECT_EQ(20, grid.GetRowHeight(2));

    // The header row's own bottom border.
    Move(10, 18);
    ASSERT_EQ(GMM_OVER_ROW_BORDER, grid.GetMouseMode());
    Down(10, 18);
    Up(10, 25);
    EXPECT_EQ(25, grid.GetRowHeight(0));
}

TEST_F(GridMouse, BordersOnlyInTheHeadersNeverBeforeColumnZeroOrRowZeroAndOnlyWhenAllowed)
{
    struct { int x, y; } idle[] = {
        { 1, 10 },    // left edge of column 0
        { 10, 1 },    // top edge of row 0
        { 1, 1 },     // the corner of both
        { 89, 50 },   // a column border below the header row
        { 60, 59 },   // a row border right of the fixed column
        { 89, 20 },   // just below the header row
        { 40, 39 },   // just right of the fixed column
    };
    for (auto pt : idle)
    {
        Move(pt.x, pt.y);
        EXPECT_EQ(GMM_IDLE, grid.GetMouseMode()) << pt.x << ", " << pt.y;
        EXPECT_EQ(Cursor(IDC_ARROW), CursorShown()) << pt.x << ", " << pt.y;
    }
    CPoint p(1, 10);
    EXPECT_FALSE(grid.MouseOverColumnResizeArea(p));
    p = CPoint(10, 1);
    EXPECT_FALSE(grid.MouseOverRowResizeArea(p));
    p = CPoint(37, 10);   // the right border of column 0, 3 pixels away
    EXPECT_TRUE(grid.MouseOverColumnResizeArea(p));
    p = CPoint(36, 10);
    EXPECT_FALSE(grid.MouseOverColumnResizeArea(p));

    // A press at the left edge of column 0 is a press on the corner, not on
    // a border: it selects, it does not size.
    Move(1, 10);
    Down(1, 10);
    EXPECT_EQ(GMM_SELECT_ALL, grid.GetMouseMode());
    Up(1, 10);
    EXPECT_EQ(40, grid.GetColumnWidth(0));

    // Column sizing switched off: no border, no sizing cursor; the press is
    // a plain header press.
    grid.SetColumnResize(FALSE);
    Move(89, 10);
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());
    EXPECT_EQ(Cursor(IDC_ARROW), CursorShown());
    Down(89, 10);
    EXPECT_EQ(GMM_SELECT_COLUMNS, grid.GetMouseMode());
    Move(120, 10, MK_LBUTTON);
    Up(120, 10);
    EXPECT_EQ(50, grid.GetColumnWidth(1));
    EXPECT_EQ(50, grid.GetColumnWidth(2));
    // Row borders still work.
    Move(20, 39);
    EXPECT_EQ(GMM_OVER_ROW_BORDER, grid.GetMouseMode());

    grid.SetRowResize(FALSE);
    Move(20, 39);
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());
    EXPECT_EQ(Cursor(IDC_ARROW), CursorShown());
    Down(20, 39);
    Up(20, 55);
    EXPECT_EQ(20, grid.GetRowHeight(1));
}

TEST_F(GridMouse, TrackingLineInvertsATwoPixelBandThatTheReleaseErases)
{
    ShowParent();
    Pump();
    const Pixels before = Pixels::Of(Hwnd());
    ASSERT_EQ(290, before.cx);
    ASSERT_EQ(190, before.cy);
    // The picture must not be uniform for the comparison to mean anything.
    ASSERT_NE(before.At(60, 10), before.At(60, 50));

    Move(88, 10);
    Down(88, 10);
    Pixels pressed = Pixels::Of(Hwnd());
    EXPECT_TRUE(pressed.InvertedColumnsOf(before, 88, 89)) << pressed.Differences(before);

    Move(120, 10, MK_LBUTTON);
    Pixels moved = Pixels::Of(Hwnd());
    EXPECT_TRUE(moved.InvertedColumnsOf(before, 120, 121)) << moved.Differences(before);

    // Moves outside the client area are ignored: the line stays.
    Move(400, 10, MK_LBUTTON);
    EXPECT_TRUE(Pixels::Of(Hwnd()).InvertedColumnsOf(before, 120, 121));

    Move(88, 10, MK_LBUTTON);
    Up(88, 10);   // back where pressed: no size change, no repaint
    Pixels released = Pixels::Of(Hwnd());
    EXPECT_EQ(0, released.Differences(before));
    EXPECT_EQ(50, grid.GetColumnWidth(1));

    // A release elsewhere erases the line before the repaint comes. The
    // border goes where the pointer was released, not by the distance moved.
    Move(88, 10);
    Down(88, 10);
    Move(100, 10, MK_LBUTTON);
    Up(100, 10);
    EXPECT_EQ(0, Pixels::Of(Hwnd()).Differences(before));
    EXPECT_EQ(60, grid.GetColumnWidth(1));

    // Rows: a horizontal band across the client width.
    Pump();
    const Pixels before2 = Pixels::Of(Hwnd());
    Move(20, 39);
    Down(20, 39);
    EXPECT_TRUE(Pixels::Of(Hwnd()).InvertedRowsOf(before2, 39, 40));
    Move(20, 70, MK_LBUTTON);
    EXPECT_TRUE(Pixels::Of(Hwnd()).InvertedRowsOf(before2, 70, 71));
    Up(20, 70);
    EXPECT_EQ(0, Pixels::Of(Hwnd()).Differences(before2));
    EXPECT_EQ(50, grid.GetRowHeight(1));

    // Another window taking the capture erases the line too.
    Pump();
    const Pixels before3 = Pixels::Of(Hwnd());
    Move(98, 10);   // column 1 is 60 wide now
    ASSERT_EQ(GMM_OVER_COLUMN_BORDER, grid.GetMouseMode());
    Down(98, 10);
    Move(118, 10, MK_LBUTTON);
    EXPECT_TRUE(Pixels::Of(Hwnd()).InvertedColumnsOf(before3, 118, 119));
    ::SetCapture(parent.m_hWnd);
    EXPECT_EQ(0, Pixels::Of(Hwnd()).Differences(before3));
    ::ReleaseCapture();
    Up(118, 10);
    EXPECT_EQ(0, Pixels::Of(Hwnd()).Differences(before3));
    EXPECT_EQ(60, grid.GetColumnWidth(1));

    ::ShowWindow(parent.m_hWnd, SW_HIDE);
}

TEST_F(GridMouse, DoubleClickOnABorderAutoSizesTheColumnOrRowBeforeIt)
{
    grid.SetItemText(3, 2, "a cell text a good deal wider than fifty pixels");
    grid.SetItemText(5, 1, "another text that is rather wider than its column");
    grid.SetItemText(2, 4, "tall\ntext\nin\nrow\ntwo");
    grid.SetItemFormat(2, 4, DT_LEFT | DT_WORDBREAK);
    CMouseGrid same;
    ASSERT_TRUE(CreateStandardGrid(same, parent.Wnd(), 78));
    FillNamed(same);
    same.SetItemText(3, 2, grid.GetItemText(3, 2));
    same.SetItemText(5, 1, grid.GetItemText(5, 1));
    same.SetItemText(2, 4, grid.GetItemText(2, 4));
    same.SetItemFormat(2, 4, DT_LEFT | DT_WORDBREAK);
    ASSERT_TRUE(same.AutoSizeColumn(2));
    ASSERT_TRUE(same.AutoSizeColumn(1));
    ASSERT_TRUE(same.AutoSizeRow(2));
    ASSERT_GT(same.GetColumnWidth(2), 50);
    ASSERT_GT(same.GetColumnWidth(1), 50);
    ASSERT_NE(20, same.GetRowHeight(2));

    // The right border of column 2 (x 90..139).
    DoubleClick(138, 10);
    EXPECT_EQ(same.GetColumnWidth(2), grid.GetColumnWidth(2));
    EXPECT_EQ(50, grid.GetColumnWidth(1));
    EXPECT_EQ(50, grid.GetColumnWidth(3));

    // 2 pixels right of column 2's left border: column 1.
    DoubleClick(92, 15);
    EXPECT_EQ(same.GetColumnWidth(1), grid.GetColumnWidth(1));
    EXPECT_EQ(same.GetColumnWidth(2), grid.GetColumnWidth(2));

    // The border between rows 2 and 3 (y = 60) in the fixed column.
    DoubleClick(20, 60);
    EXPECT_EQ(same.GetRowHeight(2), grid.GetRowHeight(2));
    EXPECT_EQ(20, grid.GetRowHeight(3));

    // Without column sizing, a double-click on the header border sizes
    // nothing.
    grid.SetColumnResize(FALSE);
    const int nWidth3 = grid.GetColumnWidth(3);
    grid.SetItemText(1, 3, "now column three has a long text as well");
    CPoint origin;
    ASSERT_TRUE(grid.GetCellOrigin(0, 3, &origin));
    DoubleClick(origin.x + nWidth3 - 1, 10);
    EXPECT_EQ(nWidth3, grid.GetColumnWidth(3));
    EXPECT_EQ(Editor(), (HWND)NULL);
}

// ---------------------------------------------------------------- editing

TEST_F(GridMouse, AClickOnTheFocusCellEditsItAndAClickElsewhereCommitsTheEdit)
{
    grid.SetEditable(TRUE);
    Click(100, 70);   // (3, 2) gets the focus, no editor yet
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(3, 2));
    EXPECT_EQ((HWND)NULL, Editor());
    EXPECT_EQ(Hwnd(), ::GetFocus());
    parent.notes.clear();

    Move(105, 72);
    Down(105, 72);
    EXPECT_EQ(GMM_PREPARE_EDIT, grid.GetMouseMode());
    EXPECT_EQ((HWND)NULL, Editor()) << "the editor waits for the release";
    Up(105, 72);
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());
    ASSERT_NE((HWND)NULL, Editor());
    EXPECT_EQ(1, Editors());
    EXPECT_EQ(Editor(), ::GetFocus());
    EXPECT_EQ("r3c2", EditorText());
    std::vector<std::vector<int>> expected = { { GRIDN_BEGINLABELEDIT, 3, 2 }, { kNmClick, 3, 2 } };
    EXPECT_EQ(expected, Notes());
    // Started with the mouse: the caret sits at the end, nothing selected.
    DWORD dwStart = 0, dwEnd = 0;
    ::SendMessageA(Editor(), EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    EXPECT_EQ(4u, dwStart);
    EXPECT_EQ(4u, dwEnd);

    ::SendMessageA(Editor(), WM_CHAR, 'x', 1);
    parent.notes.clear();
    // A press on (5, 4) ends the edit first, then moves the focus.
    Click(210, 110);
    Pump();
    EXPECT_EQ((HWND)NULL, Editor());
    EXPECT_EQ("r3c2x", std::string(grid.GetItemText(3, 2)));
    EXPECT_TRUE(grid.GetModified(3, 2));
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(5, 4));
    EXPECT_EQ(Hwnd(), ::GetFocus());
    expected = { { GRIDN_ENDLABELEDIT, 3, 2 },
                 { GRIDN_SELCHANGING, 3, 2 },
                 { GRIDN_SELCHANGED, 5, 4 },
                 { kNmClick, 5, 4 } };
    EXPECT_EQ(expected, Notes());
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetItemState(5, 4) & GCS_SELECTED);

    // A read-only grid: the press on the focus cell starts nothing.
    grid.SetEditable(FALSE);
    Click(210, 110);
    EXPECT_EQ((HWND)NULL, Editor());
}

TEST_F(GridMouse, DoubleClickOnACellEditsTheCellAndLeavesOneEditor)
{
    grid.SetEditable(TRUE);
    DoubleClick(160, 130);   // (6, 3)
    Pump();
    ASSERT_NE((HWND)NULL, Editor());
    EXPECT_EQ(1, Editors());
    EXPECT_EQ("r6c3", EditorText());
    EXPECT_EQ(1, Count(GRIDN_BEGINLABELEDIT));
    EXPECT_EQ(0, Count(GRIDN_ENDLABELEDIT));
    RECT rcEdit, rcCell;
    ::GetWindowRect(Editor(), &rcEdit);
    ::MapWindowPoints(NULL, Hwnd(), (LPPOINT)&rcEdit, 2);
    ASSERT_TRUE(grid.GetCellRect(6, 3, &rcCell));
    EXPECT_EQ(rcCell.left, rcEdit.left);
    EXPECT_EQ(rcCell.top, rcEdit.top);

    // Double-clicking the focus cell: the click already opened an editor;
    // the double-click replaces it and one editor is left.
    ::SendMessageA(Editor(), WM_CHAR, VK_ESCAPE, 1);
    Pump();
    ASSERT_EQ((HWND)NULL, Editor());
    DoubleClick(160, 130);
    Pump();
    EXPECT_EQ(1, Editors());
    EXPECT_EQ("r6c3", std::string(grid.GetItemText(6, 3)));
    EXPECT_FALSE(grid.GetModified(6, 3));

    // A double-click on a header cell edits nothing.
    ::SendMessageA(Editor(), WM_CHAR, VK_ESCAPE, 1);
    Pump();
    DoubleClick(160, 10);
    Pump();
    EXPECT_EQ((HWND)NULL, Editor());
}

TEST_F(GridMouse, InAColourColumnClicksAskForAColourInsteadOfEditing)
{
    CColourCounter colours;
    grid.SetEditable(TRUE);
    grid.SetColSelColor(2, 1);
    Click(100, 70);   // focus (3, 2): no question yet
    EXPECT_EQ(0, colours.nAsked);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(3, 2));
    EXPECT_EQ(0, grid.GetSelectedCount()) << "colour cells are never marked selected";

    Move(100, 70);
    Down(100, 70);
    EXPECT_EQ(1, colours.nAsked);
    EXPECT_NE(GMM_PREPARE_EDIT, grid.GetMouseMode());
    Up(100, 70);
    EXPECT_EQ((HWND)NULL, Editor());
    EXPECT_EQ(1, colours.nAsked);
    EXPECT_EQ(0, Count(GRIDN_BEGINLABELEDIT));

    // A double-click on another cell of the column asks once more and opens
    // no editor.
    DoubleClick(100, 110);   // (5, 2)
    Pump();
    EXPECT_EQ(2, colours.nAsked);
    EXPECT_EQ((HWND)NULL, Editor());
    EXPECT_EQ(0, Count(GRIDN_BEGINLABELEDIT));

    // Other columns still edit.
    Click(160, 110);
    Click(160, 110);
    EXPECT_NE((HWND)NULL, Editor());
    EXPECT_EQ(2, colours.nAsked);
    ::SendMessageA(Editor(), WM_CHAR, VK_ESCAPE, 1);
    Pump();
}

TEST_F(GridMouse, DestroyingTheGridWithAnEditorOpenIsSafe)
{
    for (int pass = 0; pass < 2; pass++)
    {
        CRecordingParent owner;
        CMouseGrid* pGrid = new CMouseGrid;
        ASSERT_TRUE(CreateStandardGrid(*pGrid, owner.Wnd()));
        FillNamed(*pGrid);
        pGrid->SetEditable(TRUE);
        HWND hGrid = pGrid->GetSafeHwnd();
        for (int i = 0; i < 2; i++)
        {
            ::SendMessageA(hGrid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 70));
            ::SendMessageA(hGrid, WM_LBUTTONUP, 0, MAKELPARAM(100, 70));
        }
        HWND hEdit = ::FindWindowExA(hGrid, NULL, "Edit", NULL);
        ASSERT_NE((HWND)NULL, hEdit);
        ASSERT_EQ(hEdit, ::GetFocus());
        ::SendMessageA(hEdit, WM_CHAR, 'q', 1);
        if (pass == 0)
        {
            // The window goes first, the object later.
            pGrid->DestroyWindow();
            EXPECT_FALSE(::IsWindow(hEdit));
            Pump();
            delete pGrid;
        }
        else
            delete pGrid;   // the destructor destroys the window
        Pump();
        EXPECT_FALSE(::IsWindow(hEdit));
        EXPECT_FALSE(::IsWindow(hGrid));
    }
}

// ---------------------------------------------------------------- selection

TEST_F(GridMouse, ClickShiftClickCtrlClickAndDragSelect)
{
    // Plain click: (3, 2) focused and selected; NM_CLICK on the release.
    Move(100, 70);
    Down(100, 70);
    EXPECT_EQ(GMM_SELECT_CELLS, grid.GetMouseMode());
    EXPECT_EQ(Hwnd(), ::GetCapture());
    EXPECT_EQ(Hwnd(), ::GetFocus());
    EXPECT_EQ(513u, grid.AutoScrollTimer());
    Up(100, 70);
    EXPECT_EQ((HWND)NULL, ::GetCapture());
    EXPECT_EQ(0u, grid.AutoScrollTimer());
    EXPECT_FALSE(TimerRuns());
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(3, 2));
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetItemState(3, 2) & GCS_SELECTED);
    EXPECT_TRUE(grid.GetItemState(3, 2) & GCS_FOCUSED);
    std::vector<std::vector<int>> expected = { { GRIDN_SELCHANGED, 3, 2 }, { kNmClick, 3, 2 } };
    EXPECT_EQ(expected, Notes());
    ASSERT_FALSE(parent.notes.empty());
    EXPECT_EQ(Hwnd(), parent.notes.back().hwndFrom);
    EXPECT_EQ(77u, parent.notes.back().idFrom);

    // Shift+click on (5, 4): the rectangle from the focus cell.
    parent.notes.clear();
    Click(210, 110, MK_SHIFT);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(5, 4));
    EXPECT_EQ(9, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(3, 2, 5, 4));
    EXPECT_EQ(9, CountCellsMarkedSelected(grid));
    expected = { { GRIDN_SELCHANGING, 3, 2 }, { GRIDN_SELCHANGED, 5, 4 }, { kNmClick, 5, 4 } };
    EXPECT_EQ(expected, Notes());

    // Ctrl+click on (8, 1) adds that cell; a Ctrl+drag from (1, 5) to (2, 5)
    // adds two more.
    Click(60, 170, MK_CONTROL);
    EXPECT_EQ(10, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetItemState(8, 1) & GCS_SELECTED);
    EXPECT_TRUE(grid.GetItemState(4, 3) & GCS_SELECTED);
    Move(260, 30);
    Down(260, 30, MK_CONTROL);
    Move(262, 50, MK_LBUTTON | MK_CONTROL);
    Up(262, 50, MK_CONTROL);
    EXPECT_EQ(12, grid.GetSelectedCount());
    EXPECT_EQ(12, CountCellsMarkedSelected(grid));
    EXPECT_TRUE(grid.GetItemState(1, 5) & GCS_SELECTED);
    EXPECT_TRUE(grid.GetItemState(2, 5) & GCS_SELECTED);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(2, 5));

    // A plain click starts afresh.
    Click(160, 150);
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetItemState(7, 3) & GCS_SELECTED);

    // A drag with the button held selects the rectangle it spans, growing
    // and shrinking with the pointer; the focus follows the pointer.
    parent.notes.clear();
    Move(60, 50);
    Down(60, 50);                  // (2, 1)
    Move(160, 90, MK_LBUTTON);     // (4, 3)
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(2, 1, 4, 3));
    EXPECT_EQ(9, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(4, 3));
    Move(110, 70, MK_LBUTTON);     // (3, 2)
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(2, 1, 3, 2));
    EXPECT_EQ(4, grid.GetSelectedCount());
    EXPECT_EQ(4, CountCellsMarkedSelected(grid));
    Up(110, 70);
    expected = { { GRIDN_SELCHANGING, 7, 3 }, { GRIDN_SELCHANGED, 2, 1 },
                 { GRIDN_SELCHANGING, 2, 1 }, { GRIDN_SELCHANGED, 4, 3 },
                 { GRIDN_SELCHANGING, 4, 3 }, { GRIDN_SELCHANGED, 3, 2 },
                 { kNmClick, 3, 2 } };
    EXPECT_EQ(expected, Notes());
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());

    // A drag onto the header row selects no header cell and puts the focus
    // on the first ordinary row.
    Move(60, 70);
    Down(60, 70);                  // (3, 1)
    Move(160, 10, MK_LBUTTON);     // (0, 3)
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(1, 3));
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetItemState(3, 1) & GCS_SELECTED);
    Up(160, 10);
}

TEST_F(GridMouse, PressesOutsideEveryCellDoNothing)
{
    grid.SetColumnCount(4);   // columns end at x = 190
    grid.SetFocusCell(2, 2);
    parent.notes.clear();
    Move(250, 50);
    Down(250, 50);
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());
    EXPECT_EQ((HWND)NULL, ::GetCapture());
    EXPECT_EQ(0u, grid.AutoScrollTimer());
    Up(250, 50);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(2, 2));
    EXPECT_TRUE(Notes().empty());
    EXPECT_EQ(0, grid.GetSelectedCount());
}

// Presses that would otherwise leave the grid in a state no cell backs: a
// Shift+click with no focus cell to extend from, a header press on a grid
// with no ordinary row, a border released straight below where it was
// pressed.
TEST_F(GridMouse, PressesWithNothingToExtendOrNoCellBelowStaySound)
{
    ASSERT_FALSE(grid.IsValid(grid.GetFocusCell()));
    Click(100, 50, MK_SHIFT);   // (2, 2)
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(2, 2));
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(2, 2, 2, 2));

    // The border between columns 1 and 2: only the distance across it counts.
    Move(88, 10);
    ASSERT_EQ(GMM_OVER_COLUMN_BORDER, grid.GetMouseMode());
    Down(88, 10);
    Up(88, 17);
    EXPECT_EQ(50, grid.GetColumnWidth(1));

    // Only the header row is left.
    grid.SetRowCount(1);
    Click(160, 10);   // the header of column 3
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(-1, -1));
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());
}

TEST_F(GridMouse, ReleasingAPressOnASelectedCellWithoutMovingClearsTheSelection)
{
    grid.EnableDragAndDrop(TRUE);
    Click(100, 50);                // (2, 2)
    Click(100, 110, MK_SHIFT);     // (2..5, 2)
    ASSERT_EQ(4, grid.GetSelectedCount());
    ASSERT_EQ(Hwnd(), ::GetFocus());
    Move(100, 70);
    Down(100, 70);                 // (3, 2): selected, grid focused
    EXPECT_EQ(GMM_PREPARE_DRAG, grid.GetMouseMode());
    EXPECT_EQ(0u, grid.AutoScrollTimer());
    Up(100, 70);
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_FALSE(grid.IsValid(grid.GetFocusCell()));

    // Without drag-and-drop the same press starts a new selection.
    grid.EnableDragAndDrop(FALSE);
    Click(100, 50);
    Click(100, 110, MK_SHIFT);
    Move(100, 70);
    Down(100, 70);
    EXPECT_EQ(GMM_SELECT_CELLS, grid.GetMouseMode());
    Up(100, 70);
    EXPECT_EQ(1, grid.GetSelectedCount());
}

// ---------------------------------------------------------------- auto-scroll

TEST_F(GridMouse, DraggingBelowTheWindowMovesTheFocusOneRowPerTick)
{
    Move(100, 150);
    Down(100, 150);   // (7, 2)
    ASSERT_TRUE(grid.GetFocusCell() == CVXCellID(7, 2));
    PointerAt(100, 190 + 40);
    POINT pt;
    ASSERT_TRUE(::GetCursorPos(&pt));
    ::ScreenToClient(Hwnd(), &pt);
    ASSERT_EQ(230, pt.y) << "the pointer could not be placed";

    for (int tick = 1; tick <= 6; tick++)
    {
        grid.SendMessage(WM_TIMER, 513, 0);
        EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(7 + tick, 2)) << "tick " << tick;
        EXPECT_TRUE(grid.IsCellVisible(7 + tick, 2)) << "tick " << tick;
        // The selection reaches from the pressed cell to the row at the
        // window's bottom edge.
        int nBottom = grid.GetCellFromPt(CPoint(100, 190), TRUE).row;
        EXPECT_GE(nBottom, 7 + tick);
        EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(7, 2, nBottom, 2)) << "tick " << tick;
        EXPECT_EQ(nBottom - 7 + 1, grid.GetSelectedCount());
    }
    EXPECT_GT(grid.GetScrollPos32(SB_VERT), 0);
    EXPECT_GT(grid.GetTopleftNonFixedCell().row, 1);
    EXPECT_GT(Count(GRIDN_VSCROLL), 0);
    EXPECT_EQ(GMM_SELECT_CELLS, grid.GetMouseMode());

    // Other timers are not the auto-scroll.
    grid.SendMessage(WM_TIMER, 512, 0);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(13, 2));

    // Above the ordinary rows: one row up per tick, selecting towards the
    // first row below the header.
    const int nTop = grid.GetTopleftNonFixedCell().row;
    PointerAt(100, 5);
    grid.SendMessage(WM_TIMER, 513, 0);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(12, 2));
    EXPECT_TRUE(grid.GetSelectedCellRange() ==
                CVXCellRange(std::min(7, nTop), 2, std::max(7, nTop), 2));

    // Right of the window: one column right per tick.
    PointerAt(290 + 30, 100);
    grid.SendMessage(WM_TIMER, 513, 0);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(12, 3));

    // Inside the window a tick does nothing.
    PointerAt(150, 100);
    CVXCellRange range = grid.GetSelectedCellRange();
    grid.SendMessage(WM_TIMER, 513, 0);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(12, 3));
    EXPECT_TRUE(grid.GetSelectedCellRange() == range);

    Up(150, 100);
    EXPECT_EQ(0u, grid.AutoScrollTimer());
    EXPECT_FALSE(TimerRuns());
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());
}

TEST_F(GridMouse, TheRealTimerScrollsWhileTheButtonIsHeldAndStopsOnRelease)
{
    Move(100, 150);
    Down(100, 150);   // (7, 2)
    PointerAt(100, 190 + 40);
    Pump(400);   // about 16 ticks of 25 ms
    int nRow = grid.GetFocusCell().row;
    EXPECT_GE(nRow, 7 + 4) << "the timer ticked too seldom";
    EXPECT_EQ(2, grid.GetFocusCell().col);
    EXPECT_GT(grid.GetScrollPos32(SB_VERT), 0);
    EXPECT_TRUE(grid.IsCellVisible(grid.GetFocusCell().row, 2));
    EXPECT_EQ(7, grid.GetSelectedCellRange().minRow);
    EXPECT_GE(grid.GetSelectedCellRange().maxRow, grid.GetFocusCell().row);

    POINT pt = { 100, 230 };
    Up(pt.x, pt.y);
    nRow = grid.GetFocusCell().row;
    const int nPos = grid.GetScrollPos32(SB_VERT);
    Pump(200);
    EXPECT_EQ(nRow, grid.GetFocusCell().row);
    EXPECT_EQ(nPos, grid.GetScrollPos32(SB_VERT));
    EXPECT_FALSE(TimerRuns());
}

// ---------------------------------------------------------------- header clicks

TEST_F(GridMouse, CornerAndColumnHeaderPressesSelectEverythingOrWholeColumns)
{
    Move(20, 10);
    Down(20, 10);
    EXPECT_EQ(GMM_SELECT_ALL, grid.GetMouseMode());
    EXPECT_EQ(100 * 20, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(1, 1, 100, 20));
    EXPECT_FALSE(grid.GetItemState(0, 0) & GCS_SELECTED);
    EXPECT_FALSE(grid.GetItemState(0, 3) & GCS_SELECTED);
    EXPECT_FALSE(grid.GetItemState(4, 0) & GCS_SELECTED);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(1, 1));
    Move(160, 90, MK_LBUTTON);   // dragging changes nothing
    EXPECT_EQ(100 * 20, grid.GetSelectedCount());
    Up(160, 90);
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());

    // A column header: the whole column, the focus on its first row.
    Move(160, 10);
    Down(160, 10);   // header of column 3
    EXPECT_EQ(GMM_SELECT_COLUMNS, grid.GetMouseMode());
    EXPECT_EQ(100, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(1, 3, 100, 3));
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(1, 3));
    // Dragging over the header of column 5 takes columns 3..5.
    Move(260, 10, MK_LBUTTON);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(1, 3, 100, 5));
    EXPECT_EQ(300, grid.GetSelectedCount());
    // ... and back to column 2 over the cells.
    Move(110, 100, MK_LBUTTON);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(1, 2, 100, 3));
    Up(110, 100);
    EXPECT_EQ(200, CountCellsMarkedSelected(grid));

    // A row header outside single-row mode leaves the selection alone and
    // focuses the row's first cell.
    Click(20, 90);   // row 4
    EXPECT_EQ(200, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(4, 1));
}

TEST_F(GridMouse, ListModeHeaderClicksSortAscendingThenDescendingAndRenumber)
{
    grid.SetListMode(TRUE);
    grid.SetHeaderSort(TRUE);
    char sz[32];
    for (int r = 1; r < 101; r++)
    {
        snprintf(sz, sizeof(sz), "a%03d", (r * 37) % 100);   // a permutation of a000..a099
        grid.SetItemText(r, 2, sz);
        snprintf(sz, sizeof(sz), "b%03d", (r * 61) % 100);
        grid.SetItemText(r, 3, sz);
    }
    // Which b-text belongs to which a-text, so rows can be seen to move whole.
    std::map<std::string, std::string> rowOf;
    for (int r = 1; r < 101; r++)
        rowOf[(LPCTSTR)grid.GetItemText(r, 2)] = (LPCTSTR)grid.GetItemText(r, 3);

    // A plain click in list mode selects the whole row.
    Click(100, 70);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(3, 1, 3, 20));
    EXPECT_EQ(20, grid.GetSelectedCount());

    auto checkSorted = [&](int nCol, bool bAscending) {
        for (int r = 1; r < 100; r++)
        {
            std::string a = (LPCTSTR)grid.GetItemText(r, nCol), b = (LPCTSTR)grid.GetItemText(r + 1, nCol);
            if (bAscending ? !(a < b) : !(a > b))
            {
                ADD_FAILURE() << "column " << nCol << " rows " << r << ", " << r + 1 << ": " << a << ", " << b;
                return;
            }
        }
        for (int r = 1; r < 101; r++)
        {
            EXPECT_EQ(rowOf[(LPCTSTR)grid.GetItemText(r, 2)], std::string(grid.GetItemText(r, 3)));
            snprintf(sz, sizeof(sz), "%d", r);
            EXPECT_EQ(std::string(sz), std::string(grid.GetItemText(r, 0))) << "row " << r;
        }
        EXPECT_EQ(std::string("r0c2"), std::string(grid.GetItemText(0, 2)));
    };

    Click(110, 10);   // header of column 2
    checkSorted(2, true);
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_FALSE(grid.IsValid(grid.GetFocusCell()));
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());

    Click(110, 10);
    checkSorted(2, false);
    Click(110, 10);
    checkSorted(2, true);

    Click(160, 10);   // header of column 3
    checkSorted(3, true);
    Click(160, 10);
    checkSorted(3, false);
    Click(110, 10);   // back to column 2: ascending again
    checkSorted(2, true);

    // Without header sorting a header click sorts nothing.
    grid.SetHeaderSort(FALSE);
    Click(160, 10);
    checkSorted(2, true);
    // The fixed column's header never sorts.
    grid.SetHeaderSort(TRUE);
    Click(20, 10);
    checkSorted(2, true);

    // In single-row mode the sort selects the first row and focuses (1, 1).
    grid.SetSingleRowSelection(TRUE);
    Click(160, 10);
    checkSorted(3, true);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(1, 1, 1, 20));
    EXPECT_EQ(20, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(1, 1));
}

TEST_F(GridMouse, SingleRowModeSelectsWholeRows)
{
    grid.SetSingleRowSelection(TRUE);

    // A normal cell: its whole row from column 1.
    Click(160, 90);   // (4, 3)
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(4, 3));
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(4, 1, 4, 20));
    EXPECT_EQ(20, grid.GetSelectedCount());

    // Dragging down moves the selected row with the pointer.
    Move(110, 90);
    Down(110, 90);                // (4, 2)
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(4, 1, 4, 20));
    Move(110, 130, MK_LBUTTON);   // row 6
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(6, 1, 6, 20));
    EXPECT_EQ(20, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(6, 2));
    Up(110, 130);

    // A row header: that row, the focus on its column 1.
    Click(20, 50);   // row 2
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(2, 1, 2, 20));
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(2, 1));

    // The corner is ignored.
    parent.notes.clear();
    Click(20, 10);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(2, 1, 2, 20));
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(2, 1));
    EXPECT_EQ(20, grid.GetSelectedCount());

    // A column header: row 1, the focus in that column, and the parent hears
    // of the header click.
    parent.notes.clear();
    Click(210, 10);   // header of column 4
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(1, 1, 1, 20));
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(1, 4));
    EXPECT_EQ(1, Count(GRIDN_FIXEDROWCLICK));
    for (const Notification& n : parent.notes)
        if (n.code == GRIDN_FIXEDROWCLICK)
        {
            EXPECT_EQ(0, n.row);
            EXPECT_EQ(4, n.col);
        }
}

// Outside list mode too, dragging below the window keeps the selection to
// the focus cell's row while the view scrolls.
TEST_F(GridMouse, SingleRowModeAutoScrollKeepsOneRowSelected)
{
    grid.SetSingleRowSelection(TRUE);
    Move(100, 150);
    Down(100, 150);   // (7, 2)
    PointerAt(100, 190 + 40);
    for (int tick = 1; tick <= 4; tick++)
    {
        grid.SendMessage(WM_TIMER, 513, 0);
        const int nRow = 7 + tick;
        EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(nRow, 2)) << "tick " << tick;
        EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(nRow, 1, nRow, 20)) << "tick " << tick;
        EXPECT_EQ(20, grid.GetSelectedCount()) << "tick " << tick;
    }
    Up(100, 150);
}

TEST_F(GridMouse, ABorderWhoseColumnIsScrolledOutOfViewSizesNothing)
{
    grid.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    grid.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    const int nFirst = grid.GetTopleftNonFixedCell().col;
    ASSERT_GT(nFirst, 1);
    std::vector<int> widths;
    for (int c = 0; c < grid.GetColumnCount(); c++)
        widths.push_back(grid.GetColumnWidth(c));

    // 2 pixels right of the first visible column's left edge: the column
    // left of that border is out of view.
    Move(42, 10);
    ASSERT_EQ(GMM_OVER_COLUMN_BORDER, grid.GetMouseMode());
    Down(42, 10);
    EXPECT_NE(GMM_SIZING_COLUMN, grid.GetMouseMode());
    EXPECT_NE(Hwnd(), ::GetCapture());
    Move(70, 10, MK_LBUTTON);
    Up(70, 10);
    for (int c = 0; c < grid.GetColumnCount(); c++)
        EXPECT_EQ(widths[c], grid.GetColumnWidth(c)) << "column " << c;
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());

    // The fixed column's own right border still sizes it.
    Move(38, 10);
    ASSERT_EQ(GMM_OVER_COLUMN_BORDER, grid.GetMouseMode());
    Down(38, 10);
    EXPECT_EQ(GMM_SIZING_COLUMN, grid.GetMouseMode());
    Up(58, 10);
    EXPECT_EQ(58, grid.GetColumnWidth(0));
    EXPECT_EQ(widths[nFirst - 1], grid.GetColumnWidth(nFirst - 1));

    // The same for rows scrolled out of view above.
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    const int nTop = grid.GetTopleftNonFixedCell().row;
    ASSERT_GT(nTop, 1);
    Move(20, 22);
    ASSERT_EQ(GMM_OVER_ROW_BORDER, grid.GetMouseMode());
    Down(20, 22);
    EXPECT_NE(GMM_SIZING_ROW, grid.GetMouseMode());
    Up(20, 60);
    for (int r = 0; r < grid.GetRowCount(); r++)
        EXPECT_EQ(20, grid.GetRowHeight(r)) << "row " << r;
}

TEST_F(GridMouse, TheInPlaceEditorKeepsItsOwnCursor)
{
    grid.SetEditable(TRUE);
    Click(100, 70);
    Click(100, 70);
    HWND hEdit = Editor();
    ASSERT_NE((HWND)NULL, hEdit);
    // The pointer over the editor: the editor's WM_SETCURSOR asks the grid
    // first (default processing of a child window); the grid must leave the
    // editor's own I-beam alone.
    ::SetCursor(NULL);
    ::SendMessageA(hEdit, WM_SETCURSOR, (WPARAM)hEdit, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(Cursor(IDC_IBEAM), ::GetCursor());
    // Over the grid itself the arrow.
    EXPECT_EQ(Cursor(IDC_ARROW), CursorShown());
    ::SendMessageA(hEdit, WM_CHAR, VK_ESCAPE, 1);
    Pump();
}

// ---------------------------------------------------------------- capture loss

TEST_F(GridMouse, LosingTheCaptureWhileSizingSizesNothing)
{
    Move(88, 10);
    Down(88, 10);
    Move(118, 10, MK_LBUTTON);
    // A capture change naming the grid itself changes nothing.
    grid.SendMessage(WM_CAPTURECHANGED, 0, (LPARAM)Hwnd());
    EXPECT_EQ(GMM_SIZING_COLUMN, grid.GetMouseMode());

    ::SetCapture(parent.m_hWnd);   // another window takes the mouse
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());
    RECT rcClip, rcScreen = { ::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN) };
    rcScreen.right = rcScreen.left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    rcScreen.bottom = rcScreen.top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    ::GetClipCursor(&rcClip);
    EXPECT_TRUE(::EqualRect(&rcClip, &rcScreen)) << "the pointer is free again";
    ::ReleaseCapture();
    Up(118, 10);
    EXPECT_EQ(50, grid.GetColumnWidth(1));
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());

    // The same for a row, with a sent capture change.
    Move(20, 39);
    Down(20, 39);
    Move(20, 70, MK_LBUTTON);
    grid.SendMessage(WM_CAPTURECHANGED, 0, (LPARAM)parent.m_hWnd);
    EXPECT_EQ(GMM_IDLE, grid.GetMouseMode());
    Up(20, 70);
    EXPECT_EQ(20, grid.GetRowHeight(1));
}

// Wine tells a window destroyed while it holds the capture nothing about
// losing it; the grid must still free the pointer it confined.
TEST_F(GridMouse, DestroyingTheGridWhileSizingFreesThePointer)
{
    RECT rcFree;
    ::GetClipCursor(&rcFree);
    for (int pass = 0; pass < 2; pass++)
    {
        CRecordingParent owner;
        CMouseGrid* pGrid = new CMouseGrid;
        ASSERT_TRUE(CreateStandardGrid(*pGrid, owner.Wnd()));
        HWND hGrid = pGrid->GetSafeHwnd();
        ::SendMessageA(hGrid, WM_MOUSEMOVE, 0, MAKELPARAM(88, 10));
        ::SendMessageA(hGrid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(88, 10));
        ASSERT_EQ(GMM_SIZING_COLUMN, pGrid->GetMouseMode());
        RECT rcClip;
        ::GetClipCursor(&rcClip);
        ASSERT_FALSE(::EqualRect(&rcClip, &rcFree));
        if (pass == 0)
        {
            pGrid->DestroyWindow();
            EXPECT_EQ(GMM_IDLE, pGrid->GetMouseMode());
        }
        delete pGrid;
        ::GetClipCursor(&rcClip);
        EXPECT_TRUE(::EqualRect(&rcClip, &rcFree)) << "pass " << pass;
        EXPECT_EQ((HWND)NULL, ::GetCapture());
    }
}

TEST_F(GridMouse, LosingTheCaptureDuringADragSelectionStopsTheTimer)
{
    Move(100, 150);
    Down(100, 150);   // (7, 2)
    PointerAt(100, 190 + 40);
    grid.SendMessage(WM_TIMER, 513, 0);
    ASSERT_TRUE(grid.GetFocusCell() == CVXCellID(8, 2));

    ::SetCapture(parent.m_hWnd);
    EXPECT_EQ(0u, grid.AutoScrollTimer());
    Pump(200);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(8, 2)) << "no tick after the capture went";
    EXPECT_EQ(0, grid.GetScrollPos32(SB_VERT));
    EXPECT_FALSE(TimerRuns());
    ::ReleaseCapture();

    // A capture change sent with no new window stops the timer too.
    PointerAt(150, 100);
    Move(100, 50);
    Down(100, 50);
    ASSERT_EQ(513u, grid.AutoScrollTimer());
    grid.SendMessage(WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ(0u, grid.AutoScrollTimer());
    EXPECT_FALSE(TimerRuns());
    Up(100, 50);
}

} // namespace

