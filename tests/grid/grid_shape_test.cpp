// Grid shape: construction, counts, fixed counts, insertion and deletion of
// rows and columns, and what they do to the focus cell.

#include "grid_test_util.h"

#include <climits>
#include <objbase.h>

using namespace gridtest;

TEST(GridShape, NewGridStartsEmptyWithSystemColoursAndTheMessageFont)
{
    CVXGridCtrl grid;
    EXPECT_EQ(0, grid.GetRowCount());
    EXPECT_EQ(0, grid.GetColumnCount());
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(-1, -1));
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_EQ(NULL, grid.GetSafeHwnd());

    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), grid.GetTextColor());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), grid.GetTextBkColor());
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), grid.GetBkColor());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), grid.GetFixedTextColor());
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), grid.GetFixedBkColor());
    EXPECT_EQ((COLORREF)0xC0C0C0, grid.GetGridColor());
    EXPECT_EQ(0x8025u, grid.GetFirstColFormat());
    EXPECT_EQ(-1, grid.GetTextFormat(0));
    EXPECT_EQ(-1, grid.HasSelColorCol());

    // The default font is the system's message-box font.
    NONCLIENTMETRICSA ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    const LOGFONT* pFont = grid.GetItemFont(0, 0);   // no cell: the grid's font
    EXPECT_STREQ(ncm.lfMessageFont.lfFaceName, pFont->lfFaceName);
    EXPECT_EQ(ncm.lfMessageFont.lfHeight, pFont->lfHeight);
}

// Exposes whether the grid started OLE itself.
class COleGrid : public CVXGridCtrl
{
public:
    BOOL StartedOle() const { return m_bOleInitialized; }
};

struct OleJob
{
    int nMode;                      // 0: nothing before, 1: MTA COM first, 2: AfxOleInit first
    BOOL bGridStartedOle = FALSE;
    BOOL bGridUsable = FALSE;
    std::vector<std::string> messages;
};

static DWORD WINAPI RunOleJob(LPVOID p)
{
    OleJob* pJob = (OleJob*)p;
    if (pJob->nMode == 1)
        ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
    else if (pJob->nMode == 2)
        AfxOleInit();
    {
        CMessageRecorder messages;
        COleGrid grid;
        pJob->bGridStartedOle = grid.StartedOle();
        pJob->bGridUsable = grid.SetRowCount(2) && grid.SetColumnCount(2) && grid.SetItemText(1, 1, "ok");
        pJob->messages = messages.texts;
    }
    if (pJob->nMode == 1)
        ::CoUninitialize();
    return 0;
}

static void RunOnNewThread(OleJob& job)
{
    HANDLE hThread = ::CreateThread(NULL, 0, RunOleJob, &job, 0, NULL);
    ASSERT_TRUE(hThread != NULL);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 30000));
    ::CloseHandle(hThread);
}

TEST(GridShape, OleStartUpAndItsFailureMessage)
{
    // A fresh thread: the grid starts OLE itself, silently.
    OleJob plain;
    plain.nMode = 0;
    RunOnNewThread(plain);
    EXPECT_TRUE(plain.bGridStartedOle);
    EXPECT_TRUE(plain.messages.empty());

    // A thread already in the multi-threaded COM apartment: OLE cannot start;
    // the user is told once and the grid works anyway.
    OleJob mta;
    mta.nMode = 1;
    RunOnNewThread(mta);
    EXPECT_FALSE(mta.bGridStartedOle);
    EXPECT_TRUE(mta.bGridUsable);
    ASSERT_EQ(1u, mta.messages.size());
    EXPECT_EQ("OLE initialization failed. Make sure that the OLE libraries are the correct version",
              mta.messages[0]);

    // OLE started for the thread through the framework: the grid leaves it.
    OleJob framework;
    framework.nMode = 2;
    RunOnNewThread(framework);
    EXPECT_FALSE(framework.bGridStartedOle);
    EXPECT_TRUE(framework.messages.empty());
}

struct FailedConstructionJob
{
    bool bThrown = false;
    HRESULT hrOleAfter = E_FAIL;
};

static DWORD WINAPI RunFailedConstruction(LPVOID p)
{
    FailedConstructionJob* pJob = (FailedConstructionJob*)p;
    try
    {
        CVXGridCtrl grid(1000, INT_MAX);   // rows made, then columns that cannot fit
    }
    catch (CMemoryException* e)
    {
        pJob->bThrown = true;
        e->Delete();
    }
    pJob->hrOleAfter = ::OleInitialize(NULL);
    if (SUCCEEDED(pJob->hrOleAfter))
        ::OleUninitialize();
    return 0;
}

TEST(GridShape, AConstructorThatRunsOutOfMemoryEndsTheOleItStarted)
{
    // The destructor never runs for a constructor that throws, so the
    // constructor itself gives back its rows and its OLE start-up: OLE is
    // then new to the thread again (S_OK, not S_FALSE for "already started").
    FailedConstructionJob job;
    HANDLE hThread = ::CreateThread(NULL, 0, RunFailedConstruction, &job, 0, NULL);
    ASSERT_TRUE(hThread != NULL);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 30000));
    ::CloseHandle(hThread);
    EXPECT_TRUE(job.bThrown);
    EXPECT_EQ(S_OK, job.hrOleAfter);
}

TEST(GridShape, DynamicCreationMakesAnEmptyGrid)
{
    CRuntimeClass* pClass = RUNTIME_CLASS(CVXGridCtrl);
    EXPECT_STREQ("CVXGridCtrl", pClass->m_lpszClassName);
    EXPECT_TRUE(pClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)));
    CObject* pObject = pClass->CreateObject();
    ASSERT_TRUE(pObject != NULL);
    CVXGridCtrl* pGrid = DYNAMIC_DOWNCAST(CVXGridCtrl, pObject);
    ASSERT_TRUE(pGrid != NULL);
    EXPECT_EQ(0, pGrid->GetRowCount());
    EXPECT_EQ(0, pGrid->GetColumnCount());
    delete pObject;
}

TEST(GridShape, ConstructorArgumentsGiveCountsCellsAndDefaultSizes)
{
    CVXGridCtrl grid(5, 4, 1, 2);
    EXPECT_EQ(5, grid.GetRowCount());
    EXPECT_EQ(4, grid.GetColumnCount());
    EXPECT_EQ(1, grid.GetFixedRowCount());
    EXPECT_EQ(2, grid.GetFixedColumnCount());
    for (int r = 0; r < 5; r++)
    {
        EXPECT_EQ(10, grid.GetRowHeight(r));
        for (int c = 0; c < 4; c++)
        {
            CGridCell* pCell = grid.GetCell(r, c);
            ASSERT_TRUE(pCell != NULL);
            EXPECT_EQ(0u, pCell->m_nState);
            EXPECT_EQ(-1, pCell->m_nImage);
            EXPECT_EQ(GRID_DEFAULT_CLR, pCell->m_crBkClr);
            EXPECT_EQ(GRID_DEFAULT_CLR, pCell->m_crFgClr);
            EXPECT_TRUE(pCell->m_strText.IsEmpty());
        }
    }
    for (int c = 0; c < 4; c++)
        EXPECT_EQ(30, grid.GetColumnWidth(c));
    EXPECT_EQ(-1, grid.GetRowHeight(5));
    EXPECT_EQ(-1, grid.GetColumnWidth(-1));
    EXPECT_TRUE(grid.IsCellFixed(0, 3));
    EXPECT_TRUE(grid.IsCellFixed(4, 1));
    EXPECT_FALSE(grid.IsCellFixed(1, 2));
    EXPECT_TRUE(grid.GetCellRange() == CVXCellRange(0, 0, 4, 3));
}

TEST(GridShape, AppendingAColumnToAnEmptyGridMakesTheHeadingRow)
{
    CVXGridCtrl grid;
    EXPECT_EQ(0, grid.InsertColumn("A", DT_LEFT | DT_SINGLELINE));
    EXPECT_EQ(1, grid.GetRowCount());
    EXPECT_EQ(1, grid.GetColumnCount());
    EXPECT_STREQ("A", grid.GetItemText(0, 0));
    EXPECT_EQ((UINT)(DT_LEFT | DT_SINGLELINE), grid.GetItemFormat(0, 0));
    // The column is as wide as its heading in the semi-bold font.
    EXPECT_EQ(grid.GetTextExtent("A", TRUE).cx, grid.GetColumnWidth(0));
    EXPECT_GT(grid.GetColumnWidth(0), 0);

    // A wider heading gives a wider column.
    EXPECT_EQ(1, grid.InsertColumn("A much longer heading"));
    EXPECT_GT(grid.GetColumnWidth(1), grid.GetColumnWidth(0));
    EXPECT_GT(grid.GetTextExtent("W", TRUE).cx, grid.GetTextExtent("i", TRUE).cx);
}

TEST(GridShape, InsertColumnBeforeAnExistingOneShiftsCellsRightAndSetsItsFormat)
{
    CVXGridCtrl grid(3, 3);
    FillNamed(grid);
    EXPECT_EQ(1, grid.InsertColumn("new", DT_RIGHT, 1));
    EXPECT_EQ(4, grid.GetColumnCount());
    EXPECT_EQ((std::vector<std::string>{ "r0c0", "new", "r0c1", "r0c2" }), RowTexts(grid, 0));
    EXPECT_EQ((std::vector<std::string>{ "r2c0", "", "r2c1", "r2c2" }), RowTexts(grid, 2));
    for (int r = 0; r < 3; r++)
        EXPECT_EQ((UINT)DT_RIGHT, grid.GetItemFormat(r, 1));
    // Inserting at the position of the last column is allowed, past it not.
    EXPECT_EQ(3, grid.InsertColumn("x", 0, 3));
    EXPECT_EQ(-1, grid.InsertColumn("y", 0, 5));
    EXPECT_EQ(5, grid.GetColumnCount());
}

TEST(GridShape, InsertRowShiftsRowsDownAndInheritsTheFormatsAbove)
{
    CVXGridCtrl grid(3, 2);
    FillNamed(grid);
    grid.SetItemFormat(0, 0, DT_RIGHT);
    grid.SetItemFormat(0, 1, DT_CENTER);
    grid.SetItemFormat(1, 0, DT_LEFT | DT_BOTTOM);
    grid.SetItemFormat(1, 1, DT_END_ELLIPSIS);

    EXPECT_EQ(2, grid.InsertRow("mid", 2));
    EXPECT_EQ(4, grid.GetRowCount());
    EXPECT_EQ((std::vector<std::string>{ "r0c0", "r1c0", "mid", "r2c0" }), ColumnTexts(grid, 0));
    EXPECT_EQ((UINT)(DT_LEFT | DT_BOTTOM), grid.GetItemFormat(2, 0));
    EXPECT_EQ((UINT)DT_END_ELLIPSIS, grid.GetItemFormat(2, 1));
    EXPECT_EQ(grid.GetTextExtent("mid", TRUE).cy, grid.GetRowHeight(2));

    // At index 0 there is no row above: format 0.
    EXPECT_EQ(0, grid.InsertRow("top", 0));
    EXPECT_EQ(0u, grid.GetItemFormat(0, 0));
    EXPECT_EQ(0u, grid.GetItemFormat(0, 1));
    EXPECT_STREQ("top", grid.GetItemText(0, 0));
    EXPECT_STREQ("r0c0", grid.GetItemText(1, 0));

    // Appending (negative position) and the refusal past the end.
    EXPECT_EQ(5, grid.InsertRow("end"));
    EXPECT_EQ(-1, grid.InsertRow("past", 6));
    EXPECT_EQ(6, grid.GetRowCount());

    // On a grid without columns a row insert makes one column.
    CVXGridCtrl empty;
    EXPECT_EQ(0, empty.InsertRow("only"));
    EXPECT_EQ(1, empty.GetColumnCount());
    EXPECT_STREQ("only", empty.GetItemText(0, 0));
}

TEST(GridShape, InsertionsAndDeletionsClearFocusAndSelectionButKeepFixedCounts)
{
    // Structural changes start by clearing the selection, which also clears
    // the focus: cell addresses are about to change.
    CVXGridCtrl grid(6, 6, 1, 1);
    grid.SetFocusCell(3, 3);
    grid.SetItemState(4, 4, GCS_SELECTED);
    EXPECT_EQ(2, grid.InsertRow("r", 2));
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(-1, -1));
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_EQ(0u, grid.GetItemState(4, 3) & GCS_FOCUSED) << "the old focus cell moved down";
    EXPECT_EQ(0u, grid.GetItemState(5, 4) & GCS_SELECTED);
    EXPECT_EQ(1, grid.GetFixedRowCount());

    grid.SetFocusCell(3, 3);
    EXPECT_EQ(0, grid.InsertColumn("c", 0, 0));
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(-1, -1));
    EXPECT_EQ(1, grid.GetFixedColumnCount());

    grid.SetFocusCell(5, 5);
    EXPECT_TRUE(grid.DeleteRow(1));
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(-1, -1));
    grid.SetFocusCell(5, 5);
    EXPECT_TRUE(grid.DeleteColumn(1));
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(-1, -1));
    for (int r = 0; r < grid.GetRowCount(); r++)
        for (int c = 0; c < grid.GetColumnCount(); c++)
            EXPECT_EQ(0u, grid.GetItemState(r, c) & (GCS_FOCUSED | GCS_SELECTED));
}

TEST(GridShape, InsertPastTheEndChangesNothingNotEvenTheSelection)
{
    CVXGridCtrl grid(4, 4, 1, 1);
    grid.SetFocusCell(2, 2);
    grid.SetItemState(3, 3, GCS_SELECTED);
    EXPECT_EQ(-1, grid.InsertRow("x", 4));
    EXPECT_EQ(-1, grid.InsertColumn("x", 0, 9));
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(2, 2));
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_EQ(4, grid.GetRowCount());
    EXPECT_EQ(4, grid.GetColumnCount());
}

TEST(GridShape, ShrinkingBelowTheFixedCountLowersItAndClearsAFocusOutside)
{
    CVXGridCtrl grid(5, 5, 3, 3);
    grid.SetFocusCell(4, 4);
    EXPECT_TRUE(grid.SetRowCount(2));
    EXPECT_EQ(2, grid.GetRowCount());
    EXPECT_EQ(2, grid.GetFixedRowCount());
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(-1, -1));
    EXPECT_TRUE(grid.GetCell(2, 0) == NULL);

    CVXGridCtrl grid2(5, 5, 1, 3);
    grid2.SetFocusCell(1, 4);
    EXPECT_TRUE(grid2.SetColumnCount(2));
    EXPECT_EQ(2, grid2.GetFixedColumnCount());
    EXPECT_TRUE(grid2.GetFocusCell() == CVXCellID(-1, -1));

    // A focus inside the remaining area stays.
    CVXGridCtrl grid3(5, 5, 1, 1);
    grid3.SetFocusCell(1, 1);
    EXPECT_TRUE(grid3.SetRowCount(3));
    EXPECT_TRUE(grid3.SetColumnCount(3));
    EXPECT_TRUE(grid3.GetFocusCell() == CVXCellID(1, 1));
    EXPECT_TRUE(grid3.GetItemState(1, 1) & GCS_FOCUSED);
}

TEST(GridShape, GrowingKeepsTextsAndGivesNewRowsAndColumnsDefaultSizes)
{
    CVXGridCtrl grid(2, 2);
    FillNamed(grid);
    grid.SetRowHeight(1, 33);
    grid.SetColumnWidth(1, 44);
    EXPECT_TRUE(grid.SetRowCount(4));
    EXPECT_TRUE(grid.SetColumnCount(3));
    EXPECT_STREQ("r1c1", grid.GetItemText(1, 1));
    EXPECT_EQ(33, grid.GetRowHeight(1));
    EXPECT_EQ(10, grid.GetRowHeight(3));
    EXPECT_EQ(44, grid.GetColumnWidth(1));
    EXPECT_EQ(30, grid.GetColumnWidth(2));
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 3; c++)
            EXPECT_TRUE(grid.GetCell(r, c) != NULL) << r << "," << c;
    EXPECT_TRUE(grid.SetRowCount(4)) << "same count";
}

TEST(GridShape, FixedCountsGrowTheGridAndClearAFocusInsideThem)
{
    CVXGridCtrl grid(2, 2);
    EXPECT_TRUE(grid.SetFixedRowCount(4));
    EXPECT_EQ(4, grid.GetRowCount());
    EXPECT_EQ(4, grid.GetFixedRowCount());
    EXPECT_TRUE(grid.SetFixedColumnCount(3));
    EXPECT_EQ(3, grid.GetColumnCount());

    CVXGridCtrl grid2(6, 6);
    grid2.SetFocusCell(2, 4);
    EXPECT_TRUE(grid2.SetFixedRowCount(2));
    EXPECT_TRUE(grid2.GetFocusCell() == CVXCellID(2, 4)) << "row 2 is not fixed";
    EXPECT_TRUE(grid2.SetFixedRowCount(3));
    EXPECT_TRUE(grid2.GetFocusCell() == CVXCellID(-1, -1));
    EXPECT_EQ(0u, grid2.GetItemState(2, 4) & GCS_FOCUSED);
}

TEST(GridShape, DeletingRowsMovesOrClearsTheFocusAndLowersFixedCounts)
{
    CVXGridCtrl grid(6, 3, 2, 1);
    FillNamed(grid);
    grid.SetFocusCell(4, 1);
    EXPECT_TRUE(grid.DeleteRow(3));
    // DeleteRow clears selection and focus first.
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(-1, -1));
    EXPECT_EQ(5, grid.GetRowCount());
    EXPECT_EQ((std::vector<std::string>{ "r0c0", "r1c0", "r2c0", "r4c0", "r5c0" }), ColumnTexts(grid, 0));
    EXPECT_TRUE(grid.DeleteRow(0));
    EXPECT_EQ(1, grid.GetFixedRowCount());
    EXPECT_FALSE(grid.DeleteRow(4));
    EXPECT_FALSE(grid.DeleteRow(-1));
    EXPECT_EQ(4, grid.GetRowCount());

    EXPECT_TRUE(grid.DeleteColumn(0));
    EXPECT_EQ(0, grid.GetFixedColumnCount());
    EXPECT_EQ(2, grid.GetColumnCount());
    EXPECT_STREQ("r1c1", grid.GetItemText(0, 0));
    EXPECT_FALSE(grid.DeleteColumn(2));
}

TEST(GridShape, DeleteNonFixedRowsLeavesTheFixedRows)
{
    CVXGridCtrl grid(10, 3, 1, 0);
    FillNamed(grid);
    EXPECT_TRUE(grid.DeleteNonFixedRows());
    EXPECT_EQ(1, grid.GetRowCount());
    EXPECT_STREQ("r0c2", grid.GetItemText(0, 2));
    EXPECT_TRUE(grid.DeleteNonFixedRows());
    EXPECT_EQ(1, grid.GetRowCount());
}

TEST(GridShape, DeleteAllItemsEmptiesTheStoreAndKeepsSettings)
{
    CVXGridCtrl grid(4, 4, 1, 1);
    grid.SetTextFormat(2, 3);
    grid.SetClrRGBCol(1, 2, 3);
    grid.SetColSelColor(3, 1);
    grid.SetListMode(TRUE);
    grid.SetFocusCell(2, 2);
    grid.SetItemState(3, 3, GCS_SELECTED);
    EXPECT_TRUE(grid.DeleteAllItems());
    EXPECT_EQ(0, grid.GetRowCount());
    EXPECT_EQ(0, grid.GetColumnCount());
    EXPECT_EQ(0, grid.GetFixedRowCount());
    EXPECT_EQ(0, grid.GetFixedColumnCount());
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(-1, -1));
    EXPECT_EQ(3, grid.GetTextFormat(2));
    EXPECT_EQ(1, grid.GetColSelColor(3));
    EXPECT_TRUE(grid.GetListMode());
    EXPECT_EQ(-1, grid.GetRowHeight(0));
    // The grid is usable again.
    EXPECT_TRUE(grid.SetRowCount(2));
    EXPECT_TRUE(grid.SetColumnCount(2));
    EXPECT_TRUE(grid.SetItemText(1, 1, "again"));
}

TEST(GridShape, SetFirstColItemNumbersRowsOnlyInListMode)
{
    CVXGridCtrl grid(4, 2, 1, 1);
    FillNamed(grid);
    grid.SetFirstColItem();
    EXPECT_EQ((std::vector<std::string>{ "r0c0", "r1c0", "r2c0", "r3c0" }), ColumnTexts(grid, 0));

    grid.SetListMode(TRUE);
    grid.SetFirstColFormat(DT_RIGHT);
    grid.SetFirstColItem();
    EXPECT_EQ((std::vector<std::string>{ "r0c0", "1", "2", "3" }), ColumnTexts(grid, 0));
    EXPECT_EQ((UINT)DT_RIGHT, grid.GetItemFormat(2, 0));
    EXPECT_EQ(0u, grid.GetItemFormat(0, 0));
}

TEST(GridShape, AbsurdCountsAreRefusedWithoutDamage)
{
    CVXGridCtrl grid(3, 3, 1, 1);
    FillNamed(grid);
    EXPECT_FALSE(grid.SetRowCount(-1));
    EXPECT_FALSE(grid.SetColumnCount(-7));
    EXPECT_FALSE(grid.SetFixedRowCount(-1));
    EXPECT_FALSE(grid.SetFixedColumnCount(INT_MIN));

    // A store that cannot fit into memory fails with the memory exception
    // before anything changes.
    bool bThrown = false;
    try
    {
        grid.SetRowCount(INT_MAX);
    }
    catch (CMemoryException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    bThrown = false;
    try
    {
        grid.SetColumnCount(INT_MAX);
    }
    catch (CMemoryException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    bThrown = false;
    try
    {
        grid.SetFixedRowCount(INT_MAX);
    }
    catch (CMemoryException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);

    EXPECT_EQ(3, grid.GetRowCount());
    EXPECT_EQ(3, grid.GetColumnCount());
    EXPECT_EQ(1, grid.GetFixedRowCount());
    EXPECT_STREQ("r2c2", grid.GetItemText(2, 2));

    // Per-column tables outside 0..1023 are ignored, not overrun.
    grid.SetTextFormat(1024, 2);
    grid.SetTextFormat(-1, 2);
    grid.SetColSelColor(100000, 1);
    EXPECT_EQ(-1, grid.GetTextFormat(1024));
    EXPECT_EQ(-1, grid.GetTextFormat(-1));
    EXPECT_EQ(0, grid.GetColSelColor(100000));
    EXPECT_EQ(-1, grid.GetTextFormat(1023));
}
