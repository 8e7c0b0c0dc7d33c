// CSortListCtrl against a plain report ListView holding the same texts, in
// one run: filling 100,000 rows x 6 columns, then sorting by a text column
// and by a numeric column. The baseline list sorts with its own sort
// message and a comparison that asks the window for the two texts
// (LVM_SORTITEMSEX, LVM_GETITEMTEXT); CSortListCtrl compares the copies it
// keeps. Prints the times and the ratios (ours / baseline) with the targets:
// fill at most 1.2, sort at most 0.5.
//
//   sortlist_bench [rows]

#include "controls/SortListCtrl.h"
#include "platform/WinApp.h"

#include <windows.h>
#include "BenchClock.h"
#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

namespace
{
const int kCols = 6;

struct Rows
{
    std::vector<std::string> cells;  // row-major, kCols per row
    const char* At(int r, int c) const { return cells[(size_t)r * kCols + c].c_str(); }
};

Rows MakeRows(int nRows)
{
    Rows rows;
    rows.cells.reserve((size_t)nRows * kCols);
    unsigned int seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) & 0xFFFFFF;
    };
    char buf[64];
    for (int r = 0; r < nRows; r++)
    {
        sprintf(buf, "%d", r + 1);
        rows.cells.push_back(buf);
        sprintf(buf, "region %c%c%c %u", 'a' + next() % 26, 'a' + next() % 26, 'a' + next() % 26, next() % 1000);
        rows.cells.push_back(buf);
        sprintf(buf, "%u", next() % 5000000);
        rows.cells.push_back(buf);
        sprintf(buf, "%02u/%02u/%04u", 1 + next() % 28, 1 + next() % 12, 1990 + next() % 30);
        rows.cells.push_back(buf);
        sprintf(buf, "%u.%02u", next() % 256, next() % 100);
        rows.cells.push_back(buf);
        sprintf(buf, "cell %u", next() % 100000);
        rows.cells.push_back(buf);
    }
    return rows;
}

// The baseline's comparison: both texts fetched from the window.
struct BaselineSort
{
    HWND hList;
    int nCol;
    bool bNumeric;
};

int CALLBACK CompareFromWindow(LPARAM i1, LPARAM i2, LPARAM lParamSort)
{
    const BaselineSort* p = (const BaselineSort*)lParamSort;
    char t1[256], t2[256];
    LVITEMA item = {};
    item.iSubItem = p->nCol;
    item.cchTextMax = sizeof(t1);
    item.pszText = t1;
    SendMessageA(p->hList, LVM_GETITEMTEXTA, (WPARAM)i1, (LPARAM)&item);
    item.pszText = t2;
    SendMessageA(p->hList, LVM_GETITEMTEXTA, (WPARAM)i2, (LPARAM)&item);
    if (p->bNumeric)
    {
        long a = atol(t1), b = atol(t2);
        return a < b ? -1 : (a > b ? 1 : 0);
    }
    return lstrcmpA(t1, t2);
}

bool IsSorted(HWND hList, int nCol, bool bNumeric, int nRows)
{
    char prev[256] = "", cur[256];
    for (int i = 0; i < nRows; i++)
    {
        LVITEMA item = {};
        item.iSubItem = nCol;
        item.cchTextMax = sizeof(cur);
        item.pszText = cur;
        SendMessageA(hList, LVM_GETITEMTEXTA, (WPARAM)i, (LPARAM)&item);
        if (i > 0)
        {
            int c = bNumeric ? (atol(prev) < atol(cur) ? -1 : atol(prev) > atol(cur) ? 1 : 0) : lstrcmpA(prev, cur);
            if (c > 0)
                return false;
        }
        lstrcpyA(prev, cur);
    }
    return true;
}
}  // namespace

int main(int argc, char** argv)
{
    const int nRows = argc > 1 ? atoi(argv[1]) : 100000;
    AfxInitListViewClasses();
    const Rows rows = MakeRows(nRows);

    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr);
    // Both lists are hidden: the figures are about items, texts and sorting,
    // not about repainting.
    const DWORD dwStyle = WS_CHILD | LVS_REPORT;

    // Baseline: a plain report ListView.
    HWND hPlain = CreateWindowExA(0, WC_LISTVIEWA, "", dwStyle, 0, 0, 580, 380, host.m_hWnd, (HMENU)1,
                                  GetModuleHandleA(nullptr), nullptr);
    const char* headings[kCols] = { "No", "Name", "Size", "Date", "Mean", "Note" };
    for (int c = 0; c < kCols; c++)
    {
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.fmt = LVCFMT_RIGHT;
        col.cx = 80;
        col.pszText = (LPSTR)headings[c];
        SendMessageA(hPlain, LVM_INSERTCOLUMNA, c, (LPARAM)&col);
    }
    double t0 = Now();
    for (int r = 0; r < nRows; r++)
    {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = (LPSTR)rows.At(r, 0);
        const int n = (int)SendMessageA(hPlain, LVM_INSERTITEMA, 0, (LPARAM)&item);
        for (int c = 1; c < kCols; c++)
        {
            LVITEMA sub = {};
            sub.iSubItem = c;
            sub.pszText = (LPSTR)rows.At(r, c);
            SendMessageA(hPlain, LVM_SETITEMTEXTA, (WPARAM)n, (LPARAM)&sub);
        }
    }
    const double tFillPlain = Now() - t0;
    fprintf(stderr, "plain list filled in %.3f s\n", tFillPlain);

    CSortListCtrl list;
    list.Create(dwStyle, CRect(0, 0, 580, 380), &host, 2);
    list.SetHeadings(CString("No,80;Name,80;Size,80;Date,80;Mean,80;Note,80"));
    t0 = Now();
    for (int r = 0; r < nRows; r++)
    {
        const LPCSTR texts[kCols] = { rows.At(r, 0), rows.At(r, 1), rows.At(r, 2),
                                      rows.At(r, 3), rows.At(r, 4), rows.At(r, 5) };
        list.AddItemArray(texts, kCols);
    }
    const double tFillOurs = Now() - t0;
    fprintf(stderr, "CSortListCtrl filled in %.3f s\n", tFillOurs);

    struct SortCase
    {
        const char* what;
        int nCol;
        bool bNumeric;
    };
    const SortCase cases[] = { { "text column", 1, false }, { "numeric column", 2, true } };
    double tSort[2][2];
    bool bSorted[2][2];
    bool bOk = true;
    for (int i = 0; i < 2; i++)
    {
        BaselineSort b = { hPlain, cases[i].nCol, cases[i].bNumeric };
        t0 = Now();
        SendMessageA(hPlain, LVM_SORTITEMSEX, (WPARAM)&b, (LPARAM)CompareFromWindow);
        tSort[i][0] = Now() - t0;
        t0 = Now();
        list.Sort(cases[i].nCol, TRUE);
        tSort[i][1] = Now() - t0;
        fprintf(stderr, "sorted by %s: plain %.3f s, ours %.3f s\n", cases[i].what, tSort[i][0], tSort[i][1]);
        bSorted[i][0] = IsSorted(hPlain, cases[i].nCol, cases[i].bNumeric, nRows);
        bSorted[i][1] = IsSorted(list.m_hWnd, cases[i].nCol, cases[i].bNumeric, nRows);
        bOk = bOk && bSorted[i][1];
    }

    printf("CSortListCtrl, %d rows x %d columns, against a plain report ListView\n", nRows, kCols);
    printf("  fill: plain %8.3f s   ours %8.3f s   ratio %5.2f (target <= 1.2)\n", tFillPlain, tFillOurs,
           tFillOurs / tFillPlain);
    for (int i = 0; i < 2; i++)
        printf("  sort by %-15s plain %8.3f s   ours %8.3f s   ratio %5.2f (target <= 0.5)\n", cases[i].what,
               tSort[i][0], tSort[i][1], tSort[i][1] / tSort[i][0]);
    for (int i = 0; i < 2; i++)
        printf("  sorted by %s: plain %s, ours %s\n", cases[i].what, bSorted[i][0] ? "yes" : "NO",
               bSorted[i][1] ? "yes" : "NO");
    list.DestroyWindow();
    DestroyWindow(hPlain);
    host.DestroyWindow();
    return bOk ? 0 : 1;
}
