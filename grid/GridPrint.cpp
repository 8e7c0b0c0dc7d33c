// CVXGridCtrl: printing. The print job, and its steps that a host's own
// print loop can drive as well: begin (measure the paper, count pages),
// one page (header, column headings, rows, footer), end.
//
// Every page is drawn in logical units of the grid's screen geometry: the
// logical page is the grid's width plus eight character widths of margin,
// mapped onto the printable area of the paper, and as tall as the paper's
// proportions make it. Cells are drawn by DrawCell and DrawFixedCell, which
// leave out selection, focus marks and fixed backgrounds on a printer.

#include "grid/GridCtrl.h"
#include "platform/PrintDialog.h"
#include "platform/PrintInfo.h"

#include <stdio.h>
#include <time.h>

// The letters measured for the print font's average character width: the
// first 52 characters of this text.
static const char s_szPrintMeasure[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";

// ---------------------------------------------------------------- the job

BOOL CVXGridCtrl::Print()
{
    CPrintInfo info;
    if (info.m_pPD == NULL)
        return FALSE;
    CPrintDialog& dlg = *info.m_pPD;
    dlg.m_pd.Flags = PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE |
                     PD_RETURNDC;
    dlg.m_pParentWnd = NULL;
    if (dlg.DoModal() != IDOK)
    {
        if (dlg.GetExtendedError() == PDERR_NODEFAULTPRN)
            AfxMessageBox("No printer is installed. Add a printer, then print again.", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (dlg.GetPrinterDC() == NULL)
        return FALSE;

    // The context stays the dialog's: the wrapper lends it for the job,
    // and the dialog deletes it (with the device memory) when the print
    // information record goes.
    CDC dc;
    dc.Attach(dlg.GetPrinterDC());
    dc.m_bPrinting = TRUE;

    CString strTitle = AfxGetAppTitle();
    DOCINFOA di;
    memset(&di, 0, sizeof(di));
    di.cbSize = sizeof(di);
    di.lpszDocName = strTitle;
    di.lpszOutput = NULL;

    BOOL bPrintingOK = dc.StartDoc(&di) > 0;
    if (bPrintingOK)
    {
        info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        OnBeginPrinting(&dc, &info);
        for (UINT nPage = info.GetMinPage(); nPage <= info.GetMaxPage() && bPrintingOK; nPage++)
        {
            // A host's page step may end the document early.
            if (!info.m_bContinuePrinting)
                break;
            if (dc.StartPage() <= 0)
            {
                bPrintingOK = FALSE;
                break;
            }
            info.m_nCurPage = nPage;
            OnPrint(&dc, &info);
            bPrintingOK = dc.EndPage() > 0;
            if (nPage == 0xFFFFFFFFu)
                break;
        }
        OnEndPrinting(&dc, &info);
    }

    if (bPrintingOK)
        bPrintingOK = dc.EndDoc() > 0;
    else
        dc.AbortDoc();
    dc.ReleaseSelections();
    dc.Detach();
    return bPrintingOK;
}

// ---------------------------------------------------------------- page layout

// The first row of the page after the one that starts at nRow: rows are
// added while their heights add up to at most m_nPrintPageHeight; the row
// that overflows starts the next page. A page always takes at least its
// first row, so a row taller than the page gets a page of its own. Uses
// the running totals of the row heights: the cost does not grow with nRow.
static int NextPrintPage(const CGridSizeArray& heights, int nRow, int nRows, int nPageHeight)
{
    if (nRow >= nRows)
        return nRows;
    long long nAmount = (long long)nPageHeight + 1;
    // The rows that overflow a page lie close to its first row: the search
    // looks in a window of 64 rows first and widens it 64 times while the
    // rows in it still fit.
    INT_PTR nLast = nRow;
    do
    {
        INT_PTR nSpan = (nLast - nRow + 1) * 64;
        nLast = nSpan < nRows - nRow ? nRow + nSpan : nRows;
    } while (nLast < nRows && heights.Sum(nRow, nLast) < nAmount);
    // When even all rows left fit, the rest is this page; otherwise nOver
    // is the first index whose preceding rows (from nRow) exceed the page.
    if (heights.Sum(nRow, nLast) < nAmount)
        return nRows;
    INT_PTR nOver = heights.FirstReaching(nRow, nLast, nAmount);
    int nNext = (int)nOver - 1;
    return nNext > nRow ? nNext : nRow + 1;
}

int CVXGridCtrl::GetPrintPageFirstRow(UINT nPage) const
{
    if (nPage == 0 || m_nRows <= m_nFixedRows || m_arRowHeights.GetSize() < m_nRows)
        return -1;
    UINT p = 1;
    int nRow = m_nFixedRows;
    if (m_nPrintLastPage >= 1 && m_nPrintLastPage <= nPage && m_nPrintLastPageRow >= m_nFixedRows &&
        m_nPrintLastPageRow < m_nRows)
    {
        p = m_nPrintLastPage;
        nRow = m_nPrintLastPageRow;
    }
    for (; p < nPage; p++)
    {
        nRow = NextPrintPage(m_arRowHeights, nRow, m_nRows, m_nPrintPageHeight);
        if (nRow >= m_nRows)
            return -1;
    }
    m_nPrintLastPage = nPage;
    m_nPrintLastPageRow = nRow;
    return nRow;
}

// ---------------------------------------------------------------- the steps

void CVXGridCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_nPrintLastPage = 0;
    if (pDC == NULL || pInfo == NULL || m_nRows == m_nFixedRows)
        return;
    CDC* pScreenDC = GetDC();
    if (pScreenDC == NULL)
        return;

    m_fontPrint.CreateFont(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                           CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           "Times New Roman");
    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);

    CSize size = pDC->GetTextExtent(s_szPrintMeasure, 52);
    m_sizePrintChar.cx = size.cx / 52;
    m_sizePrintChar.cy = size.cy;

    m_sizePrintPaper = CSize(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    m_sizePrintPage.cx = (int)GetVirtualWidth() + 8 * m_sizePrintChar.cx;
    m_sizePrintPage.cy = m_sizePrintPaper.cx > 0
                             ? ::MulDiv(m_sizePrintPage.cx, m_sizePrintPaper.cy, m_sizePrintPaper.cx)
                             : 0;
    m_nPrintPageHeight = m_sizePrintPage.cy - 6 * m_sizePrintChar.cy - GetFixedRowHeight();

    // The page count is a full UINT: a grid of more than 65,535 pages
    // prints all of them.
    UINT nPages = 1;
    int nRow = m_nFixedRows;
    for (;;)
    {
        nRow = NextPrintPage(m_arRowHeights, nRow, m_nRows, m_nPrintPageHeight);
        if (nRow >= m_nRows || nPages == 0xFFFFFFFFu)
            break;
        nPages++;
    }
    pInfo->SetMaxPage(nPages);
    pInfo->m_nCurPage = 1;

    ReleaseDC(pScreenDC);
    pDC->SelectObject(pOldFont);
}

// The grid lines of one printed cell: its bottom and right edges, the top
// edge too in the grid's first row and the left edge in its first column.
// A cell's lines reach back one pixel over its neighbour's so the lines
// join, except at the top of a page's first row and at the left edge.
static void DrawPrintedCellLines(CDC* pDC, int nGridLines, const CRect& rect, BOOL bTopRow,
                                 BOOL bFirstOnPage, BOOL bLeftColumn)
{
    if (nGridLines == GRIDLINES_BOTH || nGridLines == GRIDLINES_HORZ)
    {
        int x = bLeftColumn ? rect.left : rect.left - 1;
        pDC->MoveTo(x, rect.bottom);
        pDC->LineTo(rect.right, rect.bottom);
        if (bTopRow)
        {
            pDC->MoveTo(x, rect.top);
            pDC->LineTo(rect.right, rect.top);
        }
    }
    if (nGridLines == GRIDLINES_BOTH || nGridLines == GRIDLINES_VERT)
    {
        int y = bFirstOnPage ? rect.top : rect.top - 1;
        pDC->MoveTo(rect.right, y);
        pDC->LineTo(rect.right, rect.bottom);
        if (bLeftColumn)
        {
            pDC->MoveTo(rect.left, y);
            pDC->LineTo(rect.left, rect.bottom);
        }
    }
}

void CVXGridCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == NULL || pInfo == NULL)
        return;

    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);
    const int cxChar = m_sizePrintChar.cx, cyChar = m_sizePrintChar.cy;
    const int nFixedHeight = GetFixedRowHeight();

    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_sizePrintPage);
    pDC->SetViewportExt(m_sizePrintPaper);
    pDC->SetWindowOrg(-4 * cxChar, 0);

    pInfo->m_rectDraw.SetRect(0, 0, m_sizePrintPage.cx - 8 * cxChar, 2 * cyChar);
    PrintHeader(pDC, pInfo);

    // A blank line below the header, then the headings.
    pDC->SetWindowOrg(-4 * cxChar, -3 * cyChar);
    pInfo->m_rectDraw.bottom = nFixedHeight;
    PrintColumnHeadings(pDC, pInfo);
    pDC->SetWindowOrg(-4 * cxChar, -3 * cyChar - nFixedHeight);

    int nRow = GetPrintPageFirstRow(pInfo->m_nCurPage);
    if (m_nRows > m_nFixedRows && nRow >= 0)
    {
        int nSavedDC = pDC->SaveDC();
        // A row taller than the page is printed on its own page, cut off
        // at the page's data area.
        pDC->IntersectClipRect(-4 * cxChar, 0, m_sizePrintPage.cx, m_nPrintPageHeight > 0 ? m_nPrintPageHeight : 0);

        CRect rect;
        rect.bottom = -1;
        long long nUsed = 0;
        BOOL bFirst = TRUE;
        for (; nRow < m_nRows; nRow++)
        {
            int nHeight = GetRowHeight(nRow);
            nUsed += nHeight;
            if (nUsed > m_nPrintPageHeight && !bFirst)
                break;
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + nHeight - 1;
            rect.right = -1;
            for (int col = 0; col < m_nCols; col++)
            {
                rect.left = rect.right + 1;
                rect.right = rect.left + GetColumnWidth(col) - 1;
                DrawCell(pDC, nRow, col, rect, FALSE);
                DrawPrintedCellLines(pDC, m_nGridLines, rect, nRow == 0, bFirst, col == 0);
            }
            bFirst = FALSE;
        }
        pDC->RestoreDC(nSavedDC);

        pInfo->m_rectDraw.bottom = 2 * cyChar;
        pDC->SetWindowOrg(-4 * cxChar, 2 * cyChar - m_sizePrintPage.cy);
        PrintFooter(pDC, pInfo);
    }

    pDC->SetWindowOrg(0, 0);
    pDC->SelectObject(pOldFont);
}

void CVXGridCtrl::OnEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
    m_fontPrint.DeleteObject();
}

void CVXGridCtrl::PrintColumnHeadings(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    if (pDC == NULL)
        return;
    CFont* pOldFont = pDC->SelectObject(&m_fontPrint);

    CRect rect;
    rect.bottom = -1;
    for (int row = 0; row < m_nFixedRows; row++)
    {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (int col = 0; col < m_nCols; col++)
        {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            DrawFixedCell(pDC, row, col, rect, FALSE);
            DrawPrintedCellLines(pDC, m_nGridLines, rect, row == 0, row == 0, col == 0);
        }
    }
    pDC->SelectObject(pOldFont);
}

// A bold copy of the print font, made in font (which the caller deletes).
static BOOL CreateBoldPrintFont(CFont& fontPrint, CFont& font)
{
    LOGFONT lf;
    if (fontPrint.GetSafeHandle() == NULL || !fontPrint.GetLogFont(&lf))
        return FALSE;
    lf.lfWeight = FW_BOLD;
    return font.CreateFontIndirect(&lf);
}

void CVXGridCtrl::PrintHeader(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == NULL || pInfo == NULL)
        return;
    CRect rc(pInfo->m_rectDraw);

    CFont boldFont;
    CFont* pOldFont = CreateBoldPrintFont(m_fontPrint, boldFont) ? pDC->SelectObject(&boldFont) : NULL;
    int nOldBkMode = pDC->SetBkMode(TRANSPARENT);

    CString strApp = AfxGetAppTitle();
    pDC->DrawText(strApp, &rc, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    // The title of the nearest ancestor that has one names the data.
    CString strTitle;
    HWND hParent = GetSafeHwnd() ? ::GetParent(GetSafeHwnd()) : NULL;
    if (hParent == NULL)
        strTitle = strApp;
    for (HWND h = hParent; h != NULL && strTitle.IsEmpty(); h = ::GetParent(h))
    {
        char szText[256];
        int n = ::GetWindowTextA(h, szText, sizeof(szText));
        if (n > 0)
            strTitle = CString(szText, n);
    }
    pDC->DrawText(strTitle, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    pDC->SetBkMode(nOldBkMode);
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
    boldFont.DeleteObject();

    pDC->SelectStockObject(BLACK_PEN);
    pDC->MoveTo(rc.left, rc.bottom);
    pDC->LineTo(rc.right, rc.bottom);
}

void CVXGridCtrl::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == NULL || pInfo == NULL)
        return;
    CRect rc(pInfo->m_rectDraw);
    pDC->MoveTo(rc.left, rc.top);
    pDC->LineTo(rc.right, rc.top);

    CFont boldFont;
    CFont* pOldFont = CreateBoldPrintFont(m_fontPrint, boldFont) ? pDC->SelectObject(&boldFont) : NULL;
    int nOldBkMode = pDC->SetBkMode(TRANSPARENT);

    rc.OffsetRect(0, m_sizePrintChar.cy / 2);
    char szPage[64];
    snprintf(szPage, sizeof(szPage), "Page %u of %u", pInfo->m_nCurPage, pInfo->GetMaxPage());
    pDC->DrawText(szPage, -1, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);

    char szTime[128] = "";
    time_t now = time(NULL);
    struct tm* ptm = localtime(&now);
    if (ptm == NULL || strftime(szTime, sizeof(szTime), "%c", ptm) == 0)
        szTime[0] = 0;
    pDC->DrawText(szTime, -1, &rc, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);

    pDC->SetBkMode(nOldBkMode);
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
    boldFont.DeleteObject();
}
