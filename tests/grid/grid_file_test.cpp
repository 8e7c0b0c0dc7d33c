// Saving and loading the grid's comma-separated text file, on real files.

#include "grid_test_util.h"

using namespace gridtest;

namespace
{
// Every message box of the program is answered, so nothing can hang; the
// tests that check messages install their own recorder on top.
class QuietMessageBoxes : public ::testing::Environment
{
public:
    void SetUp() override { m_pRecorder = new CMessageRecorder; }
    void TearDown() override { delete m_pRecorder; }
private:
    CMessageRecorder* m_pRecorder = nullptr;
};
::testing::Environment* const g_quiet = ::testing::AddGlobalTestEnvironment(new QuietMessageBoxes);

class GridFile : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (const std::string& path : m_files)
            ::DeleteFileA(path.c_str());
    }
    std::string File(const char* pszName)
    {
        m_files.push_back(TempFile(pszName));
        ::DeleteFileA(m_files.back().c_str());
        return m_files.back();
    }
    std::vector<std::string> m_files;
};
} // namespace

TEST_F(GridFile, SaveWritesCommaSeparatedLinesWithCrLf)
{
    CVXGridCtrl grid(3, 3, 1, 1);
    FillNamed(grid);
    grid.SetItemText(2, 1, "");
    std::string path = File("save.csv");
    CMessageRecorder messages;
    ASSERT_TRUE(grid.Save(path.c_str()));
    EXPECT_EQ("r0c0,r0c1,r0c2\r\nr1c0,r1c1,r1c2\r\nr2c0,,r2c2\r\n", ReadRaw(path));
    EXPECT_TRUE(messages.texts.empty());

    // Saving again truncates the old content.
    CVXGridCtrl small(1, 1);
    small.SetItemText(0, 0, "x");
    ASSERT_TRUE(small.Save(path.c_str()));
    EXPECT_EQ("x\r\n", ReadRaw(path));
}

TEST_F(GridFile, SaveOfGridsWithoutRowsOrColumns)
{
    std::string path = File("shapes.csv");
    CVXGridCtrl noCols(4, 0);
    ASSERT_TRUE(noCols.Save(path.c_str()));
    EXPECT_EQ("", ReadRaw(path));

    CVXGridCtrl noRows(0, 3);
    ASSERT_TRUE(noRows.Save(path.c_str()));
    EXPECT_EQ(",,\r\n", ReadRaw(path));
}

TEST_F(GridFile, RoundTripRestoresEveryTextAndNothingElse)
{
    CVXGridCtrl grid(50, 7, 2, 1);
    FillNamed(grid);
    grid.SetItemText(10, 3, "");
    grid.SetItemText(11, 6, "with space and \xE4\xF6\xFC bytes");
    grid.SetItemText(12, 0, "");
    grid.SetItemBkColour(5, 5, RGB(1, 2, 3));
    std::string path = File("roundtrip.csv");
    ASSERT_TRUE(grid.Save(path.c_str()));

    CVXGridCtrl loaded(3, 3, 1, 1);
    loaded.SetItemText(1, 1, "old");
    CMessageRecorder messages;
    ASSERT_TRUE(loaded.Load(path.c_str()));
    EXPECT_TRUE(messages.texts.empty());
    ASSERT_EQ(50, loaded.GetRowCount());
    ASSERT_EQ(7, loaded.GetColumnCount());
    EXPECT_EQ(0, loaded.GetFixedRowCount());
    EXPECT_EQ(0, loaded.GetFixedColumnCount());
    for (int r = 0; r < 50; r++)
        EXPECT_EQ(RowTexts(grid, r), RowTexts(loaded, r)) << "row " << r;
    EXPECT_EQ(GRID_DEFAULT_CLR, loaded.GetItemBkColour(5, 5));
    // Headings carry the centred single-line format down their columns.
    const UINT nHeadingFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    EXPECT_EQ(nHeadingFormat, loaded.GetItemFormat(0, 3));
    EXPECT_EQ(nHeadingFormat, loaded.GetItemFormat(49, 6));
    EXPECT_TRUE(loaded.GetFocusCell() == CVXCellID(-1, -1));
    EXPECT_EQ(0, loaded.GetSelectedCount());
}

TEST_F(GridFile, LoadSplitsFieldsByTheLineRules)
{
    std::string path = File("fields.csv");
    // heading with trailing comma -> empty last heading; data lines ragged;
    // a line that is only a line end gives a row with an empty first cell;
    // the last line has no line end.
    WriteRaw(path, "a,b,\r\n1,2,3,4,5\r\nx\r\n\r\n,,z\r\np,q");
    CVXGridCtrl grid;
    ASSERT_TRUE(grid.Load(path.c_str()));
    ASSERT_EQ(3, grid.GetColumnCount());
    ASSERT_EQ(6, grid.GetRowCount());
    EXPECT_EQ((std::vector<std::string>{ "a", "b", "" }), RowTexts(grid, 0));
    EXPECT_EQ((std::vector<std::string>{ "1", "2", "3" }), RowTexts(grid, 1));
    EXPECT_EQ((std::vector<std::string>{ "x", "", "" }), RowTexts(grid, 2));
    EXPECT_EQ((std::vector<std::string>{ "", "", "" }), RowTexts(grid, 3));
    EXPECT_EQ((std::vector<std::string>{ "", "", "z" }), RowTexts(grid, 4));
    EXPECT_EQ((std::vector<std::string>{ "p", "q", "" }), RowTexts(grid, 5));
}

TEST_F(GridFile, HeadingOnlyFileGivesOneRowAndEmptyFileAnEmptyGrid)
{
    std::string path = File("heading.csv");
    WriteRaw(path, "one,two\r\n");
    CVXGridCtrl grid(5, 5, 2, 2);
    ASSERT_TRUE(grid.Load(path.c_str()));
    EXPECT_EQ(1, grid.GetRowCount());
    EXPECT_EQ(2, grid.GetColumnCount());
    EXPECT_EQ(0, grid.GetFixedRowCount());

    std::string empty = File("empty.csv");
    WriteRaw(empty, "");
    CMessageRecorder messages;
    ASSERT_TRUE(grid.Load(empty.c_str()));
    EXPECT_EQ(0, grid.GetRowCount());
    EXPECT_EQ(0, grid.GetColumnCount());
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(GridFile, LongLinesAreReadIn1023CharacterPieces)
{
    std::string path = File("long.csv");
    std::string longField(2000, 'x');
    longField[1022] = 'A';   // last character of the first piece
    longField[1023] = 'B';   // first character of the second piece
    WriteRaw(path, "h1,h2\r\n" + longField + ",tail\r\nshort,s\r\n");
    CVXGridCtrl grid;
    ASSERT_TRUE(grid.Load(path.c_str()));
    ASSERT_EQ(2, grid.GetColumnCount());
    ASSERT_EQ(4, grid.GetRowCount());
    EXPECT_EQ(longField.substr(0, 1023), std::string(grid.GetItemText(1, 0)));
    EXPECT_STREQ("", grid.GetItemText(1, 1));
    EXPECT_EQ(longField.substr(1023), std::string(grid.GetItemText(2, 0)));
    EXPECT_STREQ("tail", grid.GetItemText(2, 1));
    EXPECT_STREQ("short", grid.GetItemText(3, 0));

    // A heading line of exactly 1023 characters plus its line end: the line
    // end is read as a line of its own, a row with an empty first cell.
    std::string exact(1023, 'h');
    WriteRaw(path, exact + "\r\nd\r\n");
    ASSERT_TRUE(grid.Load(path.c_str()));
    ASSERT_EQ(1, grid.GetColumnCount());
    EXPECT_EQ((std::vector<std::string>{ exact, "", "d" }), ColumnTexts(grid, 0));
}

TEST_F(GridFile, LoadReplacesEverythingIncludingFixedCounts)
{
    std::string path = File("replace.csv");
    WriteRaw(path, "k\r\nv\r\n");
    CVXGridCtrl grid(9, 9, 3, 3);
    FillNamed(grid);
    grid.SetFocusCell(5, 5);
    grid.SetSelectedRange(4, 4, 6, 6);
    ASSERT_TRUE(grid.Load(path.c_str()));
    EXPECT_EQ(2, grid.GetRowCount());
    EXPECT_EQ(1, grid.GetColumnCount());
    EXPECT_EQ(0, grid.GetFixedRowCount());
    EXPECT_EQ(0, grid.GetFixedColumnCount());
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(-1, -1));
    EXPECT_STREQ("v", grid.GetItemText(1, 0));
}

TEST_F(GridFile, OpenFailuresShowTheFileErrorAndLeaveTheGridAlone)
{
    CVXGridCtrl grid(2, 2);
    FillNamed(grid);
    std::string missing = File("does_not_exist.csv");

    CMessageRecorder messages;
    EXPECT_FALSE(grid.Load(missing.c_str()));
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_FALSE(messages.texts[0].empty());
    EXPECT_NE(std::string::npos, messages.texts[0].find("does_not_exist")) << messages.texts[0];
    EXPECT_EQ(2, grid.GetRowCount());
    EXPECT_STREQ("r1c1", grid.GetItemText(1, 1));

    // A folder that does not exist, and a folder in place of a file.
    EXPECT_FALSE(grid.Save("C:\\kvvx_no_such_folder\\sub\\grid.csv"));
    ASSERT_EQ(2u, messages.texts.size());
    EXPECT_NE(std::string::npos, messages.texts[1].find("grid.csv")) << messages.texts[1];
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    EXPECT_FALSE(grid.Save(szTemp));
    EXPECT_EQ(3u, messages.texts.size());
    EXPECT_FALSE(grid.Load("C:\\kvvx_no_such_folder\\grid.csv"));
    EXPECT_EQ(4u, messages.texts.size());
    for (const std::string& text : messages.texts)
    {
        EXPECT_NE("Unable to save grid list", text);
        EXPECT_NE("Unable to load grid data", text);
    }
    EXPECT_STREQ("r1c1", grid.GetItemText(1, 1));
}

TEST_F(GridFile, FullDiskReportsUnableToSave)
{
    // Small (written when the file closes) and large (written on the way).
    for (int nRows : { 2, 5000 })
    {
        CVXGridCtrl grid(nRows, 5);
        FillNamed(grid);
        CMessageRecorder messages;
        EXPECT_FALSE(grid.Save("Z:\\dev\\full"));
        ASSERT_EQ(1u, messages.texts.size()) << nRows;
        EXPECT_EQ("Unable to save grid list", messages.texts[0]);
        EXPECT_EQ((UINT)MB_OK, messages.types[0] & 0x0F);
        EXPECT_STREQ("r1c1", grid.GetItemText(1, 1));
    }
}

TEST_F(GridFile, ReadErrorReportsUnableToLoad)
{
    // The process's own memory file opens but fails when read at offset 0.
    CVXGridCtrl grid(3, 3);
    FillNamed(grid);
    CMessageRecorder messages;
    EXPECT_FALSE(grid.Load("Z:\\proc\\self\\mem"));
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_EQ("Unable to load grid data", messages.texts[0]);
    // The file did open, so the old content is gone.
    EXPECT_EQ(0, grid.GetRowCount());
}

TEST_F(GridFile, DevicesAreRefusedBeforeTheGridIsTouched)
{
    // A device that never ends would keep Load reading for ever.
    CVXGridCtrl grid(2, 2);
    FillNamed(grid);
    CMessageRecorder messages;
    EXPECT_FALSE(grid.Load("Z:\\dev\\zero"));
    ASSERT_EQ(1u, messages.texts.size());
    EXPECT_NE("Unable to load grid data", messages.texts[0]);
    EXPECT_NE(std::string::npos, messages.texts[0].find("zero")) << messages.texts[0];
    EXPECT_STREQ("r1c1", grid.GetItemText(1, 1));
}
