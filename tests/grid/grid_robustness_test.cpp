// Faults that random operations and hostile input drove out of the grid,
// each pinned with real windows and messages: the selection maps through
// structural changes, an edit's text when the grid changes under it, the
// editor over a huge cell, keys and header presses on all-fixed grids, file
// errors for long paths, and reading files other programs hold open.

#include "grid_window_util.h"
#include "grid/InPlaceEdit.h"
#include "datafiles/ReadText.h"

#include <set>
#include <utility>

using namespace gridtest;

namespace
{

// A grid whose selection maps the tests compare with the cells' states.
class CMapGrid : public CTestGrid
{
public:
    CMapGrid(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0)
        : CTestGrid(nRows, nCols, nFixedRows, nFixedCols) {}
    using CVXGridCtrl::OnEditCell;

    // "" when the selection map holds exactly the cells marked selected,
    // each under its own key; otherwise what differs.
    std::string SelectionMismatch()
    {
        std::string why;
        int nMapped = 0;
        POSITION pos = m_mapSelected.GetStartPosition();
        while (pos != NULL)
        {
            ULONGLONG key;
            CVXCellID cell;
            m_mapSelected.GetNextAssoc(pos, key, cell);
            nMapped++;
            if (key != GetCellKey(cell.row, cell.col))
                why += "key/value differ; ";
            if (!(GetItemState(cell.row, cell.col) & GCS_SELECTED))
                why += "(" + std::to_string(cell.row) + "," + std::to_string(cell.col) + ") not marked; ";
        }
        if (nMapped != CountCellsMarkedSelected(*this))
            why += "map holds " + std::to_string(nMapped) + " of " +
                   std::to_string(CountCellsMarkedSelected(*this)) + " marked cells";
        return why;
    }

    std::set<std::pair<int, int>> Earlier() const
    {
        std::set<std::pair<int, int>> cells;
        POSITION pos = m_mapPrevSelected.GetStartPosition();
        while (pos != NULL)
        {
            ULONGLONG key;
            CVXCellID cell;
            m_mapPrevSelected.GetNextAssoc(pos, key, cell);
            cells.insert(std::make_pair(cell.row, cell.col));
        }
        return cells;
    }

    // The texts of the cells marked selected, in reading order.
    std::vector<std::string> MarkedTexts()
    {
        std::vector<std::string> texts;
        for (int r = 0; r < GetRowCount(); r++)
            for (int c = 0; c < GetColumnCount(); c++)
                if (GetItemState(r, c) & GCS_SELECTED)
                    texts.push_back((LPCTSTR)GetItemText(r, c));
        return texts;
    }

    // The cells whose text is psz.
    std::vector<std::pair<int, int>> Find(const char* psz)
    {
        std::vector<std::pair<int, int>> cells;
        for (int r = 0; r < GetRowCount(); r++)
            for (int c = 0; c < GetColumnCount(); c++)
                if (GetItemText(r, c) == psz)
                    cells.push_back(std::make_pair(r, c));
        return cells;
    }
};

void Pump()
{
    MSG m;
    while (::PeekMessageA(&m, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&m);
        ::DispatchMessageA(&m);
    }
}

// Client point in the middle of cell (r, c) of the standard grid.
LPARAM CellPoint(int r, int c)
{
    return MAKELPARAM(40 + (c - 1) * 50 + 25, 20 + (r - 1) * 20 + 10);
}

void ClickCell(CVXGridCtrl& grid, int r, int c, UINT flags = 0)
{
    grid.SendMessage(WM_MOUSEMOVE, flags, CellPoint(r, c));
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | flags, CellPoint(r, c));
    grid.SendMessage(WM_LBUTTONUP, flags, CellPoint(r, c));
}

HWND EditorOf(CVXGridCtrl& grid)
{
    return ::FindWindowExA(grid.GetSafeHwnd(), NULL, "Edit", NULL);
}

void TypeInto(HWND hEdit, const char* psz)
{
    ::SendMessageA(hEdit, WM_SETTEXT, 0, (LPARAM)"");
    for (; *psz; psz++)
        ::SendMessageA(hEdit, WM_CHAR, (BYTE)*psz, 1);
}

} // namespace

// After a Ctrl+click the earlier selection is put back by every range
// selection, and with selection turned off cells are still marked through
// SetItemState: through inserts, deletes and sorts the map keeps naming the
// marked cells, and the earlier selection follows its cells too.
TEST(GridRobustness, SelectionMapsFollowTheirCellsThroughStructuralChanges)
{
    CRecordingParent parent;
    CMapGrid grid;
    ASSERT_TRUE(CreateStandardGrid(grid, parent.Wnd()));
    FillNamed(grid);

    ClickCell(grid, 2, 2);
    ClickCell(grid, 4, 3, MK_CONTROL);
    EXPECT_EQ(grid.MarkedTexts(), (std::vector<std::string>{ "r2c2", "r4c3" }));
    EXPECT_EQ(grid.Earlier(), (std::set<std::pair<int, int>>{ { 2, 2 } }));

    // Each change clears the selection, which puts the earlier one back.
    ASSERT_EQ(grid.InsertRow("new row", 1), 1);
    EXPECT_EQ(grid.SelectionMismatch(), "");
    EXPECT_EQ(grid.MarkedTexts(), (std::vector<std::string>{ "r2c2" }));
    EXPECT_EQ(grid.Earlier(), (std::set<std::pair<int, int>>{ { 3, 2 } }));

    ASSERT_EQ(grid.InsertColumn("new col", DT_LEFT, 1), 1);
    EXPECT_EQ(grid.SelectionMismatch(), "");
    EXPECT_EQ(grid.Earlier(), (std::set<std::pair<int, int>>{ { 3, 3 } }));

    ASSERT_TRUE(grid.SortTextItems(3, FALSE));   // "r99c2" first, "r10c2" later
    EXPECT_EQ(grid.SelectionMismatch(), "");
    ASSERT_EQ(grid.Find("r2c2").size(), 1u);
    std::pair<int, int> moved = grid.Find("r2c2")[0];
    EXPECT_NE(moved.first, 3);
    EXPECT_EQ(grid.Earlier(), (std::set<std::pair<int, int>>{ moved }));

    ASSERT_TRUE(grid.DeleteRow(1));
    ASSERT_TRUE(grid.DeleteColumn(1));
    EXPECT_EQ(grid.SelectionMismatch(), "");
    // A later range selection adds the earlier selection where its cell is.
    grid.SetSelectedRange(5, 5, 5, 5);
    EXPECT_EQ(grid.SelectionMismatch(), "");
    std::vector<std::string> marked = grid.MarkedTexts();
    EXPECT_EQ(std::set<std::string>(marked.begin(), marked.end()),
              (std::set<std::string>{ "r2c2", (LPCTSTR)grid.GetItemText(5, 5) }));

    // Deleting the row of the earlier selection forgets it.
    ASSERT_TRUE(grid.DeleteRow(grid.Find("r2c2")[0].first));
    EXPECT_TRUE(grid.Earlier().empty());
    EXPECT_EQ(grid.SelectionMismatch(), "");

    // Selection turned off: cells marked by SetItemState.
    grid.EnableSelection(FALSE);
    FillNamed(grid);
    ASSERT_TRUE(grid.SetItemState(3, 3, GCS_SELECTED));
    ASSERT_TRUE(grid.SetItemState(7, 2, GCS_SELECTED));
    ASSERT_TRUE(grid.SortTextItems(1, FALSE));
    EXPECT_EQ(grid.SelectionMismatch(), "");
    ASSERT_EQ(grid.InsertRow("top", 1), 1);
    ASSERT_EQ(grid.InsertColumn("left", DT_LEFT, 1), 1);
    EXPECT_EQ(grid.SelectionMismatch(), "");
    marked = grid.MarkedTexts();
    EXPECT_EQ(std::set<std::string>(marked.begin(), marked.end()),
              (std::set<std::string>{ "r3c3", "r7c2" }));
}

// An edit that a structural change ends (a scroll bar appearing takes the
// focus) or outlives stores its text in the cell it was opened on, wherever
// that cell went; when the cell is gone the text goes nowhere.
TEST(GridRobustness, EditTextGoesToTheCellItWasOpenedOn)
{
    CRecordingParent parent;
    CMapGrid grid(5, 3, 1, 1);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 300, 200), parent.Wnd(), 77, WS_CHILD | WS_VISIBLE));
    FillNamed(grid);
    ASSERT_EQ(::GetWindowLongA(grid.GetSafeHwnd(), GWL_STYLE) & WS_VSCROLL, 0);

    // Rows inserted above the edited cell until the vertical bar appears
    // and, by taking the focus, ends the edit.
    grid.SetFocusCell(3, 1);
    grid.OnEditCell(3, 1, VK_LBUTTON);
    HWND hEdit = EditorOf(grid);
    ASSERT_TRUE(hEdit != NULL);
    TypeInto(hEdit, "edited");
    int nInserted = 0;
    while (::GetFocus() == hEdit && nInserted < 100)
    {
        grid.InsertRow("inserted", 1);
        nInserted++;
    }
    Pump();
    ASSERT_NE(::GetWindowLongA(grid.GetSafeHwnd(), GWL_STYLE) & WS_VSCROLL, 0)
        << nInserted << " rows inserted";
    ASSERT_EQ(grid.Find("edited").size(), 1u);
    EXPECT_EQ(grid.Find("edited")[0], std::make_pair(3 + nInserted, 1));
    EXPECT_EQ(grid.GetItemText(3 + nInserted, 0), "r3c0");

    // An edit still open while rows are sorted and deleted around it.
    FillNamed(grid);
    grid.SetFocusCell(2, 2);
    grid.OnEditCell(2, 2, VK_LBUTTON);
    hEdit = EditorOf(grid);
    ASSERT_TRUE(hEdit != NULL);
    TypeInto(hEdit, "sorted away");
    grid.SortTextItems(0, FALSE);
    grid.DeleteRow(1);
    grid.SetFocus();
    Pump();
    ASSERT_EQ(grid.Find("sorted away").size(), 1u);
    EXPECT_EQ(grid.GetItemText(grid.Find("sorted away")[0].first, 0), "r2c0");

    // The edited cell's row is deleted: the text lands nowhere.
    grid.SetFocusCell(4, 1);
    grid.OnEditCell(4, 1, VK_LBUTTON);
    hEdit = EditorOf(grid);
    ASSERT_TRUE(hEdit != NULL);
    TypeInto(hEdit, "orphan");
    CString sBelow = grid.GetItemText(5, 1);
    parent.notes.clear();
    ASSERT_TRUE(grid.DeleteRow(4));
    grid.SetFocus();
    Pump();
    EXPECT_TRUE(grid.Find("orphan").empty());
    EXPECT_EQ(grid.GetItemText(4, 1), sBelow);
    EXPECT_FALSE(grid.GetModified(4, 1));
    bool bEnded = false;
    for (const Notification& n : parent.notes)
        if (n.code == GRIDN_ENDLABELEDIT)
            bEnded = n.row == -1 && n.col == -1;
    EXPECT_TRUE(bEnded);
}

// The editor over a cell far wider than the window covers only the shown
// part of the cell, for every alignment (the system's edit control stops
// responding when it is tens of thousands of pixels wide and not
// left-aligned).
TEST(GridRobustness, EditorOverAHugeCellStaysInTheClientArea)
{
    CRecordingParent parent;
    CMapGrid grid;
    ASSERT_TRUE(CreateStandardGrid(grid, parent.Wnd()));
    FillNamed(grid);
    grid.SetColumnWidth(2, 20000);
    RECT rcClient;
    ::GetClientRect(grid.GetSafeHwnd(), &rcClient);
    const UINT formats[] = { DT_LEFT, DT_RIGHT, DT_CENTER };
    for (UINT nFormat : formats)
    {
        grid.SetItemFormat(3, 2, nFormat | DT_VCENTER | DT_SINGLELINE);
        grid.SendMessage(WM_HSCROLL, SB_LEFT, 0);
        grid.SetFocusCell(3, 2);
        grid.OnEditCell(3, 2, VK_LBUTTON);
        HWND hEdit = EditorOf(grid);
        ASSERT_TRUE(hEdit != NULL);
        RECT rc;
        ::GetWindowRect(hEdit, &rc);
        ::MapWindowPoints(NULL, grid.GetSafeHwnd(), (POINT*)&rc, 2);
        EXPECT_GE(rc.left, 40);
        EXPECT_LE(rc.right, rcClient.right);
        EXPECT_LE(rc.bottom, rcClient.bottom);
        TypeInto(hEdit, "wide");
        grid.SetFocus();
        Pump();
        EXPECT_EQ(grid.GetItemText(3, 2), "wide");
        grid.SetItemText(3, 2, "r3c2");
    }
}

// With every row (or every column) fixed there is no cell to move the focus
// to: the page keys, Home and End leave it where it is, and header presses
// in single-row mode put it nowhere, instead of on a fixed cell from which
// the keys would move it out of the grid.
TEST(GridRobustness, AllFixedGridsKeepTheFocusInside)
{
    CRecordingParent parent;
    CMapGrid rows(3, 4, 3, 1);   // every row fixed
    ASSERT_TRUE(rows.Create(CRect(0, 0, 300, 200), parent.Wnd(), 77, WS_CHILD | WS_VISIBLE));
    rows.SetSingleRowSelection(TRUE);
    rows.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rows.GetColumnWidth(0) + 5, 5));
    rows.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rows.GetColumnWidth(0) + 5, 5));
    EXPECT_EQ(rows.GetFocusCell(), CVXCellID(-1, -1));

    const UINT keys[] = { VK_HOME, VK_END, VK_PRIOR, VK_NEXT };
    for (UINT vk : keys)
    {
        rows.SetFocusCell(1, 2);
        rows.SendMessage(WM_KEYDOWN, vk, 0);
        EXPECT_EQ(rows.GetFocusCell(), CVXCellID(1, 2)) << "key " << vk;
    }

    CMapGrid cols(4, 2, 1, 2);   // every column fixed
    ASSERT_TRUE(cols.Create(CRect(0, 0, 300, 200), parent.Wnd(), 78, WS_CHILD | WS_VISIBLE));
    cols.SetSingleRowSelection(TRUE);
    int y = cols.GetRowHeight(0) + cols.GetRowHeight(1) + 3;
    cols.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, y));
    cols.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, y));
    EXPECT_EQ(cols.GetFocusCell(), CVXCellID(-1, -1));
    const UINT colKeys[] = { VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_TAB };
    for (UINT vk : colKeys)
    {
        cols.SetFocusCell(2, 1);
        cols.SendMessage(WM_KEYDOWN, vk, 0);
        EXPECT_TRUE(cols.IsValid(cols.GetFocusCell())) << "key " << vk;
    }
}

// A file error on a very long path still names its cause: the path is
// shortened in the middle, keeping its start and its file name.
TEST(GridRobustness, FileErrorForALongPathNamesTheCause)
{
    CMessageRecorder messages;
    CVXGridCtrl grid(3, 3);
    std::string path = "C:\\" + std::string(5000, 'a') + "\\missing.csv";
    EXPECT_FALSE(grid.Load(path.c_str()));
    EXPECT_FALSE(grid.Save(path.c_str()));
    ASSERT_EQ(messages.texts.size(), 2u);
    for (const std::string& text : messages.texts)
    {
        EXPECT_LT(text.size(), 512u);
        EXPECT_EQ(text.find("C:\\aaaa"), text.find("C:\\"));
        size_t nEnd = text.find("\\missing.csv");
        ASSERT_NE(nEnd, std::string::npos) << text;
        EXPECT_NE(text.find("..."), std::string::npos);
        // Words of the cause come before or after the name.
        bool bCause = text.find("C:\\") > 5 || text.size() > nEnd + strlen("\\missing.csv") + 5;
        EXPECT_TRUE(bCause) << text;
    }
    EXPECT_EQ(grid.GetRowCount(), 3);   // Load left the grid alone
}

// A file another program holds open for reading can be read.
TEST(GridRobustness, ReadersShareFilesOpenElsewhere)
{
    CMessageRecorder messages;
    std::string path = TempFile("held.csv");
    WriteRaw(path, "a,b,c\n1,2,3\n");
    HANDLE hHeld = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);

    CVXGridCtrl grid;
    EXPECT_TRUE(grid.Load(path.c_str()));
    EXPECT_EQ(RowTexts(grid, 1), (std::vector<std::string>{ "1", "2", "3" }));

    CReadText reader;
    tagBaseTextFormatStrcT fmt;
    memset(&fmt, 0, sizeof(fmt));
    fmt.sep.bComma = 1;
    fmt.nStartCol = 1;
    fmt.nStartLine = 2;
    fmt.nColCount = 3;
    short nRows = 0;
    EXPECT_EQ(reader.BeginReadText(path.c_str(), fmt, 3, nRows), 1);
    EXPECT_EQ(nRows, 1);

    // Writing still needs the file to itself.
    EXPECT_FALSE(grid.Save(path.c_str()));
    EXPECT_EQ(messages.texts.size(), 1u);
    ::CloseHandle(hHeld);
    ::DeleteFileA(path.c_str());
}
