// The selection map, the focus cell and their agreement with the cell states.

#include "grid_test_util.h"

#include <algorithm>

using namespace gridtest;

// The map and the GCS_SELECTED bits describe the same set of cells, and the
// selected range is exactly the smallest one holding the marked cells.
static void ExpectMapMatchesStates(CVXGridCtrl& grid)
{
    EXPECT_EQ(CountCellsMarkedSelected(grid), grid.GetSelectedCount());
    CVXCellRange marked(grid.GetRowCount(), grid.GetColumnCount(), -1, -1);
    for (int r = 0; r < grid.GetRowCount(); r++)
        for (int c = 0; c < grid.GetColumnCount(); c++)
            if (grid.GetItemState(r, c) & GCS_SELECTED)
                marked.Set(std::min(marked.minRow, r), std::min(marked.minCol, c),
                           std::max(marked.maxRow, r), std::max(marked.maxCol, c));
    CVXCellRange range = grid.GetSelectedCellRange();
    EXPECT_TRUE(range == marked) << "(" << range.minRow << "," << range.minCol << ")-(" << range.maxRow << ","
                                 << range.maxCol << ")";
    if (grid.GetSelectedCount() == 0)
        EXPECT_FALSE(grid.IsValid(range));
}

TEST(GridSelection, SetItemStateKeepsOneMapEntryPerSelectedCell)
{
    CVXGridCtrl grid(4, 4);
    EXPECT_TRUE(grid.SetItemState(2, 3, GCS_SELECTED));
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_TRUE(grid.SetItemState(2, 3, GCS_SELECTED | GCS_READONLY));
    EXPECT_EQ(1, grid.GetSelectedCount()) << "setting it again adds no second entry";
    EXPECT_TRUE(grid.SetItemState(1, 0, GCS_SELECTED));
    EXPECT_EQ(2, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(1, 0, 2, 3));
    EXPECT_TRUE(grid.SetItemState(2, 3, 0));
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(1, 0, 1, 0));
    ExpectMapMatchesStates(grid);

    // A raw SetItem stores the state without touching the map.
    GV_ITEM item;
    item.row = 3;
    item.col = 3;
    item.mask = GIM_STATE;
    item.nState = GCS_SELECTED;
    EXPECT_TRUE(grid.SetItem(&item));
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_EQ((UINT)GCS_SELECTED, grid.GetItemState(3, 3));
    // ... and a reset clears both the map and every bit it knows of.
    item.row = 1;
    item.col = 0;
    item.nState = 0;
    EXPECT_TRUE(grid.SetItem(&item));   // the map entry now has no bit
    grid.ResetSelectedRange();
    EXPECT_EQ(0, grid.GetSelectedCount());
}

TEST(GridSelection, EmptySelectionHasAnInvalidRange)
{
    CVXGridCtrl grid(5, 7);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(5, 7, -1, -1));
}

TEST(GridSelection, RangesSelectCellsExceptColourColumnsAndReplaceTheOldRange)
{
    CVXGridCtrl grid(6, 6, 1, 1);
    grid.SetColSelColor(3, 1);
    grid.SetSelectedRange(1, 1, 3, 4);
    EXPECT_EQ(9, grid.GetSelectedCount());     // 3 rows x (4 columns - colour column)
    EXPECT_EQ(0u, grid.GetItemState(2, 3) & GCS_SELECTED);
    ExpectMapMatchesStates(grid);

    grid.SetSelectedRange(CVXCellRange(4, 4, 5, 5));
    EXPECT_EQ(4, grid.GetSelectedCount());
    EXPECT_EQ(0u, grid.GetItemState(1, 1) & GCS_SELECTED);
    ExpectMapMatchesStates(grid);

    // An invalid range only clears.
    grid.SetSelectedRange(2, 2, 9, 9);
    EXPECT_EQ(0, grid.GetSelectedCount());
    ExpectMapMatchesStates(grid);

    // With selection disabled nothing changes, and enabling/disabling clears.
    grid.SetSelectedRange(1, 1, 2, 2);
    grid.SetFocusCell(2, 2);
    grid.EnableSelection(FALSE);
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(-1, -1));
    grid.SetSelectedRange(1, 1, 2, 2);
    EXPECT_EQ(0, grid.GetSelectedCount());
    grid.EnableSelection(TRUE);
    grid.SetSelectedRange(1, 1, 2, 2);
    EXPECT_EQ(4, grid.GetSelectedCount());
}

TEST(GridSelection, MapStaysEqualToMarkedCellsThroughShapeChanges)
{
    CVXGridCtrl grid(8, 8, 1, 1);
    grid.SetSelectedRange(2, 2, 7, 7);
    EXPECT_EQ(36, grid.GetSelectedCount());

    // Shrinking empties the removed cells, which leave the selection.
    grid.SetRowCount(5);
    ExpectMapMatchesStates(grid);
    EXPECT_EQ(18, grid.GetSelectedCount());
    grid.SetColumnCount(4);
    ExpectMapMatchesStates(grid);
    EXPECT_EQ(6, grid.GetSelectedCount());

    // Growing adds unselected cells.
    grid.SetRowCount(9);
    grid.SetColumnCount(9);
    ExpectMapMatchesStates(grid);

    // Structural changes clear it.
    grid.SetSelectedRange(1, 1, 8, 8);
    grid.DeleteRow(3);
    ExpectMapMatchesStates(grid);
    EXPECT_EQ(0, grid.GetSelectedCount());
    grid.SetSelectedRange(1, 1, 7, 8);
    grid.InsertColumn("x", 0, 2);
    ExpectMapMatchesStates(grid);
    grid.SetSelectedRange(1, 1, 7, 8);
    grid.DeleteColumn(0);
    ExpectMapMatchesStates(grid);
    grid.SetSelectedRange(1, 1, 7, 7);
    grid.SortTextItems(1, TRUE);
    ExpectMapMatchesStates(grid);
    EXPECT_EQ(0, grid.GetSelectedCount());
    grid.SetSelectedRange(1, 1, 7, 7);
    grid.DeleteAllItems();
    EXPECT_EQ(0, grid.GetSelectedCount());
}

TEST(GridSelection, CellsFarApartNeverShareASelectionKey)
{
    // Rows 5 and 65541 (and columns 0 and 65536) collide in a key that
    // packs the row into 16 bits; here each cell has its own key.
    const int nRows = 65536 + 10;
    CVXGridCtrl grid(nRows, 2);
    EXPECT_TRUE(grid.SetItemState(5, 1, GCS_SELECTED));
    EXPECT_TRUE(grid.SetItemState(5 + 65536, 1, GCS_SELECTED));
    EXPECT_EQ(2, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(5, 1, 5 + 65536, 1));

    // Unselecting one leaves the other selected and counted.
    EXPECT_TRUE(grid.SetItemState(5, 1, 0));
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(5 + 65536, 1, 5 + 65536, 1));
    CVXCellID start(-1, -1);
    EXPECT_TRUE(grid.GetNextItem(start, GNI_BELOW | GCS_SELECTED) == CVXCellID(5 + 65536, 1));

    // A range across the boundary selects every cell once.
    grid.SetSelectedRange(65530, 0, 65541, 1);
    EXPECT_EQ(24, grid.GetSelectedCount());
    EXPECT_EQ(0u, grid.GetItemState(5, 1) & GCS_SELECTED);
    grid.ResetSelectedRange();
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_EQ(0u, grid.GetItemState(65540, 0));

    // Columns 65536 apart.
    CVXGridCtrl wide(1, 65536 + 1);
    wide.SetItemState(0, 0, GCS_SELECTED);
    wide.SetItemState(0, 65536, GCS_SELECTED);
    EXPECT_EQ(2, wide.GetSelectedCount());
    wide.SetItemState(0, 65536, 0);
    EXPECT_EQ(1, wide.GetSelectedCount());
    EXPECT_TRUE(wide.GetSelectedCellRange() == CVXCellRange(0, 0, 0, 0));
}

TEST(GridSelection, FocusCellCarriesTheFocusedBitAndReturnsThePrevious)
{
    CVXGridCtrl grid(5, 5);
    EXPECT_TRUE(grid.SetFocusCell(2, 3) == CVXCellID(-1, -1));
    EXPECT_TRUE(grid.GetItemState(2, 3) & GCS_FOCUSED);
    EXPECT_TRUE(grid.SetFocusCell(CVXCellID(4, 4)) == CVXCellID(2, 3));
    EXPECT_EQ(0u, grid.GetItemState(2, 3) & GCS_FOCUSED);
    EXPECT_TRUE(grid.GetItemState(4, 4) & GCS_FOCUSED);
    // The same cell again: nothing changes, the current focus is returned.
    EXPECT_TRUE(grid.SetFocusCell(4, 4) == CVXCellID(4, 4));
    // An invalid cell is stored but marks nothing.
    EXPECT_TRUE(grid.SetFocusCell(9, 9) == CVXCellID(4, 4));
    EXPECT_EQ(0u, grid.GetItemState(4, 4) & GCS_FOCUSED);
    // The focus is independent of the selection.
    grid.SetFocusCell(1, 1);
    grid.SetSelectedRange(3, 3, 3, 3);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(1, 1));
    grid.ResetSelectedRange();
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(-1, -1));
    EXPECT_EQ(0u, grid.GetItemState(1, 1));
}

// A parent window that records the grid's notifications.
class CNotifyParent : public CWnd
{
public:
    struct Note
    {
        int code, row, col;
        HWND hwndFrom;
        UINT_PTR idFrom;
    };
    std::vector<Note> notes;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const GRIDNOTIFY* p = (const GRIDNOTIFY*)lParam;
        notes.push_back({ (int)p->hdr.code, p->iRow, p->iColumn, p->hdr.hwndFrom, p->hdr.idFrom });
        *pResult = 0;
        return TRUE;
    }
};

TEST(GridSelection, WithAWindowFocusChangesNotifyTheParent)
{
    CNotifyParent parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW,
                                0, 0, 300, 200, NULL, NULL));
    CVXGridCtrl grid(5, 5, 1, 1);
    ASSERT_TRUE(grid.CreateEx(0, "MFCGridCtrl", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100),
                              &parent, 77));

    grid.SetFocusCell(1, 1);
    grid.SetFocusCell(2, 3);
    grid.SetFocusCell(2, 3);   // unchanged: nothing sent
    grid.ResetSelectedRange();
    ASSERT_EQ(4u, parent.notes.size());
    EXPECT_EQ(GRIDN_SELCHANGED, parent.notes[0].code);
    EXPECT_EQ(1, parent.notes[0].row);
    EXPECT_EQ(1, parent.notes[0].col);
    EXPECT_EQ(grid.GetSafeHwnd(), parent.notes[0].hwndFrom);
    EXPECT_EQ(77u, parent.notes[0].idFrom);
    EXPECT_EQ(GRIDN_SELCHANGING, parent.notes[1].code);
    EXPECT_EQ(1, parent.notes[1].row);
    EXPECT_EQ(GRIDN_SELCHANGED, parent.notes[2].code);
    EXPECT_EQ(2, parent.notes[2].row);
    EXPECT_EQ(3, parent.notes[2].col);
    EXPECT_EQ(GRIDN_SELCHANGING, parent.notes[3].code);
    EXPECT_EQ(3, parent.notes[3].col);

    // Sorting clears the focus, which the parent hears about.
    grid.SetFocusCell(3, 3);
    parent.notes.clear();
    grid.SortTextItems(1, TRUE);
    ASSERT_EQ(1u, parent.notes.size());
    EXPECT_EQ(GRIDN_SELCHANGING, parent.notes[0].code);

    // Measuring on the window's DC gives what the screen DC gave before,
    // apart from the margins: the window's font sets the margin (one space),
    // a grid without a window has none.
    CVXGridCtrl windowless;
    CSize sizeBefore = windowless.GetTextExtent("Heading text", TRUE);
    CSize sizeAfter = grid.GetTextExtent("Heading text", TRUE);
    EXPECT_EQ(0, windowless.GetTextExtent("", TRUE).cx);
    int nMargins = grid.GetTextExtent("", TRUE).cx;
    EXPECT_GT(nMargins, 0);
    EXPECT_EQ(sizeBefore.cx + nMargins, sizeAfter.cx);
    EXPECT_EQ(sizeBefore.cy + nMargins, sizeAfter.cy);

    // Shape changes with a window keep working.
    EXPECT_TRUE(grid.SetRowCount(50));
    EXPECT_EQ(2, grid.InsertRow("x", 2));
    EXPECT_TRUE(grid.DeleteAllItems());
    grid.DestroyWindow();
    parent.DestroyWindow();
}
