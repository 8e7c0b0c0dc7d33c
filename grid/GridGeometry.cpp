// CVXGridCtrl: row and column sizes, and measuring text and cells.

#include "grid/GridCtrl.h"
#include "platform/ImageList.h"

#include <limits.h>
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
    m_arRowHeights.SetEntry(nRow, (UINT)height);
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
    m_arColWidths.SetEntry(nCol, (UINT)width);
    return TRUE;
}

// Spans of rows and columns from the running totals of the size tables;
// indexes the tables do not hold count as the getters' -1.
long long CVXGridCtrl::RowSpan(int nFrom, int nTo) const
{
    if (nFrom < 0)
        nFrom = 0;
    if (nTo <= nFrom)
        return 0;
    int nHeld = m_nRows < (int)m_arRowHeights.GetSize() ? m_nRows : (int)m_arRowHeights.GetSize();
    if (nTo <= nHeld)
        return m_arRowHeights.Sum(nFrom, nTo);
    long long n = 0;
    for (int r = nFrom; r < nTo; r++)
        n += GetRowHeight(r);
    return n;
}

long long CVXGridCtrl::ColumnSpan(int nFrom, int nTo) const
{
    if (nFrom < 0)
        nFrom = 0;
    if (nTo <= nFrom)
        return 0;
    int nHeld = m_nCols < (int)m_arColWidths.GetSize() ? m_nCols : (int)m_arColWidths.GetSize();
    if (nTo <= nHeld)
        return m_arColWidths.Sum(nFrom, nTo);
    long long n = 0;
    for (int c = nFrom; c < nTo; c++)
        n += GetColumnWidth(c);
    return n;
}

int CVXGridCtrl::GetFixedRowHeight() const
{
    return (int)RowSpan(0, m_nFixedRows);
}

int CVXGridCtrl::GetFixedColumnWidth() const
{
    return (int)ColumnSpan(0, m_nFixedCols);
}

long CVXGridCtrl::GetVirtualHeight() const
{
    return (long)RowSpan(0, m_nRows);
}

long CVXGridCtrl::GetVirtualWidth() const
{
    return (long)ColumnSpan(0, m_nCols);
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
    if (hWnd != NULL && !m_bBulkChange)
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

namespace
{
// The advance widths of the 256 single-byte characters in one font on the
// grid's measuring DC, and the height the system gives a measured text:
// sizing a column of a million cells to fit then adds widths instead of
// asking the system once per cell. Used only where it gives the system's own
// figures: a single-byte code page, and a font for which a sample of
// awkward texts measures the same both ways.
struct CharWidths
{
    HFONT   hFont;
    LOGFONT lf;
    bool    bUsable;
    int     anWidth[256];
    int     nHeight;
};
thread_local CharWidths t_charWidths = {};

const CharWidths* CharWidthsFor(HDC hDC, HFONT hFont, const LOGFONT& lf)
{
    static int s_nSingleByte = -1;
    if (s_nSingleByte < 0)
    {
        CPINFO cp;
        s_nSingleByte = (::GetCPInfo(CP_ACP, &cp) && cp.MaxCharSize == 1) ? 1 : 0;
    }
    if (s_nSingleByte == 0)
        return NULL;
    CharWidths& w = t_charWidths;
    if (w.hFont != hFont || memcmp(&w.lf, &lf, sizeof(LOGFONT)) != 0)
    {
        w.hFont = hFont;
        memcpy(&w.lf, &lf, sizeof(LOGFONT));
        TEXTMETRICA tm;
        w.bUsable = ::GetCharWidth32A(hDC, 0, 255, w.anWidth) && ::GetTextMetricsA(hDC, &tm);
        w.nHeight = w.bUsable ? tm.tmHeight : 0;
        static const char* const kSamples[] = { "Wg0,.xyz", "a much longer text", "\t\r\n\x01 ~",
                                                "\xe9\xff\x80\xa0", "1234567890", "iiiWWW" };
        for (const char* psz : kSamples)
        {
            if (!w.bUsable)
                break;
            SIZE size = { 0, 0 };
            int nLen = (int)strlen(psz);
            ::GetTextExtentPoint32A(hDC, psz, nLen, &size);
            int nSum = 0;
            for (int i = 0; i < nLen; i++)
                nSum += w.anWidth[(unsigned char)psz[i]];
            w.bUsable = size.cx == nSum && size.cy == w.nHeight;
        }
    }
    return w.bUsable ? &w : NULL;
}
} // namespace

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

    // A font already selected (the measuring DC always has the measuring
    // font selected) is not selected again: selecting fonts back and forth
    // costs more than the measuring.
    CString str = GetItemText(nRow, nCol);
    const bool bMeasureDC = hDC == m_hMeasureDC && hFont == m_hMeasureFont && hFont != NULL;
    HGDIOBJ hOldFont = hFont != NULL && !bMeasureDC && ::GetCurrentObject(hDC, OBJ_FONT) != hFont
                           ? ::SelectObject(hDC, hFont) : NULL;
    SIZE size = { 0, 0 };
    const CharWidths* pWidths = bMeasureDC && !str.IsEmpty() ? CharWidthsFor(hDC, hFont, lf) : NULL;
    if (pWidths != NULL)
    {
        const unsigned char* p = (const unsigned char*)(LPCTSTR)str;
        long long nWidth = 0;
        for (int i = 0, n = str.GetLength(); i < n; i++)
            nWidth += pWidths->anWidth[p[i]];
        size.cx = nWidth > INT_MAX ? INT_MAX : (LONG)nWidth;
        size.cy = pWidths->nHeight;
    }
    else
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

// The DC cells are measured on when sizing to fit: the grid's kept memory
// DC (compatible with the screen, so it measures as the window's DC does),
// whose measuring font stays selected from one cell to the next.
class CVXGridCtrl::CMeasureDC
{
public:
    explicit CMeasureDC(CVXGridCtrl& grid)
    {
        if (grid.m_hMeasureDC == NULL)
        {
            grid.m_hMeasureDC = ::CreateCompatibleDC(NULL);
            if (grid.m_hMeasureDC != NULL && grid.m_hMeasureFont != NULL)
                ::SelectObject(grid.m_hMeasureDC, grid.m_hMeasureFont);
        }
        if (grid.m_hMeasureDC != NULL)
            m_dc.Attach(grid.m_hMeasureDC);
    }
    ~CMeasureDC() { m_dc.Detach(); }
    CDC* Get() { return m_dc.GetSafeHdc() != NULL ? &m_dc : NULL; }

private:
    CDC m_dc;
};

// Sizes are only worth measuring for a grid with a window: creating the
// window gives every row and column the default size of the window's font,
// so sizes measured before would be thrown away.
BOOL CVXGridCtrl::AutoSizeColumn(int nCol)
{
    return nCol >= 0 && nCol < m_nCols && AutoSizeLine(nCol, TRUE);
}

BOOL CVXGridCtrl::AutoSizeRow(int nRow)
{
    return nRow >= 0 && nRow < m_nRows && AutoSizeLine(nRow, FALSE);
}

// Gives a column (or row) the largest width (or height) of its cells.
BOOL CVXGridCtrl::AutoSizeLine(int nIndex, BOOL bColumn)
{
    if (GetSafeHwnd() == NULL)
        return FALSE;
    CMeasureDC dc(*this);
    if (dc.Get() == NULL)
        return FALSE;
    int nLargest = 0;
    for (int i = 0, n = bColumn ? m_nRows : m_nCols; i < n; i++)
    {
        CSize size = bColumn ? GetCellExtent(i, nIndex, dc.Get()) : GetCellExtent(nIndex, i, dc.Get());
        int nExtent = bColumn ? size.cx : size.cy;
        if (nExtent > nLargest)
            nLargest = nExtent;
    }
    (bColumn ? m_arColWidths : m_arRowHeights).SetEntry(nIndex, (UINT)nLargest);
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

// ---------------------------------------------------------------- positions

// The scroll positions are pixel offsets of the non-fixed area; a position
// inside a row or column yields the next one, so the view starts at a whole
// cell.
CVXCellID CVXGridCtrl::GetTopleftNonFixedCell() const
{
    int nVertScroll = GetScrollPos32(SB_VERT);
    int nHorzScroll = GetScrollPos32(SB_HORZ);

    // The first column at or after the position, but not past the last one.
    int nCol = m_nFixedCols;
    if (m_nCols - 1 <= (int)m_arColWidths.GetSize())
        nCol = (int)m_arColWidths.FirstReaching(m_nFixedCols, m_nCols - 1, nHorzScroll);
    else
    {
        long long nSum = 0;
        while (nSum < nHorzScroll && nCol < m_nCols - 1)
            nSum += GetColumnWidth(nCol++);
    }

    int nRow = m_nFixedRows;
    if (m_nRows - 1 <= (int)m_arRowHeights.GetSize())
        nRow = (int)m_arRowHeights.FirstReaching(m_nFixedRows, m_nRows - 1, nVertScroll);
    else
    {
        long long nSum = 0;
        while (nSum < nVertScroll && nRow < m_nRows - 1)
            nSum += GetRowHeight(nRow++);
    }

    return CVXCellID(nRow, nCol);
}

BOOL CVXGridCtrl::GetCellOrigin(int nRow, int nCol, LPPOINT p) const
{
    if (!IsValid(nRow, nCol) || p == NULL)
        return FALSE;

    CVXCellID idTopLeft;
    if (nCol >= m_nFixedCols || nRow >= m_nFixedRows)
        idTopLeft = GetTopleftNonFixedCell();
    if ((nRow >= m_nFixedRows && nRow < idTopLeft.row) ||
        (nCol >= m_nFixedCols && nCol < idTopLeft.col))
        return FALSE;

    long long x = nCol < m_nFixedCols ? ColumnSpan(0, nCol)
                                      : GetFixedColumnWidth() + ColumnSpan(idTopLeft.col, nCol);
    long long y = nRow < m_nFixedRows ? RowSpan(0, nRow)
                                      : GetFixedRowHeight() + RowSpan(idTopLeft.row, nRow);
    p->x = (LONG)x;
    p->y = (LONG)y;
    return TRUE;
}

BOOL CVXGridCtrl::GetCellRect(int nRow, int nCol, LPRECT pRect) const
{
    POINT p;
    if (pRect == NULL || !GetCellOrigin(nRow, nCol, &p))
        return FALSE;
    pRect->left = p.x;
    pRect->top = p.y;
    pRect->right = p.x + GetColumnWidth(nCol) - 1;
    pRect->bottom = p.y + GetRowHeight(nRow) - 1;
    return TRUE;
}

BOOL CVXGridCtrl::GetCellRangeRect(const CVXCellRange& cellRange, LPRECT lpRect) const
{
    POINT minOrigin, maxOrigin;
    if (lpRect == NULL || !GetCellOrigin(cellRange.minRow, cellRange.minCol, &minOrigin) ||
        !GetCellOrigin(cellRange.maxRow, cellRange.maxCol, &maxOrigin))
        return FALSE;
    lpRect->left = minOrigin.x;
    lpRect->top = minOrigin.y;
    lpRect->right = maxOrigin.x + GetColumnWidth(cellRange.maxCol) - 1;
    lpRect->bottom = maxOrigin.y + GetRowHeight(cellRange.maxRow) - 1;
    return TRUE;
}

// The cell rectangle without the image part on the left.
BOOL CVXGridCtrl::GetTextRect(int nRow, int nCol, LPRECT pRect)
{
    GV_ITEM item;
    item.mask = GIM_IMAGE;
    item.row = nRow;
    item.col = nCol;
    if (!GetItem(&item) || !GetCellRect(nRow, nCol, pRect))
        return FALSE;

    IMAGEINFO info;
    if (m_pImageList != NULL && item.iImage >= 0 && m_pImageList->GetImageInfo(item.iImage, &info))
        pRect->left += m_nMargin + (info.rcImage.right - info.rcImage.left + 1);
    return TRUE;
}

CVXCellRange CVXGridCtrl::GetVisibleNonFixedCellRange(LPRECT pRect) const
{
    CRect rect(0, 0, 0, 0);
    if (GetSafeHwnd() != NULL)
        GetClientRect(&rect);
    CVXCellID idTopLeft = GetTopleftNonFixedCell();

    long long y = GetFixedRowHeight();
    int r;
    for (r = idTopLeft.row; r < m_nRows; r++)
    {
        y += GetRowHeight(r);
        if (y >= rect.bottom)
        {
            y = rect.bottom;
            break;
        }
    }
    int nMaxRow = r < m_nRows - 1 ? r : m_nRows - 1;

    long long x = GetFixedColumnWidth();
    int c;
    for (c = idTopLeft.col; c < m_nCols; c++)
    {
        x += GetColumnWidth(c);
        if (x >= rect.right)
        {
            x = rect.right;
            break;
        }
    }
    int nMaxCol = c < m_nCols - 1 ? c : m_nCols - 1;

    if (pRect != NULL)
    {
        pRect->left = pRect->top = 0;
        pRect->right = (LONG)x;
        pRect->bottom = (LONG)y;
    }
    return CVXCellRange(idTopLeft.row, idTopLeft.col, nMaxRow, nMaxCol);
}

// A row ending exactly at the bottom edge is wholly visible; one reaching
// past it is not.
CVXCellRange CVXGridCtrl::GetUnobstructedNonFixedCellRange() const
{
    CRect rect(0, 0, 0, 0);
    if (GetSafeHwnd() != NULL)
        GetClientRect(&rect);
    CVXCellID idTopLeft = GetTopleftNonFixedCell();

    long long y = GetFixedRowHeight();
    int r;
    for (r = idTopLeft.row; r < m_nRows; r++)
    {
        y += GetRowHeight(r);
        if (y >= rect.bottom)
            break;
    }
    int nMaxRow = r < m_nRows - 1 ? r : m_nRows - 1;
    if (nMaxRow > 0 && y > rect.bottom)
        nMaxRow--;

    long long x = GetFixedColumnWidth();
    int c;
    for (c = idTopLeft.col; c < m_nCols; c++)
    {
        x += GetColumnWidth(c);
        if (x >= rect.right)
            break;
    }
    int nMaxCol = c < m_nCols - 1 ? c : m_nCols - 1;
    if (nMaxCol > 0 && x > rect.right)
        nMaxCol--;

    return CVXCellRange(idTopLeft.row, idTopLeft.col, nMaxRow, nMaxCol);
}

namespace
{
// The index of the row or column under pos along one axis, or -1: the fixed
// ones (0 .. nFixed-1, only when bAllowFixed) below nFixedSize, the others
// from nFirst on, laid out after the fixed ones. size(i) gives the height or
// width of entry i.
template <class SizeOf>
int IndexAtPosition(long long pos, int nFixed, int nFixedSize, int nFirst, int nCount, BOOL bAllowFixed,
                    SizeOf size)
{
    if (pos < 0)
        return -1;
    int i = 0, nEnd = nFixed;
    long long edge = 0;
    if (pos >= nFixedSize)
    {
        i = nFirst;
        nEnd = nCount;
        edge = nFixedSize;
    }
    else if (!bAllowFixed)
        return -1;
    for (; i < nEnd; i++)
    {
        edge += size(i);
        if (edge > pos)
            return i;
    }
    return -1;
}
} // namespace

CVXCellID CVXGridCtrl::GetCellFromPt(CPoint point, BOOL bAllowFixed) const
{
    CVXCellID idTopLeft = GetTopleftNonFixedCell();
    CVXCellID cellID;
    cellID.col = IndexAtPosition(point.x, m_nFixedCols, GetFixedColumnWidth(), idTopLeft.col, m_nCols,
                                 bAllowFixed, [this](int c) { return GetColumnWidth(c); });
    cellID.row = IndexAtPosition(point.y, m_nFixedRows, GetFixedRowHeight(), idTopLeft.row, m_nRows,
                                 bAllowFixed, [this](int r) { return GetRowHeight(r); });
    return cellID;
}

// Visible however little of the cell shows: its left edge is left of the
// client's right edge and its top edge above the client's bottom edge.
BOOL CVXGridCtrl::IsCellVisible(int nRow, int nCol) const
{
    if (GetSafeHwnd() == NULL || !IsValid(nRow, nCol))
        return FALSE;

    CVXCellID idTopLeft;
    if (nCol >= m_nFixedCols || nRow >= m_nFixedRows)
    {
        idTopLeft = GetTopleftNonFixedCell();
        if ((nCol >= m_nFixedCols && nCol < idTopLeft.col) ||
            (nRow >= m_nFixedRows && nRow < idTopLeft.row))
            return FALSE;
    }

    CRect rect;
    GetClientRect(&rect);

    long long x = nCol < m_nFixedCols ? 0 : GetFixedColumnWidth();
    for (int c = nCol < m_nFixedCols ? 0 : idTopLeft.col; c <= nCol; c++)
    {
        if (x >= rect.right)
            return FALSE;
        x += GetColumnWidth(c);
    }

    long long y = nRow < m_nFixedRows ? 0 : GetFixedRowHeight();
    for (int r = nRow < m_nFixedRows ? 0 : idTopLeft.row; r <= nRow; r++)
    {
        if (y >= rect.bottom)
            return FALSE;
        y += GetRowHeight(r);
    }
    return TRUE;
}

// ---------------------------------------------------------------- sizing to content and window

void CVXGridCtrl::AutoSize()
{
    if (GetSafeHwnd() == NULL)
        return;
    CDC* pDC = GetDC();
    if (pDC == NULL)
        return;

    for (int c = 0; c < m_nCols; c++)
        m_arColWidths.GetData()[c] = 0;
    for (int r = 0; r < m_nRows; r++)
        m_arRowHeights.GetData()[r] = 0;

    for (int c = 0; c < m_nCols; c++)
        for (int r = 0; r < m_nRows; r++)
        {
            CSize size = GetCellExtent(r, c, pDC);
            if (size.cx > (int)m_arColWidths.GetData()[c])
                m_arColWidths.GetData()[c] = (UINT)size.cx;
            if (size.cy > (int)m_arRowHeights.GetData()[r])
                m_arRowHeights.GetData()[r] = (UINT)size.cy;
        }
    ReleaseDC(pDC);

    if (m_bAllowDraw)
    {
        ResetScrollBars();
        Invalidate(TRUE);
    }
}

// Spreads nDiff over the sizes: every entry gets nDiff / n, the remainder
// goes one pixel at a time to the first entries. A size never drops below
// 0 (a negative size would make cells overlap their neighbours).
static void SpreadDifference(UINT* pSizes, int n, long long nDiff)
{
    long long nEach = nDiff / n;
    long long nRest = (nDiff < 0 ? -nDiff : nDiff) % n;
    for (int i = 0; i < n; i++)
    {
        long long nSize = (long long)(int)pSizes[i] + nEach;
        if (i < nRest)
            nSize += nDiff > 0 ? 1 : -1;
        if (nSize < 0)
            nSize = 0;
        if (nSize > INT_MAX)
            nSize = INT_MAX;
        pSizes[i] = (UINT)nSize;
    }
}

void CVXGridCtrl::ExpandColumnsToFit()
{
    if (m_nCols <= 0 || GetSafeHwnd() == NULL)
        return;
    CRect rect;
    GetClientRect(&rect);
    // The difference is taken before the table is opened for writing:
    // reading the total after GetData() would mark the totals current
    // again before the sizes change.
    const long long nDiff = (long long)rect.Width() - GetVirtualWidth();
    SpreadDifference(m_arColWidths.GetData(), m_nCols, nDiff);
    if (m_bAllowDraw)
        Invalidate(TRUE);
}

void CVXGridCtrl::ExpandRowsToFit()
{
    if (m_nRows <= 0 || GetSafeHwnd() == NULL)
        return;
    CRect rect;
    GetClientRect(&rect);
    // The difference first, as for the columns.
    const long long nDiff = (long long)rect.Height() - GetVirtualHeight();
    SpreadDifference(m_arRowHeights.GetData(), m_nRows, nDiff);
    if (m_bAllowDraw)
        Invalidate(TRUE);
}

// Columns again at the end: fitting the rows can show or hide the vertical
// scroll bar, which changes the client width.
void CVXGridCtrl::ExpandToFit()
{
    ExpandColumnsToFit();
    ExpandRowsToFit();
    ExpandColumnsToFit();
}

// ---------------------------------------------------------------- font

// The font is copied into every cell; the margin (one space) and the
// default sizes for new rows and columns come from its metrics. Existing
// rows and columns keep their sizes.
LRESULT CVXGridCtrl::OnSetFont(WPARAM hFont, LPARAM lParam)
{
    LRESULT result = CWnd::OnSetFont(hFont, lParam);

    LOGFONT lf;
    if (hFont == 0 || ::GetObjectA((HFONT)hFont, sizeof(LOGFONT), &lf) != sizeof(LOGFONT))
        return result;

    memcpy(&m_lfFont, &lf, sizeof(LOGFONT));
    for (int r = 0; r < m_nRows; r++)
        for (int c = 0; c < m_nCols; c++)
            SetItemFont(r, c, &lf);

    HWND hWnd = GetSafeHwnd();
    HDC hDC = ::GetDC(hWnd);
    if (hDC != NULL)
    {
        m_fontGrid.DeleteObject();
        m_fontGrid.CreateFontIndirect(&m_lfFont);
        HGDIOBJ hOldFont = ::SelectObject(hDC, (HFONT)m_fontGrid);
        TEXTMETRICA tm;
        SIZE sizeSpace = { 0, 0 };
        if (::GetTextMetricsA(hDC, &tm) && ::GetTextExtentPoint32A(hDC, " ", 1, &sizeSpace))
        {
            m_nMargin = sizeSpace.cx;
            m_nDefRowHeight = tm.tmHeight + tm.tmExternalLeading + 2 * m_nMargin;
            m_nDefColWidth = 10 * tm.tmAveCharWidth + 2 * m_nMargin;
        }
        ::SelectObject(hDC, hOldFont);
        ::ReleaseDC(hWnd, hDC);
    }

    if (hWnd != NULL)
        Invalidate(TRUE);
    return result;
}

LRESULT CVXGridCtrl::OnGetFont(WPARAM /*hFont*/, LPARAM /*lParam*/)
{
    return (LRESULT)m_fontGrid.GetSafeHandle();
}
