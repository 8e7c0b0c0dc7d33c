// CVXGridCtrl: keys and characters typed into the grid.
//
// Keys move the focus cell and, through the same selection operations the
// mouse uses, the selection: a plain move selects the new cell (its row in
// list mode) and moves the anchor there, a move with Shift held extends the
// selection from the anchor. Characters start editing the focus cell.

#include "grid/GridCtrl.h"

static BOOL IsKeyDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

void CVXGridCtrl::OnEditSelectAll()
{
    SelectAllCells();
}

void CVXGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_titleTip.Hide();
    if (!IsValid(m_cellFocus))
    {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }

    const BOOL bShift = IsKeyDown(VK_SHIFT);
    if (IsKeyDown(VK_CONTROL))
    {
        // The clipboard commands are off while a column shows row colours:
        // its cells hold no text of their own to copy or replace.
        switch (nChar)
        {
        case 'A':
            if (!m_bSingleRowSelection)
                OnEditSelectAll();
            break;
        case 'C':
            if (HasSelColorCol() == -1)
                OnEditCopy();
            break;
        case 'V':
            if (HasSelColorCol() == -1)
                OnEditPaste();
            break;
        case 'X':
            if (HasSelColorCol() == -1)
                OnEditCut();
            break;
        default:
            break;
        }
    }

    CVXCellID next = m_cellFocus;
    BOOL bTabWrap = FALSE;
    BOOL bTab = FALSE;
    BOOL bShiftTab = FALSE;

    switch (nChar)
    {
    case VK_LEFT:
        if (next.col > m_nFixedCols)
            next.col--;
        break;
    case VK_RIGHT:
        if (next.col < m_nCols - 1)
            next.col++;
        break;
    case VK_UP:
        if (next.row > m_nFixedRows)
            next.row--;
        break;
    case VK_DOWN:
        if (next.row < m_nRows - 1)
            next.row++;
        break;
    case VK_TAB:
        if (bShift)
        {
            bShiftTab = TRUE;
            if (next.col > m_nFixedCols)
                next.col--;
            else if (next.col == m_nFixedCols && next.row > m_nFixedRows)
            {
                next.row--;
                next.col = m_nCols - 1;
                bTabWrap = TRUE;
            }
            else
                CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        }
        else
        {
            bTab = TRUE;
            if (next.col < m_nCols - 1)
                next.col++;
            else if (next.col == m_nCols - 1 && next.row < m_nRows - 1)
            {
                next.row++;
                next.col = m_nFixedCols;
                bTabWrap = TRUE;
            }
            else
                CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        }
        break;
    case VK_PRIOR:
    case VK_NEXT:
    {
        // Scroll a page, then move the focus by as many rows as the view
        // moved; when the view could not move, go to the first or last row.
        const BOOL bDown = (nChar == VK_NEXT);
        CVXCellID before = GetTopleftNonFixedCell();
        SendMessage(WM_VSCROLL, bDown ? SB_PAGEDOWN : SB_PAGEUP, 0);
        CVXCellID after = GetTopleftNonFixedCell();
        int nMoved = after.row - before.row;
        if (nMoved == 0)
            next.row = bDown ? m_nRows - 1 : m_nFixedRows;
        else
        {
            next.row += nMoved;
            if (next.row < m_nFixedRows)
                next.row = m_nFixedRows;
            if (next.row > m_nRows - 1)
                next.row = m_nRows - 1;
        }
        break;
    }
    case VK_HOME:
        SendMessage(WM_VSCROLL, SB_TOP, 0);
        next.row = m_nFixedRows;
        break;
    case VK_END:
        SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
        next.row = m_nRows - 1;
        break;
    case VK_DELETE:
        if (IsCellEditable(m_cellFocus))
        {
            const int nRow = m_cellFocus.row, nCol = m_cellFocus.col;
            SendMessageToParent(nRow, nCol, GRIDN_BEGINLABELEDIT);
            SetItemText(nRow, nCol, _T(""));
            SetModified(TRUE, nRow, nCol);
            SendMessageToParent(nRow, nCol, GRIDN_ENDLABELEDIT);
            RedrawCell(nRow, nCol);
        }
        break;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        break;
    }

    // On a grid whose rows are all fixed the page and Home/End keys have no
    // row to go to: the focus stays where it is.
    if ((nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_HOME || nChar == VK_END) &&
        m_nFixedRows >= m_nRows)
        next = m_cellFocus;
    // Nor does any key move the focus out of the grid (Tab wrapping to the
    // first non-fixed column of a grid whose columns are all fixed).
    if (!IsValid(next))
        next = m_cellFocus;

    if (next == m_cellFocus)
        return;

    if (m_nMouseMode == GMM_IDLE)
    {
        m_mapPrevSelected.RemoveAll();
        m_nMouseMode = m_bListMode ? GMM_SELECT_ROWS : GMM_SELECT_CELLS;
        if (!bShift || nChar == VK_TAB)
            m_cellSelStart = next;
        OnSelecting(next);
        m_nMouseMode = GMM_IDLE;
    }

    SetFocusCell(next);

    if (IsCellVisible(next))
        return;

    EnsureVisible(next);
    switch (nChar)
    {
    case VK_LEFT:
        SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
        break;
    case VK_RIGHT:
        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        break;
    case VK_UP:
        SendMessage(WM_VSCROLL, SB_LINEUP, 0);
        break;
    case VK_DOWN:
        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
        break;
    case VK_TAB:
        if (bTab && !bTabWrap)
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        else if (bShiftTab && !bTabWrap)
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
        else if (bTab)
        {
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
            SetScrollPos32(SB_HORZ, 0);
        }
        else
        {
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
            SetScrollPos32(SB_HORZ, m_nHScrollRange);
        }
        break;
    default:
        break;
    }
    Invalidate();
}

// Typing starts an edit of the focus cell with the typed character, or opens
// the colour chooser on a colour column. Tab is left alone while the grid
// moves the focus with it, and nothing starts during a mouse operation.
void CVXGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsKeyDown(VK_CONTROL) && m_nMouseMode == GMM_IDLE &&
        !(nChar == VK_TAB && m_bHandleTabKey) && IsValid(m_cellFocus))
    {
        if (m_cellFocus.col < 1024 && GetColSelColor(m_cellFocus.col) != 0)
            SetItemColor(m_cellFocus.row, m_cellFocus.col);
        else
            OnEditCell(m_cellFocus.row, m_cellFocus.col, nChar);
    }
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}
