// CVXGridCtrl: operations bound to the grid's window.
//
// This file holds the window side of the grid that has no file of its own:
// everything here does nothing, or answers "not drawn", while the grid has
// no window. Painting lives in GridDraw.cpp, printing in GridPrint.cpp, the
// mouse in GridMouse.cpp, the clipboard in GridClipboard.cpp, dragging in
// GridDragDrop.cpp.

#include "grid/GridCtrl.h"
#include "platform/CommandIds.h"

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

// ---------------------------------------------------------------- message handlers

// Arrow keys and characters always; the Tab key too while the grid handles
// it and Ctrl is not held, so that Ctrl+Tab (or Tab, when the grid leaves
// it alone) moves on in a dialog.
UINT CVXGridCtrl::OnGetDlgCode()
{
    UINT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey && !(::GetKeyState(VK_CONTROL) & 0x8000))
        nCode |= DLGC_WANTTAB;
    return nCode;
}

// The in-place editor (control id 8) reports the end of an edit with
// GRIDN_ENDLABELEDIT; every other notification goes the usual way.
BOOL CVXGridCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHdr = (NMHDR*)lParam;
    if (pHdr != NULL && pHdr->idFrom == 8 && (int)pHdr->code == GRIDN_ENDLABELEDIT)
    {
        LRESULT lResult = 0;
        OnEndInPlaceEdit(pHdr, &lResult);
        if (pResult != NULL)
            *pResult = lResult;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CVXGridCtrl::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    static const CCmdEntry<CVXGridCtrl> table[] = {
        { ID_EDIT_COPY, ID_EDIT_COPY, &CVXGridCtrl::OnEditCopy, &CVXGridCtrl::OnUpdateEditCopy },
        { ID_EDIT_CUT, ID_EDIT_CUT, &CVXGridCtrl::OnEditCut, &CVXGridCtrl::OnUpdateEditCut },
        { ID_EDIT_PASTE, ID_EDIT_PASTE, &CVXGridCtrl::OnEditPaste, &CVXGridCtrl::OnUpdateEditPaste },
        { ID_EDIT_SELECT_ALL, ID_EDIT_SELECT_ALL, &CVXGridCtrl::OnEditSelectAll,
          &CVXGridCtrl::OnUpdateEditSelectAll },
    };
    return DispatchCmdMsg(this, table, nID, nCode, pExtra, pHandlerInfo) ||
           CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CVXGridCtrl::OnUpdateEditCopy(CCmdUI* pCmdUI)
{
    CVXCellRange range = GetSelectedCellRange();
    pCmdUI->Enable(IsValid(range) && range.Count() > 0);
}

void CVXGridCtrl::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    CVXCellRange range = GetSelectedCellRange();
    pCmdUI->Enable(m_bEditable && IsValid(range) && range.Count() > 0);
}

void CVXGridCtrl::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    CVXCellID cell = GetFocusCell();
    pCmdUI->Enable(IsValid(cell) && IsCellEditable(cell) && ::IsClipboardFormatAvailable(CF_TEXT));
}

void CVXGridCtrl::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bSelectable);
}
