// Sorting rows and searching cells by state.

#include "grid_test_util.h"

#include <algorithm>
#include <climits>
#include <mbctype.h>
#include <mbstring.h>
#include <random>

using namespace gridtest;

// A grid with one fixed row ("head") and the given texts in column 0 below
// it; column 1 holds the original row number, so rows can be followed.
static void MakeColumn(CVXGridCtrl& grid, const std::vector<std::string>& keys)
{
    grid.SetRowCount((int)keys.size() + 1);
    grid.SetColumnCount(2);
    grid.SetFixedRowCount(1);
    grid.SetItemText(0, 0, "head");
    grid.SetItemText(0, 1, "fixed");
    for (size_t i = 0; i < keys.size(); i++)
    {
        grid.SetItemText((int)i + 1, 0, keys[i].c_str());
        grid.SetItemText((int)i + 1, 1, std::to_string(i + 1).c_str());
    }
}

TEST(GridSort, TextSortAscendingAndDescendingKeepsTheFixedRowFirst)
{
    CVXGridCtrl grid;
    MakeColumn(grid, { "b", "a", "c" });
    EXPECT_TRUE(grid.SortTextItems(0, TRUE));
    EXPECT_EQ((std::vector<std::string>{ "head", "a", "b", "c" }), ColumnTexts(grid, 0));
    EXPECT_EQ((std::vector<std::string>{ "fixed", "2", "1", "3" }), ColumnTexts(grid, 1));
    EXPECT_TRUE(grid.SortTextItems(0, FALSE));
    EXPECT_EQ((std::vector<std::string>{ "head", "c", "b", "a" }), ColumnTexts(grid, 0));
    EXPECT_EQ((std::vector<std::string>{ "fixed", "3", "1", "2" }), ColumnTexts(grid, 1));
}

TEST(GridSort, TextSortComparesBytesCaseSensitively)
{
    CVXGridCtrl grid;
    MakeColumn(grid, { "a", "B", "b", "A", "ab", "", "\xE9", "z" });
    EXPECT_TRUE(grid.SortTextItems(0, TRUE));
    EXPECT_EQ((std::vector<std::string>{ "head", "", "A", "B", "a", "ab", "b", "z", "\xE9" }),
              ColumnTexts(grid, 0));
}

TEST(GridSort, NumericSortReadsLeadingIntegers)
{
    CVXGridCtrl grid;
    MakeColumn(grid, { "10", "9", "abc", "-1" });
    EXPECT_TRUE(grid.SortItems(CVXGridCtrl::pfnCellNumericCompare, 0, TRUE));
    EXPECT_EQ((std::vector<std::string>{ "head", "-1", "abc", "9", "10" }), ColumnTexts(grid, 0));
    EXPECT_TRUE(grid.SortItems(CVXGridCtrl::pfnCellNumericCompare, 0, FALSE));
    EXPECT_EQ((std::vector<std::string>{ "head", "10", "9", "abc", "-1" }), ColumnTexts(grid, 0));

    // Fractions are ignored: 2.9 equals 2; leading blanks and signs are read.
    EXPECT_EQ(0, CVXGridCtrl::pfnCellNumericCompare((LPARAM)grid.GetCell(1, 0), (LPARAM)grid.GetCell(1, 0), 0));
    CGridCell a, b;
    a.m_strText = "2.9";
    b.m_strText = "  +2";
    EXPECT_EQ(0, CVXGridCtrl::pfnCellNumericCompare((LPARAM)&a, (LPARAM)&b, 0));
    b.m_strText = "3x";
    EXPECT_EQ(-1, CVXGridCtrl::pfnCellNumericCompare((LPARAM)&a, (LPARAM)&b, 0));
    EXPECT_EQ(1, CVXGridCtrl::pfnCellNumericCompare((LPARAM)&b, (LPARAM)&a, 0));
    // A missing cell equals anything.
    EXPECT_EQ(0, CVXGridCtrl::pfnCellNumericCompare(0, (LPARAM)&a, 0));
    EXPECT_EQ(0, CVXGridCtrl::pfnCellTextCompare((LPARAM)&a, 0, 0));
}

TEST(GridSort, DefaultCompareIsTextUntilOneIsSet)
{
    CVXGridCtrl grid;
    MakeColumn(grid, { "10", "9", "100" });
    EXPECT_TRUE(grid.SortItems(0, TRUE));
    EXPECT_EQ((std::vector<std::string>{ "head", "10", "100", "9" }), ColumnTexts(grid, 0));
    grid.SetCompareFunction(CVXGridCtrl::pfnCellNumericCompare);
    EXPECT_TRUE(grid.SortItems(0, TRUE));
    EXPECT_EQ((std::vector<std::string>{ "head", "9", "10", "100" }), ColumnTexts(grid, 0));
    // SortTextItems always sorts as text.
    EXPECT_TRUE(grid.SortTextItems(0, TRUE));
    EXPECT_EQ((std::vector<std::string>{ "head", "10", "100", "9" }), ColumnTexts(grid, 0));
}

static LPARAM g_lastSortData = 0;
static int CALLBACK CompareByLength(LPARAM l1, LPARAM l2, LPARAM data)
{
    g_lastSortData = data;
    const CGridCell* p1 = (const CGridCell*)l1;
    const CGridCell* p2 = (const CGridCell*)l2;
    return p1->m_strText.GetLength() - p2->m_strText.GetLength();
}

TEST(GridSort, CallerCompareGetsCellsAndTheSortData)
{
    CVXGridCtrl grid;
    MakeColumn(grid, { "ccc", "a", "bb", "dddd" });
    EXPECT_TRUE(grid.SortItems(CompareByLength, 0, TRUE, 4242));
    EXPECT_EQ(4242, g_lastSortData);
    EXPECT_EQ((std::vector<std::string>{ "head", "a", "bb", "ccc", "dddd" }), ColumnTexts(grid, 0));
}

TEST(GridSort, WholeRowsMoveWithTheirHeightsAndFixedColumns)
{
    CVXGridCtrl grid(5, 3, 1, 1);
    const char* keys[] = { "", "d", "b", "a", "c" };
    for (int r = 1; r < 5; r++)
    {
        grid.SetItemText(r, 1, keys[r]);
        grid.SetItemText(r, 0, (std::string("hdr") + keys[r]).c_str());
        grid.SetItemText(r, 2, (std::string("x") + keys[r]).c_str());
        grid.SetRowHeight(r, 10 + r);
        grid.SetItemData(r, 2, r);
    }
    grid.SetRowHeight(0, 7);
    EXPECT_TRUE(grid.SortTextItems(1, TRUE));
    EXPECT_EQ((std::vector<std::string>{ "", "a", "b", "c", "d" }), ColumnTexts(grid, 1));
    EXPECT_EQ((std::vector<std::string>{ "", "hdra", "hdrb", "hdrc", "hdrd" }), ColumnTexts(grid, 0));
    EXPECT_EQ((std::vector<std::string>{ "", "xa", "xb", "xc", "xd" }), ColumnTexts(grid, 2));
    EXPECT_EQ(7, grid.GetRowHeight(0));
    EXPECT_EQ(13, grid.GetRowHeight(1));   // "a" was row 3
    EXPECT_EQ(12, grid.GetRowHeight(2));
    EXPECT_EQ(14, grid.GetRowHeight(3));
    EXPECT_EQ(11, grid.GetRowHeight(4));
    EXPECT_EQ(3, grid.GetItemData(1, 2));
}

TEST(GridSort, TooFewRowsOrABadColumnChangeNothing)
{
    CVXGridCtrl grid;
    MakeColumn(grid, { "z" });
    EXPECT_FALSE(grid.SortTextItems(0, TRUE));
    EXPECT_EQ((std::vector<std::string>{ "head", "z" }), ColumnTexts(grid, 0));
    grid.SetRowCount(1);
    EXPECT_FALSE(grid.SortTextItems(0, TRUE));

    CVXGridCtrl grid2;
    MakeColumn(grid2, { "b", "a" });
    EXPECT_FALSE(grid2.SortTextItems(2, TRUE));
    EXPECT_FALSE(grid2.SortTextItems(99, FALSE));
    EXPECT_EQ((std::vector<std::string>{ "head", "b", "a" }), ColumnTexts(grid2, 0));

    // A negative column is not refused: every key is a missing cell, which
    // compares equal, so nothing moves.
    EXPECT_TRUE(grid2.SortTextItems(-1, TRUE));
    EXPECT_EQ((std::vector<std::string>{ "head", "b", "a" }), ColumnTexts(grid2, 0));

    CVXGridCtrl empty;
    EXPECT_FALSE(empty.SortTextItems(0, TRUE));
}

TEST(GridSort, EqualKeysAreNotExchanged)
{
    CVXGridCtrl grid;
    MakeColumn(grid, { "k", "k", "k", "k", "k", "k", "k" });
    EXPECT_TRUE(grid.SortTextItems(0, TRUE));
    EXPECT_EQ((std::vector<std::string>{ "fixed", "1", "2", "3", "4", "5", "6", "7" }), ColumnTexts(grid, 1));
    EXPECT_TRUE(grid.SortTextItems(0, FALSE));
    EXPECT_EQ((std::vector<std::string>{ "fixed", "1", "2", "3", "4", "5", "6", "7" }), ColumnTexts(grid, 1));
}

TEST(GridSort, SortingClearsSelectionAndFocus)
{
    CVXGridCtrl grid;
    MakeColumn(grid, { "c", "b", "a" });
    grid.SetSelectedRange(1, 0, 3, 1);
    grid.SetFocusCell(2, 1);
    EXPECT_TRUE(grid.SortTextItems(0, TRUE));
    EXPECT_EQ(0, grid.GetSelectedCount());
    EXPECT_TRUE(grid.GetFocusCell() == CVXCellID(-1, -1));
    EXPECT_EQ(0, CountCellsMarkedSelected(grid));
    for (int r = 0; r < 4; r++)
        EXPECT_EQ(0u, grid.GetItemState(r, 1) & GCS_FOCUSED);
}

TEST(GridSort, LargeRandomSortsMatchStdSort)
{
    std::mt19937 rng(12345);
    std::vector<std::string> keys;
    for (int i = 0; i < 5000; i++)
        keys.push_back(std::to_string((int)(rng() % 1000) - 500));   // many duplicates
    CVXGridCtrl grid;
    MakeColumn(grid, keys);

    EXPECT_TRUE(grid.SortTextItems(0, TRUE));
    std::vector<std::string> expected = keys;
    std::sort(expected.begin(), expected.end());
    expected.insert(expected.begin(), "head");
    EXPECT_EQ(expected, ColumnTexts(grid, 0));

    EXPECT_TRUE(grid.SortItems(CVXGridCtrl::pfnCellNumericCompare, 0, FALSE));
    std::vector<std::string> got = ColumnTexts(grid, 0);
    for (size_t i = 2; i < got.size(); i++)
        EXPECT_GE(atol(got[i - 1].c_str()), atol(got[i].c_str())) << i;
    // Rows stay whole: column 1 still names the row each key came from.
    for (int r = 1; r < grid.GetRowCount(); r++)
    {
        int nOrigin = atoi(grid.GetItemText(r, 1));
        ASSERT_GE(nOrigin, 1);
        EXPECT_EQ(keys[nOrigin - 1], std::string(grid.GetItemText(r, 0)));
    }
}

// The built-in compare functions reached through a caller's function: the
// grid then sorts with the cells themselves instead of keys taken from them.
static int CALLBACK ViaTextCompare(LPARAM l1, LPARAM l2, LPARAM data)
{
    return CVXGridCtrl::pfnCellTextCompare(l1, l2, data);
}
static int CALLBACK ViaNumericCompare(LPARAM l1, LPARAM l2, LPARAM data)
{
    return CVXGridCtrl::pfnCellNumericCompare(l1, l2, data);
}

// The partition sort written out plainly, recursive, on (key, row) pairs:
// middle element as pivot, Hoare partition, equal keys not exchanged. A key
// of INT_MIN stands for a missing cell, which compares equal to anything.
static int ModelCompare(int a, int b)
{
    if (a == INT_MIN || b == INT_MIN || a == b)
        return 0;
    return a < b ? -1 : 1;
}

static void ModelSort(std::vector<std::pair<int, int>>& v, int low, int high, bool bAscending)
{
    if (low >= high)
        return;
    int pivot = v[(low + high) / 2].first;
    int lo = low, hi = high;
    while (lo <= hi)
    {
        int sign = bAscending ? 1 : -1;
        while (lo < high && sign * ModelCompare(v[lo].first, pivot) < 0)
            lo++;
        while (hi > low && sign * ModelCompare(v[hi].first, pivot) > 0)
            hi--;
        if (lo <= hi)
        {
            if (ModelCompare(v[lo].first, v[hi].first) != 0)
                std::swap(v[lo], v[hi]);
            lo++;
            hi--;
        }
    }
    if (low < hi)
        ModelSort(v, low, hi, bAscending);
    if (lo < high)
        ModelSort(v, lo, high, bAscending);
}

TEST(GridSort, RowsEndInTheOrderOfTheMiddlePivotPartition)
{
    // The sort is not stable, so rows with equal keys end in an order that
    // only this partition gives; a different pivot, bound or exchange rule
    // shows up as a different order of the row numbers in column 1.
    std::mt19937 rng(4711);
    for (int nRows : { 2, 3, 7, 64, 1000 })
        for (bool bAscending : { true, false })
            for (bool bWithCaller : { false, true })
            {
                std::vector<std::string> keys;
                std::vector<std::pair<int, int>> model;
                for (int i = 0; i < nRows; i++)
                {
                    int n = (int)(rng() % 7);
                    keys.push_back(std::to_string(n));
                    model.push_back({ n, i + 1 });
                }
                CVXGridCtrl grid;
                MakeColumn(grid, keys);
                // Some rows lack their key cell.
                for (int i = 0; i < nRows; i += 9)
                {
                    delete grid.GetCell(i + 1, 0);
                    grid.SetCell(i + 1, 0, NULL);
                    model[i].first = INT_MIN;
                }
                ModelSort(model, 0, nRows - 1, bAscending);
                PFNGRIDCOMPARE pfn = bWithCaller ? ViaNumericCompare : CVXGridCtrl::pfnCellNumericCompare;
                EXPECT_TRUE(grid.SortItems(pfn, 0, bAscending ? TRUE : FALSE));
                std::vector<std::string> expected{ "fixed" };
                for (const auto& entry : model)
                    expected.push_back(std::to_string(entry.second));
                EXPECT_EQ(expected, ColumnTexts(grid, 1)) << nRows << " rows, ascending " << bAscending
                                                          << ", caller's compare " << bWithCaller;
            }
}

TEST(GridSort, BuiltInComparesSortExactlyLikeTheCellByCellPath)
{
    // Texts with shared prefixes longer than eight bytes, bytes above 0x80,
    // empty texts, numbers of every shape, duplicates and missing cells.
    std::mt19937 rng(777);
    const char* pieces[] = { "", "a", "A", "abcdefgh", "abcdefghij", "abcdefgh\xE4", "\xE4", "\x81\x40",
                             "12", "-12", "  7", "+3x", "99999999999", "-2147483649", "0x10", "\t-4",
                             "zz", "abcdefgi", "abcdefg", "\xFF" };
    std::vector<std::string> keys;
    for (int i = 0; i < 3000; i++)
    {
        std::string key = pieces[rng() % 20];
        if (rng() % 3 == 0)
            key += pieces[rng() % 20];
        keys.push_back(key);
    }
    for (BOOL bAscending : { TRUE, FALSE })
    {
        struct { PFNGRIDCOMPARE fast, slow; } pairs[] = {
            { CVXGridCtrl::pfnCellTextCompare, ViaTextCompare },
            { CVXGridCtrl::pfnCellNumericCompare, ViaNumericCompare } };
        for (auto& pair : pairs)
        {
            CVXGridCtrl fast, slow;
            MakeColumn(fast, keys);
            MakeColumn(slow, keys);
            // A few missing cells in the key column.
            for (int r : { 5, 77, 1500 })
            {
                delete fast.GetCell(r, 0);
                fast.SetCell(r, 0, NULL);
                delete slow.GetCell(r, 0);
                slow.SetCell(r, 0, NULL);
            }
            EXPECT_TRUE(fast.SortItems(pair.fast, 0, bAscending));
            EXPECT_TRUE(slow.SortItems(pair.slow, 0, bAscending));
            EXPECT_EQ(ColumnTexts(slow, 1), ColumnTexts(fast, 1));
        }
    }

    // The text compare agrees in sign with _mbscmp, the numeric one with atol.
    for (const char* p1 : pieces)
        for (const char* p2 : pieces)
        {
            CGridCell a, b;
            a.m_strText = p1;
            b.m_strText = p2;
            int nMb = _mbscmp((const unsigned char*)p1, (const unsigned char*)p2);
            EXPECT_EQ(nMb < 0 ? -1 : (nMb > 0 ? 1 : 0),
                      CVXGridCtrl::pfnCellTextCompare((LPARAM)&a, (LPARAM)&b, 0)) << p1 << " / " << p2;
            long n1 = atol(p1), n2 = atol(p2);
            EXPECT_EQ(n1 < n2 ? -1 : (n1 > n2 ? 1 : 0),
                      CVXGridCtrl::pfnCellNumericCompare((LPARAM)&a, (LPARAM)&b, 0)) << p1 << " / " << p2;
        }

    // Under a double-byte code page, where byte order and character order
    // differ (a katakana byte against a lead byte).
    ASSERT_EQ(0, _setmbcp(932));
    {
        const char* dbcs[] = { "±", "@", "a±", "a@", "A", "", "a", "" };
        for (const char* p1 : dbcs)
            for (const char* p2 : dbcs)
            {
                CGridCell a, b;
                a.m_strText = p1;
                b.m_strText = p2;
                int nMb = _mbscmp((const unsigned char*)p1, (const unsigned char*)p2);
                EXPECT_EQ(nMb < 0 ? -1 : (nMb > 0 ? 1 : 0),
                          CVXGridCtrl::pfnCellTextCompare((LPARAM)&a, (LPARAM)&b, 0)) << p1 << " / " << p2;
            }
        CGridCell kana, kanji;
        kana.m_strText = "±";
        kanji.m_strText = "@";
        EXPECT_LT(CVXGridCtrl::pfnCellTextCompare((LPARAM)&kana, (LPARAM)&kanji, 0), 0);
        _setmbcp(_MB_CP_ANSI);
    }
}

// McIlroy's adversary: a compare function that decides the values of the
// keys while the sort runs so that every partition is as bad as possible.
// Against a plain recursive quicksort this drives the recursion about half
// as deep as there are rows. It also notes the deepest stack address it is
// called at, which shows how deep the sort really went.
struct Adversary
{
    std::vector<int> val;
    int nGas;
    int nSolid = 0;
    int nCandidate = 0;
    long long nCompares = 0;
    uintptr_t nLowestStack = UINTPTR_MAX;
};

static int CALLBACK AdversaryCompare(LPARAM l1, LPARAM l2, LPARAM data)
{
    volatile char here = 0;
    Adversary* pAdv = (Adversary*)data;
    if ((uintptr_t)&here < pAdv->nLowestStack)
        pAdv->nLowestStack = (uintptr_t)&here;
    int x = (int)((const CGridCell*)l1)->m_lParam;
    int y = (int)((const CGridCell*)l2)->m_lParam;
    pAdv->nCompares++;
    if (pAdv->val[x] == pAdv->nGas && pAdv->val[y] == pAdv->nGas)
    {
        if (x == pAdv->nCandidate)
            pAdv->val[x] = pAdv->nSolid++;
        else
            pAdv->val[y] = pAdv->nSolid++;
    }
    if (pAdv->val[x] == pAdv->nGas)
        pAdv->nCandidate = x;
    else if (pAdv->val[y] == pAdv->nGas)
        pAdv->nCandidate = y;
    return pAdv->val[x] - pAdv->val[y];
}

TEST(GridSort, AdversarialInputKeepsTheStackShallow)
{
    const int n = 4000;
    CVXGridCtrl grid(n, 1);
    Adversary adv;
    adv.nGas = n;
    adv.val.assign(n, n);
    for (int r = 0; r < n; r++)
        grid.SetItemData(r, 0, r);

    volatile char anchor = 0;
    EXPECT_TRUE(grid.SortItems(AdversaryCompare, 0, TRUE, (LPARAM)&adv));
    // The adversary really did force the worst partitions (quadratic work) ...
    EXPECT_GT(adv.nCompares, (long long)n * n / 8);
    // ... yet the sort used a few kilobytes of stack, where a recursion
    // ~2000 calls deep needs far more (and a large grid overflows it).
    uintptr_t nUsed = (uintptr_t)&anchor - adv.nLowestStack;
    EXPECT_LT(nUsed, 16u * 1024u);
    // The rows came out in order of the values the adversary chose.
    for (int r = 1; r < n; r++)
    {
        int a = adv.val[(int)grid.GetItemData(r - 1, 0)];
        int b = adv.val[(int)grid.GetItemData(r, 0)];
        ASSERT_LE(a, b) << r;
    }
}

// ---------------------------------------------------------------- GetNextItem

TEST(GridNextItem, AreaScanWalksTheNonFixedCellsInReadingOrder)
{
    CVXGridCtrl grid(5, 4, 1, 1);
    CVXCellID none(-1, -1);
    EXPECT_TRUE(grid.GetNextItem(none, GNI_BELOW | GCS_SELECTED) == CVXCellID(-1, -1));

    grid.SetItemState(0, 2, GCS_SELECTED);   // fixed row: not in the area from (-1, -1)
    grid.SetItemState(2, 3, GCS_SELECTED);
    grid.SetItemState(3, 1, GCS_SELECTED | GCS_READONLY);
    grid.SetItemState(4, 2, GCS_MODIFIED);

    CVXCellID cell(-1, -1);
    std::vector<std::pair<int, int>> found;
    for (;;)
    {
        CVXCellID next = grid.GetNextItem(cell, GNI_BELOW | GCS_SELECTED);
        if (next == CVXCellID(-1, -1))
            break;
        found.push_back({ next.row, next.col });
        cell = next;
    }
    EXPECT_EQ((std::vector<std::pair<int, int>>{ { 2, 3 }, { 3, 1 } }), found);

    // GNI_TORIGHT and combinations scan the same area; any matching bit counts.
    CVXCellID start(2, 3);
    EXPECT_TRUE(grid.GetNextItem(start, GNI_TORIGHT | GCS_MODIFIED | GCS_READONLY) == CVXCellID(3, 1));
    EXPECT_TRUE(grid.GetNextItem(start, GNI_BELOW | GNI_TORIGHT | GCS_MODIFIED) == CVXCellID(4, 2));
    // Without a state bit nothing matches.
    EXPECT_TRUE(grid.GetNextItem(none, GNI_BELOW) == CVXCellID(-1, -1));
    // No direction: nothing.
    EXPECT_TRUE(grid.GetNextItem(none, GCS_SELECTED) == CVXCellID(-1, -1));
    // A start in row 1 and column 0 starts at column 1 of row 1.
    grid.SetItemState(1, 1, GCS_DROPHILITED);
    CVXCellID r1(1, 0);
    EXPECT_TRUE(grid.GetNextItem(r1, GNI_BELOW | GCS_DROPHILITED) == CVXCellID(1, 1));
}

TEST(GridNextItem, AboveScansUpTheColumnToTheFirstNonFixedRow)
{
    CVXGridCtrl grid(6, 3, 1, 1);
    grid.SetItemState(0, 2, GCS_SELECTED);
    grid.SetItemState(2, 2, GCS_SELECTED);
    grid.SetItemState(4, 2, GCS_SELECTED);
    CVXCellID start(5, 2);
    EXPECT_TRUE(grid.GetNextItem(start, GNI_ABOVE | GCS_SELECTED) == CVXCellID(4, 2));
    CVXCellID start2(4, 2);
    EXPECT_TRUE(grid.GetNextItem(start2, GNI_ABOVE | GCS_SELECTED) == CVXCellID(2, 2));
    CVXCellID start3(2, 2);
    EXPECT_TRUE(grid.GetNextItem(start3, GNI_ABOVE | GCS_SELECTED) == CVXCellID(-1, -1))
        << "row 0 is fixed";
    CVXCellID first(1, 2);
    EXPECT_TRUE(grid.GetNextItem(first, GNI_ABOVE | GCS_SELECTED) == CVXCellID(-1, -1));
}

TEST(GridNextItem, LeftwardRequestsScanLeftAlongTheRow)
{
    CVXGridCtrl grid(3, 6, 0, 1);
    grid.SetItemState(1, 0, GCS_SELECTED);   // fixed column
    grid.SetItemState(1, 2, GCS_SELECTED);
    grid.SetItemState(1, 5, GCS_SELECTED);
    grid.SetItemState(2, 3, GCS_SELECTED);
    CVXCellID start(1, 4);
    EXPECT_TRUE(grid.GetNextItem(start, GNI_TOLEFT | GCS_SELECTED) == CVXCellID(1, 2))
        << "not (1, 5) or (2, 3), which lie after the start";
    CVXCellID start2(1, 2);
    EXPECT_TRUE(grid.GetNextItem(start2, GNI_TOLEFT | GCS_SELECTED) == CVXCellID(-1, -1));
    // With a forward bit as well the area scan wins.
    EXPECT_TRUE(grid.GetNextItem(start, GNI_TOLEFT | GNI_TORIGHT | GCS_SELECTED) == CVXCellID(1, 5));
    // With GNI_ABOVE, the leftward scan.
    EXPECT_TRUE(grid.GetNextItem(start, GNI_TOLEFT | GNI_ABOVE | GCS_SELECTED) == CVXCellID(1, 2));
}

TEST(GridNextItem, StartsFarOutsideTheGridAnswerAtOnce)
{
    // The single-direction scans begin at the last row or column when the
    // start lies beyond it; extreme start values neither overflow nor walk
    // billions of addresses that hold no cell.
    CVXGridCtrl grid(5, 5, 1, 1);
    grid.SetItemState(2, 2, GCS_SELECTED);
    grid.SetItemState(4, 4, GCS_MODIFIED);
    DWORD dwStart = ::GetTickCount();
    CVXCellID below(INT_MAX, 2);
    EXPECT_TRUE(grid.GetNextItem(below, GNI_ABOVE | GCS_SELECTED) == CVXCellID(2, 2));
    CVXCellID right(2, INT_MAX);
    EXPECT_TRUE(grid.GetNextItem(right, GNI_TOLEFT | GCS_SELECTED) == CVXCellID(2, 2));
    EXPECT_TRUE(grid.GetNextItem(right, GNI_BELOW | GCS_MODIFIED) == CVXCellID(4, 4));
    CVXCellID lowest(INT_MIN, INT_MIN);
    EXPECT_TRUE(grid.GetNextItem(lowest, GNI_ABOVE | GCS_SELECTED) == CVXCellID(-1, -1));
    EXPECT_TRUE(grid.GetNextItem(lowest, GNI_TOLEFT | GCS_SELECTED) == CVXCellID(-1, -1));
    EXPECT_TRUE(grid.GetNextItem(lowest, GNI_BELOW | GCS_SELECTED) == CVXCellID(2, 2));
    CVXCellID last(INT_MAX, INT_MAX);
    EXPECT_TRUE(grid.GetNextItem(last, GNI_TORIGHT | GCS_SELECTED) == CVXCellID(-1, -1));
    EXPECT_LT(::GetTickCount() - dwStart, 1500u);
}
