// The stand-alone in-place edit.
#include "controls/GfxInEdit.h"
#include "platform/CommandIds.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CGfxInEdit, CRichEditCtrl)

CGfxInEdit::CGfxInEdit(int nItem, int nSubItem, CString strInitial, bool bClickAtCursor)
    : m_nItem(nItem), m_nSubItem(nSubItem), m_strInitial(strInitial), m_bClickAtCursor(bClickAtCursor)
{
}

CGfxInEdit::~CGfxInEdit() = default;

int CGfxInEdit::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CRichEditCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    CWnd* pParent = GetParent();
    if (pParent)
        SetFont(pParent->GetFont(), TRUE);
    SetWindowText(m_strInitial);
    SetFocus();
    SetSel(0, -1);
    if (m_bClickAtCursor)
    {
        // Puts the caret where the user clicked to start the edit.
        POINT pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        PostMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(pt.x, pt.y));
        PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    return 0;
}

void CGfxInEdit::ProcessSelect()
{
    if (!m_hWnd)
        return;
    CString strText;
    GetWindowText(strText);
    if (strcmp(strText, m_strInitial) == 0)
        return;
    CWnd* pParent = GetParent();
    if (!pParent)
        return;
    NMLVDISPINFOA info;
    memset(&info, 0, sizeof(info));
    info.hdr.hwndFrom = pParent->m_hWnd;
    info.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    info.hdr.code = LVN_ENDLABELEDITA;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = m_nItem;
    info.item.iSubItem = m_nSubItem;
    info.item.pszText = strText.GetBuffer();
    info.item.cchTextMax = strText.GetLength();
    if (m_bFromKillFocus)
    {
        m_bFromKillFocus = false;
        pParent->SendMessage(WM_GVX_INEDIT_END, 0, (LPARAM)&info);
    }
    else
        pParent->SendMessage(WM_NOTIFY, (WPARAM)pParent->GetDlgCtrlID(), (LPARAM)&info);
    strText.ReleaseBuffer();
}

void CGfxInEdit::EndAndNavigate(int nCode)
{
    HWND hParent = ::GetParent(m_hWnd);
    int record[2] = { m_nItem, m_nSubItem };
    m_bEnding = true;
    ProcessSelect();
    DestroyWindow();
    // The object may be released by the parent from here on.
    if (hParent && ::IsWindow(hParent))
        ::SendMessageA(hParent, WM_GVX_INEDIT_NAVIGATE, (WPARAM)nCode, (LPARAM)record);
}

BOOL CGfxInEdit::PreTranslateMessage(MSG* pMsg)
{
    // Every key goes to the edit itself, so no accelerator or dialog
    // navigation takes it; the navigation keys are acted on in OnKeyDown,
    // which also serves hosts whose message loop never calls this.
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd)
    {
        ::TranslateMessage(pMsg);
        ::DispatchMessageA(pMsg);
        return TRUE;
    }
    return CRichEditCtrl::PreTranslateMessage(pMsg);
}

void CGfxInEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    long nStart = 0, nEnd = 0;
    switch (nChar)
    {
    case VK_LEFT:
        GetSel(nStart, nEnd);
        if (nStart == 0 && nEnd == 0)
        {
            EndAndNavigate(GVX_NAV_LEFT);
            return;
        }
        break;
    case VK_RIGHT:
    {
        GetSel(nStart, nEnd);
        const long nLength = GetTextLength();
        if (nStart == nLength && nEnd == nLength)
        {
            EndAndNavigate(GVX_NAV_RIGHT);
            return;
        }
        break;
    }
    case VK_UP: EndAndNavigate(GVX_NAV_UP); return;
    case VK_DOWN: EndAndNavigate(GVX_NAV_DOWN); return;
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
        // Acted on as characters (OnChar); the control's own key handling
        // would insert a tab or a line break.
        return;
    default: break;
    }
    CRichEditCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CGfxInEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB)
    {
        EndAndNavigate(::GetKeyState(VK_SHIFT) < 0 ? GVX_NAV_SHIFT_TAB : GVX_NAV_TAB);
        return;
    }
    if (nChar == VK_RETURN || nChar == VK_ESCAPE)
    {
        if (nChar == VK_ESCAPE)
            m_bCancelled = TRUE;
        CWnd* pParent = GetParent();
        if (pParent)
            pParent->SetFocus();
        else
            DestroyWindow();
        return;
    }
    CRichEditCtrl::OnChar(nChar, nRepCnt, nFlags);
    if (!m_hWnd)
        return;

    // Grow to the right so the whole text shows, within the parent.
    CWnd* pParent = GetParent();
    if (!pParent)
        return;
    CString strText;
    GetWindowText(strText);
    CDC* pDC = GetDC();
    if (!pDC)
        return;
    CFont* pFont = pParent->GetFont();
    CFont* pOldFont = pFont ? pDC->SelectObject(pFont) : nullptr;
    const CSize size = pDC->GetTextExtent(strText, strText.GetLength());
    if (pOldFont)
        pDC->SelectObject(pOldFont);
    ReleaseDC(pDC);

    CRect rcWnd, rcParent;
    GetWindowRect(&rcWnd);
    pParent->ScreenToClient(&rcWnd);
    pParent->GetClientRect(&rcParent);
    if (rcWnd.Width() < size.cx + 5)
    {
        rcWnd.right = rcWnd.left + size.cx + 5;
        if (rcWnd.right > rcParent.right)
            rcWnd.right = rcParent.right;
        MoveWindow(&rcWnd, TRUE);
    }
}

void CGfxInEdit::OnKillFocus(CWnd* pNewWnd)
{
    CRichEditCtrl::OnKillFocus(pNewWnd);
    if (m_bEnding)
        return;  // already reported and being destroyed
    m_bEnding = true;
    if (!m_bCancelled)
    {
        m_bFromKillFocus = true;
        ProcessSelect();
    }
    DestroyWindow();
}

void CGfxInEdit::OnNcDestroy()
{
    CRichEditCtrl::OnNcDestroy();
}

UINT CGfxInEdit::OnGetDlgCode()
{
    // Tab, Enter and Esc belong to the edit also inside a dialog.
    return CRichEditCtrl::OnGetDlgCode() | DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
}

// ---- edit commands

void CGfxInEdit::OnEditCopy() { Copy(); }
void CGfxInEdit::OnEditCut() { Cut(); }
void CGfxInEdit::OnEditPaste() { Paste(); }
void CGfxInEdit::OnEditUndo() { Undo(); }

void CGfxInEdit::OnUpdateEditCut(CCmdUI* pCmdUI)
{
    long nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    pCmdUI->Enable(nStart != nEnd);
}

void CGfxInEdit::OnUpdateEditPaste(CCmdUI* pCmdUI) { pCmdUI->Enable(CanPaste(0)); }
void CGfxInEdit::OnUpdateEditUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(CanUndo()); }

BOOL CGfxInEdit::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    static const CCmdEntry<CGfxInEdit> table[] = {
        { ID_EDIT_COPY, ID_EDIT_COPY, &CGfxInEdit::OnEditCopy, &CGfxInEdit::OnUpdateEditCut },
        { ID_EDIT_CUT, ID_EDIT_CUT, &CGfxInEdit::OnEditCut, &CGfxInEdit::OnUpdateEditCut },
        { ID_EDIT_PASTE, ID_EDIT_PASTE, &CGfxInEdit::OnEditPaste, &CGfxInEdit::OnUpdateEditPaste },
        { ID_EDIT_UNDO, ID_EDIT_UNDO, &CGfxInEdit::OnEditUndo, &CGfxInEdit::OnUpdateEditUndo },
    };
    if (m_hWnd && DispatchCmdMsg(this, table, nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CRichEditCtrl::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
