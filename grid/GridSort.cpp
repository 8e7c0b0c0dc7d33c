// CVXGridCtrl: sorting rows by one column, and finding cells by state.

#include "grid/GridCtrl.h"

#include <mbstring.h>
#include <stdlib.h>

// ---------------------------------------------------------------- compare functions

int CALLBACK CVXGridCtrl::pfnCellTextCompare(LPARAM lParam1, LPARAM lParam2, LPARAM /*lParamSort*/)
{
    const CGridCell* pCell1 = (const CGridCell*)lParam1;
    const CGridCell* pCell2 = (const CGridCell*)lParam2;
    if (pCell1 == NULL || pCell2 == NULL)
        return 0;
    // Byte order, aware of double-byte characters, no locale collation.
    return _mbscmp((const unsigned char*)(LPCTSTR)pCell1->m_strText,
                   (const unsigned char*)(LPCTSTR)pCell2->m_strText);
}

int CALLBACK CVXGridCtrl::pfnCellNumericCompare(LPARAM lParam1, LPARAM lParam2, LPARAM /*lParamSort*/)
{
    const CGridCell* pCell1 = (const CGridCell*)lParam1;
    const CGridCell* pCell2 = (const CGridCell*)lParam2;
    if (pCell1 == NULL || pCell2 == NULL)
        return 0;
    // Integers only: "2.9" compares equal to "2"; text without digits is 0.
    long n1 = atol(pCell1->m_strText);
    long n2 = atol(pCell2->m_strText);
    if (n1 < n2)
        return -1;
    if (n1 > n2)
        return 1;
    return 0;
}

// ---------------------------------------------------------------- public entry points

BOOL CVXGridCtrl::SortTextItems(int nCol, BOOL bAscending, LPARAM data)
{
    return SortItems(pfnCellTextCompare, nCol, bAscending, data);
}

BOOL CVXGridCtrl::SortItems(int nCol, BOOL bAscending, LPARAM data)
{
    return SortItems(m_pfnCompare != NULL ? m_pfnCompare : pfnCellTextCompare,
                     nCol, bAscending, data);
}

BOOL CVXGridCtrl::SortItems(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data)
{
    // Cells travel with their rows but the selection map is keyed by
    // position, so the selection and the focus go first.
    ResetSelectedRange();
    SetFocusCell(-1, -1);
    return SortItems(pfnCompare, nCol, bAscending, data, m_nFixedRows, -1);
}

// ---------------------------------------------------------------- the worker

// Quicksort with a Hoare partition around the middle row's cell. The pivot is
// held as a pointer to that cell object, so it keeps its value while rows are
// exchanged. Rows whose key cells compare equal are not exchanged. A row is
// exchanged as a whole: its pointer in the row store and its height.
//
// Of the two parts a partition leaves, the smaller is sorted by a recursive
// call and the larger by the next turn of the loop. The parts are disjoint,
// so the order in which they are sorted does not change the result, and the
// stack depth stays logarithmic even for inputs that partition badly (a
// linear recursion depth would overflow the stack on large grids).
BOOL CVXGridCtrl::SortItems(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data,
                            int low, int high)
{
    if (nCol >= m_nCols)
        return FALSE;
    if (high == -1)
        high = m_nRows - 1;
    if (low >= high)
        return FALSE;
    if (pfnCompare == NULL)
        return FALSE;
    // Rows outside the store cannot be sorted.
    if (low < 0 || high >= (int)m_arRows.GetSize())
        return FALSE;

    GRID_ROW** ppRows = m_arRows.GetData();
    UINT* pHeights = m_arRowHeights.GetData();
    const BOOL bHeights = (int)m_arRowHeights.GetSize() > high;
    // The key cell of row r, or NULL when (r, nCol) is no valid address.
    auto key = [&](int r) -> LPARAM {
        if (nCol < 0)
            return 0;
        GRID_ROW* pRow = ppRows[r];
        if (pRow == NULL || nCol >= (int)pRow->GetSize())
            return 0;
        return (LPARAM)pRow->GetData()[nCol];
    };

    while (low < high)
    {
        LPARAM pivot = key((low + high) / 2);
        int lo = low;
        int hi = high;

        while (lo <= hi)
        {
            if (bAscending)
            {
                while (lo < high && pfnCompare(key(lo), pivot, data) < 0)
                    ++lo;
                while (hi > low && pfnCompare(key(hi), pivot, data) > 0)
                    --hi;
            }
            else
            {
                while (lo < high && pfnCompare(key(lo), pivot, data) > 0)
                    ++lo;
                while (hi > low && pfnCompare(key(hi), pivot, data) < 0)
                    --hi;
            }

            if (lo <= hi)
            {
                if (pfnCompare(key(lo), key(hi), data) != 0)
                {
                    GRID_ROW* pRow = ppRows[lo];
                    ppRows[lo] = ppRows[hi];
                    ppRows[hi] = pRow;
                    if (bHeights)
                    {
                        UINT nHeight = pHeights[lo];
                        pHeights[lo] = pHeights[hi];
                        pHeights[hi] = nHeight;
                    }
                }
                ++lo;
                --hi;
            }
        }

        // Left part low..hi, right part lo..high.
        BOOL bLeft = low < hi;
        BOOL bRight = lo < high;
        if (bLeft && bRight)
        {
            if (hi - low < high - lo)
            {
                SortItems(pfnCompare, nCol, bAscending, data, low, hi);
                low = lo;
            }
            else
            {
                SortItems(pfnCompare, nCol, bAscending, data, lo, high);
                high = hi;
            }
        }
        else if (bLeft)
            high = hi;
        else if (bRight)
            low = lo;
        else
            break;
    }
    return TRUE;
}

// ---------------------------------------------------------------- GetNextItem

CVXCellID CVXGridCtrl::GetNextItem(CVXCellID& cell, int nFlags) const
{
    const UINT nStateMask = GCS_DROPHILITED | GCS_FOCUSED | GCS_SELECTED | GCS_READONLY | GCS_MODIFIED;
    const UINT nWanted = (UINT)nFlags & nStateMask;
    if (nWanted == 0)
        return CVXCellID(-1, -1);

    auto matches = [&](int r, int c) -> BOOL {
        CGridCell* pCell = GetCell(r, c);
        return pCell != NULL && (pCell->m_nState & nWanted) != 0;
    };

    if (nFlags & (GNI_BELOW | GNI_TORIGHT))
    {
        // The area after the start cell, in reading order.
        int row = cell.row > 0 ? cell.row : m_nFixedRows;
        int col = cell.col + 1 > 0 ? cell.col + 1 : m_nFixedCols;
        for (int r = row; r < m_nRows; r++)
        {
            int cFirst = (r == row) ? col : m_nFixedCols;
            for (int c = cFirst; c < m_nCols; c++)
                if (matches(r, c))
                    return CVXCellID(r, c);
        }
    }
    else if (nFlags & GNI_TOLEFT)
    {
        for (int c = cell.col - 1; c >= m_nFixedCols; c--)
            if (matches(cell.row, c))
                return CVXCellID(cell.row, c);
    }
    else if (nFlags & GNI_ABOVE)
    {
        for (int r = cell.row - 1; r >= m_nFixedRows; r--)
            if (matches(r, cell.col))
                return CVXCellID(r, cell.col);
    }
    return CVXCellID(-1, -1);
}
