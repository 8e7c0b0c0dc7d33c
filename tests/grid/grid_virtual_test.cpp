// A derived grid sees every internal use of SetItemText, GetItemText,
// CreateCell and EmptyCell through its overrides.

#include "grid_test_util.h"

using namespace gridtest;

namespace
{
int g_nTaggedCellsAlive = 0;

// A cell with more members than CGridCell: it comes from the general heap.
class CTaggedCell : public CGridCell
{
public:
    CTaggedCell(int nRow, int nCol) : m_nBornRow(nRow), m_nBornCol(nCol) { g_nTaggedCellsAlive++; }
    ~CTaggedCell() override { g_nTaggedCellsAlive--; }
    int m_nBornRow;
    int m_nBornCol;
    char m_extra[64] = {};
};

class CTracingGrid : public CVXGridCtrl
{
public:
    CTracingGrid() {}
    int nSetText = 0, nGetText = 0, nCreate = 0, nEmpty = 0;
    std::vector<std::string> textsSet;

    BOOL SetItemText(int nRow, int nCol, LPCTSTR str) override
    {
        nSetText++;
        textsSet.push_back(str != NULL ? str : "");
        return CVXGridCtrl::SetItemText(nRow, nCol, str);
    }
    CString GetItemText(int nRow, int nCol) override
    {
        nGetText++;
        CString s = CVXGridCtrl::GetItemText(nRow, nCol);
        if (nRow == 0 && nCol == 0)
            s = "derived";   // a derived grid's own text is what gets saved
        return s;
    }
    CGridCell* CreateCell(int nRow, int nCol) override
    {
        nCreate++;
        CTaggedCell* pCell = new CTaggedCell(nRow, nCol);
        memcpy(&pCell->m_lfFont, GetItemFont(-1, -1), sizeof(LOGFONT));
        return pCell;
    }
    void EmptyCell(CGridCell* pCell, int nRow, int nCol) override
    {
        nEmpty++;
        CVXGridCtrl::EmptyCell(pCell, nRow, nCol);
    }
    void Reset() { nSetText = nGetText = nCreate = nEmpty = 0; textsSet.clear(); }
};
} // namespace

TEST(GridVirtual, ShapeOperationsCreateAndEmptyCellsThroughTheOverrides)
{
    {
        CTracingGrid grid;
        grid.SetRowCount(3);
        EXPECT_EQ(0, grid.nCreate) << "no columns yet";
        grid.SetColumnCount(4);
        EXPECT_EQ(12, grid.nCreate);
        EXPECT_EQ(12, g_nTaggedCellsAlive);
        CTaggedCell* pCell = dynamic_cast<CTaggedCell*>(grid.GetCell(2, 3));
        ASSERT_TRUE(pCell != NULL);
        EXPECT_EQ(2, pCell->m_nBornRow);
        EXPECT_EQ(3, pCell->m_nBornCol);

        grid.Reset();
        EXPECT_EQ(1, grid.InsertRow("r", 1));
        EXPECT_EQ(4, grid.nCreate);
        EXPECT_EQ(1, grid.nSetText);
        EXPECT_EQ(2, grid.InsertColumn("c", 0, 2));
        EXPECT_EQ(4 + 4, grid.nCreate);
        EXPECT_EQ(2, grid.nSetText);
        EXPECT_EQ((std::vector<std::string>{ "r", "c" }), grid.textsSet);

        grid.Reset();
        grid.SetRowCount(2);            // 2 rows of 5 cells go
        EXPECT_EQ(10, grid.nEmpty);
        grid.SetColumnCount(3);         // 2 columns of 2 rows go
        EXPECT_EQ(14, grid.nEmpty);
        grid.DeleteRow(0);
        EXPECT_EQ(17, grid.nEmpty);
        grid.DeleteColumn(0);
        EXPECT_EQ(18, grid.nEmpty);
        EXPECT_EQ(2, g_nTaggedCellsAlive);
        grid.SetRowCount(4);
        grid.DeleteNonFixedRows();
        EXPECT_EQ(18 + 8, grid.nEmpty);
        grid.SetRowCount(3);
        grid.Reset();
        grid.DeleteAllItems();
        EXPECT_EQ(6, grid.nEmpty);
        EXPECT_EQ(0, g_nTaggedCellsAlive);

        // The destructor frees what is left; a C++ destructor reaches the
        // grid's own EmptyCell only (the derived part is already gone).
        grid.SetRowCount(2);
        grid.SetColumnCount(2);
        EXPECT_EQ(4, g_nTaggedCellsAlive);
    }
    EXPECT_EQ(0, g_nTaggedCellsAlive);
}

TEST(GridVirtual, TextPathsUseTheOverrides)
{
    CTracingGrid grid;
    grid.SetRowCount(3);
    grid.SetColumnCount(3);
    FillNamed(grid);
    grid.Reset();

    // SetItem / GetItem.
    GV_ITEM item;
    item.row = 1;
    item.col = 1;
    item.mask = GIM_TEXT;
    item.szText = "via SetItem";
    EXPECT_TRUE(grid.SetItem(&item));
    EXPECT_EQ(1, grid.nSetText);
    item.row = 0;
    item.col = 0;
    EXPECT_TRUE(grid.GetItem(&item));
    EXPECT_EQ(1, grid.nGetText);
    EXPECT_STREQ("derived", item.szText);

    // SetFirstColItem in list mode.
    grid.Reset();
    grid.SetListMode(TRUE);
    grid.SetFirstColItem();
    EXPECT_EQ(2, grid.nSetText);

    // Save reads every cell through GetItemText.
    grid.Reset();
    std::string path = TempFile("virtual.csv");
    ASSERT_TRUE(grid.Save(path.c_str()));
    EXPECT_EQ(9, grid.nGetText);
    EXPECT_EQ(0u, ReadRaw(path).find("derived,r0c1,r0c2\r\n"));

    // Load creates cells and stores texts through the overrides: one heading
    // text per column, then one text per data field.
    grid.Reset();
    WriteRaw(path, "a,b\r\n1,2\r\n3,4,5\r\n");
    ASSERT_TRUE(grid.Load(path.c_str()));
    EXPECT_EQ((std::vector<std::string>{ "a", "b", "1", "2", "3", "4", "5" }), grid.textsSet);
    EXPECT_EQ(6, grid.nCreate);
    EXPECT_EQ(9, grid.nEmpty) << "the old 3x3 cells";
    ::DeleteFileA(path.c_str());

    // Sorting moves the derived cells as they are.
    grid.SortTextItems(0, FALSE);
    EXPECT_STREQ("a", grid.GetCell(0, 0)->m_strText) << "row 0 is not fixed after a load";
    EXPECT_STREQ("3", grid.GetCell(1, 0)->m_strText);
    EXPECT_STREQ("1", grid.GetCell(2, 0)->m_strText);
    EXPECT_TRUE(dynamic_cast<CTaggedCell*>(grid.GetCell(1, 1)) != NULL);
}

namespace
{
// A grid whose CreateCell runs out of memory after a given number of cells.
class CFailingGrid : public CVXGridCtrl
{
public:
    int nAllowed = 1000000;
    CGridCell* CreateCell(int nRow, int nCol) override
    {
        if (nAllowed-- <= 0)
            AfxThrowMemoryException();
        return new CTaggedCell(nRow, nCol);
    }
};
} // namespace

TEST(GridVirtual, OutOfMemoryDuringInsertColumnLeavesTheGridAsItWas)
{
    {
        CFailingGrid grid;
        grid.SetRowCount(4);
        grid.SetColumnCount(3);
        FillNamed(grid);
        EXPECT_EQ(12, g_nTaggedCellsAlive);

        grid.nAllowed = 2;   // the third row's new cell fails
        bool bThrown = false;
        try
        {
            grid.InsertColumn("new", 0, 1);
        }
        catch (CMemoryException* e)
        {
            bThrown = true;
            e->Delete();
        }
        EXPECT_TRUE(bThrown);
        EXPECT_EQ(12, g_nTaggedCellsAlive) << "the two cells made were freed";
        EXPECT_EQ(3, grid.GetColumnCount());
        EXPECT_EQ(30, grid.GetColumnWidth(2));
        EXPECT_EQ(-1, grid.GetColumnWidth(3));
        EXPECT_EQ((std::vector<std::string>{ "r1c0", "r1c1", "r1c2" }), RowTexts(grid, 1));

        // The grid goes on working.
        grid.nAllowed = 100;
        EXPECT_EQ(1, grid.InsertColumn("new", 0, 1));
        EXPECT_EQ((std::vector<std::string>{ "r3c0", "", "r3c1", "r3c2" }), RowTexts(grid, 3));
        EXPECT_EQ(16, g_nTaggedCellsAlive);
    }
    EXPECT_EQ(0, g_nTaggedCellsAlive);
}

TEST(GridVirtual, OutOfMemoryDuringInsertRowLeavesTheGridAsItWas)
{
    {
        CFailingGrid grid;
        grid.SetRowCount(3);
        grid.SetColumnCount(4);
        FillNamed(grid);
        grid.SetRowHeight(2, 21);
        EXPECT_EQ(12, g_nTaggedCellsAlive);

        for (int nAt : { 1, -1 })   // inserted and appended
        {
            grid.nAllowed = 2;   // the new row's third cell fails
            bool bThrown = false;
            try
            {
                grid.InsertRow("new", nAt);
            }
            catch (CMemoryException* e)
            {
                bThrown = true;
                e->Delete();
            }
            EXPECT_TRUE(bThrown) << nAt;
            EXPECT_EQ(12, g_nTaggedCellsAlive) << "the two cells made were freed, at " << nAt;
            EXPECT_EQ(3, grid.GetRowCount()) << nAt;
            EXPECT_EQ(21, grid.GetRowHeight(2)) << "heights stay with their rows, at " << nAt;
            EXPECT_EQ(-1, grid.GetRowHeight(3)) << nAt;
            EXPECT_EQ((std::vector<std::string>{ "r0c0", "r1c0", "r2c0" }), ColumnTexts(grid, 0)) << nAt;
        }

        // The grid goes on working.
        grid.nAllowed = 100;
        EXPECT_EQ(1, grid.InsertRow("new", 1));
        EXPECT_EQ((std::vector<std::string>{ "r0c0", "new", "r1c0", "r2c0" }), ColumnTexts(grid, 0));
        EXPECT_EQ(21, grid.GetRowHeight(3));
        EXPECT_EQ(16, g_nTaggedCellsAlive);
    }
    EXPECT_EQ(0, g_nTaggedCellsAlive);
}
