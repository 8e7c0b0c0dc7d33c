// CVXGridCtrl: the mouse.
//
// m_nMouseMode is a small state machine. Button-less movement switches
// between GMM_IDLE and the two "over a border" modes (which pick the sizing
// cursors); a press turns the mode into what the press started (selecting
// cells, rows, columns or everything, sizing a row or column, preparing an
// edit or a drag); movement with the button held carries that on; the
// release finishes it and returns to GMM_IDLE.
//
// While a border is dragged, a 2-pixel inverted band drawn straight on the
// window marks where it will go; drawing the band again at the same place
// erases it, so the band never needs a repaint to disappear.

#include "grid/GridCtrl.h"

#include <algorithm>

namespace
{
// The auto-scroll timer's identifier.
const UINT_PTR kAutoScrollTimerId = 513;

void ShowCursor(LPCSTR lpszCursor)
{
    ::SetCursor(::LoadCursorA(NULL, lpszCursor));
}

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}
} // namespace

// ---------------------------------------------------------------- borders

BOOL CVXGridCtrl::MouseOverColumnResizeArea(CPoint& point) const
{
    if (point.y >= GetFixedRowHeight())
        return FALSE;

    CVXCellID cell = GetCellFromPt(point, TRUE);
    CPoint origin;
    if (!GetCellOrigin(cell, &origin))
        return FALSE;

    if (point.x - origin.x <= m_nResizeCaptureRange && cell.col != 0)
        return TRUE;
    return origin.x + GetColumnWidth(cell.col) - point.x <= m_nResizeCaptureRange;
}

BOOL CVXGridCtrl::MouseOverRowResizeArea(CPoint& point) const
{
    if (point.x >= GetFixedColumnWidth())
        return FALSE;

    CVXCellID cell = GetCellFromPt(point, TRUE);
    CPoint origin;
    if (!GetCellOrigin(cell, &origin))
        return FALSE;

    if (point.y - origin.y <= m_nResizeCaptureRange && cell.row != 0)
        return TRUE;
    return origin.y + GetRowHeight(cell.row) - point.y <= m_nResizeCaptureRange;
}

// Inverts the 2-pixel tracking band at x (a column border) or y (a row
// border) across the whole client area. Inverting twice restores the pixels.
static void InvertTrackingBand(CWnd* pWnd, BOOL bColumn, int nPos)
{
    CRect rect;
    pWnd->GetClientRect(&rect);
    if (bColumn)
        rect = CRect(nPos, rect.top, nPos + 2, rect.bottom);
    else
        rect = CRect(rect.left, nPos, rect.right, nPos + 2);
    CDC* pDC = pWnd->GetDC();
    if (pDC != NULL)
    {
        pDC->InvertRect(&rect);
        pWnd->ReleaseDC(pDC);
    }
}

// ---------------------------------------------------------------- press

void CVXGridCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A tip over the cell never keeps the press from the grid.
    m_titleTip.Hide();
    const BOOL bHadFocus = (::GetFocus() == GetSafeHwnd());

    m_ptClickDown = point;
    m_cellClickDown = GetCellFromPt(point, TRUE);
    if (!IsValid(m_cellClickDown))
        return;

    // Shift extends from the focus cell; without a focus cell there is
    // nothing to extend from, so the press starts afresh.
    m_cellSelStart = ((nFlags & MK_SHIFT) && IsValid(m_cellFocus)) ? m_cellFocus : m_cellClickDown;
    SetFocus();   // ends an in-place edit in progress

    if (m_cellClickDown == m_cellFocus)
    {
        if (m_cellClickDown.col < GRID_MAX_FORMAT_COLS && GetColSelColor(m_cellClickDown.col) != 0)
            SetItemColor(m_cellClickDown.row, m_cellClickDown.col);
        else
            m_nMouseMode = GMM_PREPARE_EDIT;
        return;
    }

    if (m_nMouseMode != GMM_OVER_COLUMN_BORDER && m_nMouseMode != GMM_OVER_ROW_BORDER)
    {
        if (m_bSingleRowSelection && m_cellClickDown.row < m_nFixedRows &&
            m_cellClickDown.col < m_nFixedCols)
            return;
        // A press on a header focuses the first non-fixed cell of its row
        // or column.
        CVXCellID focus(std::max(m_cellClickDown.row, m_nFixedRows),
                        std::max(m_cellClickDown.col, m_nFixedCols));
        SetFocusCell(-1, -1);
        if (IsValid(focus))
            SetFocusCell(focus);
    }

    if (m_bDragAndDrop && bHadFocus && (GetItemState(m_cellClickDown.row, m_cellClickDown.col) & GCS_SELECTED))
    {
        m_nMouseMode = GMM_PREPARE_DRAG;
        return;
    }

    SetCapture();

    if (m_nMouseMode == GMM_IDLE)
    {
        if (m_bColumnResize && MouseOverColumnResizeArea(point))
        {
            ShowCursor(IDC_SIZEWE);
            m_nMouseMode = GMM_OVER_COLUMN_BORDER;
        }
        else if (m_bRowResize && MouseOverRowResizeArea(point))
        {
            ShowCursor(IDC_SIZENS);
            m_nMouseMode = GMM_OVER_ROW_BORDER;
        }
    }

    if (m_nMouseMode == GMM_OVER_COLUMN_BORDER || m_nMouseMode == GMM_OVER_ROW_BORDER)
    {
        const BOOL bColumn = (m_nMouseMode == GMM_OVER_COLUMN_BORDER);
        // The border grabbed is the right/bottom edge of the cell pressed,
        // or, within the capture range of its left/top edge, the right/bottom
        // edge of the cell before it.
        CPoint origin;
        BOOL bFound = bColumn ? GetCellOrigin(0, m_cellClickDown.col, &origin)
                              : GetCellOrigin(m_cellClickDown.row, 0, &origin);
        if (bFound && (bColumn ? point.x - origin.x : point.y - origin.y) <= m_nResizeCaptureRange)
        {
            if (bColumn)
            {
                m_cellClickDown.col--;
                bFound = GetCellOrigin(0, m_cellClickDown.col, &origin);
            }
            else
            {
                m_cellClickDown.row--;
                bFound = GetCellOrigin(m_cellClickDown.row, 0, &origin);
            }
        }
        if (!bFound)
        {
            // The cell left of / above the border is scrolled out of view:
            // nothing to size.
            m_nMouseMode = GMM_IDLE;
            ReleaseCapture();
            ShowCursor(IDC_ARROW);
            return;
        }

        m_nMouseMode = bColumn ? GMM_SIZING_COLUMN : GMM_SIZING_ROW;
        InvertTrackingBand(this, bColumn, bColumn ? point.x : point.y);

        // Keep the pointer where the border can go: right of / below the
        // origin of the cell being sized.
        CRect rcClip;
        GetClientRect(&rcClip);
        if (bColumn)
            rcClip.left = origin.x;
        else
            rcClip.top = origin.y;
        ClientToScreen(&rcClip);
        ::ClipCursor(&rcClip);
    }
    else
    {
        // Ctrl adds the new selection to the one there was.
        m_mapPrevSelected.RemoveAll();
        if (nFlags & MK_CONTROL)
        {
            POSITION pos = m_mapSelected.GetStartPosition();
            while (pos != NULL)
            {
                ULONGLONG key;
                CVXCellID cell;
                m_mapSelected.GetNextAssoc(pos, key, cell);
                m_mapPrevSelected.SetAt(key, cell);
            }
        }

        if (m_cellClickDown.row < m_nFixedRows)
            OnFixedRowClick(m_cellClickDown);
        else if (m_cellClickDown.col < m_nFixedCols)
            OnFixedColumnClick(m_cellClickDown);
        else
        {
            m_nMouseMode = m_bListMode ? GMM_SELECT_ROWS : GMM_SELECT_CELLS;
            if (m_bSingleRowSelection)
                OnFixedColumnClick(m_cellClickDown);
            else
                OnSelecting(m_cellClickDown);
        }

        m_nAutoScrollTimer = (UINT)SetTimer(kAutoScrollTimerId, (UINT)m_nAutoScrollDelay);
    }

    m_ptLastMouse = point;
}

// ---------------------------------------------------------------- movement

void CVXGridCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (m_nMouseMode != GMM_DRAGGING && !rcClient.PtInRect(point))
        return;

    if ((nFlags & MK_LBUTTON) && m_nMouseMode != GMM_IDLE)
    {
        if (!IsValid(m_cellClickDown))
        {
            m_ptLastMouse = point;
            return;
        }

        switch (m_nMouseMode)
        {
        case GMM_SELECT_COLUMNS:
        case GMM_SELECT_ROWS:
        case GMM_SELECT_CELLS:
        {
            CVXCellID cell = GetCellFromPt(point, TRUE);
            if (!IsValid(cell))
                return;
            if (cell != m_cellFocus)
            {
                OnSelecting(cell);
                if (m_bSingleRowSelection)
                    SetSelectedRange(cell.row, 1, cell.row, m_nCols - 1, TRUE);
                else
                {
                    CVXCellID focus(std::max(cell.row, m_nFixedRows), std::max(cell.col, m_nFixedCols));
                    if (IsValid(focus))
                        SetFocusCell(focus);
                }
                if (!IsCellFixed(cell.row, cell.col))
                    SetFocusCell(cell);
            }
            break;
        }
        case GMM_SIZING_ROW:
            InvertTrackingBand(this, FALSE, m_ptLastMouse.y);
            InvertTrackingBand(this, FALSE, point.y);
            break;
        case GMM_SIZING_COLUMN:
            InvertTrackingBand(this, TRUE, m_ptLastMouse.x);
            InvertTrackingBand(this, TRUE, point.x);
            break;
        case GMM_PREPARE_DRAG:
            OnBeginDrag();
            break;
        default:
            break;
        }
    }
    else
    {
        if (m_bColumnResize && MouseOverColumnResizeArea(point))
        {
            if (m_nMouseMode != GMM_OVER_COLUMN_BORDER)
            {
                ShowCursor(IDC_SIZEWE);
                m_nMouseMode = GMM_OVER_COLUMN_BORDER;
            }
        }
        else if (m_bRowResize && MouseOverRowResizeArea(point))
        {
            if (m_nMouseMode != GMM_OVER_ROW_BORDER)
            {
                ShowCursor(IDC_SIZENS);
                m_nMouseMode = GMM_OVER_ROW_BORDER;
            }
        }
        else if (m_nMouseMode != GMM_IDLE)
        {
            ShowCursor(IDC_ARROW);
            m_nMouseMode = GMM_IDLE;
        }
    }

    UpdateTitleTip(point);

    m_ptLastMouse = point;
}

// ---------------------------------------------------------------- release

void CVXGridCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);
    ::ClipCursor(NULL);

    // The mode is taken before the capture goes, so that the capture-loss
    // handling (which cancels a sizing cut short) leaves this one alone.
    const int nMode = SetMouseMode(GMM_IDLE);
    if (GetCapture() == this)
    {
        ::ReleaseCapture();
        if (m_nAutoScrollTimer != 0)
            KillTimer(m_nAutoScrollTimer);
        m_nAutoScrollTimer = 0;
    }

    switch (nMode)
    {
    case GMM_PREPARE_EDIT:
        OnEditCell(m_cellFocus.row, m_cellFocus.col, VK_LBUTTON);
        break;
    case GMM_PREPARE_DRAG:
        ResetSelectedRange();
        break;
    case GMM_SIZING_COLUMN:
    case GMM_SIZING_ROW:
    {
        const BOOL bColumn = (nMode == GMM_SIZING_COLUMN);
        InvertTrackingBand(this, bColumn, bColumn ? m_ptLastMouse.x : m_ptLastMouse.y);
        // Only the coordinate across the border counts: a release straight
        // below or beside the press leaves the border where it was.
        const BOOL bMoved = bColumn ? point.x != m_ptClickDown.x : point.y != m_ptClickDown.y;
        CPoint origin;
        if (bMoved && GetCellOrigin(m_cellClickDown, &origin))
        {
            if (bColumn)
                SetColumnWidth(m_cellClickDown.col, point.x - origin.x);
            else
                SetRowHeight(m_cellClickDown.row, point.y - origin.y);
            ResetScrollBars();
            Invalidate();
        }
        break;
    }
    default:
        break;
    }

    m_nMouseMode = GMM_IDLE;
    ShowCursor(IDC_ARROW);

    if (IsValid(m_cellClickDown))
        SendMessageToParent(m_cellFocus.row, m_cellFocus.col, NM_CLICK);
}

// ---------------------------------------------------------------- double-click

void CVXGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // The first click's release leaves the mode idle; a double-click on a
    // border counts as one even when no movement came in between to say so.
    if (m_nMouseMode == GMM_IDLE)
    {
        if (m_bColumnResize && MouseOverColumnResizeArea(point))
            m_nMouseMode = GMM_OVER_COLUMN_BORDER;
        else if (m_bRowResize && MouseOverRowResizeArea(point))
            m_nMouseMode = GMM_OVER_ROW_BORDER;
    }

    if (m_nMouseMode == GMM_OVER_COLUMN_BORDER || m_nMouseMode == GMM_OVER_ROW_BORDER)
    {
        const BOOL bColumn = (m_nMouseMode == GMM_OVER_COLUMN_BORDER);
        CVXCellID cell = GetCellFromPt(point, TRUE);
        CPoint origin;
        if (bColumn ? !GetCellOrigin(0, cell.col, &origin) : !GetCellOrigin(cell.row, 0, &origin))
            return;
        if (bColumn)
            AutoSizeColumn(point.x - origin.x <= m_nResizeCaptureRange ? cell.col - 1 : cell.col);
        else
            AutoSizeRow(point.y - origin.y <= m_nResizeCaptureRange ? cell.row - 1 : cell.row);
        ResetScrollBars();
        Invalidate();
    }
    else if (m_nMouseMode == GMM_IDLE)
    {
        if (IsValid(m_cellClickDown) && !IsCellFixed(m_cellClickDown.row, m_cellClickDown.col))
        {
            if (m_cellClickDown.col < GRID_MAX_FORMAT_COLS && GetColSelColor(m_cellClickDown.col) != 0)
                SetItemColor(m_cellClickDown.row, m_cellClickDown.col);
            else if (IsValid(m_cellFocus))
                OnEditCell(m_cellFocus.row, m_cellFocus.col, VK_LBUTTON);
        }
    }

    CWnd::OnLButtonDblClk(nFlags, point);
}

// ---------------------------------------------------------------- auto-scroll

void CVXGridCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kAutoScrollTimerId)
    {
        CWnd::OnTimer(nIDEvent);
        return;
    }

    POINT pt;
    if (!::GetCursorPos(&pt))
        return;
    ScreenToClient(&pt);

    CRect rc;
    GetClientRect(&rc);
    const int nFixedHeight = GetFixedRowHeight();
    const int nFixedWidth = GetFixedColumnWidth();

    // Each direction moves the focus one cell through the key handling (which
    // scrolls it into view and, the mouse mode not being idle, leaves the
    // selection alone) and then selects towards the cell at the window's edge.
    BOOL bMoved = FALSE;
    if (pt.y > rc.bottom)
    {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        OnSelecting(GetCellFromPt(CPoint(Clamp(pt.x, rc.left, rc.right), rc.bottom), TRUE));
        bMoved = TRUE;
    }
    else if (pt.y < nFixedHeight)
    {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        OnSelecting(GetCellFromPt(CPoint(Clamp(pt.x, rc.left, rc.right), nFixedHeight + 1), TRUE));
        bMoved = TRUE;
    }

    if (pt.x > rc.right)
    {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        OnSelecting(GetCellFromPt(CPoint(rc.right, Clamp(pt.y, rc.top, rc.bottom)), TRUE));
        bMoved = TRUE;
    }
    else if (pt.x < nFixedWidth)
    {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        OnSelecting(GetCellFromPt(CPoint(nFixedWidth + 1, Clamp(pt.y, rc.top, rc.bottom)), TRUE));
        bMoved = TRUE;
    }

    // In single-row mode the selection stays one row, the focus cell's, as
    // it does while the pointer drags inside the window.
    if (bMoved && m_bSingleRowSelection && IsValid(m_cellFocus))
        SetSelectedRange(m_cellFocus.row, 1, m_cellFocus.row, m_nCols - 1, TRUE);
}

// ---------------------------------------------------------------- capture and cursor

void CVXGridCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != NULL && pWnd->GetSafeHwnd() == GetSafeHwnd())
        return;

    if (m_nAutoScrollTimer != 0)
    {
        KillTimer(m_nAutoScrollTimer);
        m_nAutoScrollTimer = 0;
    }

    if (m_nMouseMode == GMM_DRAGGING)
        m_nMouseMode = GMM_IDLE;
    else if (m_nMouseMode == GMM_SIZING_COLUMN || m_nMouseMode == GMM_SIZING_ROW)
    {
        // The release will not come (another window took the mouse): take
        // the tracking band away and free the pointer, sizing nothing.
        InvertTrackingBand(this, m_nMouseMode == GMM_SIZING_COLUMN,
                           m_nMouseMode == GMM_SIZING_COLUMN ? m_ptLastMouse.x : m_ptLastMouse.y);
        ::ClipCursor(NULL);
        m_nMouseMode = GMM_IDLE;
    }
}

// A window destroyed while it holds the capture is not always told that it
// lost it (Wine sends no WM_CAPTURECHANGED then): give the capture up here,
// so that the capture-loss handling frees a confined pointer.
void CVXGridCtrl::OnDestroy()
{
    if (::GetCapture() == GetSafeHwnd())
        ::ReleaseCapture();
    m_dropTarget.Revoke();
    if (m_titleTip.GetSafeHwnd() != NULL)
        m_titleTip.DestroyWindow();
    CWnd::OnDestroy();
}

BOOL CVXGridCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    // A child window (the in-place editor) asks its parent first; over it
    // the default processing gives the child its own cursor.
    if (nHitTest != HTCLIENT || pWnd == NULL || pWnd->GetSafeHwnd() != GetSafeHwnd())
        return CWnd::OnSetCursor(pWnd, nHitTest, message);

    switch (m_nMouseMode)
    {
    case GMM_OVER_ROW_BORDER:    ShowCursor(IDC_SIZENS); break;
    case GMM_OVER_COLUMN_BORDER: ShowCursor(IDC_SIZEWE); break;
    case GMM_DRAGGING:           break;
    default:                     ShowCursor(IDC_ARROW); break;
    }
    return TRUE;
}

// ---------------------------------------------------------------- header clicks

void CVXGridCtrl::OnFixedColumnClick(CVXCellID& cell)
{
    if (!IsValid(cell))
        return;

    if (cell.col < m_nFixedCols && cell.row < m_nFixedRows)
    {
        if (m_bSingleRowSelection)
            return;
        m_nMouseMode = GMM_SELECT_ALL;
        OnSelecting(cell);
    }
    else if (cell.col < m_nFixedCols)
    {
        if (!m_bSingleRowSelection)
            return;
        SetSelectedRange(cell.row, 1, cell.row, m_nCols - 1, TRUE);
        if (IsValid(cell.row, 1) && HasNonFixedCells())
            SetFocusCell(cell.row, 1);
    }
    else
    {
        m_nMouseMode = GMM_SELECT_ROWS;
        OnSelecting(cell);
    }
}

void CVXGridCtrl::OnFixedRowClick(CVXCellID& cell)
{
    if (!IsValid(cell))
        return;

    if (m_bListMode)
    {
        if (!m_bHeaderSort || cell.col < m_nFixedCols)
            return;

        HCURSOR hOldCursor = ::SetCursor(::LoadCursorA(NULL, IDC_WAIT));
        if (cell.col == m_nSortColumn)
            m_bSortAscending = !m_bSortAscending;
        else
        {
            m_bSortAscending = TRUE;
            m_nSortColumn = cell.col;
        }
        SortItems(m_nSortColumn, m_bSortAscending, 0);
        if (m_bSingleRowSelection && IsValid(1, 1) && HasNonFixedCells())
        {
            SetSelectedRange(1, 1, 1, m_nCols - 1, TRUE);
            SetFocusCell(1, 1);
        }
        SetFirstColItem();
        Invalidate();
        ::SetCursor(hOldCursor);
        return;
    }

    if (cell.col < m_nFixedCols)
    {
        if (m_bSingleRowSelection)
            return;
        m_nMouseMode = GMM_SELECT_ALL;
        OnSelecting(cell);
    }
    else if (m_bSingleRowSelection)
    {
        SetSelectedRange(1, 1, 1, m_nCols - 1, TRUE);
        if (IsValid(1, cell.col) && HasNonFixedCells())
            SetFocusCell(1, cell.col);
        SendMessageToParent(cell.row, cell.col, GRIDN_FIXEDROWCLICK);
    }
    else
    {
        m_nMouseMode = GMM_SELECT_COLUMNS;
        OnSelecting(cell);
    }
}
