// CVXGridCtrl: painting. Background areas, fixed and ordinary cells, grid
// lines, single-cell redraws, invalidation and the RGB colour rule.

#include "grid/GridCtrl.h"
#include "grid/MemDC.h"
#include "platform/ImageList.h"
#include "platform/ModalUI.h"

#include <stdio.h>
#include <stdlib.h>

// The semi-bold copy of a header font, shared by all grids; filled and used
// within one DrawFixedCell call.
static LOGFONT s_lfBoldScratch;

// ---------------------------------------------------------------- message handlers

void CVXGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_bDoubleBuffering)
    {
        CMemDC memDC(&dc);
        OnDraw(&memDC);
    }
    else
        OnDraw(&dc);
}

// The background is painted by OnDraw together with the cells.
BOOL CVXGridCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

// ---------------------------------------------------------------- whole paint

void CVXGridCtrl::EraseBkgnd(CDC* pDC)
{
    CRect clip;
    if (pDC == NULL || pDC->GetClipBox(&clip) == ERROR)
        return;
    CRect visRect;
    GetVisibleNonFixedCellRange(&visRect);
    int nFixedColWidth = GetFixedColumnWidth();
    int nFixedRowHeight = GetFixedRowHeight();

    CBrush fixedBrush, cellBrush, outsideBrush;
    fixedBrush.CreateSolidBrush(m_crFixedBk);
    cellBrush.CreateSolidBrush(m_crTextBk);
    outsideBrush.CreateSolidBrush(m_crBk);

    if (clip.left < nFixedColWidth && clip.top < visRect.bottom)
        pDC->FillRect(CRect(clip.left, clip.top, nFixedColWidth, visRect.bottom), &fixedBrush);
    if (clip.top < nFixedRowHeight && clip.right > nFixedColWidth && clip.left < visRect.right)
        pDC->FillRect(CRect(nFixedColWidth - 1, clip.top, visRect.right, nFixedRowHeight), &fixedBrush);

    CRect inter;
    if (inter.IntersectRect(&visRect, &clip))
    {
        CRect cells(inter.left > nFixedColWidth ? inter.left : nFixedColWidth,
                    inter.top > nFixedRowHeight ? inter.top : nFixedRowHeight,
                    inter.right, inter.bottom);
        pDC->FillRect(cells, &cellBrush);
    }
    if (visRect.right < clip.right)
        pDC->FillRect(CRect(visRect.right, clip.top, clip.right, clip.bottom), &outsideBrush);
    if (visRect.bottom < clip.bottom && clip.left < visRect.right)
        pDC->FillRect(CRect(clip.left, visRect.bottom, visRect.right, clip.bottom), &outsideBrush);
}

void CVXGridCtrl::OnDraw(CDC* pDC)
{
    CRect clip;
    if (pDC == NULL || pDC->GetClipBox(&clip) == ERROR)
        return;

    EraseBkgnd(pDC);

    int nFixedRowHeight = GetFixedRowHeight();
    int nFixedColWidth = GetFixedColumnWidth();
    CVXCellID idTopLeft = GetTopleftNonFixedCell();
    CRect visRect;
    CVXCellRange visCells = GetVisibleNonFixedCellRange(&visRect);
    int minVisibleRow = idTopLeft.row, minVisibleCol = idTopLeft.col;
    int maxVisibleRow = visCells.maxRow, maxVisibleCol = visCells.maxCol;

    CRect rect;
    int row, col;

    // Top-left corner block, always drawn whole.
    rect.bottom = -1;
    for (row = 0; row < m_nFixedRows; row++)
    {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (col = 0; col < m_nFixedCols; col++)
        {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            DrawFixedCell(pDC, row, col, rect, FALSE);
        }
    }

    // Lays out rows r0..r1 from top y0 and columns c0..c1 from left x0,
    // skipping cells outside the clip box and stopping past its edges.
    auto drawBlock = [&](int r0, int r1, int y0, int c0, int c1, int x0, bool bFixed) {
        CRect rc;
        rc.bottom = y0 - 1;
        for (int r = r0; r <= r1; r++)
        {
            rc.top = rc.bottom + 1;
            rc.bottom = rc.top + GetRowHeight(r) - 1;
            if (rc.top > clip.bottom)
                break;
            if (rc.bottom < clip.top)
                continue;
            rc.right = x0 - 1;
            for (int c = c0; c <= c1; c++)
            {
                rc.left = rc.right + 1;
                rc.right = rc.left + GetColumnWidth(c) - 1;
                if (rc.left > clip.right)
                    break;
                if (rc.right < clip.left)
                    continue;
                if (bFixed)
                    DrawFixedCell(pDC, r, c, rc, FALSE);
                else
                    DrawCell(pDC, r, c, rc, FALSE);
            }
        }
    };

    if (minVisibleRow >= 0 && minVisibleCol >= 0)
    {
        drawBlock(minVisibleRow, maxVisibleRow, nFixedRowHeight, 0, m_nFixedCols - 1, 0, true);
        drawBlock(0, m_nFixedRows - 1, 0, minVisibleCol, maxVisibleCol, nFixedColWidth, true);
        drawBlock(minVisibleRow, maxVisibleRow, nFixedRowHeight, minVisibleCol, maxVisibleCol,
                  nFixedColWidth, false);
    }

    CPen pen;
    if (!pen.CreatePen(PS_SOLID, 0, m_crGrid))
        return;
    CPen* pOldPen = pDC->SelectObject(&pen);
    if (minVisibleRow >= 0 && minVisibleCol >= 0)
    {
        if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT)
        {
            int x = nFixedColWidth;
            for (col = minVisibleCol; col <= maxVisibleCol; col++)
            {
                x += GetColumnWidth(col);
                pDC->MoveTo(x - 1, nFixedRowHeight);
                pDC->LineTo(x - 1, visRect.bottom);
            }
        }
        if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ)
        {
            int y = nFixedRowHeight;
            for (row = minVisibleRow; row <= maxVisibleRow; row++)
            {
                y += GetRowHeight(row);
                pDC->MoveTo(nFixedColWidth, y - 1);
                pDC->LineTo(visRect.right, y - 1);
            }
        }
    }
    pDC->SelectObject(pOldPen);
    pDC->SelectStockObject(NULL_PEN);
    pen.DeleteObject();
}

// ---------------------------------------------------------------- cells

// Draws the cell's image at the rectangle's top-left and moves the
// rectangle's left edge past it.
static void DrawCellImage(CDC* pDC, CImageList* pImageList, int iImage, int nMargin, CRect& rect)
{
    if (pImageList == NULL || iImage < 0)
        return;
    IMAGEINFO info;
    if (!pImageList->GetImageInfo(iImage, &info))
        return;
    int nImageWidth = info.rcImage.right - info.rcImage.left + 1;
    pImageList->Draw(pDC, iImage, rect.TopLeft(), ILD_NORMAL);
    rect.left += nImageWidth + nMargin;
}

BOOL CVXGridCtrl::DrawFixedCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL /*bEraseBk*/)
{
    if (!m_bAllowDraw || pDC == NULL)
        return FALSE;

    GV_ITEM item;
    item.mask = GIM_TEXT | GIM_IMAGE | GIM_BKCLR | GIM_FGCLR | GIM_FORMAT;
    item.row = nRow;
    item.col = nCol;
    if (!GetItem(&item))
        return FALSE;

    if (!pDC->IsPrinting())
        pDC->FillSolidRect(rect, item.crBkClr == GRID_DEFAULT_CLR ? m_crFixedBk : item.crBkClr);
    pDC->SetTextColor(item.crFgClr == GRID_DEFAULT_CLR ? m_crFixedText : item.crFgClr);

    int nSavedDC = pDC->SaveDC();

    // The headers of the focus cell's row and column are semi-bold.
    CFont font;
    LOGFONT* pLF = GetItemFont(nRow, nCol);
    if (m_cellFocus.row == nRow || m_cellFocus.col == nCol)
    {
        s_lfBoldScratch = *pLF;
        s_lfBoldScratch.lfWeight = 600;
        pLF = &s_lfBoldScratch;
    }
    font.CreateFontIndirect(pLF);
    if (font.GetSafeHandle() != NULL)
        pDC->SelectObject(&font);

    if (IsValid(m_cellFocus) && (m_cellFocus.row == nRow || m_cellFocus.col == nCol))
    {
        rect.right++;
        rect.bottom++;
        pDC->DrawEdge(rect, BDR_SUNKENINNER, BF_RECT);
        rect.DeflateRect(1, 1);
    }
    else
    {
        CPen lightPen(PS_SOLID, 1, ::GetSysColor(COLOR_3DHIGHLIGHT));
        CPen darkPen(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
        CPen* pOldPen = pDC->SelectObject(&lightPen);
        pDC->MoveTo(rect.right, rect.top);
        pDC->LineTo(rect.left, rect.top);
        pDC->LineTo(rect.left, rect.bottom);
        pDC->SelectObject(&darkPen);
        pDC->MoveTo(rect.right, rect.top);
        pDC->LineTo(rect.right, rect.bottom);
        pDC->LineTo(rect.left, rect.bottom);
        pDC->SelectObject(pOldPen);
        rect.DeflateRect(1, 1);
    }

    pDC->SetBkMode(TRANSPARENT);
    rect.DeflateRect(m_nMargin, 0);
    DrawCellImage(pDC, m_pImageList, item.iImage, m_nMargin, rect);
    pDC->DrawText(item.szText, &rect, item.nFormat);

    pDC->RestoreDC(nSavedDC);
    font.DeleteObject();
    return TRUE;
}

BOOL CVXGridCtrl::DrawCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL /*bEraseBk*/)
{
    if (!m_bAllowDraw || pDC == NULL)
        return FALSE;

    GV_ITEM item;
    item.mask = GIM_TEXT | GIM_IMAGE | GIM_STATE | GIM_BKCLR | GIM_FGCLR | GIM_FORMAT;
    item.row = nRow;
    item.col = nCol;
    if (!GetItem(&item))
        return FALSE;

    COLORREF crBk = item.crBkClr == GRID_DEFAULT_CLR ? m_crTextBk : item.crBkClr;
    COLORREF crText = item.crFgClr == GRID_DEFAULT_CLR ? m_crText : item.crFgClr;

    int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    BOOL bPrinting = pDC->IsPrinting();
    CRect fillRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    if (!bPrinting && (item.nState & GCS_FOCUSED))
    {
        // The focus cell keeps its own colours, even when selected.
        pDC->FillSolidRect(fillRect, crBk);
        pDC->SelectStockObject(BLACK_PEN);
        pDC->SelectStockObject(NULL_BRUSH);
        pDC->Rectangle(rect);
        pDC->SetTextColor(crText);
        rect.DeflateRect(1, 1);
    }
    else if (!bPrinting && (item.nState & GCS_SELECTED))
    {
        pDC->FillSolidRect(fillRect, ::GetSysColor(COLOR_HIGHLIGHT));
        pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    else
    {
        pDC->FillSolidRect(fillRect, crBk);
        pDC->SetTextColor(crText);
    }

    if (!bPrinting && (item.nState & GCS_DROPHILITED))
    {
        pDC->SelectStockObject(BLACK_PEN);
        pDC->SelectStockObject(NULL_BRUSH);
        pDC->Rectangle(rect);
    }

    CFont font;
    font.CreateFontIndirect(GetItemFont(nRow, nCol));
    if (font.GetSafeHandle() != NULL)
        pDC->SelectObject(&font);
    rect.DeflateRect(m_nMargin, 0);
    DrawCellImage(pDC, m_pImageList, item.iImage, m_nMargin, rect);
    pDC->DrawText(item.szText, &rect, item.nFormat);

    pDC->RestoreDC(nSavedDC);
    font.DeleteObject();
    return TRUE;
}

// ---------------------------------------------------------------- redrawing

BOOL CVXGridCtrl::RedrawCell(int nRow, int nCol, CDC* pDC)
{
    if (!m_bAllowDraw || GetSafeHwnd() == NULL || !IsCellVisible(nRow, nCol))
        return FALSE;
    CRect rect;
    if (!GetCellRect(nRow, nCol, &rect))
        return FALSE;

    BOOL bMustReleaseDC = FALSE;
    if (pDC == NULL)
    {
        pDC = GetDC();
        if (pDC == NULL)
        {
            InvalidateRect(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1), TRUE);
            return TRUE;
        }
        bMustReleaseDC = TRUE;
    }

    BOOL bResult;
    if (nRow < m_nFixedRows || nCol < m_nFixedCols)
        bResult = DrawFixedCell(pDC, nRow, nCol, rect, TRUE);
    else
    {
        bResult = DrawCell(pDC, nRow, nCol, rect, TRUE);
        CPen pen;
        pen.CreatePen(PS_SOLID, 0, m_crGrid);
        CPen* pOldPen = pDC->SelectObject(&pen);
        if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ)
        {
            pDC->MoveTo(rect.left, rect.bottom);
            pDC->LineTo(rect.right + 1, rect.bottom);
        }
        if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT)
        {
            pDC->MoveTo(rect.right, rect.top);
            pDC->LineTo(rect.right, rect.bottom + 1);
        }
        pDC->SelectObject(pOldPen);
    }

    if (bMustReleaseDC)
        ReleaseDC(pDC);
    return bResult;
}

BOOL CVXGridCtrl::RedrawRow(int nRow)
{
    if (GetSafeHwnd() == NULL)
        return FALSE;
    CDC* pDC = GetDC();
    BOOL bResult = TRUE;
    for (int col = 0; col < m_nCols; col++)
        if (!RedrawCell(nRow, col, pDC))
            bResult = FALSE;
    if (pDC != NULL)
        ReleaseDC(pDC);
    return bResult;
}

BOOL CVXGridCtrl::RedrawColumn(int nCol)
{
    if (GetSafeHwnd() == NULL)
        return FALSE;
    CDC* pDC = GetDC();
    BOOL bResult = TRUE;
    for (int row = 0; row < m_nRows; row++)
        if (!RedrawCell(row, nCol, pDC))
            bResult = FALSE;
    if (pDC != NULL)
        ReleaseDC(pDC);
    return bResult;
}

BOOL CVXGridCtrl::InvalidateCellRect(const CVXCellID& cell)
{
    if (GetSafeHwnd() == NULL || !m_bAllowDraw || !IsCellVisible(cell))
        return FALSE;
    CRect rect;
    if (!GetCellRect(cell, &rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(rect, TRUE);
    return TRUE;
}

BOOL CVXGridCtrl::InvalidateCellRect(const CVXCellRange& cellRange)
{
    if (GetSafeHwnd() == NULL || !m_bAllowDraw)
        return FALSE;
    CVXCellRange visible = GetVisibleNonFixedCellRange();
    CVXCellRange range(cellRange.minRow > visible.minRow ? cellRange.minRow : visible.minRow,
                       cellRange.minCol > visible.minCol ? cellRange.minCol : visible.minCol,
                       cellRange.maxRow < visible.maxRow ? cellRange.maxRow : visible.maxRow,
                       cellRange.maxCol < visible.maxCol ? cellRange.maxCol : visible.maxCol);
    CRect rect;
    if (!GetCellRangeRect(range, &rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(rect, TRUE);
    return TRUE;
}

void CVXGridCtrl::SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars)
{
    if (bAllowDraw && !m_bAllowDraw && GetSafeHwnd() != NULL)
        Invalidate(TRUE);
    m_bAllowDraw = bAllowDraw;
    if (bResetScrollBars)
        ResetScrollBars(TRUE);
}

// ---------------------------------------------------------------- colour rules

void CVXGridCtrl::SetRGBColor(int nRow, int nCol)
{
    if (nCol < 0 || (nCol != m_nRedCol && nCol != m_nGreenCol && nCol != m_nBlueCol))
        return;
    // Bytes that do not parse count as 0; only the low 8 bits of each
    // number are kept, so 300 gives 44.
    int nRed = atoi(GetItemText(nRow, m_nRedCol)) & 0xFF;
    int nGreen = atoi(GetItemText(nRow, m_nGreenCol)) & 0xFF;
    int nBlue = atoi(GetItemText(nRow, m_nBlueCol)) & 0xFF;
    SetItemBkColour(nRow, HasSelColorCol(), (COLORREF)(nRed + 256 * nGreen + 65536 * nBlue));
    if (GetSafeHwnd() != NULL)
        Invalidate(TRUE);
}

void CVXGridCtrl::SetItemColor(int nRow, int nCol)
{
    if (!IsValid(nRow, nCol))
        return;
    CColorDialog dlg(GetItemBkColour(nRow, nCol), 0, NULL);
    if (dlg.DoModal() != IDOK)
        return;
    COLORREF cr = dlg.GetColor();
    SetItemBkColour(nRow, nCol, cr);
    if (m_bHasRGBCol)
    {
        char szValue[16];
        sprintf(szValue, "%d", (int)GetRValue(cr));
        SetItemText(nRow, m_nRedCol, szValue);
        sprintf(szValue, "%d", (int)GetGValue(cr));
        SetItemText(nRow, m_nGreenCol, szValue);
        sprintf(szValue, "%d", (int)GetBValue(cr));
        SetItemText(nRow, m_nBlueCol, szValue);
    }
    if (GetSafeHwnd() != NULL)
        Invalidate(TRUE);
}
