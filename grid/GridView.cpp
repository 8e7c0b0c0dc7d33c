// CVXGridCtrl: operations bound to the grid's window.
//
// This file holds the window side of the grid in the form the data
// operations need now: everything here does nothing, or answers "not
// drawn", while the grid has no window. The complete painting, scrolling,
// editing, clipboard and printing behaviour replaces these bodies in the
// files of those concerns.

#include "grid/GridCtrl.h"

// ---------------------------------------------------------------- notifications

// Sends WM_NOTIFY with a GRIDNOTIFY to the owner window, or to the parent
// when no owner is set; the receiver's answer, 0 without a window or receiver.
LRESULT CVXGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage)
{
    HWND hWnd = GetSafeHwnd();
    if (hWnd == NULL)
        return 0;

    GRIDNOTIFY notify;
    notify.hdr.hwndFrom = hWnd;
    notify.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(hWnd);
    notify.hdr.code = (UINT)nMessage;
    notify.iRow = nRow;
    notify.iColumn = nCol;

    HWND hReceiver = ::GetWindow(hWnd, GW_OWNER);
    if (hReceiver == NULL)
        hReceiver = ::GetParent(hWnd);
    if (hReceiver == NULL)
        return 0;
    return ::SendMessageA(hReceiver, WM_NOTIFY, (WPARAM)notify.hdr.idFrom, (LPARAM)&notify);
}

// ---------------------------------------------------------------- scrolling and visibility

void CVXGridCtrl::ResetScrollBars(BOOL /*bShowBars*/)
{
    if (!m_bAllowDraw || GetSafeHwnd() == NULL)
        return;
}

void CVXGridCtrl::EnsureVisible(int /*nRow*/, int /*nCol*/)
{
}

BOOL CVXGridCtrl::IsCellVisible(int /*nRow*/, int /*nCol*/) const
{
    return FALSE;
}

// ---------------------------------------------------------------- repainting

BOOL CVXGridCtrl::RedrawCell(int nRow, int nCol, CDC* /*pDC*/)
{
    if (!m_bAllowDraw || GetSafeHwnd() == NULL || !IsValid(nRow, nCol))
        return FALSE;
    Invalidate(TRUE);
    return TRUE;
}

BOOL CVXGridCtrl::InvalidateCellRect(const CVXCellID& cell)
{
    if (!m_bAllowDraw || GetSafeHwnd() == NULL || !IsValid(cell))
        return FALSE;
    Invalidate(TRUE);
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

// ---------------------------------------------------------------- overridables

void CVXGridCtrl::CutSelectedText()
{
}

COleDataSource* CVXGridCtrl::CopyTextFromGrid()
{
    return NULL;
}

BOOL CVXGridCtrl::PasteTextToGrid(CVXCellID /*cell*/, COleDataObject* /*pDataObject*/)
{
    return FALSE;
}

void CVXGridCtrl::OnEditCut()
{
}

void CVXGridCtrl::OnEditCopy()
{
}

void CVXGridCtrl::OnEditPaste()
{
}

void CVXGridCtrl::OnEditSelectAll()
{
}

void CVXGridCtrl::OnBeginPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
}

void CVXGridCtrl::OnPrint(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
}

void CVXGridCtrl::OnEndPrinting(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
}

void CVXGridCtrl::PrintColumnHeadings(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
}

void CVXGridCtrl::PrintHeader(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
}

void CVXGridCtrl::PrintFooter(CDC* /*pDC*/, CPrintInfo* /*pInfo*/)
{
}

CImageList* CVXGridCtrl::CreateDragImage(CPoint* /*pHotSpot*/)
{
    return NULL;
}

void CVXGridCtrl::OnFixedColumnClick(CVXCellID& /*cell*/)
{
}

void CVXGridCtrl::OnFixedRowClick(CVXCellID& /*cell*/)
{
}

void CVXGridCtrl::OnEndEditCell(int /*nRow*/, int /*nCol*/, CString /*str*/)
{
}

void CVXGridCtrl::OnEditCell(int /*nRow*/, int /*nCol*/, UINT /*nChar*/)
{
}

void CVXGridCtrl::CreateInPlaceEditControl(CRect& /*rect*/, DWORD /*dwStyle*/, UINT /*nID*/,
                                           int /*nRow*/, int /*nCol*/, LPCTSTR /*szText*/,
                                           int /*nChar*/)
{
}

void CVXGridCtrl::OnDraw(CDC* /*pDC*/)
{
}

BOOL CVXGridCtrl::DrawFixedCell(CDC* /*pDC*/, int /*nRow*/, int /*nCol*/, CRect /*rect*/,
                                BOOL /*bEraseBk*/)
{
    return FALSE;
}

BOOL CVXGridCtrl::DrawCell(CDC* /*pDC*/, int /*nRow*/, int /*nCol*/, CRect /*rect*/,
                           BOOL /*bEraseBk*/)
{
    return FALSE;
}
