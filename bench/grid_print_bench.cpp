// Printing costs of the grid, in one run.
//
// 1. One page step (OnPrint) of a 1,000,000-row grid on a memory context
//    marked as printing: page 500 and page 20,000 against page 1, each
//    reached straight from page 1. A ratio near 1 means the page step finds
//    its first row without walking the rows from the top (one search of the
//    running row totals per page before it). Target: page 500 at most 1.5x
//    page 1.
// 2. Whole jobs to the PDF printer through Print() (the dialog answered
//    with the default printer): a 200-page job against 200 times a
//    one-page job. Target: at most 1.2. Needs a printer (the test
//    command's CUPS PDF printer, CUPS_SERVER); skipped without one.
// Medians of repeated runs are used; the machine may be busy.

#include "grid/GridCtrl.h"
#include "platform/PrintDialog.h"
#include "platform/PrintInfo.h"

#include <windows.h>
#include "BenchClock.h"
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <vector>

namespace
{

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

class CDefaultPrinterAnswerer : public CModalUIAnswerer
{
public:
    BOOL AnswerPrintDialog(HWND, PRINTDLGA* ppd, INT_PTR* pnResult) override
    {
        PRINTDLGA pd;
        memset(&pd, 0, sizeof(pd));
        pd.lStructSize = sizeof(pd);
        pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
        if (!::PrintDlgA(&pd))
        {
            *pnResult = IDCANCEL;
            return TRUE;
        }
        ppd->hDC = pd.hDC;
        ppd->hDevMode = pd.hDevMode;
        ppd->hDevNames = pd.hDevNames;
        *pnResult = IDOK;
        return TRUE;
    }
    BOOL AnswerMessageBox(HWND, LPCSTR, LPCSTR, UINT, int* pnResult) override
    {
        *pnResult = IDOK;
        return TRUE;
    }
};

void Fill(CVXGridCtrl& grid)
{
    char sz[32];
    for (int c = 0; c < grid.GetColumnCount(); c++)
    {
        snprintf(sz, sizeof(sz), "Column %d", c);
        grid.SetItemText(0, c, sz);
    }
    for (int r = 1; r < grid.GetRowCount(); r++)
    {
        snprintf(sz, sizeof(sz), "%d", r);
        grid.SetItemText(r, 0, sz);
        snprintf(sz, sizeof(sz), "%d.25", r * 3);
        grid.SetItemText(r, 1, sz);
    }
}

// Microseconds of one OnPrint of page nPage.
double PageStep(CVXGridCtrl& grid, CDC& dc, CPrintInfo& info, UINT nPage)
{
    info.m_nCurPage = nPage;
    double t0 = Now();
    grid.OnPrint(&dc, &info);
    return (Now() - t0) * 1e6;
}

}  // namespace

int main()
{
    // ---------------------------------------------------------------- page steps
    {
        CWnd host;
        host.CreateEx(0, NULL, "print bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), NULL, 0);
        CVXGridCtrl grid(1000001, 4, 1, 1);
        grid.Create(CRect(0, 0, 380, 280), &host, 1);
        Fill(grid);

        CDC dc;
        dc.CreateCompatibleDC(NULL);
        CBitmap bmp;
        bmp.CreateDIBSection32(dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        dc.SelectObject(&bmp);
        dc.m_bPrinting = TRUE;

        CPrintInfo info;
        grid.OnBeginPrinting(&dc, &info);
        printf("1,000,000 rows: %u pages\n", info.GetMaxPage());
        // Page 1 and the far page alternate, so every far page is found
        // afresh from page 1 (the grid remembers only the page it found
        // last), and a busy moment of the machine hits both alike.
        const int kReps = 101;
        std::vector<double> p1, p500, p20000;
        for (int i = 0; i < kReps; i++)
        {
            p1.push_back(PageStep(grid, dc, info, 1));
            p500.push_back(PageStep(grid, dc, info, 500));
            p1.push_back(PageStep(grid, dc, info, 1));
            p20000.push_back(PageStep(grid, dc, info, 20000));
        }
        grid.OnEndPrinting(&dc, &info);
        double t1 = Median(p1), t500 = Median(p500), t20000 = Median(p20000);
        printf("page step: page 1 %.0f us, page 500 %.0f us, page 20000 %.0f us\n", t1, t500, t20000);
        printf("ratio page 500 / page 1:    %.2f (target <= 1.5)\n", t500 / t1);
        printf("ratio page 20000 / page 1:  %.2f\n", t20000 / t1);
    }

    // ---------------------------------------------------------------- whole jobs
    if (CPrintDialog::GetPrinterCount() == 0)
    {
        printf("no printer: the job comparison is skipped (run under scripts/bench.sh with CUPS)\n");
        return 0;
    }
    CDefaultPrinterAnswerer answerer;
    AfxSetModalUIAnswerer(&answerer);
    CWnd host;
    host.CreateEx(0, NULL, "print bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), NULL, 0);

    // Rows per page on the printer, from the grid's own count.
    CVXGridCtrl probe(2001, 4, 1, 1);
    probe.Create(CRect(0, 0, 380, 280), &host, 2);
    Fill(probe);
    int nRowsPerPage;
    {
        CPrintDialog dlg(FALSE);
        dlg.GetDefaults();
        CDC dc;
        dc.Attach(dlg.DetachPrinterDC());
        dc.m_bPrinting = TRUE;
        CPrintInfo info;
        probe.OnBeginPrinting(&dc, &info);
        nRowsPerPage = probe.GetPrintPageFirstRow(2) - 1;
        probe.OnEndPrinting(&dc, &info);
    }
    printf("%d rows per printed page\n", nRowsPerPage);

    CVXGridCtrl onePage(nRowsPerPage + 1, 4, 1, 1);
    onePage.Create(CRect(0, 0, 380, 280), &host, 3);
    Fill(onePage);
    CVXGridCtrl manyPages(200 * nRowsPerPage + 1, 4, 1, 1);
    manyPages.Create(CRect(0, 0, 380, 280), &host, 4);
    Fill(manyPages);

    // Each job is handed to the spooler (and turned into a PDF by CUPS in
    // the background), so one long job is measured once, between rounds of
    // one-page jobs.
    std::vector<double> tOne, tMany;
    for (int round = 0; round < 3; round++)
    {
        double t0 = Now();
        for (int i = 0; i < 5; i++)
            onePage.Print();
        tOne.push_back((Now() - t0) / 5);
        if (round == 1)
        {
            t0 = Now();
            manyPages.Print();
            tMany.push_back(Now() - t0);
        }
    }
    double one = Median(tOne), many = Median(tMany);
    printf("job: one page %.1f ms, 200 pages %.1f ms (handed to the spooler)\n", one * 1e3, many * 1e3);
    printf("ratio 200-page job / (200 x one-page job): %.2f (target <= 1.2)\n", many / (200 * one));
    AfxSetModalUIAnswerer(NULL);
    return 0;
}
