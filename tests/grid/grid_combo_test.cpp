// The combo-column grid: the text rule on every path that stores text
// (SetItemText, SetItem, SetComboItemText, paste, a loaded file, a typed
// edit), and the drop-down editor driven with real key messages (its size,
// its first selection, Enter, Escape, Ctrl+Down moving on, Down moving in
// the list, the list-only style).

#include "grid_window_util.h"
#include "grid/ComboGridCtrl.h"
#include "grid/InPlaceList.h"
#include "platform/OleDataTransfer.h"

using namespace gridtest;

namespace
{

class CTestComboGrid : public CComboGridCtrl
{
public:
    using CVXGridCtrl::OnEditCell;
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

std::string Text(CVXGridCtrl& grid, int row, int col)
{
    return std::string(grid.GetItemText(row, col));
}

CStringArray& Colours()
{
    static CStringArray items;
    if (items.GetSize() == 0)
    {
        items.Add("Red");
        items.Add("Green");
    }
    return items;
}

void HoldCtrl(bool bDown)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = bDown ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

// The editor's windows: the combo box in the grid and its edit field.
HWND Combo(CVXGridCtrl& grid)
{
    return ::FindWindowExA(grid.GetSafeHwnd(), NULL, "ComboBox", NULL);
}

HWND ComboEdit(CVXGridCtrl& grid)
{
    HWND hCombo = Combo(grid);
    return hCombo != NULL ? ::GetDlgItem(hCombo, 1001) : NULL;
}

std::string WindowText(HWND h)
{
    char sz[256] = "";
    ::GetWindowTextA(h, sz, sizeof(sz));
    return sz;
}

} // namespace

TEST(ComboGrid, OnlyListedTextsReachTheColumnOnEveryPath)
{
    CTestComboGrid grid;
    grid.SetRowCount(6);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    EXPECT_FALSE(grid.AddComboColumn(0, Colours()));
    ASSERT_TRUE(grid.AddComboColumn(2, Colours()));
    EXPECT_EQ((DWORD)CBS_DROPDOWN, grid.GetComboBoxStyle());

    EXPECT_TRUE(grid.SetItemText(3, 2, "Green"));
    EXPECT_FALSE(grid.SetItemText(3, 2, "blue"));
    EXPECT_FALSE(grid.SetItemText(3, 2, "green"));   // case counts
    EXPECT_EQ("Green", Text(grid, 3, 2));
    EXPECT_TRUE(grid.SetItemText(0, 2, "Any heading"));
    EXPECT_TRUE(grid.SetItemText(3, 3, "free text"));

    // A refused text refuses the whole record.
    GV_ITEM item;
    item.row = 3;
    item.col = 2;
    item.mask = GIM_TEXT | GIM_BKCLR;
    item.szText = "blue";
    item.crBkClr = RGB(1, 2, 3);
    EXPECT_FALSE(grid.SetItem(&item));
    EXPECT_EQ("Green", Text(grid, 3, 2));
    EXPECT_NE(RGB(1, 2, 3), grid.GetItemBkColour(3, 2));
    item.szText = "Red";
    EXPECT_TRUE(grid.SetItem(&item));
    EXPECT_EQ(RGB(1, 2, 3), grid.GetItemBkColour(3, 2));

    EXPECT_TRUE(grid.SetComboItemText(4, 2, 1));
    EXPECT_EQ("Green", Text(grid, 4, 2));
    EXPECT_FALSE(grid.SetComboItemText(4, 2, 2));
    EXPECT_FALSE(grid.SetComboItemText(4, 2, -1));
    EXPECT_FALSE(grid.SetComboItemText(4, 3, 0));

    // Pasting: listed texts land, others leave the cell as it was.
    {
        const char sz[] = "Red\tx\nbogus\ty";
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(sz));
        memcpy(::GlobalLock(h), sz, sizeof(sz));
        ::GlobalUnlock(h);
        COleDataSource* pSource = new COleDataSource;
        pSource->CacheGlobalData(CF_TEXT, h);
        COleDataObject data;
        data.Attach(pSource->GetDataObject(), TRUE);
        EXPECT_TRUE(grid.PasteTextToGrid(CVXCellID(1, 2), &data));
        data.Release();
        pSource->InternalRelease();
    }
    EXPECT_EQ("Red", Text(grid, 1, 2));
    EXPECT_EQ("x", Text(grid, 1, 3));
    EXPECT_EQ("", Text(grid, 2, 2));
    EXPECT_EQ("y", Text(grid, 2, 3));

    // A loaded file: an unlisted text in a data row is dropped.
    char szDir[MAX_PATH], szFile[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szDir);
    ::GetTempFileNameA(szDir, "cmb", 0, szFile);
    HANDLE hFile = ::CreateFileA(szFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    const char szData[] = "h0,h1,h2,h3\n1,a,Red,x\n2,b,purple,y\n";
    DWORD n = 0;
    ::WriteFile(hFile, szData, sizeof(szData) - 1, &n, NULL);
    ::CloseHandle(hFile);
    ASSERT_TRUE(grid.Load(szFile));
    ::DeleteFileA(szFile);
    EXPECT_EQ("Red", Text(grid, 1, 2));
    EXPECT_EQ("", Text(grid, 2, 2));
    EXPECT_EQ("y", Text(grid, 2, 3));
}

TEST(ComboGrid, TheDropDownEditor)
{
    CRecordingParent parent;
    CTestComboGrid grid;
    grid.SetRowCount(8);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 300), parent.Wnd(), 5, WS_CHILD | WS_VISIBLE));
    CStringArray items;
    items.Add("nucleus");
    items.Add("cytoplasm");
    items.Add("a rather long background name");
    grid.AddComboColumn(2, items);
    grid.SetColumnWidth(2, 40);
    for (int r = 1; r < 8; r++)
        grid.SetItemText(r, 2, "nucleus");

    // Opened with the cell's entry selected, four cell heights of list
    // below the cell, and wider than the narrow cell for the long string.
    grid.SetFocusCell(2, 2);
    grid.OnEditCell(2, 2, VK_LBUTTON);
    HWND hCombo = Combo(grid);
    ASSERT_TRUE(hCombo != NULL);
    ASSERT_TRUE(ComboEdit(grid) != NULL);
    EXPECT_EQ(3, (int)::SendMessageA(hCombo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, (int)::SendMessageA(hCombo, CB_GETCURSEL, 0, 0));
    CRect rcCell, rcCombo;
    grid.GetCellRect(2, 2, &rcCell);
    ::GetWindowRect(hCombo, &rcCombo);
    grid.ScreenToClient(&rcCombo);
    EXPECT_EQ(rcCell.left, rcCombo.left);
    EXPECT_GT(rcCombo.Width(), rcCell.Width() + 40);
    EXPECT_EQ(rcCombo.Width(), (int)::SendMessageA(hCombo, CB_GETDROPPEDWIDTH, 0, 0));

    // Down alone moves in the list; Enter stores the entry chosen.
    ::SendMessageA(hCombo, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(1, (int)::SendMessageA(hCombo, CB_GETCURSEL, 0, 0));
    ASSERT_TRUE(Combo(grid) != NULL);
    ::SendMessageA(ComboEdit(grid), WM_KEYUP, VK_RETURN, 1);
    Pump();
    EXPECT_EQ("cytoplasm", Text(grid, 2, 2));
    EXPECT_TRUE(Combo(grid) == NULL);

    // A typed text that is not in the list leaves the cell's old text.
    grid.OnEditCell(3, 2, 'z');
    ASSERT_TRUE(ComboEdit(grid) != NULL);
    EXPECT_EQ("z", WindowText(ComboEdit(grid)));
    ::SendMessageA(ComboEdit(grid), WM_KEYUP, VK_RETURN, 1);
    Pump();
    EXPECT_EQ("nucleus", Text(grid, 3, 2));

    // Escape puts the old text back and does not move on.
    grid.SetFocusCell(4, 2);
    grid.OnEditCell(4, 2, VK_LBUTTON);
    ::SendMessageA(Combo(grid), CB_SETCURSEL, 1, 0);
    parent.notes.clear();
    ::SendMessageA(ComboEdit(grid), WM_KEYUP, VK_ESCAPE, 1);
    Pump();
    EXPECT_EQ("nucleus", Text(grid, 4, 2));
    EXPECT_TRUE(Combo(grid) == NULL);
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(4, 2));

    // Ctrl+Down ends the edit and opens the editor of the cell below.
    grid.OnEditCell(4, 2, VK_LBUTTON);
    HWND hFirst = Combo(grid);
    HoldCtrl(true);
    ::SendMessageA(ComboEdit(grid), WM_KEYDOWN, VK_DOWN, 1);
    HoldCtrl(false);
    Pump();
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(5, 2));
    HWND hNext = Combo(grid);
    ASSERT_TRUE(hNext != NULL);
    EXPECT_NE(hFirst, hNext);
    CRect rcNext;
    ::GetWindowRect(hNext, &rcNext);
    grid.ScreenToClient(&rcNext);
    grid.GetCellRect(5, 2, &rcCell);
    EXPECT_EQ(rcCell.top, rcNext.top);
    grid.SetFocus();
    Pump();

    // The list-only style: the cell's entry selected, or nothing at all for
    // a text that is not in the list.
    grid.SetComboBoxStyle(CBS_DROPDOWNLIST);
    grid.OnEditCell(6, 2, VK_LBUTTON);
    ASSERT_TRUE(Combo(grid) != NULL);
    EXPECT_TRUE(ComboEdit(grid) == NULL);
    EXPECT_EQ(0, (int)::SendMessageA(Combo(grid), CB_GETCURSEL, 0, 0));
    grid.SetFocus();
    Pump();
    EXPECT_TRUE(Combo(grid) == NULL);
    grid.SetItemState(7, 2, 0);
    grid.CVXGridCtrl::SetItemText(7, 2, "unlisted");
    grid.OnEditCell(7, 2, VK_LBUTTON);
    ASSERT_TRUE(Combo(grid) != NULL);
    EXPECT_EQ(CB_ERR, (int)::SendMessageA(Combo(grid), CB_GETCURSEL, 0, 0));
    EXPECT_EQ("", WindowText(Combo(grid)));
    grid.SetFocus();
    Pump();
    EXPECT_EQ("unlisted", Text(grid, 7, 2));
}
