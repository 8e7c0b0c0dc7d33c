// Grid painting read back pixel by pixel: the grid draws into a memory
// context over a 32-bit DIB section (straight, through the off-screen
// buffer, or as its own window's paint) and the tests look at the pixels:
// colours, focus and selection marks, header edges, grid lines, the RGB
// colour column and the redraw switch.

#include "grid_window_util.h"

#include "grid/MemDC.h"
#include "platform/ModalUI.h"

using namespace gridtest;

namespace
{

const int kWidth = 240, kHeight = 120;

// A memory device context over a top-down 32-bit DIB section.
class Canvas
{
public:
    Canvas()
    {
        EXPECT_TRUE(m_bitmap.CreateDIBSection32(kWidth, kHeight, (void**)&m_pBits));
        EXPECT_TRUE(dc.CreateCompatibleDC(NULL));
        m_pOld = dc.SelectObject(&m_bitmap);
        dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(1, 2, 3));
    }
    ~Canvas()
    {
        dc.SelectObject(m_pOld);
        dc.DeleteDC();
    }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        DWORD v = m_pBits[y * kWidth + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int Count(const RECT& rc, COLORREF cr) const
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left; x < rc.right; x++)
                n += Pixel(x, y) == cr;
        return n;
    }
    bool SameAs(const Canvas& other) const
    {
        ::GdiFlush();
        return memcmp(m_pBits, other.m_pBits, kWidth * kHeight * 4) == 0;
    }

    CDC dc;

private:
    CBitmap m_bitmap;
    CBitmap* m_pOld = NULL;
    DWORD* m_pBits = NULL;
};

const COLORREF kCellBk = RGB(255, 255, 255);
const COLORREF kFixedBk = RGB(200, 200, 200);
const COLORREF kOutside = RGB(0, 0, 128);
const COLORREF kGrid = RGB(192, 192, 192);
const COLORREF kText = RGB(0, 0, 0);

// 4 rows (1 fixed) of 20 pixels, 5 columns (1 fixed) of 40 pixels: the
// cells cover (0, 0, 200, 80) of a 240 x 120 client area. Cell (r, c)
// spans x = 40c .. 40c + 39, y = 20r .. 20r + 19.
class GridDraw : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetRowCount(4);
        grid.SetColumnCount(5);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        ASSERT_TRUE(grid.Create(CRect(0, 0, kWidth, kHeight), parent.Wnd(), 78, WS_CHILD | WS_VISIBLE));
        for (int r = 0; r < 4; r++)
            grid.SetRowHeight(r, 20);
        for (int c = 0; c < 5; c++)
            grid.SetColumnWidth(c, 40);
        grid.ResetScrollBars();
        SIZE client = ClientSize(grid.GetSafeHwnd());
        ASSERT_EQ(kWidth, client.cx);
        ASSERT_EQ(kHeight, client.cy);
        grid.SetTextBkColor(kCellBk);
        grid.SetFixedBkColor(kFixedBk);
        grid.SetBkColor(kOutside);
        grid.SetGridColor(kGrid);
        grid.SetTextColor(kText);
        grid.SetFixedTextColor(kText);
    }

    void Render(Canvas& canvas) { grid.OnDraw(&canvas.dc); }

    CRecordingParent parent;
    CTestGrid grid;
};

TEST_F(GridDraw, BackgroundAreasDefaultAndPerCellColours)
{
    grid.SetItemBkColour(1, 1, RGB(255, 0, 0));
    grid.SetItemBkColour(0, 3, RGB(0, 255, 0));
    Canvas canvas;
    Render(canvas);
    EXPECT_EQ(kCellBk, canvas.Pixel(100, 50));         // cell (2, 2), default colour
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(60, 30));   // cell (1, 1), its own colour
    EXPECT_EQ(kFixedBk, canvas.Pixel(20, 50));         // fixed column, default colour
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(140, 10));  // header (0, 3), its own colour
    EXPECT_EQ(kOutside, canvas.Pixel(220, 50));        // right of the cells
    EXPECT_EQ(kOutside, canvas.Pixel(100, 100));       // below the cells
    EXPECT_EQ(kOutside, canvas.Pixel(230, 110));
}

TEST_F(GridDraw, HeadersAloneWithoutOrdinaryRows)
{
    grid.SetRowCount(1);
    grid.SetItemBkColour(0, 2, RGB(0, 255, 0));
    Canvas canvas;
    Render(canvas);
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(100, 10));
    EXPECT_EQ(::GetSysColor(COLOR_3DHIGHLIGHT), canvas.Pixel(100, 0));
    EXPECT_EQ(kOutside, canvas.Pixel(100, 50));

    // An empty grid is all outside area.
    grid.SetRowCount(0);
    grid.SetColumnCount(0);
    Canvas empty;
    Render(empty);
    EXPECT_EQ(kWidth * kHeight, empty.Count(CRect(0, 0, kWidth, kHeight), kOutside));
}

TEST_F(GridDraw, GridLinesFollowTheMode)
{
    struct { int mode; bool vert, horz; } cases[] = {
        { GRIDLINES_BOTH, true, true }, { GRIDLINES_VERT, true, false },
        { GRIDLINES_HORZ, false, true }, { GRIDLINES_NONE, false, false },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.mode);
        grid.SetGridLines(c.mode);
        Canvas canvas;
        Render(canvas);
        // Last pixel column of cell (2, 2) and last pixel row of it.
        EXPECT_EQ(c.vert ? kGrid : kCellBk, canvas.Pixel(119, 50));
        EXPECT_EQ(c.horz ? kGrid : kCellBk, canvas.Pixel(100, 59));
        // Lines never cross into the fixed area.
        EXPECT_NE(kGrid, canvas.Pixel(119, 10));
        EXPECT_NE(kGrid, canvas.Pixel(20, 59));
    }
}

TEST_F(GridDraw, FocusOutlineSelectionAndFocusedSelectedCell)
{
    grid.SetItemState(1, 3, GCS_SELECTED);
    grid.SetItemBkColour(2, 2, RGB(10, 200, 10));
    grid.SetItemState(2, 2, GCS_SELECTED | GCS_FOCUSED);
    Canvas canvas;
    Render(canvas);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), canvas.Pixel(140, 30));
    // The focused cell keeps its own background inside a black outline,
    // even though it is selected too.
    EXPECT_EQ(RGB(10, 200, 10), canvas.Pixel(100, 50));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(80, 50));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(100, 40));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(118, 50));
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(100, 58));
    EXPECT_EQ(kGrid, canvas.Pixel(119, 50));
    // A drop target gets the outline over its normal background.
    grid.SetItemState(3, 1, GCS_DROPHILITED);
    Canvas canvas2;
    Render(canvas2);
    EXPECT_EQ(RGB(0, 0, 0), canvas2.Pixel(40, 70));
    EXPECT_EQ(kCellBk, canvas2.Pixel(60, 70));
}

TEST_F(GridDraw, HeaderEdgesAndSemiBoldHeadersOfTheFocusCell)
{
    // "W" text headers in columns 1 and 2; the focus cell is in column 2.
    grid.SetItemText(0, 1, "WWW");
    grid.SetItemText(0, 2, "WWW");
    grid.SetItemFormat(0, 1, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    grid.SetItemFormat(0, 2, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    {
        Canvas canvas;
        Render(canvas);
        // With no focus cell every header is raised.
        EXPECT_EQ(::GetSysColor(COLOR_3DHIGHLIGHT), canvas.Pixel(100, 0));
        EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), canvas.Pixel(119, 10));
    }
    grid.SetFocusCell(2, 2);
    Canvas canvas;
    Render(canvas);
    // Raised header (0, 1): light top and left, dark right and bottom.
    EXPECT_EQ(::GetSysColor(COLOR_3DHIGHLIGHT), canvas.Pixel(60, 0));
    EXPECT_EQ(::GetSysColor(COLOR_3DHIGHLIGHT), canvas.Pixel(40, 10));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), canvas.Pixel(79, 10));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), canvas.Pixel(60, 19));
    // Sunken header (0, 2) of the focus column and (2, 0) of its row: dark
    // top and left, light right and bottom, one pixel further out.
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), canvas.Pixel(100, 0));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), canvas.Pixel(80, 10));
    EXPECT_EQ(::GetSysColor(COLOR_3DLIGHT), canvas.Pixel(119, 10));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), canvas.Pixel(20, 40));
    EXPECT_EQ(::GetSysColor(COLOR_3DHIGHLIGHT), canvas.Pixel(20, 20));  // (1, 0) raised
    // The same text is heavier in the focus column's header.
    int nNormal = canvas.Count(CRect(42, 2, 78, 18), kText);
    int nBold = canvas.Count(CRect(82, 2, 118, 18), kText);
    EXPECT_GT(nNormal, 0);
    EXPECT_GT(nBold, nNormal);
}

TEST_F(GridDraw, OffScreenBufferGivesTheSamePixelsInsideTheClipBox)
{
    grid.SetItemText(1, 1, "12.5");
    grid.SetItemState(2, 3, GCS_SELECTED);
    grid.SetFocusCell(1, 2);
    // A clip box away from the origin: the buffer covers only that box and
    // must land at the same place.
    Canvas buffered;
    ::IntersectClipRect(buffered.dc.GetSafeHdc(), 30, 15, 170, 95);
    {
        CMemDC mem(&buffered.dc);
        EXPECT_TRUE(mem.IsMemDC());
        grid.OnDraw(&mem);
    }
    Canvas clipped;
    ::IntersectClipRect(clipped.dc.GetSafeHdc(), 30, 15, 170, 95);
    Render(clipped);
    EXPECT_TRUE(buffered.SameAs(clipped));
    EXPECT_EQ(RGB(1, 2, 3), buffered.Pixel(10, 10));     // outside the clip box: untouched
    EXPECT_EQ(kCellBk, buffered.Pixel(160, 70));
}

TEST_F(GridDraw, WindowPaintWithAndWithoutDoubleBuffering)
{
    grid.SetItemText(2, 2, "7");
    grid.SetItemBkColour(1, 3, RGB(90, 20, 160));
    grid.SetFocusCell(2, 2);
    // The window is painted for real (WM_PAINT through the grid's paint
    // handler) while its parent is shown, then its client area is copied
    // into a canvas and compared with a straight draw.
    ::SetWindowPos(parent.m_hWnd, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Canvas reference;
    Render(reference);
    Canvas shots[2];
    for (int pass = 0; pass < 2; pass++)
    {
        grid.SetDoubleBuffering(pass == 0);
        shots[pass].dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(1, 2, 3));
        // Scribble over the window first: the grid erases nothing on
        // WM_ERASEBKGND, so every pixel read back comes from this paint.
        HDC hdc = ::GetDC(grid.GetSafeHwnd());
        RECT all = { 0, 0, kWidth, kHeight };
        HBRUSH hJunk = ::CreateSolidBrush(RGB(1, 2, 3));
        ::FillRect(hdc, &all, hJunk);
        ::DeleteObject(hJunk);
        ::RedrawWindow(grid.GetSafeHwnd(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        ::BitBlt(shots[pass].dc.GetSafeHdc(), 0, 0, kWidth, kHeight, hdc, 0, 0, SRCCOPY);
        ::ReleaseDC(grid.GetSafeHwnd(), hdc);
    }
    ::ShowWindow(parent.m_hWnd, SW_HIDE);
    EXPECT_EQ(RGB(90, 20, 160), shots[0].Pixel(140, 30));
    EXPECT_TRUE(shots[0].SameAs(reference));
    EXPECT_TRUE(shots[1].SameAs(reference));
}

TEST_F(GridDraw, PrinterContextDrawsNoMarksAndNoHeaderFill)
{
    grid.SetItemBkColour(0, 3, RGB(0, 255, 0));
    grid.SetItemState(1, 3, GCS_SELECTED);
    grid.SetItemBkColour(1, 3, RGB(40, 50, 60));
    grid.SetFocusCell(2, 2);
    Canvas canvas;
    canvas.dc.m_bPrinting = TRUE;
    Render(canvas);
    canvas.dc.m_bPrinting = FALSE;
    EXPECT_EQ(kFixedBk, canvas.Pixel(140, 10));        // header colour not filled
    EXPECT_EQ(RGB(40, 50, 60), canvas.Pixel(140, 30)); // selected: own colour
    EXPECT_EQ(kCellBk, canvas.Pixel(80, 50));          // focus: no outline
    {
        CMemDC printer(&canvas.dc);
        EXPECT_TRUE(printer.IsMemDC());
    }
    canvas.dc.m_bPrinting = TRUE;
    {
        CMemDC printer(&canvas.dc);
        EXPECT_FALSE(printer.IsMemDC());
        EXPECT_EQ(canvas.dc.GetSafeHdc(), printer.GetSafeHdc());
    }
    canvas.dc.m_bPrinting = FALSE;
    // The target's context survives the pass-through.
    EXPECT_NE(0, ::GetDeviceCaps(canvas.dc.GetSafeHdc(), BITSPIXEL));
}

TEST_F(GridDraw, RgbColumnsDriveTheColourColumn)
{
    grid.SetClrRGBCol(1, 2, 3);
    grid.SetColSelColor(4, 1);
    grid.SetItemText(1, 1, "255");
    grid.SetItemText(1, 2, "0");
    grid.SetItemText(1, 3, "300");
    grid.SetRGBColor(1, 2);
    EXPECT_EQ(RGB(255, 0, 44), grid.GetItemBkColour(1, 4));
    Canvas canvas;
    Render(canvas);
    EXPECT_EQ(RGB(255, 0, 44), canvas.Pixel(180, 30));

    // A column that is not one of the three changes nothing; text that is
    // not a number counts as 0.
    grid.SetItemText(1, 1, "x9");
    grid.SetRGBColor(1, 4);
    grid.SetRGBColor(1, 0);
    EXPECT_EQ(RGB(255, 0, 44), grid.GetItemBkColour(1, 4));
    grid.SetItemText(2, 1, " -1");
    grid.SetItemText(2, 2, "abc");
    grid.SetItemText(2, 3, "+16");
    grid.SetRGBColor(2, 3);
    EXPECT_EQ(RGB(255, 0, 16), grid.GetItemBkColour(2, 4));
}

// Answers the colour dialog with a fixed choice and records what it saw.
class ColourAnswer : public CModalUIAnswerer
{
public:
    ColourAnswer(INT_PTR nResult, COLORREF crChoice) : m_nResult(nResult), m_crChoice(crChoice)
    {
        m_pPrevious = AfxSetModalUIAnswerer(this);
    }
    ~ColourAnswer() override { AfxSetModalUIAnswerer(m_pPrevious); }
    BOOL AnswerColorDialog(HWND, COLORREF* pcrColor, DWORD, INT_PTR* pnResult) override
    {
        nAsked++;
        crInitial = *pcrColor;
        *pcrColor = m_crChoice;
        *pnResult = m_nResult;
        return TRUE;
    }
    int nAsked = 0;
    COLORREF crInitial = 0;

private:
    INT_PTR m_nResult;
    COLORREF m_crChoice;
    CModalUIAnswerer* m_pPrevious;
};

TEST_F(GridDraw, ColourDialogSetsTheCellAndItsRgbColumns)
{
    grid.SetClrRGBCol(1, 2, 3);
    grid.SetColSelColor(4, 1);
    grid.SetItemText(2, 1, "5");
    grid.SetItemBkColour(2, 4, RGB(9, 8, 7));
    {
        ColourAnswer cancel(IDCANCEL, RGB(1, 1, 1));
        grid.SetClrHasRGBCol(TRUE);
        grid.SetItemColor(2, 4);
        EXPECT_EQ(1, cancel.nAsked);
        EXPECT_EQ(RGB(9, 8, 7), cancel.crInitial);
    }
    EXPECT_EQ(RGB(9, 8, 7), grid.GetItemBkColour(2, 4));
    EXPECT_STREQ("5", (LPCTSTR)grid.GetItemText(2, 1));
    {
        ColourAnswer ok(IDOK, RGB(12, 0, 250));
        grid.SetItemColor(2, 4);
        EXPECT_EQ(1, ok.nAsked);
    }
    EXPECT_EQ(RGB(12, 0, 250), grid.GetItemBkColour(2, 4));
    EXPECT_STREQ("12", (LPCTSTR)grid.GetItemText(2, 1));
    EXPECT_STREQ("0", (LPCTSTR)grid.GetItemText(2, 2));
    EXPECT_STREQ("250", (LPCTSTR)grid.GetItemText(2, 3));
    // Without the RGB feature only the colour changes.
    grid.SetClrHasRGBCol(FALSE);
    {
        ColourAnswer ok(IDOK, RGB(100, 101, 102));
        grid.SetItemColor(2, 4);
        grid.SetItemColor(40, 4);   // no such cell: no question
        EXPECT_EQ(1, ok.nAsked);
    }
    EXPECT_EQ(RGB(100, 101, 102), grid.GetItemBkColour(2, 4));
    EXPECT_STREQ("12", (LPCTSTR)grid.GetItemText(2, 1));
}

TEST_F(GridDraw, RedrawSwitchGatesCellDrawing)
{
    grid.SetItemBkColour(2, 2, RGB(255, 0, 0));
    grid.SetRedraw(FALSE);
    EXPECT_FALSE(grid.RedrawRow(2));
    EXPECT_FALSE(grid.RedrawColumn(2));
    EXPECT_FALSE(grid.RedrawCell(2, 2));
    EXPECT_FALSE(grid.InvalidateCellRect(CVXCellID(2, 2)));
    EXPECT_FALSE(grid.InvalidateCellRect(CVXCellRange(1, 1, 3, 4)));
    Canvas canvas;
    Render(canvas);
    // The background and grid lines are still painted, the cells are not.
    EXPECT_EQ(kCellBk, canvas.Pixel(100, 50));
    EXPECT_EQ(kGrid, canvas.Pixel(119, 50));
    grid.SetRedraw(TRUE);
    EXPECT_TRUE(grid.RedrawRow(2));
    EXPECT_TRUE(grid.RedrawColumn(2));
    EXPECT_TRUE(grid.InvalidateCellRect(CVXCellID(2, 2)));
    EXPECT_TRUE(grid.InvalidateCellRect(CVXCellRange(1, 1, 3, 4)));
    EXPECT_FALSE(grid.InvalidateCellRect(CVXCellID(9, 9)));
    // Redrawing into a given context paints the cell and its own lines.
    Canvas one;
    EXPECT_TRUE(grid.RedrawCell(2, 2, &one.dc));
    EXPECT_EQ(RGB(255, 0, 0), one.Pixel(100, 50));
    EXPECT_EQ(kGrid, one.Pixel(119, 50));
    EXPECT_EQ(kGrid, one.Pixel(100, 59));
    EXPECT_EQ(RGB(1, 2, 3), one.Pixel(60, 50));
}

} // namespace
