// The grid's data core against baselines measured in the same run:
//  - filling 200,000 rows x 10 columns: the grid, a ListView in report view
//    holding the same texts, and a plain std::vector<std::string>;
//  - sorting those rows by a text column and by a numeric column: the grid,
//    the ListView's own sort, and std::sort of the key column;
//  - saving the grid's text file against building the same bytes from the
//    same strings and writing them; loading it against filling a grid with
//    the same texts from memory;
//  - memory per cell at short texts, from the process's working set.
// Prints the times and the ratios (grid time / baseline time).

#include "grid/GridCtrl.h"

#include <windows.h>
#include "BenchClock.h"
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <string>
#include <vector>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace
{
const int kRows = 200000;
const int kCols = 10;
const int kTextStride = 16;

SIZE_T WorkingSet()
{
    PROCESS_MEMORY_COUNTERS pmc;
    memset(&pmc, 0, sizeof(pmc));
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc.WorkingSetSize;
}

// The texts of the table, 16 bytes per cell: column 0 random letters (the
// text key), column 1 a random signed number (the numeric key), the others
// "r<row>c<col>".
struct Table
{
    std::vector<char> text;
    const char* At(int r, int c) const { return &text[((size_t)r * kCols + c) * kTextStride]; }
};

void MakeTable(Table& t)
{
    t.text.assign((size_t)kRows * kCols * kTextStride, 0);
    unsigned seed = 20240607u;
    auto rnd = [&]() { seed = seed * 1664525u + 1013904223u; return seed >> 8; };
    for (int r = 0; r < kRows; r++)
        for (int c = 0; c < kCols; c++)
        {
            char* p = &t.text[((size_t)r * kCols + c) * kTextStride];
            if (c == 0)
            {
                int n = 5 + (int)(rnd() % 6);
                for (int i = 0; i < n; i++)
                    p[i] = (char)('a' + rnd() % 26);
                p[n] = 0;
            }
            else if (c == 1)
                snprintf(p, kTextStride, "%d", (int)(rnd() % 2000000) - 1000000);
            else
                snprintf(p, kTextStride, "r%dc%d", r, c);
        }
}

void FillGrid(CVXGridCtrl& grid, const Table& t)
{
    grid.SetRowCount(kRows);
    grid.SetColumnCount(kCols);
    for (int r = 0; r < kRows; r++)
        for (int c = 0; c < kCols; c++)
            grid.SetItemText(r, c, t.At(r, c));
}

// ---------------------------------------------------------------- ListView

HWND CreateListView(HWND* phParent)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_LISTVIEW_CLASSES };
    InitCommonControlsEx(&icc);
    HWND hParent = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                   NULL, NULL, GetModuleHandleA(NULL), NULL);
    HWND hList = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 780, 580,
                                 hParent, (HMENU)1, GetModuleHandleA(NULL), NULL);
    for (int c = 0; c < kCols; c++)
    {
        char szHead[16];
        snprintf(szHead, sizeof(szHead), "col%d", c);
        LVCOLUMNA col;
        memset(&col, 0, sizeof(col));
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = szHead;
        col.cx = 60;
        SendMessageA(hList, LVM_INSERTCOLUMNA, c, (LPARAM)&col);
    }
    *phParent = hParent;
    return hList;
}

void FillListView(HWND hList, const Table& t)
{
    // The usual bulk-filling set-up: no repainting, room for every item.
    SendMessageA(hList, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hList, LVM_SETITEMCOUNT, kRows, 0);
    for (int r = 0; r < kRows; r++)
    {
        LVITEMA item;
        memset(&item, 0, sizeof(item));
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = r;
        item.pszText = (LPSTR)t.At(r, 0);
        item.lParam = r;   // the row, so the sort can find the keys
        SendMessageA(hList, LVM_INSERTITEMA, 0, (LPARAM)&item);
        for (int c = 1; c < kCols; c++)
        {
            LVITEMA sub;
            memset(&sub, 0, sizeof(sub));
            sub.iSubItem = c;
            sub.pszText = (LPSTR)t.At(r, c);
            SendMessageA(hList, LVM_SETITEMTEXTA, r, (LPARAM)&sub);
        }
    }
}

const Table* g_pTable = NULL;

int CALLBACK ListTextCompare(LPARAM l1, LPARAM l2, LPARAM)
{
    return strcmp(g_pTable->At((int)l1, 0), g_pTable->At((int)l2, 0));
}

int CALLBACK ListNumericCompare(LPARAM l1, LPARAM l2, LPARAM)
{
    long a = atol(g_pTable->At((int)l1, 1));
    long b = atol(g_pTable->At((int)l2, 1));
    return a < b ? -1 : (a > b ? 1 : 0);
}

// ---------------------------------------------------------------- raw file

std::string GridFileBytes(const Table& t)
{
    std::string s;
    s.reserve((size_t)kRows * kCols * 10);
    for (int r = 0; r < kRows; r++)
        for (int c = 0; c < kCols; c++)
        {
            s += t.At(r, c);
            s += (c < kCols - 1) ? "," : "\r\n";
        }
    return s;
}

void RawWrite(const char* path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD dw = 0;
    const size_t kChunk = 64 * 1024;
    for (size_t i = 0; i < bytes.size(); i += kChunk)
        WriteFile(h, bytes.data() + i, (DWORD)std::min(kChunk, bytes.size() - i), &dw, NULL);
    CloseHandle(h);
}

size_t RawRead(const char* path)
{
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    std::vector<char> buf(64 * 1024);
    size_t nTotal = 0;
    DWORD dw = 0;
    while (ReadFile(h, buf.data(), (DWORD)buf.size(), &dw, NULL) && dw > 0)
        nTotal += dw;
    CloseHandle(h);
    return nTotal;
}

void Line(const char* what, double tGrid, double tBase, const char* base, double goal)
{
    double ratio = tGrid / tBase;
    printf("%-34s grid %8.3f s  %-16s %8.3f s  ratio %6.2fx  (goal <= %.1fx) %s\n", what, tGrid,
           base, tBase, ratio, goal, ratio <= goal ? "met" : "MISSED");
}
} // namespace

int main()
{
    printf("grid data core: %d rows x %d columns (%d cells)\n\n", kRows, kCols, kRows * kCols);

    // Memory per cell: the working set grown by a filled grid, with each text
    // formatted on the stack so nothing else is held.
    {
        SIZE_T before = WorkingSet();
        CVXGridCtrl* pGrid = new CVXGridCtrl;
        pGrid->SetRowCount(kRows);
        pGrid->SetColumnCount(kCols);
        char sz[16];
        for (int r = 0; r < kRows; r++)
            for (int c = 0; c < kCols; c++)
            {
                snprintf(sz, sizeof(sz), "r%dc%d", r, c);
                pGrid->SetItemText(r, c, sz);
            }
        SIZE_T after = WorkingSet();
        double perCell = (double)(after - before) / ((double)kRows * kCols);
        printf("memory per cell (texts of 4 to 9 chars): %.1f bytes  (goal <= 160) %s\n\n", perCell,
               perCell <= 160.0 ? "met" : "MISSED");
        delete pGrid;
    }

    Table table;
    MakeTable(table);
    g_pTable = &table;

    // ------------------------------------------------------------ fill
    double t0 = Now();
    std::vector<std::string> vec;
    vec.reserve((size_t)kRows * kCols);
    for (int r = 0; r < kRows; r++)
        for (int c = 0; c < kCols; c++)
            vec.emplace_back(table.At(r, c));
    double tVector = Now() - t0;

    CVXGridCtrl grid;
    t0 = Now();
    FillGrid(grid, table);
    double tGridFill = Now() - t0;

    HWND hParent = NULL;
    HWND hList = CreateListView(&hParent);
    t0 = Now();
    FillListView(hList, table);
    double tListFill = Now() - t0;

    Line("fill", tGridFill, tListFill, "ListView", 1.0);
    Line("fill", tGridFill, tVector, "vector<string>", 3.0);

    // ------------------------------------------------------------ sort
    std::vector<std::string> keyText, keyNum;
    for (int r = 0; r < kRows; r++)
    {
        keyText.emplace_back(table.At(r, 0));
        keyNum.emplace_back(table.At(r, 1));
    }
    t0 = Now();
    std::sort(keyText.begin(), keyText.end(),
              [](const std::string& a, const std::string& b) { return strcmp(a.c_str(), b.c_str()) < 0; });
    double tStdText = Now() - t0;
    t0 = Now();
    std::sort(keyNum.begin(), keyNum.end(),
              [](const std::string& a, const std::string& b) { return atol(a.c_str()) < atol(b.c_str()); });
    double tStdNum = Now() - t0;

    t0 = Now();
    grid.SortTextItems(0, TRUE);
    double tGridText = Now() - t0;
    t0 = Now();
    grid.SortItems(CVXGridCtrl::pfnCellNumericCompare, 1, TRUE);
    double tGridNum = Now() - t0;

    t0 = Now();
    SendMessageA(hList, LVM_SORTITEMS, 0, (LPARAM)ListTextCompare);
    double tListText = Now() - t0;
    t0 = Now();
    SendMessageA(hList, LVM_SORTITEMS, 0, (LPARAM)ListNumericCompare);
    double tListNum = Now() - t0;

    // Check that the grid's result is sorted.
    bool bSorted = true;
    for (int r = 1; r < kRows && bSorted; r++)
        bSorted = atol(grid.GetItemText(r - 1, 1)) <= atol(grid.GetItemText(r, 1));
    printf("\n");
    Line("sort by text column", tGridText, tListText, "ListView", 0.5);
    Line("sort by text column", tGridText, tStdText, "std::sort", 2.0);
    Line("sort by numeric column", tGridNum, tListNum, "ListView", 0.5);
    Line("sort by numeric column", tGridNum, tStdNum, "std::sort", 2.0);
    if (!bSorted)
        printf("ERROR: grid not sorted\n");

    DestroyWindow(hList);
    DestroyWindow(hParent);

    // ------------------------------------------------------------ save and load
    char szDir[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    std::string gridPath = std::string(szDir) + "kvvx_bench_grid.csv";
    std::string rawPath = std::string(szDir) + "kvvx_bench_raw.csv";

    CVXGridCtrl saved;
    FillGrid(saved, table);

    // Save against building the same bytes from the same strings in memory
    // and writing them.
    t0 = Now();
    saved.Save(gridPath.c_str());
    double tSave = Now() - t0;
    t0 = Now();
    std::string bytes = GridFileBytes(table);
    RawWrite(rawPath.c_str(), bytes);
    double tBuildWrite = Now() - t0;

    // Load against filling a new grid with the same texts from memory, by
    // the operations a load makes (a column per heading, a row per line,
    // the line's other texts into its cells).
    CVXGridCtrl loaded;
    t0 = Now();
    loaded.Load(gridPath.c_str());
    double tLoad = Now() - t0;
    double tFillSame;
    {
        CVXGridCtrl filled;
        t0 = Now();
        for (int c = 0; c < kCols; c++)
            filled.InsertColumn(table.At(0, c));
        for (int r = 1; r < kRows; r++)
        {
            int nRow = filled.InsertRow(table.At(r, 0));
            for (int c = 1; c < kCols; c++)
                filled.SetItemText(nRow, c, table.At(r, c));
        }
        tFillSame = Now() - t0;
    }
    t0 = Now();
    size_t nRead = RawRead(rawPath.c_str());
    double tRawRead = Now() - t0;

    printf("\n");
    Line("save", tSave, tBuildWrite, "build+write bytes", 3.0);
    Line("load", tLoad, tFillSame, "fill from memory", 1.5);
    printf("(building and writing the bytes %.3f s, reading them raw %.3f s)\n", tBuildWrite, tRawRead);
    bool bSame = loaded.GetRowCount() == kRows && loaded.GetColumnCount() == kCols;
    for (int r = 0; r < kRows && bSame; r += 997)
        for (int c = 0; c < kCols && bSame; c++)
            bSame = loaded.GetItemText(r, c) == table.At(r, c);
    if (nRead != bytes.size() || !bSame)
        printf("ERROR: file sizes or loaded texts differ (%u bytes raw, %d x %d loaded)\n",
               (unsigned)nRead, loaded.GetRowCount(), loaded.GetColumnCount());
    DeleteFileA(gridPath.c_str());
    DeleteFileA(rawPath.c_str());
    return 0;
}
