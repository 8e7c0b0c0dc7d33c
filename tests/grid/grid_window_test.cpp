// Grid window: the window class, creation and subclassing, a grid taken
// over from a dialog template, the system colours, the wheel setting from
// the registry and the messages the grid answers itself.

#include "grid_window_util.h"

#include "platform/Dialog.h"
#include "platform/CommandIds.h"
#include "platform/core/Exceptions.h"

#include <string>

using namespace gridtest;

namespace
{

std::string ClassName(HWND hWnd)
{
    char sz[64] = "";
    ::GetClassNameA(hWnd, sz, sizeof(sz));
    return sz;
}

// The default row height and column width the grid derives from a font.
struct FontSizes
{
    int margin, rowHeight, colWidth;
};

FontSizes SizesOf(const LOGFONT& lf)
{
    HDC hDC = ::GetDC(NULL);
    HFONT hFont = ::CreateFontIndirectA(&lf);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    SIZE space;
    ::GetTextExtentPoint32A(hDC, " ", 1, &space);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hFont);
    ::ReleaseDC(NULL, hDC);
    FontSizes s = { (int)space.cx, (int)(tm.tmHeight + tm.tmExternalLeading + 2 * space.cx),
                    (int)(10 * tm.tmAveCharWidth + 2 * space.cx) };
    return s;
}

// Saves HKCU\Control Panel\Desktop "WheelScrollLines" and puts it back.
class CWheelSettingGuard
{
public:
    CWheelSettingGuard()
    {
        DWORD n = sizeof(m_szOld);
        m_bHad = ::RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "WheelScrollLines",
                                RRF_RT_REG_SZ, NULL, m_szOld, &n) == ERROR_SUCCESS;
    }
    ~CWheelSettingGuard()
    {
        if (m_bHad)
            Set(m_szOld);
        else
            Remove();
    }
    static void Set(const char* psz)
    {
        HKEY hKey;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, NULL, 0,
                                                   KEY_SET_VALUE, NULL, &hKey, NULL));
        ::RegSetValueExA(hKey, "WheelScrollLines", 0, REG_SZ, (const BYTE*)psz, (DWORD)strlen(psz) + 1);
        ::RegCloseKey(hKey);
    }
    static void Remove()
    {
        HKEY hKey;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS)
        {
            ::RegDeleteValueA(hKey, "WheelScrollLines");
            ::RegCloseKey(hKey);
        }
    }

private:
    BOOL m_bHad;
    char m_szOld[128];
};

} // namespace

TEST(GridWindow, CreateMakesAChildOfTheGridClassWithTheFontsDefaultSizes)
{
    CRecordingParent parent;
    CTestGrid grid(6, 4, 1, 1);
    grid.SetRowHeight(2, 77);
    grid.SetColumnWidth(3, 5);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 300, 200), parent.Wnd(), 1234, WS_CHILD | WS_VISIBLE));

    HWND hWnd = grid.GetSafeHwnd();
    ASSERT_TRUE(hWnd != NULL);
    EXPECT_EQ("MFCGridCtrl", ClassName(hWnd));
    EXPECT_EQ(parent.m_hWnd, ::GetParent(hWnd));
    EXPECT_EQ(1234, ::GetDlgCtrlID(hWnd));
    EXPECT_EQ(&grid, CWnd::FromHandlePermanent(hWnd));

    // The class: redraw on resize, double-clicks, arrow cursor, button face.
    EXPECT_EQ((ULONG_PTR)(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS), ::GetClassLongPtrA(hWnd, GCL_STYLE));
    EXPECT_EQ((ULONG_PTR)(COLOR_BTNFACE + 1), ::GetClassLongPtrA(hWnd, GCLP_HBRBACKGROUND));
    EXPECT_EQ((ULONG_PTR)::LoadCursorA(NULL, (LPCSTR)IDC_ARROW), ::GetClassLongPtrA(hWnd, GCLP_HCURSOR));
    EXPECT_EQ(0, ::GetClassLongPtrA(hWnd, GCL_CBWNDEXTRA));

    // Sizes set before the window existed are replaced by the font's.
    FontSizes expected = SizesOf(*grid.GetItemFont(0, 0));
    EXPECT_GT(expected.margin, 0);
    EXPECT_EQ(expected.margin, grid.Margin());
    EXPECT_EQ(expected.rowHeight, grid.DefRowHeight());
    EXPECT_EQ(expected.colWidth, grid.DefColWidth());
    for (int r = 0; r < 6; r++)
        EXPECT_EQ(expected.rowHeight, grid.GetRowHeight(r)) << r;
    for (int c = 0; c < 4; c++)
        EXPECT_EQ(expected.colWidth, grid.GetColumnWidth(c)) << c;

    // WM_GETFONT answers the grid's screen font, made from its font record.
    HFONT hFont = (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0);
    ASSERT_TRUE(hFont != NULL);
    LOGFONT lf;
    ASSERT_EQ((int)sizeof(lf), ::GetObjectA(hFont, sizeof(lf), &lf));
    EXPECT_STREQ(grid.GetItemFont(1, 1)->lfFaceName, lf.lfFaceName);

    // A second grid uses the class already registered.
    CTestGrid second(2, 2);
    ASSERT_TRUE(second.Create(CRect(0, 0, 100, 100), parent.Wnd(), 1235, WS_CHILD));
    EXPECT_EQ("MFCGridCtrl", ClassName(second.GetSafeHwnd()));
}

TEST(GridWindow, CreateFailureLeavesAUsableDataStore)
{
    CTestGrid grid(3, 3);
    // A child window without a parent cannot be made.
    EXPECT_FALSE(grid.Create(CRect(0, 0, 100, 100), NULL, 1, WS_CHILD));
    EXPECT_EQ(NULL, grid.GetSafeHwnd());
    EXPECT_TRUE(grid.SetItemText(1, 1, "kept"));
    EXPECT_STREQ("kept", grid.GetItemText(1, 1));
    EXPECT_EQ(3, grid.InsertRow("x"));
}

TEST(GridWindow, SubclassingKeepsSizesAndSetsTheFontMetrics)
{
    CRecordingParent parent;
    CTestGrid grid(4, 3);
    grid.SetRowHeight(1, 33);
    grid.SetColumnWidth(2, 44);
    HWND hWnd = ::CreateWindowExA(0, "MFCGridCtrl", "", WS_CHILD, 0, 0, 200, 100, parent.m_hWnd,
                                  (HMENU)7, ::GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(hWnd != NULL);

    ASSERT_TRUE(grid.SubclassWindow(hWnd));
    EXPECT_EQ(&grid, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(33, grid.GetRowHeight(1));
    EXPECT_EQ(44, grid.GetColumnWidth(2));
    FontSizes expected = SizesOf(*grid.GetItemFont(0, 0));
    EXPECT_EQ(expected.margin, grid.Margin());
    EXPECT_EQ(expected.rowHeight, grid.DefRowHeight());
    EXPECT_TRUE(::SendMessageA(hWnd, WM_GETFONT, 0, 0) != 0);

    // A window already bound, or no window at all, is refused.
    CTestGrid other;
    EXPECT_FALSE(other.SubclassWindow(hWnd));
    EXPECT_FALSE(other.SubclassWindow(NULL));
    EXPECT_EQ(NULL, other.GetSafeHwnd());
}

namespace
{

// A dialog template in memory: a hidden dialog holding one custom control
// of class "MFCGridCtrl" with id 1001 inside a static frame (id 1000).
class CTemplateBuilder
{
public:
    void Word(WORD w) { m_data.push_back(w); }
    void DWord(DWORD d) { Word(LOWORD(d)); Word(HIWORD(d)); }
    void Text(const char* psz)
    {
        for (; *psz; psz++)
            Word((WORD)(unsigned char)*psz);
        Word(0);
    }
    void Align() { if (m_data.size() % 2) Word(0); }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, const char* pszClass)
    {
        Align();
        DWord(style);
        DWord(0);
        Word(x); Word(y); Word(cx); Word(cy);
        Word(id);
        Text(pszClass);
        Text("");
        Word(0);
    }
    LPCDLGTEMPLATEA Get() { return (LPCDLGTEMPLATEA)m_data.data(); }

    std::vector<WORD> m_data;
};

class CGridDialog : public CDialog
{
public:
    CTestGrid m_grid;
    int m_nExchanges = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_GridControl(pDX, 1001, m_grid);
        m_nExchanges++;
    }
};

} // namespace

TEST(GridWindow, AGridInADialogTemplateIsTakenOverByDataExchange)
{
    CGridDialog dlg;   // constructing the grid registers its class
    dlg.m_grid.SetRowCount(5);
    dlg.m_grid.SetColumnCount(2);

    CTemplateBuilder t;
    t.DWord(WS_POPUP | WS_CAPTION | DS_SETFONT);
    t.DWord(0);
    t.Word(2);
    t.Word(0); t.Word(0); t.Word(200); t.Word(120);
    t.Word(0);   // no menu
    t.Word(0);   // the dialog class
    t.Text("grid dialog");
    t.Word(8);
    t.Text("MS Shell Dlg");
    t.Item(WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, 0, 0, 10, 10, 1000, "STATIC");
    t.Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 10, 10, 150, 80, 1001, "MFCGridCtrl");

    ASSERT_TRUE(dlg.CreateIndirect(t.Get(), NULL));
    HWND hCtrl = ::GetDlgItem(dlg.GetSafeHwnd(), 1001);
    ASSERT_TRUE(hCtrl != NULL);
    EXPECT_EQ("MFCGridCtrl", ClassName(hCtrl));
    EXPECT_EQ(1, dlg.m_nExchanges);
    EXPECT_EQ(hCtrl, dlg.m_grid.GetSafeHwnd());
    EXPECT_EQ(&dlg.m_grid, CWnd::FromHandlePermanent(hCtrl));
    EXPECT_GT(dlg.m_grid.Margin(), 0);
    EXPECT_EQ(5, dlg.m_grid.GetRowCount());

    // The grid now answers messages of its own: the dialog code.
    EXPECT_EQ((LRESULT)(DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB),
              ::SendMessageA(hCtrl, WM_GETDLGCODE, 0, 0));

    // Later exchanges leave the bound grid alone.
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(hCtrl, dlg.m_grid.GetSafeHwnd());

    // A control that cannot be taken over (already bound, or missing) is
    // the framework's not-supported exception.
    CDataExchange dx(&dlg, FALSE);
    CTestGrid other;
    for (int nID : { 1001, 4242 })
    {
        bool bThrown = false;
        try
        {
            DDX_GridControl(&dx, nID, other);
        }
        catch (CNotSupportedException* e)
        {
            bThrown = true;
            e->Delete();
        }
        EXPECT_TRUE(bThrown) << nID;
        EXPECT_EQ(NULL, other.GetSafeHwnd());
    }
    dlg.DestroyWindow();
}

TEST(GridWindow, ColoursFollowTheSystemOnlyWhileTheyStillEqualIt)
{
    CRecordingParent parent;
    CTestGrid plain(2, 2), custom(2, 2);
    ASSERT_TRUE(plain.Create(CRect(0, 0, 100, 100), parent.Wnd(), 1, WS_CHILD));
    ASSERT_TRUE(custom.Create(CRect(0, 0, 100, 100), parent.Wnd(), 2, WS_CHILD));
    custom.SetTextBkColor(RGB(1, 2, 3));
    custom.SetFixedBkColor(RGB(4, 5, 6));

    int elements[2] = { COLOR_WINDOW, COLOR_BTNFACE };
    COLORREF old[2] = { ::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_BTNFACE) };
    COLORREF changed[2] = { old[0] ^ 0x00102030, old[1] ^ 0x00302010 };
    ASSERT_TRUE(::SetSysColors(2, elements, changed));

    // The system tells top-level windows; a parent passes it to its children.
    plain.SendMessage(WM_SYSCOLORCHANGE);
    custom.SendMessage(WM_SYSCOLORCHANGE);
    COLORREF nowWindow = ::GetSysColor(COLOR_WINDOW), nowFace = ::GetSysColor(COLOR_BTNFACE);
    ::SetSysColors(2, elements, old);

    EXPECT_EQ(changed[0], nowWindow);
    EXPECT_EQ(nowWindow, plain.GetTextBkColor());
    EXPECT_EQ(nowFace, plain.GetFixedBkColor());
    EXPECT_EQ(RGB(1, 2, 3), custom.GetTextBkColor());
    EXPECT_EQ(RGB(4, 5, 6), custom.GetFixedBkColor());

    // The cache holds the new colours: restoring them makes the plain grid
    // follow back, and the custom colour still stays.
    plain.SendMessage(WM_SYSCOLORCHANGE);
    custom.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(old[0], plain.GetTextBkColor());
    EXPECT_EQ(old[1], plain.GetFixedBkColor());
    EXPECT_EQ(RGB(1, 2, 3), custom.GetTextBkColor());
}

TEST(GridWindow, WheelSettingComesFromTheRegistryAndFollowsSettingChanges)
{
    CWheelSettingGuard guard;

    CWheelSettingGuard::Set("5");
    CTestGrid grid(2, 2);
    EXPECT_EQ(5, grid.WheelLines());

    CWheelSettingGuard::Remove();
    CTestGrid without;
    EXPECT_EQ(3, without.WheelLines());

    // WM_SETTINGCHANGE reaches the grid's handler, which reads the value
    // again (and, with it, the system colours).
    CRecordingParent parent;
    ASSERT_TRUE(grid.Create(CRect(0, 0, 100, 100), parent.Wnd(), 1, WS_CHILD));
    CWheelSettingGuard::Set("9");
    grid.SendMessage(WM_SETTINGCHANGE, SPI_SETWHEELSCROLLLINES, 0);
    EXPECT_EQ(9, grid.WheelLines());

    // Called directly, without a window, too.
    CWheelSettingGuard::Set("2");
    without.OnSettingChange(0, NULL);
    EXPECT_EQ(2, without.WheelLines());
}

namespace
{
class CRecordingCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override { m_nEnabled = bOn ? 1 : 0; }
    int m_nEnabled = -1;
};
} // namespace

TEST(GridWindow, DialogCodeAndEditCommandQueries)
{
    CRecordingParent parent;
    CTestGrid grid(4, 4, 1, 1);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 200, 200), parent.Wnd(), 1, WS_CHILD));

    EXPECT_EQ(131, grid.SendMessage(WM_GETDLGCODE));
    grid.SetHandleTabKey(FALSE);
    EXPECT_EQ(129, grid.SendMessage(WM_GETDLGCODE));

    auto query = [&](UINT nID) {
        CRecordingCmdUI ui;
        ui.m_nID = nID;
        EXPECT_TRUE(grid.OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &ui, NULL)) << nID;
        return ui.m_nEnabled;
    };
    EXPECT_EQ(0, query(ID_EDIT_COPY));
    EXPECT_EQ(0, query(ID_EDIT_CUT));
    EXPECT_EQ(1, query(ID_EDIT_SELECT_ALL));

    grid.SetSelectedRange(1, 1, 2, 2);
    EXPECT_EQ(1, query(ID_EDIT_COPY));
    EXPECT_EQ(1, query(ID_EDIT_CUT));
    grid.SetEditable(FALSE);
    EXPECT_EQ(0, query(ID_EDIT_CUT));
    grid.EnableSelection(FALSE);
    EXPECT_EQ(0, query(ID_EDIT_SELECT_ALL));

    // Each command has a handler.
    AFX_CMDHANDLERINFO info = { NULL };
    for (UINT nID : { ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL })
        EXPECT_TRUE(grid.OnCmdMsg(nID, CN_COMMAND, NULL, &info)) << nID;
}
