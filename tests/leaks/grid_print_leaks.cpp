// Grid printing through its cycles: the page steps a print job runs
// (count the pages, print each, end) onto a memory context that stands in
// for the paper, 1,000 times; and whole print jobs through Print() to the
// test command's PDF printer, fewer times, because each one is a real job
// that the printing system turns into a file.
#include "LeakHarness.h"

#include "grid/GridCtrl.h"
#include "platform/Gdi.h"
#include "platform/PrintDialog.h"
#include "platform/PrintInfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

namespace
{

const int kJobCycles = 20;

void FillRows(CVXGridCtrl& grid, int nRows)
{
    grid.SetRowCount(nRows);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetItemText(0, 1, "Region");
    grid.SetItemText(0, 2, "Area");
    grid.SetItemText(0, 3, "Label");
    char sz[32];
    for (int r = 1; r < nRows; ++r)
    {
        std::snprintf(sz, sizeof(sz), "%d", r);
        grid.SetItemText(r, 0, sz);
        std::snprintf(sz, sizeof(sz), "R%04d", r);
        grid.SetItemText(r, 1, sz);
        std::snprintf(sz, sizeof(sz), "%d.5", r * 7);
        grid.SetItemText(r, 2, sz);
        grid.SetItemText(r, 3, r % 2 ? "odd" : "even");
        if (r % 7 == 0)
            grid.SetItemBkColour(r, 3, RGB(220, 240, 200));
    }
}

// Answers the print dialog as a user pressing OK on the default printer.
class CDefaultPrinterAnswer : public CModalUIAnswerer
{
public:
    CDefaultPrinterAnswer() { m_pPrevious = AfxSetModalUIAnswerer(this); }
    ~CDefaultPrinterAnswer() override { AfxSetModalUIAnswerer(m_pPrevious); }
    BOOL AnswerPrintDialog(HWND, PRINTDLGA* ppd, INT_PTR* pnResult) override
    {
        PRINTDLGA pd = {};
        pd.lStructSize = sizeof(pd);
        pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
        *pnResult = IDCANCEL;
        if (::PrintDlgA(&pd))
        {
            ppd->hDC = pd.hDC;
            ppd->hDevMode = pd.hDevMode;
            ppd->hDevNames = pd.hDevNames;
            *pnResult = IDOK;
        }
        return TRUE;
    }

private:
    CModalUIAnswerer* m_pPrevious;
};

// The PDF files in a Linux folder, by name.
std::set<std::string> PdfFiles(const std::string& dir)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA(("Z:" + dir + "\\*.pdf").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(fd.cFileName);
    while (::FindNextFileA(h, &fd));
    ::FindClose(h);
    return names;
}

} // namespace

TEST(Leaks, GridPrintPagesOnPaper)
{
    // One grid printed again and again, as a host prints the same table
    // many times: each print makes its fonts and pens and must give back
    // all of them.
    CLeakHost host;
    CVXGridCtrl grid;
    FillRows(grid, 40);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 300), &host.wnd, 1, WS_CHILD | WS_VISIBLE));
    UINT nPagesSeen = 0;
    LeakReport r = RunLeakCycles("grid print pages", [&](LeakCycle& c) {
        // Row heights that move the page breaks from print to print.
        grid.SetRowHeight(10 + c.Index() % 5, 200 + c.Index() % 50);

        // The paper: a memory context marked as printing, over a bitmap.
        CClientDC screen(nullptr);
        CDC paper;
        ASSERT_TRUE(paper.CreateCompatibleDC(&screen));
        CBitmap sheet;
        ASSERT_TRUE(sheet.CreateCompatibleBitmap(&screen, 64, 64));
        CBitmap* pOld = paper.SelectObject(&sheet);
        paper.m_bPrinting = TRUE;

        CPrintInfo info;
        grid.OnBeginPrinting(&paper, &info);
        for (UINT p = info.GetMinPage(); p <= info.GetMaxPage(); ++p)
        {
            info.m_nCurPage = p;
            grid.OnPrint(&paper, &info);
        }
        c.Alive();
        grid.OnEndPrinting(&paper, &info);
        nPagesSeen += info.GetMaxPage() >= 2;
        paper.SelectObject(pOld);
    });
    ExpectNothingLeft(r, false, true);
    EXPECT_EQ(nPagesSeen, 1020u);
    grid.DestroyWindow();
}

TEST(Leaks, GridPrintJobs)
{
    char szDir[MAX_PATH];
    const DWORD nDir = ::GetEnvironmentVariableA("KVVX_PDF_DIR", szDir, sizeof(szDir));
    if (nDir == 0 || nDir >= sizeof(szDir))
        GTEST_SKIP() << "no PDF printer set up (KVVX_PDF_DIR unset): print jobs not tried";
    const std::string dir(szDir);
    const std::set<std::string> before = PdfFiles(dir);

    CDefaultPrinterAnswer answer;
    CLeakHost host;
    CVXGridCtrl grid;
    FillRows(grid, 30);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 300), &host.wnd, 1, WS_CHILD | WS_VISIBLE));
    int nPrinted = 0;
    LeakReport r = RunLeakCycles("grid print jobs", [&](LeakCycle& c) {
        nPrinted += grid.Print() ? 1 : 0;
        c.Alive();
    }, kJobCycles, 3);
    // The printer's context and device memory exist only during Print().
    ExpectNothingLeft(r, false, false);
    EXPECT_EQ(nPrinted, kJobCycles + 3);
    grid.DestroyWindow();

    // The jobs really reached the printer: the PDF printer turns each into
    // a file of its own, one after the other. They are removed once all
    // are there.
    std::set<std::string> made;
    for (int i = 0; i < 600 && (int)made.size() < kJobCycles + 3; ++i)
    {
        ::Sleep(100);
        for (const std::string& name : PdfFiles(dir))
            if (!before.count(name))
                made.insert(name);
    }
    EXPECT_EQ((int)made.size(), kJobCycles + 3) << "PDFs that appeared in " << dir;
    for (const std::string& name : made)
        ::DeleteFileA(("Z:" + dir + "\\" + name).c_str());
}
