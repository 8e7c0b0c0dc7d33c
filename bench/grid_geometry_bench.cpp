// Position queries of the grid near the bottom of 1,000,000 rows against the
// same queries near the top, in one run: the cell under a point, whether a
// cell is visible, a cell's rectangle, bringing a neighbouring cell into
// view, redrawing one cell and painting the whole window. Also the cost of
// changing a row height or inserting a row followed by one query, and a
// full-window paint against a Win32 ListView in report view painting the
// same visible texts. Prints the times and the ratios (bottom / top); a ratio
// near 1 means the work does not walk the rows from the top.
//
// Then keys and clicks as the user gives them, sent as real messages to the
// shown grid window near the top and near the bottom: Down on the last
// visible row (the view scrolls), Down on the grid's last row (nothing to
// move to; against the same on a short grid), a click on a cell that is not
// the focus cell, and a Shift+click extending the selection from the focus
// cell three rows down. Each is timed alone, then again followed by the
// repaint it asked for; the median of many presses is taken, and the ratio
// bottom / top is held against the target of 1.5.

#include "grid/GridCtrl.h"

#include <windows.h>
#include "BenchClock.h"
#include <commctrl.h>
#include <stdio.h>

#include <algorithm>
#include <vector>

namespace
{
const int kRows = 1000000;
const int kReps = 2000;
const int kPaintReps = 200;
const int kClient = 300;

// An off-screen surface of the grid's client size to paint into.
struct Surface
{
    HDC hdc;
    HBITMAP hbm, hOld;
    Surface()
    {
        HDC hScreen = GetDC(NULL);
        hdc = CreateCompatibleDC(hScreen);
        hbm = CreateCompatibleBitmap(hScreen, kClient, kClient);
        ReleaseDC(NULL, hScreen);
        hOld = (HBITMAP)SelectObject(hdc, hbm);
    }
    ~Surface()
    {
        SelectObject(hdc, hOld);
        DeleteObject(hbm);
        DeleteDC(hdc);
    }
};

// Microseconds per query at the current scroll position.
struct Times
{
    double hit, visible, rect, ensure, redraw, paint;
};

Times Measure(CVXGridCtrl& grid)
{
    Times t;
    CVXCellID top = grid.GetTopleftNonFixedCell();
    volatile int sink = 0;

    double t0 = Now();
    for (int i = 0; i < kReps; i++)
        sink += grid.GetCellFromPt(CPoint(60, 30 + i % 100)).row;
    t.hit = (Now() - t0) * 1e6 / kReps;

    t0 = Now();
    for (int i = 0; i < kReps; i++)
        sink += grid.IsCellVisible(top.row + i % 10, 1);
    t.visible = (Now() - t0) * 1e6 / kReps;

    t0 = Now();
    RECT rc;
    for (int i = 0; i < kReps; i++)
        sink += grid.GetCellRect(top.row + i % 10, 1, &rc);
    t.rect = (Now() - t0) * 1e6 / kReps;

    // One row down and back up: two line requests each time.
    t0 = Now();
    for (int i = 0; i < kReps / 2; i++)
    {
        CVXCellRange vis = grid.GetUnobstructedNonFixedCellRange();
        grid.EnsureVisible(vis.maxRow + 1, 1);
        grid.EnsureVisible(vis.minRow, 1);
    }
    t.ensure = (Now() - t0) * 1e6 / kReps;

    // One cell redrawn into a device context, and the whole client area
    // painted, as WM_PAINT does it minus BeginPaint.
    Surface surface;
    CDC dc;
    dc.Attach(surface.hdc);
    CVXCellID first = grid.GetTopleftNonFixedCell();
    t0 = Now();
    for (int i = 0; i < kReps; i++)
        sink += grid.RedrawCell(first.row + i % 10, 1, &dc);
    t.redraw = (Now() - t0) * 1e6 / kReps;
    t0 = Now();
    for (int i = 0; i < kPaintReps; i++)
        grid.OnDraw(&dc);
    t.paint = (Now() - t0) * 1e6 / kPaintReps;
    dc.Detach();
    (void)sink;
    return t;
}

// A report-view ListView of the same size holding the texts the grid shows,
// painted into the same kind of surface with WM_PRINTCLIENT.
double ListViewPaint(HWND hParent, CVXGridCtrl& grid)
{
    HWND hList = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, kClient,
                                 kClient, hParent, NULL, GetModuleHandleA(NULL), NULL);
    for (int c = 0; c < grid.GetColumnCount(); c++)
    {
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        CString head = grid.GetItemText(0, c);
        col.pszText = (LPSTR)(LPCSTR)head;
        col.cx = grid.GetColumnWidth(c);
        SendMessageA(hList, LVM_INSERTCOLUMNA, c, (LPARAM)&col);
    }
    CVXCellRange vis = grid.GetVisibleNonFixedCellRange();
    for (int r = vis.minRow; r <= vis.maxRow; r++)
    {
        CString t0 = grid.GetItemText(r, 0), t1 = grid.GetItemText(r, 1);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r - vis.minRow;
        item.pszText = (LPSTR)(LPCSTR)t0;
        SendMessageA(hList, LVM_INSERTITEMA, 0, (LPARAM)&item);
        item.iSubItem = 1;
        item.pszText = (LPSTR)(LPCSTR)t1;
        SendMessageA(hList, LVM_SETITEMTEXTA, item.iItem, (LPARAM)&item);
    }
    Surface surface;
    double t0 = Now();
    for (int i = 0; i < kPaintReps; i++)
        SendMessageA(hList, WM_PRINTCLIENT, (WPARAM)surface.hdc, PRF_CLIENT | PRF_ERASEBKGND);
    double t = (Now() - t0) * 1e6 / kPaintReps;
    DestroyWindow(hList);
    return t;
}

// ---------------------------------------------------------------- keys and clicks

const int kInputReps = 400;
const double kInputTarget = 1.5;

// The thread's key state says no Shift or Ctrl is held, whatever a
// physical keyboard says: the grid reads Shift for keys through
// GetKeyState, and the clicks carry their own MK_ flags.
void ReleaseModifierKeys()
{
    BYTE keys[256];
    if (!GetKeyboardState(keys))
        return;
    const int modifiers[] = {VK_SHIFT, VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL, VK_RCONTROL};
    for (int vk : modifiers)
        keys[vk] = 0;
    SetKeyboardState(keys);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Counts presses that did not do what they were meant to, so a figure
// never stands for a press the grid ignored.
int g_nMissed = 0;

void Expect(bool bDone)
{
    if (!bDone)
        g_nMissed++;
}

// The median of a set of per-press times, in microseconds.
double Median(std::vector<double>& samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2] * 1e6;
}

CPoint CellCentre(CVXGridCtrl& grid, int nRow, int nCol)
{
    CRect rc;
    grid.GetCellRect(nRow, nCol, &rc);
    return rc.CenterPoint();
}

void Click(HWND hGrid, CPoint pt, WPARAM keys)
{
    SendMessageA(hGrid, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(pt.x, pt.y));
    SendMessageA(hGrid, WM_LBUTTONUP, keys, MAKELPARAM(pt.x, pt.y));
}

// Brings the view to the top, or to 200 lines above the bottom (so that a
// Down key on the last visible row still has rows to scroll to), and lets
// the window repaint.
void MoveView(CVXGridCtrl& grid, bool bBottom)
{
    HWND hGrid = grid.GetSafeHwnd();
    SendMessageA(hGrid, WM_VSCROLL, SB_TOP, 0);
    if (bBottom)
    {
        SendMessageA(hGrid, WM_VSCROLL, SB_BOTTOM, 0);
        for (int i = 0; i < 200; i++)
            SendMessageA(hGrid, WM_VSCROLL, SB_LINEUP, 0);
    }
    UpdateWindow(hGrid);
    PumpMessages();
}

// Median microseconds per press at the current view; with bRepaint the
// repaint the press asked for (UpdateWindow) is part of the time.
struct InputTimes
{
    double down, click, shiftClick;
};

InputTimes MeasureInput(CVXGridCtrl& grid, bool bRepaint)
{
    HWND hGrid = grid.GetSafeHwnd();
    InputTimes t;
    std::vector<double> samples;
    samples.reserve(kInputReps);

    // Down with the focus on the last row that shows (a row cut by the
    // bottom edge counts as shown): the focus moves one row on, out of view,
    // and the view scrolls to show it plus one line. Put back afterwards,
    // untimed.
    const CVXCellID top = grid.GetTopleftNonFixedCell();
    for (int i = 0; i < kInputReps; i++)
    {
        CVXCellRange vis = grid.GetVisibleNonFixedCellRange();
        grid.SetFocusCell(vis.maxRow, 1);
        UpdateWindow(hGrid);
        double t0 = Now();
        SendMessageA(hGrid, WM_KEYDOWN, VK_DOWN, 1);
        if (bRepaint)
            UpdateWindow(hGrid);
        samples.push_back(Now() - t0);
        Expect(grid.GetFocusCell() == CVXCellID(vis.maxRow + 1, 1) &&
               grid.GetTopleftNonFixedCell().row > top.row);
        while (grid.GetTopleftNonFixedCell().row > top.row)
            SendMessageA(hGrid, WM_VSCROLL, SB_LINEUP, 0);
        UpdateWindow(hGrid);
    }
    t.down = Median(samples);

    // A click on a cell other than the focus cell, alternating between two
    // cells of the view.
    samples.clear();
    const CPoint a = CellCentre(grid, top.row + 2, 1), b = CellCentre(grid, top.row + 5, 1);
    for (int i = 0; i < kInputReps; i++)
    {
        double t0 = Now();
        Click(hGrid, i % 2 ? b : a, 0);
        if (bRepaint)
            UpdateWindow(hGrid);
        samples.push_back(Now() - t0);
        Expect(grid.GetFocusCell() == CVXCellID(top.row + (i % 2 ? 5 : 2), 1));
    }
    t.click = Median(samples);

    // A plain click on one cell (untimed), then a Shift+click three rows
    // below it: the selection grows from the focus cell to four rows.
    samples.clear();
    const CPoint c = CellCentre(grid, top.row + 5, 1);
    for (int i = 0; i < kInputReps; i++)
    {
        Click(hGrid, a, 0);
        UpdateWindow(hGrid);
        double t0 = Now();
        Click(hGrid, c, MK_SHIFT);
        if (bRepaint)
            UpdateWindow(hGrid);
        samples.push_back(Now() - t0);
        CVXCellRange sel = grid.GetSelectedCellRange();
        Expect(sel.minRow == top.row + 2 && sel.maxRow == top.row + 5 && sel.minCol == 1 && sel.maxCol == 1);
    }
    t.shiftClick = Median(samples);
    return t;
}

// Median microseconds of a Down key on the grid's last row, where the focus
// has nowhere to go.
double DownOnLastRow(CVXGridCtrl& grid)
{
    HWND hGrid = grid.GetSafeHwnd();
    SendMessageA(hGrid, WM_VSCROLL, SB_BOTTOM, 0);
    grid.SetFocusCell(grid.GetRowCount() - 1, 1);
    UpdateWindow(hGrid);
    PumpMessages();
    std::vector<double> samples;
    for (int i = 0; i < kInputReps; i++)
    {
        double t0 = Now();
        SendMessageA(hGrid, WM_KEYDOWN, VK_DOWN, 1);
        samples.push_back(Now() - t0);
        Expect(grid.GetFocusCell() == CVXCellID(grid.GetRowCount() - 1, 1));
    }
    return Median(samples);
}

void PrintInputRow(const char* name, double top, double bottom)
{
    double ratio = bottom / top;
    printf("%-28s %12.3f %12.3f %8.2f  %s\n", name, top, bottom, ratio,
           ratio <= kInputTarget ? "PASS" : "over target");
}
} // namespace

int main()
{
    HWND hParent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, NULL, NULL,
                                   GetModuleHandleA(NULL), NULL);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    CVXGridCtrl grid(kRows, 2, 1, 1);
    if (!grid.Create(CRect(0, 0, kClient, kClient), CWnd::FromHandle(hParent), 1, WS_CHILD | WS_VISIBLE))
    {
        printf("cannot create the grid window\n");
        return 1;
    }
    for (int r = 0; r < kRows; r += 3)
        grid.SetRowHeight(r, 17);
    char text[32];
    for (int r = 0; r < kRows; r++)
    {
        sprintf(text, "Region %d", r);
        grid.SetItemText(r, 0, text);
        sprintf(text, "%d.%02d", (r * 37) % 5000, r % 100);
        grid.SetItemText(r, 1, text);
    }
    grid.SetRedraw(TRUE, TRUE);

    Times top = Measure(grid);
    grid.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    grid.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    CVXCellID bottomCell = grid.GetTopleftNonFixedCell();
    Times bottom = Measure(grid);

    printf("rows: %d, top-left row near the bottom: %d\n", kRows, bottomCell.row);
    printf("%-28s %12s %12s %8s\n", "query (us per call)", "near top", "near bottom", "ratio");
    printf("%-28s %12.3f %12.3f %8.2f\n", "GetCellFromPt", top.hit, bottom.hit, bottom.hit / top.hit);
    printf("%-28s %12.3f %12.3f %8.2f\n", "IsCellVisible", top.visible, bottom.visible,
           bottom.visible / top.visible);
    printf("%-28s %12.3f %12.3f %8.2f\n", "GetCellRect", top.rect, bottom.rect, bottom.rect / top.rect);
    printf("%-28s %12.3f %12.3f %8.2f\n", "EnsureVisible (one step)", top.ensure, bottom.ensure,
           bottom.ensure / top.ensure);
    printf("%-28s %12.3f %12.3f %8.2f\n", "RedrawCell", top.redraw, bottom.redraw, bottom.redraw / top.redraw);
    printf("%-28s %12.3f %12.3f %8.2f\n", "full-window paint", top.paint, bottom.paint, bottom.paint / top.paint);

    // The same visible texts in a ListView, painted the same way.
    double list = ListViewPaint(hParent, grid);
    printf("%-28s %12.3f us (grid near the bottom / ListView: %.2f)\n", "ListView full paint", list,
           bottom.paint / list);

    // Changing the size of a row, or inserting one, then asking once.
    const int kChanges = 50;
    double t0 = Now();
    for (int i = 0; i < kChanges; i++)
    {
        grid.SetRowHeight(kRows - 10 - i, 20 + i % 5);
        grid.GetCellFromPt(CPoint(60, 40));
    }
    double change = (Now() - t0) * 1e6 / kChanges;
    t0 = Now();
    for (int i = 0; i < kChanges; i++)
    {
        grid.InsertRow("x", kRows / 2);
        grid.GetCellFromPt(CPoint(60, 40));
    }
    double insert = (Now() - t0) * 1e6 / kChanges;
    // Baseline: inserting with drawing off (moving the row tables only, no
    // scroll bars and no query).
    grid.SetRedraw(FALSE);
    t0 = Now();
    for (int i = 0; i < kChanges; i++)
        grid.InsertRow("x", kRows / 2);
    double insertOnly = (Now() - t0) * 1e6 / kChanges;
    grid.SetRedraw(TRUE);
    printf("%-28s %12.3f us (ratio to a query near the top: %.2f)\n", "SetRowHeight + query", change,
           change / top.hit);
    printf("%-28s %12.3f us\n", "InsertRow + query", insert);
    printf("%-28s %12.3f us (ratio: %.2f)\n", "InsertRow, drawing off", insertOnly, insert / insertOnly);


    // Keys and clicks on the shown window, near the top and near the bottom.
    ShowWindow(hParent, SW_SHOWNORMAL);
    ReleaseModifierKeys();
    PumpMessages();
    grid.SetFocus();
    printf("\n%-28s %12s %12s %8s  target: ratio <= %.1f\n", "input (median us per press)", "near top",
           "near bottom", "ratio", kInputTarget);
    for (int pass = 0; pass < 2; pass++)
    {
        const bool bRepaint = pass == 1;
        MoveView(grid, false);
        InputTimes inTop = MeasureInput(grid, bRepaint);
        MoveView(grid, true);
        InputTimes inBottom = MeasureInput(grid, bRepaint);
        printf("%s\n", bRepaint ? "message, then the repaint it asked for:" : "message only:");
        PrintInputRow("  Down on last visible row", inTop.down, inBottom.down);
        PrintInputRow("  click on another cell", inTop.click, inBottom.click);
        PrintInputRow("  Shift+click, 3 rows down", inTop.shiftClick, inBottom.shiftClick);
    }

    // Down on the very last row: the large grid against a grid of 50 rows.
    CVXGridCtrl shortGrid(50, 2, 1, 1);
    if (shortGrid.Create(CRect(0, 0, kClient, kClient), CWnd::FromHandle(hParent), 2, WS_CHILD | WS_VISIBLE))
    {
        grid.ShowWindow(SW_HIDE);
        double lastShort = DownOnLastRow(shortGrid);
        shortGrid.DestroyWindow();
        grid.ShowWindow(SW_SHOW);
        double lastLong = DownOnLastRow(grid);
        char longRows[32];
        sprintf(longRows, "%d rows", grid.GetRowCount());
        printf("%-28s %12s %12s %8s\n", "", "50 rows", longRows, "ratio");
        PrintInputRow("  Down on the last row", lastShort, lastLong);
    }
    if (g_nMissed > 0)
        printf("warning: %d presses did not move the focus or the selection as intended\n", g_nMissed);

    grid.DestroyWindow();
    DestroyWindow(hParent);
    return 0;
}
