// CVXGridCtrl: row and column sizes, and measuring text and cells.

#include "grid/GridCtrl.h"
#include "platform/ImageList.h"

#include <string.h>

// ---------------------------------------------------------------- sizes

int CVXGridCtrl::GetRowHeight(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRows || nRow >= (int)m_arRowHeights.GetSize())
        return -1;
    return (int)m_arRowHeights.GetData()[nRow];
}

BOOL CVXGridCtrl::SetRowHeight(int nRow, int height)
{
    if (nRow < 0 || nRow >= m_nRows || nRow >= (int)m_arRowHeights.GetSize() || height < 0)
        return FALSE;
    m_arRowHeights.GetData()[nRow] = (UINT)height;
    return TRUE;
}

int CVXGridCtrl::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_nCols || nCol >= (int)m_arColWidths.GetSize())
        return -1;
    return (int)m_arColWidths.GetData()[nCol];
}

BOOL CVXGridCtrl::SetColumnWidth(int nCol, int width)
{
    if (nCol < 0 || nCol >= m_nCols || nCol >= (int)m_arColWidths.GetSize() || width < 0)
        return FALSE;
    m_arColWidths.GetData()[nCol] = (UINT)width;
    return TRUE;
}

int CVXGridCtrl::GetFixedRowHeight() const
{
    int nHeight = 0;
    for (int r = 0; r < m_nFixedRows; r++)
        nHeight += GetRowHeight(r);
    return nHeight;
}

int CVXGridCtrl::GetFixedColumnWidth() const
{
    int nWidth = 0;
    for (int c = 0; c < m_nFixedCols; c++)
        nWidth += GetColumnWidth(c);
    return nWidth;
}

long CVXGridCtrl::GetVirtualHeight() const
{
    long nHeight = 0;
    for (int r = 0; r < m_nRows; r++)
        nHeight += GetRowHeight(r);
    return nHeight;
}

long CVXGridCtrl::GetVirtualWidth() const
{
    long nWidth = 0;
    for (int c = 0; c < m_nCols; c++)
        nWidth += GetColumnWidth(c);
    return nWidth;
}

// ---------------------------------------------------------------- measuring

// The measuring DC of a grid without a window always has the cached font
// selected, so measuring a row heading costs one GDI call.
HFONT CVXGridCtrl::GetMeasureFont(const LOGFONT& lf)
{
    if (m_hMeasureFont != NULL && memcmp(&lf, &m_lfMeasureFont, sizeof(LOGFONT)) == 0)
        return m_hMeasureFont;
    HFONT hFont = ::CreateFontIndirectA(&lf);
    if (hFont == NULL)
        return m_hMeasureFont;
    if (m_hMeasureDC != NULL)
        ::SelectObject(m_hMeasureDC, hFont);   // the old font is no longer selected
    if (m_hMeasureFont != NULL)
        ::DeleteObject(m_hMeasureFont);
    m_hMeasureFont = hFont;
    memcpy(&m_lfMeasureFont, &lf, sizeof(LOGFONT));
    return m_hMeasureFont;
}

void CVXGridCtrl::ReleaseMeasureObjects()
{
    if (m_hMeasureDC != NULL)
        ::DeleteDC(m_hMeasureDC);
    m_hMeasureDC = NULL;
    if (m_hMeasureFont != NULL)
        ::DeleteObject(m_hMeasureFont);
    m_hMeasureFont = NULL;
}

CSize CVXGridCtrl::GetTextExtent(LPCTSTR str, BOOL bBold)
{
    if (str == NULL)
        str = "";

    // Semi-bold: a font made from m_lfFont with weight 600. Otherwise the
    // grid's screen font, or, before one is set, a font made from m_lfFont.
    HFONT hGridFont = (HFONT)m_fontGrid.GetSafeHandle();
    BOOL bGridFont = !bBold && hGridFont != NULL;
    LOGFONT lf = m_lfFont;
    if (bBold)
        lf.lfWeight = 600;

    SIZE size = { 0, 0 };
    HWND hWnd = GetSafeHwnd();
    if (hWnd != NULL)
    {
        // The window's DC.
        HDC hDC = ::GetDC(hWnd);
        if (hDC == NULL)
            return CSize(0, 0);
        HFONT hFont = bGridFont ? hGridFont : GetMeasureFont(lf);
        HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
        ::GetTextExtentPoint32A(hDC, str, (int)strlen(str), &size);
        if (hOldFont != NULL)
            ::SelectObject(hDC, hOldFont);
        ::ReleaseDC(hWnd, hDC);
    }
    else
    {
        // No window: a memory DC compatible with the screen (same font
        // mapping), kept for later calls with the measuring font selected.
        if (m_hMeasureDC == NULL)
        {
            m_hMeasureDC = ::CreateCompatibleDC(NULL);
            if (m_hMeasureDC == NULL)
                return CSize(0, 0);
            if (m_hMeasureFont != NULL)
                ::SelectObject(m_hMeasureDC, m_hMeasureFont);
        }
        if (bGridFont)
        {
            HGDIOBJ hOldFont = ::SelectObject(m_hMeasureDC, hGridFont);
            ::GetTextExtentPoint32A(m_hMeasureDC, str, (int)strlen(str), &size);
            ::SelectObject(m_hMeasureDC, hOldFont);
        }
        else
        {
            GetMeasureFont(lf);
            ::GetTextExtentPoint32A(m_hMeasureDC, str, (int)strlen(str), &size);
        }
    }
    return CSize(size.cx + 2 * m_nMargin, size.cy + 2 * m_nMargin);
}

// Width: text + 4 margins + image; height: the larger of the image and the
// text with 2 margins. A fixed cell is measured semi-bold.
CSize CVXGridCtrl::GetCellExtent(int nRow, int nCol, CDC* pDC)
{
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return CSize(0, 0);
    HDC hDC = pDC->GetSafeHdc();

    LOGFONT lf = *GetItemFont(nRow, nCol);
    if (IsCellFixed(nRow, nCol))
        lf.lfWeight = 600;
    HFONT hFont = GetMeasureFont(lf);

    CString str = GetItemText(nRow, nCol);
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    SIZE size = { 0, 0 };
    ::GetTextExtentPoint32A(hDC, str, str.GetLength(), &size);
    if (hOldFont != NULL)
        ::SelectObject(hDC, hOldFont);

    int nImageWidth = 0, nImageHeight = 0;
    int nImage = GetItemImage(nRow, nCol);
    IMAGEINFO info;
    if (m_pImageList != NULL && nImage >= 0 && m_pImageList->GetImageInfo(nImage, &info))
    {
        nImageWidth = info.rcImage.right - info.rcImage.left + 1;
        nImageHeight = info.rcImage.bottom - info.rcImage.top + 1;
    }

    int nHeight = size.cy + 2 * m_nMargin;
    return CSize(size.cx + 4 * m_nMargin + nImageWidth, nImageHeight > nHeight ? nImageHeight : nHeight);
}

// ---------------------------------------------------------------- automatic sizing

// Sizes are only worth measuring for a grid with a window: creating the
// window gives every row and column the default size of the window's font,
// so sizes measured before would be thrown away.
BOOL CVXGridCtrl::AutoSizeColumn(int nCol)
{
    if (nCol < 0 || nCol >= m_nCols || GetSafeHwnd() == NULL)
        return FALSE;
    CDC* pDC = GetDC();
    if (pDC == NULL)
        return FALSE;
    int nWidth = 0;
    for (int r = 0; r < m_nRows; r++)
    {
        CSize size = GetCellExtent(r, nCol, pDC);
        if (size.cx > nWidth)
            nWidth = size.cx;
    }
    ReleaseDC(pDC);
    m_arColWidths.GetData()[nCol] = (UINT)nWidth;
    ResetScrollBars();
    return TRUE;
}

BOOL CVXGridCtrl::AutoSizeRow(int nRow)
{
    if (nRow < 0 || nRow >= m_nRows || GetSafeHwnd() == NULL)
        return FALSE;
    CDC* pDC = GetDC();
    if (pDC == NULL)
        return FALSE;
    int nHeight = 0;
    for (int c = 0; c < m_nCols; c++)
    {
        CSize size = GetCellExtent(nRow, c, pDC);
        if (size.cy > nHeight)
            nHeight = size.cy;
    }
    ReleaseDC(pDC);
    m_arRowHeights.GetData()[nRow] = (UINT)nHeight;
    ResetScrollBars();
    return TRUE;
}

void CVXGridCtrl::AutoSizeColumns()
{
    for (int c = 0; c < m_nCols; c++)
        AutoSizeColumn(c);
}

void CVXGridCtrl::AutoSizeRows()
{
    for (int r = 0; r < m_nRows; r++)
        AutoSizeRow(r);
}
