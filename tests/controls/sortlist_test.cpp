// CSortListCtrl on a real report list view under Wine: headings, rows and
// their records, title clicks through the real header (sorting, the arrow's
// pixels, row numbers), and column widths through the registry and an INI
// profile, damaged values included.
#include <gtest/gtest.h>
#include "controls/SortListCtrl.h"
#include "controls_test_util.h"

#include <stdio.h>
#include <string>
#include <vector>

using namespace ctltest;

namespace
{

class CTestList : public CSortListCtrl
{
public:
    using CSortListCtrl::GetTextArray;
};

// The texts of one column from the window, top to bottom.
std::vector<std::string> Column(const CSortListCtrl& list, int nCol)
{
    std::vector<std::string> v;
    for (int i = 0; i < list.GetItemCount(); i++)
        v.push_back((LPCSTR)list.GetItemText(i, nCol));
    return v;
}

// Clicks the title of column nCol with real mouse messages to the header.
void ClickTitle(CSortListCtrl& list, int nCol)
{
    HWND hHeader = (HWND)::SendMessageA(list.m_hWnd, LVM_GETHEADER, 0, 0);
    RECT rc;
    ::SendMessageA(hHeader, HDM_GETITEMRECT, nCol, (LPARAM)&rc);
    Click(hHeader, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    Pump(10);
}

struct ListFixture : public ::testing::Test
{
    CRecordingParent parent;
    CTestList list;
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateShown());
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(0, 0, 480, 300), &parent, 41));
    }
};

const std::vector<std::string> V(std::initializer_list<const char*> l)
{
    return std::vector<std::string>(l.begin(), l.end());
}

}  // namespace

TEST_F(ListFixture, HeadingsDeclareRightAlignedColumnsAndRowsKeepTheirTexts)
{
    ASSERT_NE(nullptr, list.m_wndHeader.m_hWnd) << "the header is bound on creation";
    EXPECT_TRUE(list.SetHeadings(CString("No,40;Size,60;Date,90;Name,80;")));
    ASSERT_EQ(4, list.GetColCount());
    EXPECT_EQ(4, list.m_wndHeader.GetItemCount());
    EXPECT_EQ(60, list.GetColumnWidth(1));
    EXPECT_EQ(90, list.GetColumnWidth(2));
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT;
    ASSERT_TRUE(list.GetColumn(3, &col));
    EXPECT_EQ(LVCFMT_RIGHT, col.fmt & LVCFMT_JUSTIFYMASK);

    EXPECT_EQ(0, list.AddItem("", "10", "05/03/2011", "beta"));
    const LPCSTR row[] = { "", "7", "01/12/2010" };
    EXPECT_EQ(1, list.AddItemArray(row, 3));  // fewer texts than columns: the last is empty
    const LPCSTR wide[] = { "", "1", "x", "y", "surplus" };
    EXPECT_EQ(2, list.AddItemArray(wide, 5));
    EXPECT_EQ(3, list.AddItem());
    EXPECT_EQ("", std::string(list.GetItemText(1, 3)));
    int nTexts = 0;
    LPSTR* aTexts = list.GetTextArray(2, &nTexts);
    ASSERT_NE(nullptr, aTexts);
    EXPECT_EQ(4, nTexts);
    EXPECT_STREQ("y", aTexts[3]);

    // Item data lives in the record; rows outside the list, and rows not
    // made by AddItem, have none.
    EXPECT_EQ(0u, list.GetItemData(0));
    EXPECT_TRUE(list.SetItemData(0, 0xDEADBEEF));
    EXPECT_EQ(0xDEADBEEFu, list.GetItemData(0));
    EXPECT_FALSE(list.SetItemData(4, 1));
    EXPECT_FALSE(list.SetItemData(-1, 1));
    EXPECT_EQ(0u, list.GetItemData(99));
    const int nForeign = list.CListCtrl::InsertItem(list.GetItemCount(), "foreign");
    EXPECT_FALSE(list.SetItemData(nForeign, 5));
    EXPECT_EQ(0u, list.GetItemData(nForeign));

    // SetItemText changes window and copy together; a cell the window
    // refuses leaves the copy alone.
    EXPECT_TRUE(list.SetItemText(0, 3, "gamma"));
    EXPECT_STREQ("gamma", list.GetTextArray(0)[3]);
    EXPECT_EQ("gamma", std::string(list.GetItemText(0, 3)));
    EXPECT_FALSE(list.SetItemText(50, 3, "nowhere"));
    EXPECT_TRUE(list.SetItemText(nForeign, 1, "3"));  // no record to follow

    // Sorting a list holding a row without a record neither crashes nor
    // loses rows: its cells count as empty.
    ClickTitle(list, 1);
    EXPECT_EQ(5, list.GetItemCount());
    EXPECT_EQ(V({ "1", "2", "3", "4", "5" }), Column(list, 0));

    // A string without any comma declares nothing more; deleting the
    // columns keeps the count in step with the columns left.
    EXPECT_TRUE(list.SetHeadings(CString("nothing here")));
    EXPECT_EQ(0, list.GetColCount());
    list.SetHeadings(CString("No,40;Size,60;Date,90;Name,80"));
    EXPECT_TRUE(list.DeleteAllCols());
    EXPECT_EQ(0, list.GetColCount());
    EXPECT_EQ(-1, list.AddItem("x")) << "no column: no row";
    EXPECT_TRUE(list.SetHeadings(CString("A,50;B,50")));
    // Rows from the four-column days still sort safely by a column they
    // hold and by one they lack.
    list.Sort(1, TRUE);
    list.Sort(3, FALSE);
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
}

TEST_F(ListFixture, TitleClicksSortBothWaysDrawTheArrowAndRenumber)
{
    ASSERT_TRUE(list.SetHeadings(CString("No,40;Size,70;Date,100;Name,90")));
    list.AddItem("", "100", "20/03/2011", "b");
    list.AddItem("", "9", "05/03/2011", "a");
    list.AddItem("", "10", "01/12/2010", "c");
    list.AddItem("", "12345678901234567890123", "11/11/1111", "d");
    list.AddItem("", "12345678901234567890124", "12/11/1111", "D");

    ClickTitle(list, 1);
    EXPECT_EQ(1, list.GetSortColumn());
    EXPECT_TRUE(list.IsSortAscending());
    EXPECT_EQ(V({ "9", "10", "100", "12345678901234567890123", "12345678901234567890124" }), Column(list, 1));
    EXPECT_EQ(V({ "1", "2", "3", "4", "5" }), Column(list, 0));

    // The arrow: at (r - 2o, o) the ascending arrow's tip is drawn in the
    // light colour; the descending arrow's top edge there is in the shadow.
    RECT rc;
    ASSERT_TRUE(list.m_wndHeader.GetItemRect(1, &rc));
    const int o = (rc.bottom - rc.top) / 4;
    const int x = rc.right - 2 * o, y = o;
    Pixels up = Pixels::Of(list.m_wndHeader.m_hWnd);
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), up.At(x, y));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), up.At(rc.right - o - 1, rc.bottom - o - 1));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), up.At(rc.right - 2, rc.bottom / 2)) << "face right of the arrow";

    ClickTitle(list, 1);
    EXPECT_FALSE(list.IsSortAscending());
    EXPECT_EQ(V({ "12345678901234567890124", "12345678901234567890123", "100", "10", "9" }), Column(list, 1));
    Pixels down = Pixels::Of(list.m_wndHeader.m_hWnd);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), down.At(x, y));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), down.At(rc.right - o - 1, y));

    // Another column sorts ascending; dates compare year, month, day.
    ClickTitle(list, 2);
    EXPECT_TRUE(list.IsSortAscending());
    EXPECT_EQ(V({ "11/11/1111", "12/11/1111", "01/12/2010", "05/03/2011", "20/03/2011" }), Column(list, 2));
    Pixels moved = Pixels::Of(list.m_wndHeader.m_hWnd);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), moved.At(x, y)) << "the old sort column lost its arrow";

    // Without sorting by click the order stays but the numbers are written.
    list.SetItemText(0, 0, "x");
    list.SetDispSort(FALSE);
    ClickTitle(list, 3);
    EXPECT_EQ(2, list.GetSortColumn());
    EXPECT_EQ(V({ "1", "2", "3", "4", "5" }), Column(list, 0));

    // With row numbers in column 0 a click there is recorded, nothing moves.
    list.SetDispSort(TRUE);
    list.SetFirstColID(TRUE);
    const std::vector<std::string> before = Column(list, 2);
    ClickTitle(list, 0);
    EXPECT_EQ(0, list.GetSortColumn());
    EXPECT_EQ(before, Column(list, 2));
    EXPECT_EQ(2, list.m_wndHeader.m_nSortCol);
}

TEST(SortListCompare, NumbersDatesAndTextAreBoundedAndExact)
{
    // Decided by the first text: digits compare numerically, the other side
    // read as C reads a decimal (abc is 0, -5 is negative).
    EXPECT_LT(CSortListCtrl::CompareTexts("9", "10"), 0);
    EXPECT_GT(CSortListCtrl::CompareTexts("10", "abc"), 0);
    EXPECT_EQ(0, CSortListCtrl::CompareTexts("0", "abc"));
    EXPECT_GT(CSortListCtrl::CompareTexts("0", "-5"), 0);
    EXPECT_EQ(0, CSortListCtrl::CompareTexts("", "0"));
    EXPECT_EQ(0, CSortListCtrl::CompareTexts("007", "7"));
    // Digit strings far beyond 64 bits still compare exactly.
    EXPECT_LT(CSortListCtrl::CompareTexts("99999999999999999999999999999998", "99999999999999999999999999999999"), 0);
    EXPECT_GT(CSortListCtrl::CompareTexts("100000000000000000000000000000000", "99999999999999999999999999999999"), 0);
    // A date against a short or odd second text: only its own characters
    // are read (a lone "5" is day 5 of year 0 and month 0).
    EXPECT_GT(CSortListCtrl::CompareTexts("01/01/2000", "5"), 0);
    EXPECT_GT(CSortListCtrl::CompareTexts("01/01/2000", ""), 0);
    EXPECT_LT(CSortListCtrl::CompareTexts("01/01/2000", "01/01/2001"), 0);
    EXPECT_EQ(0, CSortListCtrl::CompareTexts("01/01/2000", "01/01/20001")) << "the year is read at 6..9 only";
    EXPECT_EQ(0, CSortListCtrl::CompareTexts("05/03/2011", "05/03/2011"));
    EXPECT_LT(CSortListCtrl::CompareTexts("31/12/2010", "01/01/2011"), 0);
    // Text otherwise, case-sensitive.
    EXPECT_NE(0, CSortListCtrl::CompareTexts("abc", "ABC"));
    EXPECT_LT(CSortListCtrl::CompareTexts("apple", "banana"), 0);
    EXPECT_EQ(0, CSortListCtrl::CompareTexts(nullptr, ""));
}

namespace
{
// Writes a raw profile value for the list's key.
void WriteRaw(const std::vector<BYTE>& bytes)
{
    AfxGetApp()->WriteProfileBinary("ListCtrls", "41", bytes.empty() ? nullptr : (LPBYTE)bytes.data(),
                                    (UINT)bytes.size());
}

std::vector<BYTE> Blob(std::initializer_list<int32_t> values)
{
    std::vector<BYTE> b;
    for (int32_t v : values)
        for (int i = 0; i < 4; i++)
            b.push_back((BYTE)((uint32_t)v >> (8 * i)));
    return b;
}

std::vector<int> Widths(const CSortListCtrl& list)
{
    std::vector<int> w;
    for (int i = 0; i < list.GetColCount(); i++)
        w.push_back(list.GetColumnWidth(i));
    return w;
}

// Runs the width round trip and the damaged values against the current
// profile store of the application.
void CheckWidthsInProfile(CSortListCtrl& list)
{
    ASSERT_TRUE(list.SetHeadings(CString("A,50;B,60;C,70;D,80")));
    list.SetColumnWidth(1, 111);
    list.SaveColumnInfo();
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    ASSERT_TRUE(AfxGetApp()->GetProfileBinary("ListCtrls", "41", &pData, &nBytes));
    std::vector<BYTE> stored(pData, pData + nBytes);
    delete[] pData;
    EXPECT_EQ(Blob({ 4, 50, 111, 70, 80 }), stored) << "count then widths, 32-bit little-endian";

    list.SetColumnWidth(1, 20);
    list.SetColumnWidth(3, 21);
    list.LoadColumnInfo();
    EXPECT_EQ((std::vector<int>{ 50, 111, 70, 80 }), Widths(list));

    const std::vector<int> kept = Widths(list);
    struct Damaged
    {
        const char* what;
        std::vector<BYTE> bytes;
    };
    std::vector<BYTE> truncated = Blob({ 4, 1, 2, 3, 4 });
    truncated.resize(truncated.size() - 2);
    std::vector<BYTE> longer = Blob({ 4, 1, 2, 3, 4 });
    longer.push_back(0);
    const Damaged damaged[] = {
        { "empty", {} },
        { "shorter than a count", { 4, 0 } },
        { "truncated width", truncated },
        { "trailing byte", longer },
        { "count of five for four columns", Blob({ 5, 1, 2, 3, 4, 5 }) },
        { "count larger than the value", Blob({ 1000000, 1 }) },
        { "negative count", Blob({ -4, 1, 2, 3, 4 }) },
        { "negative width", Blob({ 4, 10, -1, 10, 10 }) },
        { "absurd width", Blob({ 4, 10, 10, 0x7FFFFFFF, 10 }) },
    };
    for (const Damaged& d : damaged)
    {
        WriteRaw(d.bytes);
        list.LoadColumnInfo();
        EXPECT_EQ(kept, Widths(list)) << d.what;
    }
    // Saved with four columns, loaded into five: nothing changes.
    WriteRaw(Blob({ 4, 50, 111, 70, 80 }));
    list.InsertColumn(4, "E", LVCFMT_RIGHT, 33);
    list.SetColumnWidth(0, 9);
    list.LoadColumnInfo();
    EXPECT_EQ(9, list.GetColumnWidth(0));
    AfxGetApp()->WriteProfileString("ListCtrls", nullptr, nullptr);
}
}  // namespace

TEST_F(ListFixture, ColumnWidthsRoundTripThroughRegistryAndIniAndSurviveDamage)
{
    {
        CWinApp app("KvVXSortListTest");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KvVXTestCompany\\KvVXSortListTest");
        app.SetRegistryKey("KvVXTestCompany");
        CheckWidthsInProfile(list);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KvVXTestCompany\\KvVXSortListTest");
    }
    while (list.DeleteColumn(0))
    {
    }
    {
        CWinApp app("KvVXSortListTest");
        char szDir[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szDir);
        std::string ini = std::string(szDir) + "kvvx_sortlist_test.ini";
        ::DeleteFileA(ini.c_str());
        app.SetProfileName(ini.c_str());
        CheckWidthsInProfile(list);
        ::DeleteFileA(ini.c_str());
    }
}

TEST(SortListSubclass, AnExistingListViewIsTakenOverWithItsHeader)
{
    // The way a dialog's list view becomes a sortable list.
    CRecordingParent parent;
    ASSERT_TRUE(parent.CreateShown());
    AfxInitListViewClasses();
    HWND hList = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200,
                                   parent.m_hWnd, (HMENU)44, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, hList);
    CSortListCtrl list;
    ASSERT_TRUE(list.SubclassWindow(hList));
    EXPECT_EQ((HWND)::SendMessageA(hList, LVM_GETHEADER, 0, 0), list.m_wndHeader.m_hWnd);
    ASSERT_TRUE(list.SetHeadings(CString("No,40;Value,80")));
    list.AddItem("", "b");
    list.AddItem("", "a");
    ClickTitle(list, 1);
    EXPECT_EQ(V({ "a", "b" }), Column(list, 1));
    EXPECT_EQ(V({ "1", "2" }), Column(list, 0));
}
