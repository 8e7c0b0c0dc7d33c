// Position queries of the grid near the bottom of 1,000,000 rows against the
// same queries near the top, in one run: the cell under a point, whether a
// cell is visible, a cell's rectangle, and bringing a neighbouring cell into
// view. Also the cost of changing a row height or inserting a row followed
// by one query. Prints the times and the ratios (bottom / top); a ratio near
// 1 means the queries do not walk the rows from the top.

#include "grid/GridCtrl.h"

#include <windows.h>
#include "BenchClock.h"
#include <stdio.h>

namespace
{
const int kRows = 1000000;
const int kReps = 2000;

// Microseconds per query at the current scroll position.
struct Times
{
    double hit, visible, rect, ensure;
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
    (void)sink;
    return t;
}
} // namespace

int main()
{
    HWND hParent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, NULL, NULL,
                                   GetModuleHandleA(NULL), NULL);
    CVXGridCtrl grid(kRows, 2, 1, 1);
    if (!grid.Create(CRect(0, 0, 300, 300), CWnd::FromHandle(hParent), 1, WS_CHILD | WS_VISIBLE))
    {
        printf("cannot create the grid window\n");
        return 1;
    }
    for (int r = 0; r < kRows; r += 3)
        grid.SetRowHeight(r, 17);
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

    grid.DestroyWindow();
    DestroyWindow(hParent);
    return 0;
}
