// In-place editing of grid cells with real windows and real key messages:
// how the first key shapes the edit, how keys end it, what reaches the cell
// (number formats, the zero rule, the colour column) and what the parent is
// told.

#include "grid_window_util.h"
#include "grid/InPlaceEdit.h"

using namespace gridtest;

namespace
{

class CEditGrid : public CTestGrid
{
public:
    CEditGrid() : CTestGrid(6, 6, 1, 1) {}
    using CVXGridCtrl::OnEditCell;
    using CVXGridCtrl::OnEndEditCell;
};

class GridEdit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 200), parent.Wnd(), 77, WS_CHILD | WS_VISIBLE));
        FillNamed(grid);
        grid.SetEditable(TRUE);
    }

    // Delivers what is posted, so a finished editor closes.
    static void Pump()
    {
        MSG m;
        while (::PeekMessageA(&m, NULL, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&m);
            ::DispatchMessageA(&m);
        }
    }

    HWND Editor() const { return ::FindWindowExA(grid.GetSafeHwnd(), NULL, "Edit", NULL); }

    std::string EditorText() const
    {
        char sz[512] = "";
        ::GetWindowTextA(Editor(), sz, sizeof(sz));
        return sz;
    }

    void Type(const char* psz)
    {
        for (; *psz; psz++)
            ::SendMessageA(Editor(), WM_CHAR, (BYTE)*psz, 1);
    }

    void Key(UINT vk) { ::SendMessageA(Editor(), WM_KEYDOWN, vk, 1); }
    void Char(UINT ch) { ::SendMessageA(Editor(), WM_CHAR, ch, 1); }

    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const Notification& n : parent.notes)
            codes.push_back(n.code);
        return codes;
    }

    // The editing notifications only (moving the focus adds its own).
    std::vector<int> EditCodes() const
    {
        std::vector<int> codes;
        for (int code : Codes())
            if (code == GRIDN_BEGINLABELEDIT || code == GRIDN_ENDLABELEDIT)
                codes.push_back(code);
        return codes;
    }

    CRecordingParent parent;
    CEditGrid grid;
};

TEST_F(GridEdit, TypingReplacesTheTextAndEnterStoresItWithBothNotifications)
{
    grid.OnEditCell(2, 3, 'k');
    ASSERT_NE((HWND)NULL, Editor());
    EXPECT_EQ(8, ::GetDlgCtrlID(Editor()));
    EXPECT_EQ(Editor(), ::GetFocus());
    EXPECT_EQ("k", EditorText());
    Type("ey");
    Char(VK_RETURN);
    Pump();

    EXPECT_EQ((HWND)NULL, Editor());
    EXPECT_EQ("key", std::string(grid.GetItemText(2, 3)));
    EXPECT_TRUE(grid.GetModified(2, 3));
    EXPECT_FALSE(grid.GetModified(2, 2));
    ASSERT_EQ((std::vector<int>{ GRIDN_BEGINLABELEDIT, GRIDN_ENDLABELEDIT }), EditCodes());
    for (const Notification& n : parent.notes)
    {
        EXPECT_EQ(grid.GetSafeHwnd(), n.hwndFrom);
        EXPECT_EQ(77u, n.idFrom);
        EXPECT_EQ(2, n.row);
        EXPECT_EQ(3, n.col);
    }
}

TEST_F(GridEdit, FirstKeyEscapeAndArrowRules)
{
    // Backspace removes the last character of the old text.
    grid.OnEditCell(1, 1, VK_BACK);
    EXPECT_EQ("r1c", EditorText());
    Char(VK_RETURN);
    Pump();
    EXPECT_EQ("r1c", std::string(grid.GetItemText(1, 1)));

    // Escape puts the old text back, so nothing changes.
    grid.OnEditCell(2, 2, 'z');
    Type("zz");
    Char(VK_ESCAPE);
    Pump();
    EXPECT_EQ((HWND)NULL, Editor());
    EXPECT_EQ("r2c2", std::string(grid.GetItemText(2, 2)));
    EXPECT_FALSE(grid.GetModified(2, 2));

    // Started with the mouse: the arrows move the caret, the text is kept.
    grid.OnEditCell(3, 3, VK_LBUTTON);
    EXPECT_EQ("r3c3", EditorText());
    Key(VK_LEFT);
    Key(VK_LEFT);
    ASSERT_NE((HWND)NULL, Editor());
    Type("X");
    Char(VK_RETURN);
    Pump();
    EXPECT_EQ("r3Xc3", std::string(grid.GetItemText(3, 3)));

    // Started by typing: an arrow ends the edit and keeps what was typed.
    grid.OnEditCell(4, 4, 'q');
    Key(VK_LEFT);
    Pump();
    EXPECT_EQ("q", std::string(grid.GetItemText(4, 4)));
}

TEST_F(GridEdit, TabEndsTheEditAndEditingGoesOnAtTheFocusCell)
{
    grid.SetFocusCell(1, 2);
    grid.OnEditCell(1, 2, 'a');
    Char(VK_TAB);
    Pump();
    EXPECT_EQ("a", std::string(grid.GetItemText(1, 2)));
    CVXCellID focus = grid.GetFocusCell();
    ASSERT_TRUE(grid.IsValid(focus));
    // A fresh editor over the focus cell, its whole text selected.
    HWND hEdit = Editor();
    ASSERT_NE((HWND)NULL, hEdit);
    EXPECT_EQ(grid.GetItemText(focus.row, focus.col), CString(EditorText().c_str()));
    DWORD dwStart = 0, dwEnd = 0;
    ::SendMessageA(hEdit, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    EXPECT_EQ(0u, dwStart);
    EXPECT_EQ((DWORD)EditorText().size(), dwEnd);
    ASSERT_GE(parent.notes.size(), 3u);
    const Notification& last = parent.notes.back();
    EXPECT_EQ(GRIDN_BEGINLABELEDIT, last.code);
    EXPECT_EQ(focus.row, last.row);
    EXPECT_EQ(focus.col, last.col);
    Char(VK_ESCAPE);
    Pump();
    EXPECT_EQ((HWND)NULL, Editor());
}

TEST_F(GridEdit, TabIntoAColourColumnAsksForAColourInsteadOfEditing)
{
    CColourCounter colours;
    for (int c = 1; c < 6; c++)
        grid.SetColSelColor(c, 1);
    grid.SetFocusCell(1, 2);
    grid.OnEditCell(1, 2, 'a');
    Char(VK_TAB);
    Pump();
    EXPECT_EQ(1, colours.nAsked);
    EXPECT_EQ((HWND)NULL, Editor());
    EXPECT_EQ("a", std::string(grid.GetItemText(1, 2)));
}

TEST_F(GridEdit, CtrlArrowEndsAnEditStartedWithTheMouse)
{
    grid.SetFocusCell(2, 2);
    grid.OnEditCell(2, 2, VK_LBUTTON);
    BYTE keys[256];
    ::GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    Key(VK_LEFT);
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
    Pump();
    // Editing goes on at the focus cell, with the arrow as its first key.
    CVXCellID focus = grid.GetFocusCell();
    ASSERT_NE((HWND)NULL, Editor());
    EXPECT_EQ((std::vector<int>{ GRIDN_BEGINLABELEDIT, GRIDN_ENDLABELEDIT, GRIDN_BEGINLABELEDIT }),
              EditCodes());
    EXPECT_EQ(focus.row, parent.notes.back().row);
    EXPECT_EQ(focus.col, parent.notes.back().col);
    // Started by a key, the new edit ends on a plain arrow (and goes on).
    Key(VK_RIGHT);
    Pump();
    std::vector<int> codes = EditCodes();
    ASSERT_EQ(5u, codes.size());
    EXPECT_EQ(GRIDN_ENDLABELEDIT, codes[3]);
    Char(VK_ESCAPE);
    Pump();
}

TEST_F(GridEdit, CellsThatCannotBeEditedGetNoEditorAndNoNotification)
{
    grid.SetItemState(2, 2, grid.GetItemState(2, 2) | GCS_READONLY);
    grid.OnEditCell(2, 2, 'x');
    grid.OnEditCell(99, 2, 'x');
    grid.SetEditable(FALSE);
    grid.OnEditCell(3, 3, 'x');
    EXPECT_EQ((HWND)NULL, Editor());
    for (int code : Codes())
        EXPECT_NE(GRIDN_BEGINLABELEDIT, code) << "code " << code;
}

TEST_F(GridEdit, LongTextWidensTheEditorToTheGridsRightEdgeAndNeverNarrowsIt)
{
    grid.OnEditCell(1, 1, 'w');
    RECT rcStart;
    ::GetWindowRect(Editor(), &rcStart);
    Type("wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww");
    RECT rcWide;
    ::GetWindowRect(Editor(), &rcWide);
    RECT rcClient;
    ::GetClientRect(grid.GetSafeHwnd(), &rcClient);
    POINT ptRight = { rcClient.right, 0 };
    ::ClientToScreen(grid.GetSafeHwnd(), &ptRight);
    EXPECT_GT(rcWide.right, rcStart.right);
    EXPECT_EQ(ptRight.x, rcWide.right);
    EXPECT_EQ(rcStart.left, rcWide.left);
    for (int i = 0; i < 60; i++)
        Char(VK_BACK);
    Type("a");
    RECT rcAfter;
    ::GetWindowRect(Editor(), &rcAfter);
    EXPECT_EQ(rcWide.right, rcAfter.right);
    Char(VK_ESCAPE);
    Pump();
}

TEST_F(GridEdit, NumberFormatsAndTheZeroRule)
{
    grid.SetTextFormat(2, 2);
    grid.SetTextFormat(3, 0);
    grid.SetZeroWrong(TRUE);

    grid.OnEndEditCell(1, 2, "3.14159");
    EXPECT_EQ("3.14", std::string(grid.GetItemText(1, 2)));
    grid.OnEndEditCell(2, 2, "abc");
    EXPECT_EQ("0.00", std::string(grid.GetItemText(2, 2)));
    grid.OnEndEditCell(3, 2, "r3c2");
    EXPECT_FALSE(grid.GetModified(3, 2));

    grid.OnEndEditCell(1, 3, "0.7");
    EXPECT_EQ("r1c3", std::string(grid.GetItemText(1, 3)));
    EXPECT_TRUE(grid.GetModified(1, 3));
    grid.OnEndEditCell(2, 3, "-2.9");
    EXPECT_EQ("-2", std::string(grid.GetItemText(2, 3)));
    // Numbers beyond the int range are capped; "inf" is no number.
    grid.OnEndEditCell(3, 3, "1e20");
    EXPECT_EQ("2147483647", std::string(grid.GetItemText(3, 3)));
    grid.SetZeroWrong(FALSE);
    grid.OnEndEditCell(4, 3, "inf");
    EXPECT_EQ("0", std::string(grid.GetItemText(4, 3)));

    // Free text is stored as typed.
    grid.OnEndEditCell(1, 4, "  3.14159 x");
    EXPECT_EQ("  3.14159 x", std::string(grid.GetItemText(1, 4)));

    // A header cell sets only the grid-wide flag.
    grid.SetModified(FALSE);
    for (int r = 1; r < 6; r++)
        for (int c = 1; c < 6; c++)
            grid.SetModified(FALSE, r, c);
    grid.OnEndEditCell(0, 5, "Head");
    EXPECT_EQ("Head", std::string(grid.GetItemText(0, 5)));
    EXPECT_TRUE(grid.GetModified());
    EXPECT_EQ(0u, grid.GetItemState(0, 5) & GCS_MODIFIED);
}

TEST_F(GridEdit, AnAcceptedEditRecoloursTheRowsColourCell)
{
    grid.SetClrRGBCol(1, 2, 3);
    grid.SetColSelColor(4, 1);
    grid.SetItemText(2, 1, "0");
    grid.SetItemText(2, 2, "128");
    grid.SetItemText(2, 3, "0");
    grid.OnEditCell(2, 1, '2');
    Type("55");
    Char(VK_RETURN);
    Pump();
    EXPECT_EQ(RGB(255, 128, 0), grid.GetItemBkColour(2, 4));
}

TEST_F(GridEdit, TheEditorSwallowsSystemCharacters)
{
    grid.OnEditCell(1, 1, VK_LBUTTON);
    CWnd* pEdit = CWnd::FromHandlePermanent(Editor());
    ASSERT_NE((CWnd*)NULL, pEdit);
    MSG m = {};
    m.hwnd = Editor();
    m.message = WM_SYSCHAR;
    m.wParam = 'f';
    EXPECT_TRUE(pEdit->PreTranslateMessage(&m));
    m.message = WM_CHAR;
    EXPECT_FALSE(pEdit->PreTranslateMessage(&m));
    Char(VK_ESCAPE);
    Pump();
}

} // namespace
