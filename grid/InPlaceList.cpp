// CInPlaceList and CComboEdit: the combo-column grid's drop-down editor.

#include "grid/InPlaceList.h"
#include "grid/InPlaceEdit.h"
#include "grid/GridCtrl.h"

static const UINT kComboEditId = 1001;

static BOOL IsNavigationKey(UINT nChar)
{
    return nChar == VK_PRIOR || nChar == VK_NEXT || (nChar >= VK_LEFT && nChar <= VK_DOWN);
}

static BOOL IsCtrlDown()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

// ================================================================== CComboEdit

CComboEdit::CComboEdit()
{
}

CComboEdit::~CComboEdit()
{
}

HWND CComboEdit::ListWindow() const
{
    HWND h = ::GetWindow(m_hWnd, GW_OWNER);
    return h != NULL ? h : ::GetParent(m_hWnd);
}

// Keys go straight to the field, so no dialog or accelerator processing of
// the host sees them while a cell is being edited; Alt+letter is dropped.
BOOL CComboEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP)
    {
        ::TranslateMessage(pMsg);
        ::DispatchMessageA(pMsg);
        return TRUE;
    }
    if (pMsg->message == WM_SYSCHAR)
        return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}

void CComboEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (IsNavigationKey(nChar) && IsCtrlDown() && GetDlgCtrlID() == (int)kComboEditId)
    {
        const MSG* pMsg = GetCurrentMessage();
        ::SendMessageA(ListWindow(), WM_KEYDOWN, nChar, pMsg != NULL ? pMsg->lParam : 1);
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CComboEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE)
    {
        const MSG* pMsg = GetCurrentMessage();
        ::SendMessageA(ListWindow(), WM_KEYUP, nChar, pMsg != NULL ? pMsg->lParam : 1);
        return;
    }
    CEdit::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CComboEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    CInPlaceList* pList = dynamic_cast<CInPlaceList*>(CWnd::FromHandlePermanent(ListWindow()));
    if (pList != NULL)
        pList->EndEdit();
}

// ================================================================== CInPlaceList

CInPlaceList::CInPlaceList(CWnd* pParent, CRect& rect, DWORD dwComboStyle, UINT nID, int nRow, int nCol,
                           const CStringArray& items, CString sInitText, UINT nFirstChar)
    : m_nNumLines(4), m_sInitText(sInitText), m_nRow(nRow), m_nCol(nCol), m_nLastChar(0),
      m_bExitOnArrows(FALSE), m_bEnded(FALSE)
{
    // Room below the cell for the dropped list: four lines of the cell's
    // height and a horizontal scroll bar.
    const int nCellHeight = rect.Height();
    CRect rcCombo(rect);
    rcCombo.bottom += ::GetSystemMetrics(SM_CYHSCROLL) + nCellHeight * m_nNumLines;

    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | CBS_AUTOHSCROLL | dwComboStyle;
    if (!Create(dwStyle, rcCombo, pParent, nID))
        return;

    for (INT_PTR i = 0; i < items.GetSize(); i++)
        AddString(items[i]);

    // The list is as wide as its widest string plus two spaces and a
    // vertical scroll bar; a narrower cell makes the editor that wide.
    HFONT hFont = (HFONT)pParent->SendMessage(WM_GETFONT, 0, 0);
    int nDropWidth = 0;
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC != NULL)
    {
        HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
        SIZE size = { 0, 0 };
        for (INT_PTR i = 0; i < items.GetSize(); i++)
        {
            const CString& s = items[i];
            if (::GetTextExtentPoint32A(hDC, s, s.GetLength(), &size) && size.cx > nDropWidth)
                nDropWidth = size.cx;
        }
        if (::GetTextExtentPoint32A(hDC, " ", 1, &size))
            nDropWidth += 2 * size.cx;
        if (hOld != NULL)
            ::SelectObject(hDC, hOld);
        ::ReleaseDC(m_hWnd, hDC);
    }
    nDropWidth += ::GetSystemMetrics(SM_CXVSCROLL);
    if (rcCombo.Width() < nDropWidth)
        rcCombo.right = rcCombo.left + nDropWidth;
    MoveWindow(&rcCombo, TRUE);

    SendMessage(WM_SETFONT, (WPARAM)hFont, 0);
    SetItemHeight(-1, (UINT)nCellHeight);
    SetDroppedWidth((UINT)nDropWidth);
    SendMessage(CB_SETHORIZONTALEXTENT, 0, 0);

    int nIndex = FindStringExact(-1, sInitText);
    if (nIndex != CB_ERR)
        SetCurSel(nIndex);
    else
        SetWindowText(sInitText);

    if ((dwComboStyle & 0x3) == CBS_DROPDOWNLIST)
    {
        SetFocus();
        return;
    }

    HWND hEdit = ::GetDlgItem(m_hWnd, kComboEditId);
    if (hEdit != NULL)
        m_edit.SubclassWindow(hEdit);
    SetFocus();
    if (m_edit.GetSafeHwnd() == NULL)
        return;

    const int nLen = m_sInitText.GetLength();
    switch (nFirstChar)
    {
    case VK_LBUTTON:
    case VK_RETURN:
        m_edit.SetSel(nLen, -1);
        m_edit.SendMessage(EM_SCROLLCARET, 0, 0);
        return;
    case VK_BACK:
        m_edit.SetSel(nLen, -1);
        m_edit.SendMessage(EM_SCROLLCARET, 0, 0);
        m_edit.SendMessage(WM_CHAR, VK_BACK, 1);
        return;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        m_edit.SetSel(0, -1);
        return;
    default:
        m_edit.SetSel(0, -1);
        m_edit.SendMessage(WM_CHAR, nFirstChar, 1);
        return;
    }
}

CInPlaceList::~CInPlaceList()
{
}

void CInPlaceList::PostNcDestroy()
{
    CComboBox::PostNcDestroy();
    delete this;
}

UINT CInPlaceList::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CInPlaceList::LeaveWithKey(UINT nKey)
{
    m_nLastChar = nKey;
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SetFocus();
}

void CInPlaceList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (IsNavigationKey(nChar) && (m_bExitOnArrows || IsCtrlDown()))
    {
        LeaveWithKey(nChar);
        return;
    }
    CComboBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

// Escape puts the initial text back and ends the edit as Escape, so the
// grid does not move on; Tab and Enter end it with their own key.
void CInPlaceList::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE)
    {
        int nIndex = FindStringExact(-1, m_sInitText);
        if (nIndex != CB_ERR)
            SetCurSel(nIndex);
        else
        {
            SetCurSel(-1);
            SetWindowText(m_sInitText);
        }
        LeaveWithKey(nChar);
        return;
    }
    if (nChar == VK_TAB || nChar == VK_RETURN)
    {
        LeaveWithKey(nChar);
        return;
    }
    CComboBox::OnKeyUp(nChar, nRepCnt, nFlags);
}

// With an edit field the field's loss of focus ends the edit; a list
// without one ends it when it loses the focus itself.
void CInPlaceList::OnKillFocus(CWnd* pNewWnd)
{
    CComboBox::OnKillFocus(pNewWnd);
    if ((GetStyle() & 0x3) != CBS_DROPDOWNLIST)
        return;
    if (pNewWnd != NULL && pNewWnd->GetSafeHwnd() == m_hWnd)
        return;
    EndEdit();
}

void CInPlaceList::EndEdit()
{
    if (m_bEnded || m_hWnd == NULL)
        return;
    m_bEnded = TRUE;

    GridEndInPlaceEdit(this, m_nRow, m_nCol, m_nLastChar);
}
