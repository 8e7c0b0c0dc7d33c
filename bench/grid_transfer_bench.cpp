// The grid's data transfer against baselines measured in the same run:
//  - copying a 200,000 x 10 selection to the clipboard, against building the
//    same tab-separated text from the same cell texts with std::string;
//  - pasting that text into an empty grid of that size, against splitting
//    it into std::string fields with std::string operations;
//  - the drop target's hit test and highlight while dragging over a
//    1,000,000-row grid near its last rows, against the same near its top.
// Prints the times and the ratios (grid time / baseline time); the targets
// are at most 3 (copy, paste) and 1.5 (drag near the bottom).

#include "grid/GridCtrl.h"
#include "platform/OleDataTransfer.h"

#include <windows.h>
#include "BenchClock.h"

#include <algorithm>
#include <string>
#include <vector>
#include <stdio.h>

namespace
{
const int kRows = 200000;
const int kCols = 10;

std::string CellText(int r, int c)
{
    char sz[32];
    snprintf(sz, sizeof(sz), "%d.%02d", r * 7 + c, (r + c) % 100);
    return sz;
}

template <class F>
double Best(int nRuns, F f)
{
    double dBest = 1e30;
    for (int i = 0; i < nRuns; i++)
    {
        double t0 = Now();
        f();
        dBest = std::min(dBest, Now() - t0);
    }
    return dBest;
}

void Report(const char* pszWhat, double dGrid, double dBase, double dTarget)
{
    double dRatio = dGrid / dBase;
    printf("%-44s grid %8.1f ms  baseline %8.1f ms  ratio %5.2f  (target <= %.1f) %s\n", pszWhat,
           dGrid * 1000, dBase * 1000, dRatio, dTarget, dRatio <= dTarget ? "ok" : "OVER");
}

// The clipboard text of a data source, as a string.
std::string TextOf(COleDataSource* pSource)
{
    COleDataObject data;
    data.Attach(pSource->GetDataObject(), TRUE);
    HGLOBAL h = data.GetGlobalData(CF_TEXT);
    std::string s((const char*)::GlobalLock(h));
    ::GlobalUnlock(h);
    ::GlobalFree(h);
    return s;
}

void CopyAndPaste()
{
    std::vector<std::string> texts((size_t)kRows * kCols);
    for (int r = 0; r < kRows; r++)
        for (int c = 0; c < kCols; c++)
            texts[(size_t)r * kCols + c] = CellText(r, c);

    CVXGridCtrl source(kRows, kCols, 0, 0);
    for (int r = 0; r < kRows; r++)
        for (int c = 0; c < kCols; c++)
            source.SetItemText(r, c, texts[(size_t)r * kCols + c].c_str());
    source.SetSelectedRange(0, 0, kRows - 1, kCols - 1);

    // Where the copy's time goes: the selection's bounding range (a walk
    // of the selection map), the text, the clipboard.
    {
        double t0 = Now();
        CVXCellRange range = source.GetSelectedCellRange();
        double t1 = Now();
        COleDataSource* pText = source.CopyTextFromGrid();
        double t2 = Now();
        pText->SetClipboard();
        double t3 = Now();
        printf("copy, in parts: bounding range %.1f ms, range and text %.1f ms, clipboard %.1f ms (%d rows)\n",
               (t1 - t0) * 1000, (t2 - t1) * 1000, (t3 - t2) * 1000, range.maxRow + 1);
    }
    // Copy: the whole command, the text onto the real clipboard.
    double dCopy = Best(3, [&]() { source.OnEditCopy(); });
    double dBuild = Best(3, [&]() {
        std::string s;
        for (int r = 0; r < kRows; r++)
        {
            for (int c = 0; c < kCols; c++)
            {
                const std::string& t = texts[(size_t)r * kCols + c];
                if (t.empty())
                    s += ' ';
                else
                    s += t;
                if (c != kCols - 1)
                    s += '\t';
            }
            if (r != kRows - 1)
                s += '\n';
        }
        if (s.size() < 10)
            printf("?");
    });
    Report("copy 200,000 x 10 to the clipboard", dCopy, dBuild, 3.0);

    COleDataSource* pSource = source.CopyTextFromGrid();
    const std::string text = TextOf(pSource);

    // Paste: into an empty grid of the same size, from the data object.
    double dPaste = 1e30;
    for (int i = 0; i < 3; i++)
    {
        CVXGridCtrl target(kRows, kCols, 0, 0);
        COleDataObject data;
        data.Attach(pSource->GetDataObject(), TRUE);
        double t0 = Now();
        target.PasteTextToGrid(CVXCellID(0, 0), &data);
        dPaste = std::min(dPaste, Now() - t0);
        if (target.GetItemText(kRows - 1, kCols - 1) != CString(CellText(kRows - 1, kCols - 1).c_str()))
            printf("paste check failed\n");
    }
    double dSplit = Best(3, [&]() {
        std::vector<std::string> cells((size_t)kRows * kCols);
        size_t nLineStart = 0, nCell = 0;
        while (nLineStart <= text.size() && nCell < cells.size())
        {
            size_t nLineEnd = text.find('\n', nLineStart);
            if (nLineEnd == std::string::npos)
                nLineEnd = text.size();
            size_t nFieldStart = nLineStart;
            while (nFieldStart < nLineEnd)
            {
                size_t nFieldEnd = text.find('\t', nFieldStart);
                if (nFieldEnd == std::string::npos || nFieldEnd > nLineEnd)
                    nFieldEnd = nLineEnd;
                cells[nCell++] = text.substr(nFieldStart, nFieldEnd - nFieldStart);
                nFieldStart = nFieldEnd + 1;
            }
            nLineStart = nLineEnd + 1;
        }
    });
    Report("paste 200,000 x 10 into an empty grid", dPaste, dSplit, 3.0);
    pSource->InternalRelease();
}

// Median seconds per drag-over step, the pointer moving between three
// cells (so every step moves the highlight and redraws two cells).
double DragOverSteps(CVXGridCtrl& grid, COleDataObject& data, int nSteps)
{
    // Three cells of the rows shown, away from the edges that scroll.
    CVXCellID top = grid.GetTopleftNonFixedCell();
    std::vector<CPoint> points;
    for (int i = 0; i < 3; i++)
    {
        CRect rc;
        grid.GetCellRect(top.row + 2 + i, top.col + 1 + (i % 2), &rc);
        points.push_back(rc.CenterPoint());
    }
    std::vector<double> times;
    for (int i = 0; i < nSteps; i++)
    {
        CPoint pt = points[i % points.size()];
        double t0 = Now();
        grid.OnDragOver(&data, 0, pt);
        times.push_back(Now() - t0);
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void DragOverLongGrid()
{
    HWND hParent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL,
                                     NULL, NULL);
    CVXGridCtrl grid(1000000, 5, 1, 1);
    grid.EnableDragAndDrop(TRUE);
    if (!grid.Create(CRect(0, 0, 400, 300), CWnd::FromHandle(hParent), 1, WS_CHILD | WS_VISIBLE))
    {
        printf("no grid window\n");
        return;
    }
    for (int r = 0; r < 30; r++)
        for (int c = 1; c < 5; c++)
        {
            grid.SetItemText(r, c, "top");
            grid.SetItemText(999999 - r, c, "bottom");
        }

    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 5);
    memcpy(::GlobalLock(h), "drop", 5);
    ::GlobalUnlock(h);
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(CF_TEXT, h);
    COleDataObject data;
    data.Attach(pSource->GetDataObject(), TRUE);

    grid.EnsureVisible(1, 1);
    grid.UpdateWindow();
    DragOverSteps(grid, data, 50);
    double dTop = DragOverSteps(grid, data, 401);
    grid.EnsureVisible(999999, 1);
    grid.UpdateWindow();
    DragOverSteps(grid, data, 50);
    double dBottom = DragOverSteps(grid, data, 401);
    grid.OnDragLeave();
    printf("%-44s near the bottom %7.1f us  near the top %7.1f us  ratio %5.2f  (target <= 1.5) %s\n",
           "drag over 1,000,000 rows (hit test, highlight)", dBottom * 1e6, dTop * 1e6, dBottom / dTop,
           dBottom / dTop <= 1.5 ? "ok" : "OVER");
    data.Release();
    pSource->InternalRelease();
    grid.DestroyWindow();
    ::DestroyWindow(hParent);
}

} // namespace

int main()
{
    ::OleInitialize(NULL);
    CopyAndPaste();
    DragOverLongGrid();
    COleDataSource::FlushClipboard();
    ::OleUninitialize();
    return 0;
}
