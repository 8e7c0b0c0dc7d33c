// Per-cell accessors, SetItem / GetItem and the modified flags.

#include "grid_test_util.h"
#include "platform/ImageList.h"

#include <algorithm>

using namespace gridtest;

TEST(GridItems, InvalidAddressesGiveTheInvalidValues)
{
    CVXGridCtrl grid(3, 3);
    const int bad[][2] = { { -1, 0 }, { 0, -1 }, { 3, 0 }, { 0, 3 }, { 100000, 100000 } };
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    for (const auto& a : bad)
    {
        int r = a[0], c = a[1];
        EXPECT_FALSE(grid.IsValid(r, c));
        EXPECT_TRUE(grid.GetCell(r, c) == NULL);
        EXPECT_STREQ("", grid.GetItemText(r, c));
        EXPECT_EQ(0, grid.GetItemData(r, c));
        EXPECT_EQ(-1, grid.GetItemImage(r, c));
        EXPECT_EQ(0u, grid.GetItemState(r, c));
        EXPECT_EQ(0u, grid.GetItemFormat(r, c));
        EXPECT_EQ(0u, grid.GetItemBkColour(r, c));
        EXPECT_EQ(0u, grid.GetItemFgColour(r, c));
        EXPECT_FALSE(grid.SetItemText(r, c, "x"));
        EXPECT_FALSE(grid.SetItemData(r, c, 5));
        EXPECT_FALSE(grid.SetItemImage(r, c, 1));
        EXPECT_FALSE(grid.SetItemState(r, c, GCS_SELECTED));
        EXPECT_FALSE(grid.SetItemFormat(r, c, 1));
        EXPECT_FALSE(grid.SetItemBkColour(r, c, 1));
        EXPECT_FALSE(grid.SetItemFgColour(r, c, 1));
        EXPECT_FALSE(grid.SetItemFont(r, c, &lf));
        EXPECT_FALSE(grid.SetCell(r, c, NULL));
    }
    EXPECT_EQ(0, grid.GetSelectedCount());
    // The font getter for a missing cell answers the grid's own font.
    LOGFONT* pGridFont = grid.GetItemFont(-1, -1);
    EXPECT_EQ(pGridFont, grid.GetItemFont(7, 7));
    EXPECT_NE(pGridFont, grid.GetItemFont(1, 1));
    EXPECT_STREQ(pGridFont->lfFaceName, grid.GetItemFont(1, 1)->lfFaceName);

    CVXGridCtrl empty;
    EXPECT_FALSE(empty.IsValid(CVXCellRange(0, 0, 0, 0)));
    EXPECT_TRUE(grid.IsValid(CVXCellRange(0, 0, 2, 2)));
    EXPECT_FALSE(grid.IsValid(CVXCellRange(1, 1, 0, 2)));
    EXPECT_FALSE(grid.IsValid(CVXCellRange(0, 0, 3, 2)));
    EXPECT_FALSE(grid.IsValid(CVXCellRange(-1, 0, 2, 2)));
}

TEST(GridItems, AttributesRoundTripPerCell)
{
    CVXGridCtrl grid(3, 3);
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -23;
    lf.lfItalic = TRUE;
    strcpy(lf.lfFaceName, "Tahoma");

    EXPECT_TRUE(grid.SetItemText(1, 2, "hello"));
    EXPECT_TRUE(grid.SetItemData(1, 2, (LPARAM)-77));
    EXPECT_TRUE(grid.SetItemImage(1, 2, 4));
    EXPECT_TRUE(grid.SetItemFormat(1, 2, DT_RIGHT | DT_VCENTER));
    EXPECT_TRUE(grid.SetItemBkColour(1, 2, RGB(1, 2, 3)));
    EXPECT_TRUE(grid.SetItemFgColour(1, 2, RGB(4, 5, 6)));
    EXPECT_TRUE(grid.SetItemFont(1, 2, &lf));
    EXPECT_TRUE(grid.SetItemState(1, 2, GCS_READONLY));

    EXPECT_STREQ("hello", grid.GetItemText(1, 2));
    EXPECT_EQ((LPARAM)-77, grid.GetItemData(1, 2));
    EXPECT_EQ(4, grid.GetItemImage(1, 2));
    EXPECT_EQ((UINT)(DT_RIGHT | DT_VCENTER), grid.GetItemFormat(1, 2));
    EXPECT_EQ(RGB(1, 2, 3), grid.GetItemBkColour(1, 2));
    EXPECT_EQ(RGB(4, 5, 6), grid.GetItemFgColour(1, 2));
    EXPECT_EQ(0, memcmp(&lf, grid.GetItemFont(1, 2), sizeof(LOGFONT)));
    EXPECT_EQ((UINT)GCS_READONLY, grid.GetItemState(1, 2));
    // Neighbours untouched; a NULL text stores an empty one.
    EXPECT_STREQ("", grid.GetItemText(1, 1));
    EXPECT_TRUE(grid.SetItemText(1, 2, NULL));
    EXPECT_STREQ("", grid.GetItemText(1, 2));
    EXPECT_FALSE(grid.SetItemFont(1, 2, NULL));
}

TEST(GridItems, SetCellHandsOverOwnership)
{
    CVXGridCtrl grid(2, 2);
    CGridCell* pOld = grid.GetCell(1, 1);
    CGridCell* pNew = new CGridCell;
    pNew->m_strText = "mine";
    EXPECT_TRUE(grid.SetCell(1, 1, pNew));
    EXPECT_STREQ("mine", grid.GetItemText(1, 1));
    delete pOld;   // the caller took the old cell over
}

// Records, when SetItemText runs, what the cell's other attributes are at
// that moment: text must be applied before everything else.
class COrderGrid : public CVXGridCtrl
{
public:
    COrderGrid() : CVXGridCtrl(3, 3) {}
    int nTextCalls = 0;
    LPARAM lParamSeen = 0;
    int nImageSeen = 0;
    UINT nStateSeen = 0;
    UINT nFormatSeen = 0;
    COLORREF crBkSeen = 0, crFgSeen = 0;
    LONG lfHeightSeen = 0;

    BOOL SetItemText(int nRow, int nCol, LPCTSTR str) override
    {
        nTextCalls++;
        CGridCell* p = GetCell(nRow, nCol);
        lParamSeen = p->m_lParam;
        nImageSeen = p->m_nImage;
        nStateSeen = p->m_nState;
        nFormatSeen = p->m_nFormat;
        crBkSeen = p->m_crBkClr;
        crFgSeen = p->m_crFgClr;
        lfHeightSeen = p->m_lfFont.lfHeight;
        return CVXGridCtrl::SetItemText(nRow, nCol, str);
    }
    CString GetItemText(int nRow, int nCol) override
    {
        return CString("<") + CVXGridCtrl::GetItemText(nRow, nCol) + ">";
    }
};

TEST(GridItems, SetItemAppliesTheMaskWithTheTextFirst)
{
    COrderGrid grid;
    LONG lfHeightBefore = grid.GetItemFont(1, 1)->lfHeight;

    GV_ITEM item;
    item.row = 1;
    item.col = 1;
    item.mask = GIM_TEXT | GIM_PARAM | GIM_IMAGE | GIM_STATE | GIM_FORMAT | GIM_BKCLR | GIM_FGCLR | GIM_FONT;
    item.szText = "abc";
    item.lParam = 99;
    item.iImage = 7;
    item.nState = GCS_READONLY;
    item.nFormat = DT_RIGHT;
    item.crBkClr = RGB(9, 9, 9);
    item.crFgClr = RGB(8, 8, 8);
    memset(&item.lfFont, 0, sizeof(item.lfFont));
    item.lfFont.lfHeight = -40;
    EXPECT_TRUE(grid.SetItem(&item));

    EXPECT_EQ(1, grid.nTextCalls);
    EXPECT_EQ(0, grid.lParamSeen);
    EXPECT_EQ(-1, grid.nImageSeen);
    EXPECT_EQ(0u, grid.nStateSeen);
    EXPECT_EQ(0u, grid.nFormatSeen);
    EXPECT_EQ(GRID_DEFAULT_CLR, grid.crBkSeen);
    EXPECT_EQ(GRID_DEFAULT_CLR, grid.crFgSeen);
    EXPECT_EQ(lfHeightBefore, grid.lfHeightSeen);

    // Everything arrived.
    CGridCell* p = grid.GetCell(1, 1);
    EXPECT_STREQ("abc", p->m_strText);
    EXPECT_EQ(99, p->m_lParam);
    EXPECT_EQ(7, p->m_nImage);
    EXPECT_EQ((UINT)GCS_READONLY, p->m_nState);
    EXPECT_EQ((UINT)DT_RIGHT, p->m_nFormat);
    EXPECT_EQ(RGB(9, 9, 9), p->m_crBkClr);
    EXPECT_EQ(RGB(8, 8, 8), p->m_crFgClr);
    EXPECT_EQ(-40, p->m_lfFont.lfHeight);

    // Only the masked attributes travel.
    GV_ITEM item2;
    item2.row = 1;
    item2.col = 1;
    item2.mask = GIM_IMAGE;
    item2.iImage = 3;
    item2.lParam = 1234;
    item2.szText = "not me";
    EXPECT_TRUE(grid.SetItem(&item2));
    EXPECT_EQ(3, p->m_nImage);
    EXPECT_EQ(99, p->m_lParam);
    EXPECT_STREQ("abc", p->m_strText);
    EXPECT_EQ(1, grid.nTextCalls);

    // GetItem reads the text through the overridable GetItemText.
    GV_ITEM out;
    out.row = 1;
    out.col = 1;
    out.mask = GIM_TEXT | GIM_IMAGE | GIM_FORMAT | GIM_FONT;
    out.iImage = 0;
    out.lParam = 5;
    EXPECT_TRUE(grid.GetItem(&out));
    EXPECT_STREQ("<abc>", out.szText);
    EXPECT_EQ(3, out.iImage);
    EXPECT_EQ((UINT)DT_RIGHT, out.nFormat);
    EXPECT_EQ(-40, out.lfFont.lfHeight);
    EXPECT_EQ(5, out.lParam) << "not in the mask";

    // NULL records and invalid addresses.
    EXPECT_FALSE(grid.SetItem(NULL));
    EXPECT_FALSE(grid.GetItem(NULL));
    out.row = 3;
    EXPECT_FALSE(grid.GetItem(&out));
    item.row = -1;
    EXPECT_FALSE(grid.SetItem(&item));
    EXPECT_EQ(1, grid.nTextCalls);
}

// A grid whose SetItemText puts a fresh cell in place before storing the
// text (the old one is freed after the new one is made, so they differ).
class CReplacingGrid : public CVXGridCtrl
{
public:
    CReplacingGrid() : CVXGridCtrl(3, 3) {}
    BOOL SetItemText(int nRow, int nCol, LPCTSTR str) override
    {
        CGridCell* pOld = GetCell(nRow, nCol);
        SetCell(nRow, nCol, new CGridCell);
        delete pOld;
        return CVXGridCtrl::SetItemText(nRow, nCol, str);
    }
};

TEST(GridItems, SetItemGivesTheOtherAttributesToTheCellLeftByTheTextOverride)
{
    CReplacingGrid grid;
    GV_ITEM item;
    item.row = 1;
    item.col = 2;
    item.mask = GIM_TEXT | GIM_PARAM | GIM_IMAGE | GIM_FORMAT | GIM_BKCLR;
    item.szText = "t";
    item.lParam = 42;
    item.iImage = 6;
    item.nFormat = DT_RIGHT;
    item.crBkClr = RGB(7, 7, 7);
    EXPECT_TRUE(grid.SetItem(&item));
    CGridCell* p = grid.GetCell(1, 2);
    EXPECT_STREQ("t", p->m_strText);
    EXPECT_EQ(42, p->m_lParam);
    EXPECT_EQ(6, p->m_nImage);
    EXPECT_EQ((UINT)DT_RIGHT, p->m_nFormat);
    EXPECT_EQ(RGB(7, 7, 7), p->m_crBkClr);
}

TEST(GridItems, NewCellsInheritTheFormatOfTheCellAboveAndTheGridFont)
{
    CVXGridCtrl grid(2, 2);
    grid.SetItemFormat(1, 0, DT_RIGHT);
    grid.SetItemFormat(1, 1, DT_CENTER);
    grid.SetRowCount(4);
    EXPECT_EQ((UINT)DT_RIGHT, grid.GetItemFormat(3, 0));
    EXPECT_EQ((UINT)DT_CENTER, grid.GetItemFormat(3, 1));
    EXPECT_EQ(0, memcmp(grid.GetItemFont(-1, -1), grid.GetItemFont(3, 1), sizeof(LOGFONT)));

    // New columns: row 0 gets format 0, each later row the format of its
    // (new) cell above.
    grid.SetColumnCount(3);
    for (int r = 0; r < 4; r++)
        EXPECT_EQ(0u, grid.GetItemFormat(r, 2));
}

TEST(GridItems, ModifiedFlagsFollowTheirRules)
{
    CVXGridCtrl grid(5, 6);
    // Row or column 0 (or negative) means the grid-wide flag only.
    grid.SetModified(TRUE, 0, 5);
    EXPECT_TRUE(grid.GetModified());
    EXPECT_EQ(0u, grid.GetItemState(0, 5) & GCS_MODIFIED);

    grid.SetModified(TRUE, 3, 3);
    grid.SetModified(TRUE, 2, 4);
    EXPECT_TRUE(grid.GetModified(3, 3));
    EXPECT_TRUE(grid.GetModified(2, 4));
    EXPECT_FALSE(grid.GetModified(1, 1));
    EXPECT_TRUE(grid.GetModified(0, 1)) << "row 0 asks the grid flag";

    // Clearing one cell while the grid flag is set touches only that cell.
    grid.SetModified(FALSE, 3, 3);
    EXPECT_FALSE(grid.GetModified(3, 3));
    EXPECT_TRUE(grid.GetModified(2, 4));
    EXPECT_TRUE(grid.GetModified());

    // Clearing the grid flag clears every cell's bit, other bits stay.
    grid.SetItemState(2, 4, grid.GetItemState(2, 4) | GCS_READONLY);
    grid.SetModified(FALSE, -1, -1);
    EXPECT_FALSE(grid.GetModified());
    EXPECT_FALSE(grid.GetModified(2, 4));
    EXPECT_EQ((UINT)GCS_READONLY, grid.GetItemState(2, 4));

    // While the grid flag is FALSE, clearing any cell sweeps all cells.
    grid.SetItemState(4, 5, GCS_MODIFIED);
    grid.SetItemState(1, 2, GCS_MODIFIED);
    grid.SetModified(FALSE, 3, 3);
    EXPECT_FALSE(grid.GetModified(4, 5));
    EXPECT_FALSE(grid.GetModified(1, 2));
}

TEST(GridItems, ColourColumnIsTheLowestFlaggedColumnInsideTheGrid)
{
    CVXGridCtrl grid(2, 4);
    EXPECT_EQ(-1, grid.HasSelColorCol());
    grid.SetColSelColor(6, 1);
    EXPECT_EQ(-1, grid.HasSelColorCol()) << "flag beyond the column count";
    grid.SetColSelColor(3, 1);
    grid.SetColSelColor(2, 5);
    EXPECT_EQ(2, grid.HasSelColorCol());
    grid.SetColumnCount(2);
    EXPECT_EQ(-1, grid.HasSelColorCol());
}

TEST(GridItems, CellExtentCountsMarginsBoldHeadersAndImages)
{
    CVXGridCtrl grid(2, 2, 1, 0);
    grid.SetItemText(0, 0, "Header text");
    grid.SetItemText(1, 0, "Header text");
    HDC hScreen = ::GetDC(NULL);
    CDC dc;
    ASSERT_TRUE(dc.Attach(::CreateCompatibleDC(hScreen)));
    ::ReleaseDC(NULL, hScreen);

    // A fixed cell is measured semi-bold, so never narrower than the same
    // text in an ordinary cell; both match the grid's own measuring.
    CSize fixed = grid.GetCellExtent(0, 0, &dc);
    CSize normal = grid.GetCellExtent(1, 0, &dc);
    EXPECT_GE(fixed.cx, normal.cx);
    EXPECT_GT(normal.cx, 0);
    EXPECT_EQ(grid.GetTextExtent("Header text", TRUE).cx, fixed.cx);
    EXPECT_EQ(normal.cy, fixed.cy);

    // An image adds its width, and its height when taller than the text.
    CImageList images;
    ASSERT_TRUE(images.Create(20, 40, ILC_COLOR32, 1, 1));
    ASSERT_TRUE(ImageList_SetImageCount(images.GetSafeHandle(), 1));
    IMAGEINFO info;
    ASSERT_TRUE(images.GetImageInfo(0, &info));
    grid.SetImageList(&images);
    grid.SetItemImage(1, 0, 0);
    CSize withImage = grid.GetCellExtent(1, 0, &dc);
    EXPECT_EQ(normal.cx + info.rcImage.right - info.rcImage.left + 1, withImage.cx);
    EXPECT_EQ(std::max<LONG>(normal.cy, info.rcImage.bottom - info.rcImage.top + 1), withImage.cy);
    // An index the list does not have adds nothing.
    grid.SetItemImage(1, 0, 5);
    EXPECT_EQ(normal.cx, grid.GetCellExtent(1, 0, &dc).cx);
    grid.SetImageList(NULL);
    EXPECT_EQ(CSize(0, 0), grid.GetCellExtent(1, 0, NULL));
    ::DeleteDC(dc.Detach());
}
