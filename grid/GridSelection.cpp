// CVXGridCtrl: the focus cell and the set of selected cells.
//
// The selection map holds every cell whose state has GCS_SELECTED (kept so by
// SetItemState). Repainting of the cells concerned goes through RedrawCell /
// InvalidateCellRect, which do nothing while the grid has no window.

#include "grid/GridCtrl.h"

#include <algorithm>

CVXCellID CVXGridCtrl::SetFocusCell(int nRow, int nCol)
{
    return SetFocusCell(CVXCellID(nRow, nCol));
}

CVXCellID CVXGridCtrl::SetFocusCell(CVXCellID cell)
{
    if (cell == m_cellFocus)
        return m_cellFocus;

    CVXCellID cellPrev = m_cellFocus;
    m_cellFocus = cell;

    if (IsValid(cellPrev))
    {
        SendMessageToParent(cellPrev.row, cellPrev.col, GRIDN_SELCHANGING);
        SetItemState(cellPrev.row, cellPrev.col, GetItemState(cellPrev.row, cellPrev.col) & ~GCS_FOCUSED);
        RedrawCell(cellPrev);
        if (cellPrev.col != cell.col)
            for (int r = 0; r < m_nFixedRows; r++)
                RedrawCell(r, cellPrev.col);
        if (cellPrev.row != cell.row)
            for (int c = 0; c < m_nFixedCols; c++)
                RedrawCell(cellPrev.row, c);
    }

    if (IsValid(cell))
    {
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GCS_FOCUSED);
        RedrawCell(cell);
        if (cellPrev.col != cell.col)
            for (int r = 0; r < m_nFixedRows; r++)
                RedrawCell(r, cell.col);
        if (cellPrev.row != cell.row)
            for (int c = 0; c < m_nFixedCols; c++)
                RedrawCell(cell.row, c);
        SendMessageToParent(cell.row, cell.col, GRIDN_SELCHANGED);
    }
    return cellPrev;
}

void CVXGridCtrl::SetSelectedRange(const CVXCellRange& Range, BOOL bForceRepaint)
{
    SetSelectedRange(Range.minRow, Range.minCol, Range.maxRow, Range.maxCol, bForceRepaint);
}

void CVXGridCtrl::SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                                   BOOL bForceRepaint)
{
    if (!m_bSelectable)
        return;

    CDC* pDC = NULL;
    if (bForceRepaint && GetSafeHwnd() != NULL)
        pDC = GetDC();
    auto repaint = [&](int r, int c) {
        if (pDC != NULL)
            RedrawCell(r, c, pDC);
        else
            InvalidateCellRect(CVXCellID(r, c));
    };
    CVXCellRange range(nMinRow, nMinCol, nMaxRow, nMaxCol);

    // Unselect what is selected now. The cells are collected first because
    // unselecting removes them from the map being walked.
    if (m_mapSelected.GetCount() > 0)
    {
        CArray<CVXCellID, CVXCellID&> cells;
        cells.SetSize(0, (INT_PTR)m_mapSelected.GetCount());
        POSITION pos = m_mapSelected.GetStartPosition();
        while (pos != NULL)
        {
            ULONGLONG key;
            CVXCellID cell;
            m_mapSelected.GetNextAssoc(pos, key, cell);
            cells.Add(cell);
        }
        for (INT_PTR i = 0; i < cells.GetSize(); i++)
        {
            CVXCellID& cell = cells[i];
            if (!IsValid(cell))
                continue;
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GCS_SELECTED);
            if (!range.InRange(cell))
                repaint(cell.row, cell.col);
        }
        // Entries whose cell lost its bit by other means (a raw SetItem) or
        // whose address is no longer valid would otherwise stay for good.
        m_mapSelected.RemoveAll();
    }

    // Put back the selection that was there when a mouse selection began.
    if (!m_bSingleRowSelection && m_mapPrevSelected.GetCount() > 0)
    {
        POSITION pos = m_mapPrevSelected.GetStartPosition();
        while (pos != NULL)
        {
            ULONGLONG key;
            CVXCellID cell;
            m_mapPrevSelected.GetNextAssoc(pos, key, cell);
            if (!IsValid(cell))
                continue;
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GCS_SELECTED);
            repaint(cell.row, cell.col);
        }
    }

    if (IsValid(range))
    {
        for (int r = nMinRow; r <= nMaxRow; r++)
            for (int c = nMinCol; c <= nMaxCol; c++)
            {
                UINT nState = GetItemState(r, c);
                if (nState & GCS_SELECTED)
                    continue;
                if (GetColSelColor(c) == 0)
                    SetItemState(r, c, nState | GCS_SELECTED);
                repaint(r, c);
            }
    }

    if (pDC != NULL)
        ReleaseDC(pDC);
}

void CVXGridCtrl::ResetSelectedRange()
{
    SetSelectedRange(-1, -1, -1, -1, FALSE);
    SetFocusCell(-1, -1);
}

CVXCellRange CVXGridCtrl::GetSelectedCellRange() const
{
    CVXCellRange range(m_nRows, m_nCols, -1, -1);
    m_mapSelected.GetBounds(range);
    return range;
}

BOOL CVXGridCtrl::IsCellEditable(int nRow, int nCol) const
{
    if (!m_bEditable)
        return FALSE;
    return (GetItemState(nRow, nCol) & GCS_READONLY) ? FALSE : TRUE;
}

void CVXGridCtrl::SelectAllCells()
{
    if (!m_bSelectable)
        return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1, FALSE);
}

void CVXGridCtrl::SelectColumns(CVXCellID currentCell)
{
    if (!m_bSelectable || !IsValid(currentCell) || currentCell.col < m_nFixedCols)
        return;
    SetSelectedRange(m_nFixedRows, std::min(m_cellSelStart.col, currentCell.col),
                     m_nRows - 1, std::max(m_cellSelStart.col, currentCell.col), FALSE);
}

void CVXGridCtrl::SelectRows(CVXCellID currentCell)
{
    if (!m_bSelectable || !IsValid(currentCell) || currentCell.row < m_nFixedRows)
        return;
    if (m_bListMode && m_bSingleRowSelection)
        SetSelectedRange(currentCell.row, m_nFixedCols, currentCell.row, m_nCols - 1, FALSE);
    else
        SetSelectedRange(std::min(m_cellSelStart.row, currentCell.row), m_nFixedCols,
                         std::max(m_cellSelStart.row, currentCell.row), m_nCols - 1, FALSE);
}

void CVXGridCtrl::SelectCells(CVXCellID currentCell)
{
    if (!m_bSelectable || !IsValid(currentCell) || currentCell.row < m_nFixedRows ||
        currentCell.col < m_nFixedCols)
        return;
    SetSelectedRange(std::min(m_cellSelStart.row, currentCell.row),
                     std::min(m_cellSelStart.col, currentCell.col),
                     std::max(m_cellSelStart.row, currentCell.row),
                     std::max(m_cellSelStart.col, currentCell.col), FALSE);
}

void CVXGridCtrl::OnSelecting(const CVXCellID& currentCell)
{
    switch (m_nMouseMode)
    {
    case GMM_SELECT_ALL:     SelectAllCells(); break;
    case GMM_SELECT_COLUMNS: SelectColumns(currentCell); break;
    case GMM_SELECT_ROWS:    SelectRows(currentCell); break;
    case GMM_SELECT_CELLS:   SelectCells(currentCell); break;
    default: break;
    }
}

void CVXGridCtrl::RemapSelection(const std::function<CVXCellID(const CVXCellID&)>& fnNew)
{
    CGridCellMap* maps[] = { &m_mapSelected, &m_mapPrevSelected };
    for (auto* pMap : maps)
    {
        if (pMap->GetCount() == 0)
            continue;
        CArray<CVXCellID, CVXCellID&> cells;
        cells.SetSize(0, (INT_PTR)pMap->GetCount());
        POSITION pos = pMap->GetStartPosition();
        while (pos != NULL)
        {
            ULONGLONG key;
            CVXCellID cell;
            pMap->GetNextAssoc(pos, key, cell);
            CVXCellID moved = fnNew(cell);
            if (moved.IsValid())
                cells.Add(moved);
        }
        pMap->RemoveAll();
        for (INT_PTR i = 0; i < cells.GetSize(); i++)
            pMap->SetAt(GetCellKey(cells[i].row, cells[i].col), cells[i]);
    }
}
