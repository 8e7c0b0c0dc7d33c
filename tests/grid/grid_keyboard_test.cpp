// Keys and characters sent as real messages to a grid window: focus moves
// with their notifications, plain and Shift moves of the selection, Tab
// wrapping with the scroll back to the left edge, paging at the end, Home
// and End, Delete, the Ctrl shortcuts and the dialog codes.

#include "grid_window_util.h"

using namespace gridtest;

namespace
{

// Records the overridable commands the keys route to.
class CKeyGrid : public CTestGrid
{
public:
    int nCopy = 0, nCut = 0, nPaste = 0;
    std::vector<UINT> editChars;
    CVXCellID editCell;

    void OnEditCopy() override { nCopy++; }
    void OnEditCut() override { nCut++; }
    void OnEditPaste() override { nPaste++; }
    void OnEditCell(int nRow, int nCol, UINT nChar) override
    {
        editCell = CVXCellID(nRow, nCol);
        editChars.push_back(nChar);
    }
};

// Holds Shift and/or Ctrl down in this thread's key state for its lifetime.
class CHeldKeys
{
public:
    CHeldKeys(BOOL bShift, BOOL bCtrl)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = bShift ? 0x80 : 0;
        keys[VK_CONTROL] = bCtrl ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    ~CHeldKeys()
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = 0;
        keys[VK_CONTROL] = 0;
        ::SetKeyboardState(keys);
    }
};

// The same grid as the geometry tests: 101 rows (1 fixed) of 20 pixels, 21
// columns (1 fixed) of 50 pixels behind a 40-pixel fixed column, a client
// area of 290 x 190 showing columns 1..5 and rows 1..8 whole.
class GridKeyboard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateStandardGrid(grid, parent.Wnd()));
        parent.notes.clear();
    }

    void Key(UINT vk, BOOL bShift = FALSE, BOOL bCtrl = FALSE)
    {
        CHeldKeys held(bShift, bCtrl);
        grid.SendMessage(WM_KEYDOWN, vk, 1);
    }

    // The notifications other than the scroll reports, as (code, row, col).
    std::vector<std::vector<int>> SelNotes() const
    {
        std::vector<std::vector<int>> out;
        for (const Notification& n : parent.notes)
            if (n.code != GRIDN_HSCROLL && n.code != GRIDN_VSCROLL)
                out.push_back({ n.code, n.row, n.col });
        return out;
    }

    int ScrollNotes() const
    {
        int n = 0;
        for (const Notification& note : parent.notes)
            if (note.code == GRIDN_HSCROLL || note.code == GRIDN_VSCROLL)
                n++;
        return n;
    }

    CRecordingParent parent;
    CKeyGrid grid;
};

TEST_F(GridKeyboard, ShiftMovesExtendFromTheAnchorAndAPlainMoveCollapses)
{
    grid.SetFocusCell(2, 1);
    parent.notes.clear();

    Key(VK_RIGHT);   // plain: anchor and selection go to (2, 2)
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(2, 2));
    EXPECT_EQ(1, grid.GetSelectedCount());
    std::vector<std::vector<int>> expected = { { GRIDN_SELCHANGING, 2, 1 },
                                               { GRIDN_SELCHANGED, 2, 2 } };
    EXPECT_EQ(expected, SelNotes());
    EXPECT_FALSE(grid.GetItemState(2, 1) & GCS_FOCUSED);
    EXPECT_TRUE(grid.GetItemState(2, 2) & GCS_FOCUSED);

    for (int i = 0; i < 3; i++)
        Key(VK_DOWN, TRUE);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(5, 2));
    EXPECT_EQ(4, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(2, 2, 5, 2));

    Key(VK_RIGHT);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(5, 3));
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetItemState(5, 3) & GCS_SELECTED);

    // Every move stayed in view: nothing scrolled.
    EXPECT_EQ(0, ScrollNotes());
    EXPECT_EQ(0, grid.GetScrollPos32(SB_VERT));
    EXPECT_EQ(0, grid.GetScrollPos32(SB_HORZ));

    // List mode selects whole rows.
    grid.SetListMode(TRUE);
    Key(VK_DOWN);
    EXPECT_TRUE(grid.GetSelectedCellRange() == CVXCellRange(6, 1, 6, 20));
    EXPECT_EQ(20, grid.GetSelectedCount());
}

TEST_F(GridKeyboard, TabWrapsToTheNextRowAndBackToTheLeftEdge)
{
    grid.EnsureVisible(3, 20);
    grid.SetFocusCell(3, 20);
    const int nRightmost = grid.GetScrollPos32(SB_HORZ);   // the view's right edge
    ASSERT_GT(nRightmost, 0);
    parent.notes.clear();

    Key(VK_RIGHT);   // the last column: nothing moves, nothing is sent
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(3, 20));
    EXPECT_TRUE(parent.notes.empty());

    Key(VK_TAB);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(4, 1));
    EXPECT_EQ(0, grid.GetScrollPos32(SB_HORZ));
    EXPECT_TRUE(grid.IsCellVisible(4, 1));
    EXPECT_TRUE(grid.GetItemState(4, 1) & GCS_SELECTED);

    Key(VK_TAB, TRUE);   // Shift+Tab wraps back to the end of row 3
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(3, 20));
    EXPECT_EQ(nRightmost, grid.GetScrollPos32(SB_HORZ)) << "scrolled fully right";
    EXPECT_TRUE(grid.IsCellVisible(3, 20));
    EXPECT_EQ(1, grid.GetSelectedCount()) << "Tab counts as unshifted for the selection";

    // The bottom-right cell keeps the focus on Tab.
    grid.EnsureVisible(100, 20);
    grid.SetFocusCell(100, 20);
    parent.notes.clear();
    Key(VK_TAB);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(100, 20));
    EXPECT_TRUE(SelNotes().empty());
}

TEST_F(GridKeyboard, PagingAtTheEndAndHomeAndEndKeepTheColumn)
{
    grid.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    grid.SetFocusCell(95, 2);
    Key(VK_NEXT);   // the view cannot move: the focus goes to the last row
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(100, 2));

    Key(VK_HOME);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(1, 2));
    EXPECT_EQ(0, grid.GetScrollPos32(SB_VERT));

    // A page down from the top moves the focus by the rows the view moved.
    Key(VK_NEXT);
    int nTop = grid.GetTopleftNonFixedCell().row;
    EXPECT_GT(nTop, 1);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(nTop, 2));

    Key(VK_END);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(100, 2));
    EXPECT_TRUE(grid.IsCellVisible(100, 2));

    Key(VK_PRIOR);
    Key(VK_PRIOR);
    EXPECT_GT(grid.GetFocusCell().row, 1);
    EXPECT_LT(grid.GetFocusCell().row, 100);
    EXPECT_EQ(2, grid.GetFocusCell().col);
}

TEST_F(GridKeyboard, DeleteClearsOnlyEditableCells)
{
    grid.SetEditable(TRUE);
    grid.SetItemText(2, 2, _T("keep"));
    grid.SetItemState(2, 2, GCS_READONLY);
    grid.SetItemText(2, 3, _T("gone"));
    grid.SetFocusCell(2, 2);
    grid.SetModified(FALSE);
    parent.notes.clear();

    Key(VK_DELETE);
    EXPECT_TRUE(parent.notes.empty());
    EXPECT_EQ(CString(_T("keep")), grid.GetItemText(2, 2));
    EXPECT_FALSE(grid.GetModified(2, 2));

    Key(VK_RIGHT);
    parent.notes.clear();
    Key(VK_DELETE);
    std::vector<std::vector<int>> expected = { { GRIDN_BEGINLABELEDIT, 2, 3 },
                                               { GRIDN_ENDLABELEDIT, 2, 3 } };
    EXPECT_EQ(expected, SelNotes());
    EXPECT_EQ(CString(), grid.GetItemText(2, 3));
    EXPECT_TRUE(grid.GetModified(2, 3));
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(2, 3));

    // A grid that is not editable sends nothing either.
    grid.SetEditable(FALSE);
    grid.SetItemText(2, 3, _T("stays"));
    parent.notes.clear();
    Key(VK_DELETE);
    EXPECT_TRUE(parent.notes.empty());
    EXPECT_EQ(CString(_T("stays")), grid.GetItemText(2, 3));
}

TEST_F(GridKeyboard, CtrlShortcutsAndTheColourColumn)
{
    Key('A', FALSE, TRUE);   // no focus cell: the keys do nothing
    EXPECT_EQ(0, grid.GetSelectedCount());

    grid.SetFocusCell(3, 3);
    Key('A', FALSE, TRUE);
    EXPECT_EQ(100 * 20, grid.GetSelectedCount());
    Key('C', FALSE, TRUE);
    Key('X', FALSE, TRUE);
    Key('V', FALSE, TRUE);
    EXPECT_EQ(1, grid.nCopy);
    EXPECT_EQ(1, grid.nCut);
    EXPECT_EQ(1, grid.nPaste);

    grid.SetColSelColor(4, 1);
    Key('C', FALSE, TRUE);
    Key('X', FALSE, TRUE);
    Key('V', FALSE, TRUE);
    EXPECT_EQ(1, grid.nCopy);
    EXPECT_EQ(1, grid.nCut);
    EXPECT_EQ(1, grid.nPaste);

    grid.ResetSelectedRange();
    grid.SetFocusCell(3, 3);
    grid.SetSingleRowSelection(TRUE);
    Key('A', FALSE, TRUE);
    EXPECT_EQ(0, grid.GetSelectedCount());
}

TEST_F(GridKeyboard, CharactersStartAnEditAndTabIsKeptForMoving)
{
    grid.SetFocusCell(2, 5);
    grid.SendMessage(WM_CHAR, 'q', 1);
    ASSERT_EQ(1u, grid.editChars.size());
    EXPECT_EQ((UINT)'q', grid.editChars[0]);
    EXPECT_TRUE(grid.editCell == CVXCellID(2, 5));

    grid.SendMessage(WM_CHAR, '\t', 1);
    {
        CHeldKeys ctrl(FALSE, TRUE);
        grid.SendMessage(WM_CHAR, 'q', 1);
    }
    grid.SetMouseMode(GMM_SELECT_CELLS);
    grid.SendMessage(WM_CHAR, 'q', 1);
    grid.SetMouseMode(GMM_IDLE);
    EXPECT_EQ(1u, grid.editChars.size());

    EXPECT_EQ((LRESULT)(DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS),
              grid.SendMessage(WM_GETDLGCODE, 0, 0));
    {
        CHeldKeys ctrl(FALSE, TRUE);
        EXPECT_EQ((LRESULT)(DLGC_WANTARROWS | DLGC_WANTCHARS), grid.SendMessage(WM_GETDLGCODE, 0, 0));
    }
}

} // namespace
