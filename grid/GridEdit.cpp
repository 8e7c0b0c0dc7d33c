// CVXGridCtrl: editing a cell in place and applying the edited text.

#include "grid/GridCtrl.h"
#include "grid/InPlaceEdit.h"

#include <climits>
#include <cmath>
#include <cstdlib>

// The in-place editor's control id; OnNotify routes its GRIDN_ENDLABELEDIT.
static const UINT kInPlaceEditId = 8;

void CVXGridCtrl::OnEditCell(int nRow, int nCol, UINT nChar)
{
    EnsureVisible(nRow, nCol);

    CRect rect;
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol) || !IsCellVisible(nRow, nCol) ||
        !GetCellRect(nRow, nCol, &rect))
        return;

    SendMessageToParent(nRow, nCol, GRIDN_BEGINLABELEDIT);

    GV_ITEM item;
    item.row = nRow;
    item.col = nCol;
    item.mask = GIM_TEXT | GIM_FORMAT;
    item.nFormat = 0;
    if (!GetItem(&item))
        return;

    DWORD dwStyle = ES_LEFT;
    if (item.nFormat & DT_RIGHT)
        dwStyle = ES_RIGHT;
    else if (item.nFormat & DT_CENTER)
        dwStyle = ES_CENTER;

    // The editor covers only the part of the cell that is shown. A cell can
    // be far wider than the window (a long heading, auto-sizing), and the
    // system's edit control stops responding when it is made tens of
    // thousands of pixels wide with right or centred alignment.
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rect.left < rcClient.left)
        rect.left = rcClient.left;
    if (rect.top < rcClient.top)
        rect.top = rcClient.top;
    if (rect.right > rcClient.right)
        rect.right = rcClient.right;
    if (rect.bottom > rcClient.bottom)
        rect.bottom = rcClient.bottom;

    // An edit still open elsewhere ends first, so that its text goes to its
    // own cell before this edit becomes the one the grid follows.
    if (m_bEditCellOpen)
    {
        HWND hFocus = ::GetFocus();
        if (hFocus != NULL && ::IsChild(GetSafeHwnd(), hFocus))
            SetFocus();
    }
    if (!IsValid(nRow, nCol))
        return;
    m_pEditCell = GetCell(nRow, nCol);
    m_bEditCellOpen = TRUE;
    CreateInPlaceEditControl(rect, dwStyle, kInPlaceEditId, nRow, nCol, item.szText, nChar);
}

CVXCellID CVXGridCtrl::FindEditCell(int nRow, int nCol) const
{
    if (m_pEditCell == NULL)
        return CVXCellID(-1, -1);
    if (GetCell(nRow, nCol) == m_pEditCell)
        return CVXCellID(nRow, nCol);
    // Rows or columns were inserted, deleted or sorted while the edit was
    // open: look for the cell where it is now.
    for (int r = 0; r < m_nRows; r++)
    {
        GRID_ROW* pRow = GetRow(r);
        if (pRow == NULL)
            continue;
        CGridCell* const* ppCells = pRow->GetData();
        int nCells = (int)pRow->GetSize();
        for (int c = 0; c < nCells && c < m_nCols; c++)
            if (ppCells[c] == m_pEditCell)
                return CVXCellID(r, c);
    }
    return CVXCellID(-1, -1);
}

// The editor owns itself: it deletes itself once its window is destroyed.
void CVXGridCtrl::CreateInPlaceEditControl(CRect& rect, DWORD dwStyle, UINT nID,
                                           int nRow, int nCol, LPCTSTR szText, int nChar)
{
    new CInPlaceEdit(this, rect, dwStyle, nID, nRow, nCol, szText, (UINT)nChar);
}

void CVXGridCtrl::OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (GetSafeHwnd() == NULL || pNMHDR == NULL)
        return;

    GRIDDISPINFO* pDispInfo = (GRIDDISPINFO*)pNMHDR;
    GV_ITEM* pItem = &pDispInfo->item;
    int nRow = pItem->row;
    int nCol = pItem->col;

    // The editor names the cell by the address it had when the edit began;
    // a structural change made while it was open (which may itself have
    // ended the edit, by taking the focus) can have moved or destroyed that
    // cell. The text goes to the cell the edit was opened on, or nowhere.
    BOOL bStore = TRUE;
    if (m_bEditCellOpen)
    {
        CVXCellID cell = FindEditCell(nRow, nCol);
        m_bEditCellOpen = FALSE;
        m_pEditCell = NULL;
        nRow = cell.row;
        nCol = cell.col;
        bStore = IsValid(cell);
    }

    if (bStore)
    {
        OnEndEditCell(nRow, nCol, pItem->szText);
        InvalidateCellRect(CVXCellID(nRow, nCol));
    }
    SendMessageToParent(nRow, nCol, GRIDN_ENDLABELEDIT);

    // Tab and the navigation keys move on and keep editing in the next cell.
    UINT nKey = (UINT)pItem->lParam;
    if (nKey == VK_TAB || (nKey >= VK_PRIOR && nKey <= VK_DOWN))
    {
        OnKeyDown(nKey, 0, 0);
        CVXCellID next = GetFocusCell();
        if (IsValid(next))
        {
            if (GetColSelColor(next.col))
                SetItemColor(next.row, next.col);
            else
                OnEditCell(next.row, next.col, nKey);
        }
    }
    *pResult = 0;
}

// Truncates toward zero into the int range; infinities and NaN (text such as
// "inf" or "nan") count as 0, so no entry overflows the conversion.
static int TruncateToInt(double dValue)
{
    if (!std::isfinite(dValue))
        return 0;
    if (dValue >= (double)INT_MAX)
        return INT_MAX;
    if (dValue <= (double)INT_MIN)
        return INT_MIN;
    return (int)dValue;
}

void CVXGridCtrl::OnEndEditCell(int nRow, int nCol, CString str)
{
    CString sOld = GetItemText(nRow, nCol);
    if (str == sOld)
        return;

    SetModified(TRUE, nRow, nCol);

    double dValue = atof(str);
    int nFormat = GetTextFormat(nCol);
    switch (nFormat)
    {
    case 0:
    {
        int nValue = TruncateToInt(dValue);
        if (m_bZeroWrong && nValue == 0)
            str = sOld;   // a zero is refused; the cell stays marked modified
        else
            str.Format("%d", nValue);
        break;
    }
    case 1: case 2: case 3: case 4: case 5:
        if (!std::isfinite(dValue))
            dValue = 0.0;
        str.Format("%.*f", nFormat, dValue);
        break;
    default:
        break;
    }

    SetItemText(nRow, nCol, str);
    SetRGBColor(nRow, nCol);
}
