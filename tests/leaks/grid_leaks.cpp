// The grid and its in-place editor through 1,000 cycles each: made, filled,
// painted, edited with real key messages, sorted, sized, saved and loaded,
// clicked and destroyed (half the time with the editor still open).
#include "LeakHarness.h"

#include "grid/GridCtrl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{

const int kRows = 16;   // the title row and 15 rows of data

void FillGrid(CVXGridCtrl& grid)
{
    grid.SetRowCount(kRows);
    grid.SetColumnCount(7);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetTextFormat(2, 2);
    grid.SetClrRGBCol(3, 4, 5);
    grid.SetClrHasRGBCol(TRUE);
    grid.SetColSelColor(6, 1);
    char sz[64];
    for (int c = 0; c < 7; ++c)
    {
        std::snprintf(sz, sizeof(sz), "Column title %d", c);
        grid.SetItemText(0, c, sz);
    }
    for (int r = 1; r < kRows; ++r)
    {
        std::snprintf(sz, sizeof(sz), "%d", r);
        grid.SetItemText(r, 0, sz);
        std::snprintf(sz, sizeof(sz), "region %d with a long name", (r * 7) % kRows);
        grid.SetItemText(r, 1, sz);
        std::snprintf(sz, sizeof(sz), "%.2f", r * 1.25);
        grid.SetItemText(r, 2, sz);
        for (int c = 3; c < 6; ++c)
        {
            std::snprintf(sz, sizeof(sz), "%d", (r * 37 + c * 50) % 256);
            grid.SetItemText(r, c, sz);
        }
        grid.SetRGBColor(r, 3);
        if (r % 5 == 0)
            grid.SetItemBkColour(r, 1, RGB(200, 220, 255));
    }
}

HWND Editor(const CVXGridCtrl& grid) { return ::FindWindowExA(grid.GetSafeHwnd(), nullptr, "Edit", nullptr); }

std::string TempPath(const char* name)
{
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

} // namespace

TEST(Leaks, GridAndItsInPlaceEditor)
{
    CLeakHost host;
    ASSERT_TRUE(::IsWindow(host.wnd.m_hWnd));
    const std::string path = TempPath("kvvx-leak-grid.csv");
    int nEdited = 0, nLoaded = 0;
    LeakReport r = RunLeakCycles("grid and in-place editor", [&](LeakCycle& c) {
        CVXGridCtrl grid;
        FillGrid(grid);
        grid.SetEditable(TRUE);
        grid.SetListMode(c.Index() % 2 == 0);
        grid.SetHeaderSort(TRUE);
        ASSERT_TRUE(grid.Create(CRect(0, 0, 500, 380), &host.wnd, 100, WS_CHILD | WS_VISIBLE | WS_TABSTOP));
        grid.UpdateWindow();   // a real paint: memory DC, brushes, pens, fonts

        // A click on a cell, then typing starts the in-place editor.
        CRect rc;
        grid.GetCellRect(3, 2, &rc);
        const LPARAM at = MAKELPARAM(rc.left + 4, rc.top + 4);
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        grid.SendMessage(WM_LBUTTONUP, 0, at);
        grid.SetFocusCell(3, 2);
        grid.SendMessage(WM_CHAR, '4', 1);
        HWND hEdit = Editor(grid);
        ASSERT_NE(hEdit, nullptr);
        ::SendMessageA(hEdit, WM_CHAR, '2', 1);
        c.Alive();   // the grid, its editor and what both drew with exist now
        if (c.Index() % 2 == 0)
        {
            ::SendMessageA(hEdit, WM_CHAR, VK_RETURN, 1);
            PumpPending();
            nEdited += grid.GetItemText(3, 2) == "42.00";
        }
        else
        {
            ++nEdited;   // the grid goes with its editor open
        }

        grid.SortTextItems(1, c.Index() % 3 == 0);
        grid.SetSelectedRange(1, 1, 10, 5);
        if (c.Index() % 10 == 0)
        {
            // The slower uses, on every tenth cycle: measuring every text,
            // a full repaint, a file written and read back.
            grid.AutoSizeColumns();
            grid.RedrawWindow();
            ASSERT_TRUE(grid.Save(path.c_str()));
            CVXGridCtrl other;
            ASSERT_TRUE(other.Load(path.c_str()));
            nLoaded += other.GetRowCount() == grid.GetRowCount();
        }
        grid.DestroyWindow();
    });
    ::DeleteFileA(path.c_str());
    ExpectNothingLeft(r);
    EXPECT_EQ(nEdited, 1020);
    EXPECT_EQ(nLoaded, 102);
}

TEST(Leaks, GridDataWithoutAWindow)
{
    // The cell store alone: rows and columns inserted, filled, sorted,
    // shrunk and cleared.
    LeakReport r = RunLeakCycles("grid cell store", [](LeakCycle& c) {
        CVXGridCtrl grid;
        FillGrid(grid);
        grid.InsertRow("inserted", 5);
        grid.InsertColumn("new column");
        grid.SortTextItems(2, FALSE);
        grid.DeleteRow(7);
        grid.DeleteColumn(3);
        grid.SetRowCount(12);
        c.Alive();
        grid.DeleteAllItems();
    });
    ExpectNothingLeft(r, false, false);
}
