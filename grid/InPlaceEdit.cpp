// CInPlaceEdit: the grid's in-place cell editor.

#include "grid/InPlaceEdit.h"
#include "grid/GridCtrl.h"

CInPlaceEdit::CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID,
                           int nRow, int nCol, CString sInitText, UINT nFirstChar)
    : m_sInitText(sInitText), m_nRow(nRow), m_nCol(nCol), m_nLastChar(0),
      m_bExitOnArrows(nFirstChar != VK_LBUTTON), m_rect(rect)
{
    // An edit started with the mouse lets the arrow keys move the caret; one
    // started by typing ends on an arrow key.
    DWORD dwEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | dwStyle;
    if (!Create(dwEditStyle, rect, pParent, nID))
        return;

    HFONT hFont = (HFONT)pParent->SendMessage(WM_GETFONT, 0, 0);
    SendMessage(WM_SETFONT, (WPARAM)hFont, 0);
    SetWindowText(sInitText);
    SetFocus();

    switch (nFirstChar)
    {
    case VK_LBUTTON:
    case VK_RETURN:
        SetSel(m_sInitText.GetLength(), -1);
        return;
    case VK_BACK:
        SetSel(m_sInitText.GetLength(), -1);
        SendMessage(WM_CHAR, VK_BACK, 1);
        return;
    case VK_TAB:
    case VK_SPACE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        SetSel(0, -1);
        return;
    default:
        SetSel(0, -1);
        SendMessage(WM_CHAR, nFirstChar, 1);
        return;
    }
}

CInPlaceEdit::~CInPlaceEdit()
{
}

// Alt+letter must not reach the menus while the cell is being edited.
BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSCHAR)
        return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}

void CInPlaceEdit::PostNcDestroy()
{
    CEdit::PostNcDestroy();
    delete this;
}

void CInPlaceEdit::EndEdit(UINT nLastChar)
{
    m_nLastChar = nLastChar;
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SetFocus();
}

void CInPlaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    BOOL bNavigation = nChar == VK_PRIOR || nChar == VK_NEXT ||
                       (nChar >= VK_LEFT && nChar <= VK_DOWN);
    if (bNavigation && (m_bExitOnArrows || (::GetKeyState(VK_CONTROL) & 0x8000)))
    {
        EndEdit(nChar);
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CInPlaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE)
    {
        SetWindowText(m_sInitText);
        EndEdit(nChar);
        return;
    }
    if (nChar == VK_TAB || nChar == VK_RETURN)
    {
        EndEdit(nChar);
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
    WidenToText();
}

void CInPlaceEdit::WidenToText()
{
    CString sText;
    GetWindowText(sText);
    sText += "  ";

    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == NULL)
        return;
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT, 0, 0);
    HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    SIZE size = { 0, 0 };
    ::GetTextExtentPoint32A(hDC, sText, sText.GetLength(), &size);
    if (hOld != NULL)
        ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);

    if (size.cx <= m_rect.Width())
        return;
    int nRight = m_rect.left + size.cx;
    CWnd* pParent = GetParent();
    if (pParent != NULL)
    {
        CRect rcParent;
        pParent->GetClientRect(&rcParent);
        if (nRight > rcParent.right)
            nRight = rcParent.right;
    }
    if (nRight <= m_rect.right)
        return;
    m_rect.right = nRight;
    MoveWindow(&m_rect, TRUE);
}

// The edit ends whenever the focus leaves it: the grid learns the final
// text and the key that ended the edit (0 for a click elsewhere).
void CInPlaceEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);

    GridEndInPlaceEdit(this, m_nRow, m_nCol, m_nLastChar);
}

void GridEndInPlaceEdit(CWnd* pEditor, int nRow, int nCol, UINT nLastChar)
{
    CString sText;
    pEditor->GetWindowText(sText);

    GRIDDISPINFO dispinfo;
    dispinfo.hdr.hwndFrom = pEditor->m_hWnd;
    dispinfo.hdr.idFrom = (UINT_PTR)pEditor->GetDlgCtrlID();
    dispinfo.hdr.code = (UINT)GRIDN_ENDLABELEDIT;
    dispinfo.item.mask = GIM_TEXT | GIM_PARAM;
    dispinfo.item.row = nRow;
    dispinfo.item.col = nCol;
    dispinfo.item.szText = sText;
    dispinfo.item.lParam = (LPARAM)nLastChar;

    HWND hReceiver = ::GetWindow(pEditor->m_hWnd, GW_OWNER);
    if (hReceiver == NULL)
        hReceiver = ::GetParent(pEditor->m_hWnd);
    // The grid may open the next edit while handling the notification (and
    // the editor's object may be gone by then); the window closes once that
    // is done.
    HWND hSelf = pEditor->m_hWnd;
    if (hReceiver != NULL && ::IsWindow(hReceiver))
        ::SendMessageA(hReceiver, WM_NOTIFY, dispinfo.hdr.idFrom, (LPARAM)&dispinfo);
    if (::IsWindow(hSelf))
        ::PostMessageA(hSelf, WM_CLOSE, 0, 0);
}

UINT CInPlaceEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}
