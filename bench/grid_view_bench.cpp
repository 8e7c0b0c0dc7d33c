// The grid with a shown window against the same work without one, or
// against one step of it, measured in the same run:
//  - loading a 1,000,000-line file into a shown grid, against loading it
//    into a grid without a window (goal: at most 1.5x), and the cost per
//    line at 10,000 and at 1,000,000 lines (it must not grow with the size);
//  - EnsureVisible on a cell 10,000 rows below the view (10,000 line steps,
//    each notified), against one line step with its redraw (goal: at most
//    10x).
// Prints the times and the ratios. KVVX_BENCH_LINES changes the line count.

#include "grid/GridCtrl.h"

#include <windows.h>
#include "BenchClock.h"

#include <string>
#include <vector>
#include <stdio.h>
#include <stdlib.h>

namespace
{

void Line(const char* what, double t, double tBase, const char* base, double goal)
{
    double ratio = t / tBase;
    printf("%-40s %9.3f s  %-22s %9.3f s  ratio %7.2fx  (goal <= %.1fx) %s\n", what, t, base, tBase,
           ratio, goal, ratio <= goal ? "met" : "MISSED");
}

// A grid file of nLines lines of three fields ("r<n>,<number>,<number>").
std::string MakeFile(int nLines)
{
    char szDir[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    std::string path = std::string(szDir) + "kvvx_view_bench_" + std::to_string(nLines) + ".csv";
    std::string bytes = "Region,Area,Mean\r\n";
    bytes.reserve((size_t)nLines * 24);
    char sz[64];
    unsigned seed = 7;
    for (int i = 1; i < nLines; i++)
    {
        seed = seed * 1664525u + 1013904223u;
        int n = snprintf(sz, sizeof(sz), "r%d,%u,%u.%02u\r\n", i, seed >> 20, (seed >> 8) & 0xFFF, seed & 63);
        bytes.append(sz, (size_t)n);
    }
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD dw = 0;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &dw, NULL);
    CloseHandle(h);
    return path;
}

HWND MakeParent()
{
    HWND hParent = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 500, NULL,
                                   NULL, GetModuleHandleA(NULL), NULL);
    return hParent;
}

void Pump()
{
    MSG m;
    while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

// Seconds to load the file into a grid without a window, and into a shown one
// (the load and the repaint that shows it).
void TimeLoads(const std::string& path, HWND hParent, double* ptNoWindow, double* ptShown, int* pnRows)
{
    {
        CVXGridCtrl grid;
        double t0 = Now();
        grid.Load(path.c_str());
        *ptNoWindow = Now() - t0;
        *pnRows = grid.GetRowCount();
    }
    {
        CVXGridCtrl grid;
        grid.Create(CRect(0, 0, 660, 440), CWnd::FromHandle(hParent), 1, WS_CHILD | WS_VISIBLE | WS_BORDER);
        Pump();
        double t0 = Now();
        grid.Load(path.c_str());
        grid.UpdateWindow();
        *ptShown = Now() - t0;
        if (grid.GetRowCount() != *pnRows)
            printf("ERROR: the shown grid loaded %d rows, the hidden one %d\n", grid.GetRowCount(), *pnRows);
    }
}

} // namespace

int main()
{
    const int nBig = (int)strtol(getenv("KVVX_BENCH_LINES") ? getenv("KVVX_BENCH_LINES") : "1000000", NULL, 10);
    const int nSmall = 10000;
    HWND hParent = MakeParent();
    Pump();

    // ------------------------------------------------------------ load
    std::string small = MakeFile(nSmall), big = MakeFile(nBig);
    double tSmallHidden, tSmallShown, tBigHidden, tBigShown;
    int nRows = 0;
    TimeLoads(small, hParent, &tSmallHidden, &tSmallShown, &nRows);
    TimeLoads(big, hParent, &tBigHidden, &tBigShown, &nRows);
    printf("loading a grid file (%d and %d lines of three fields)\n", nSmall, nBig);
    printf("  per line at %7d lines: without window %.2f us, shown %.2f us\n", nSmall,
           tSmallHidden * 1e6 / nSmall, tSmallShown * 1e6 / nSmall);
    printf("  per line at %7d lines: without window %.2f us, shown %.2f us\n", nBig,
           tBigHidden * 1e6 / nBig, tBigShown * 1e6 / nBig);
    Line("load into a shown grid", tBigShown, tBigHidden, "without a window", 1.5);
    Line("shown: per line, large vs small file", tBigShown / nBig, tSmallShown / nSmall, "per line small", 1.5);
    DeleteFileA(small.c_str());
    DeleteFileA(big.c_str());

    // ------------------------------------------------------------ EnsureVisible
    {
        CVXGridCtrl grid(20001, 6, 1, 1);
        grid.Create(CRect(0, 0, 660, 440), CWnd::FromHandle(hParent), 2, WS_CHILD | WS_VISIBLE | WS_BORDER);
        for (int r = 0; r < 200; r++)
            for (int c = 0; c < 6; c++)
                grid.SetItemText(r, c, "text");
        Pump();
        grid.UpdateWindow();

        // One line step with its redraw, averaged over 200 steps.
        const int nSteps = 200;
        double t0 = Now();
        for (int i = 0; i < nSteps; i++)
        {
            grid.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
            grid.UpdateWindow();
        }
        double tStep = (Now() - t0) / nSteps;
        grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
        grid.UpdateWindow();

        t0 = Now();
        grid.EnsureVisible(10001, 1);
        grid.UpdateWindow();
        double tFar = Now() - t0;
        CVXCellRange visible = grid.GetVisibleNonFixedCellRange();
        printf("\nmoving the view 10,000 rows with EnsureVisible\n");
        Line("EnsureVisible 10,000 rows down", tFar, tStep, "one line step", 10.0);
        if (visible.maxRow < 10001 || visible.minRow > 10001)
            printf("ERROR: row 10001 not in view (rows %d..%d)\n", visible.minRow, visible.maxRow);
    }
    DestroyWindow(hParent);
    return 0;
}
