// Standard control wrappers.
#include "platform/StdControls.h"
#include "platform/core/String.h"
#include <vector>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

#define KV_SEND(msg, wp, lp) ::SendMessageA(m_hWnd, (msg), (WPARAM)(wp), (LPARAM)(lp))

// ---- CStatic
BOOL CStatic::Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}
HICON CStatic::SetIcon(HICON hIcon) { return (HICON)KV_SEND(STM_SETICON, hIcon, 0); }
HICON CStatic::GetIcon() const { return (HICON)KV_SEND(STM_GETICON, 0, 0); }
HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) { return (HBITMAP)KV_SEND(STM_SETIMAGE, IMAGE_BITMAP, hBitmap); }
HBITMAP CStatic::GetBitmap() const { return (HBITMAP)KV_SEND(STM_GETIMAGE, IMAGE_BITMAP, 0); }

// ---- CButton
BOOL CButton::Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}
UINT CButton::GetState() const { return (UINT)KV_SEND(BM_GETSTATE, 0, 0); }
void CButton::SetState(BOOL bHighlight) { KV_SEND(BM_SETSTATE, bHighlight, 0); }
int CButton::GetCheck() const { return (int)KV_SEND(BM_GETCHECK, 0, 0); }
void CButton::SetCheck(int nCheck) { KV_SEND(BM_SETCHECK, nCheck, 0); }
UINT CButton::GetButtonStyle() const { return (UINT)::GetWindowLongA(m_hWnd, GWL_STYLE) & 0xff; }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { KV_SEND(BM_SETSTYLE, nStyle, bRedraw); }
void CButton::DrawItem(LPDRAWITEMSTRUCT) {}
BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM && (GetStyle() & 0x0F) == BS_OWNERDRAW)
    {
        DrawItem((LPDRAWITEMSTRUCT)lParam);
        if (pResult)
            *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CEdit
BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}
BOOL CEdit::CanUndo() const { return (BOOL)KV_SEND(EM_CANUNDO, 0, 0); }
int CEdit::GetLineCount() const { return (int)KV_SEND(EM_GETLINECOUNT, 0, 0); }
BOOL CEdit::GetModify() const { return (BOOL)KV_SEND(EM_GETMODIFY, 0, 0); }
void CEdit::SetModify(BOOL bModified) { KV_SEND(EM_SETMODIFY, bModified, 0); }
void CEdit::GetRect(LPRECT lpRect) const { KV_SEND(EM_GETRECT, 0, lpRect); }
DWORD CEdit::GetSel() const { return (DWORD)KV_SEND(EM_GETSEL, 0, 0); }
void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD s = 0, e = 0;
    KV_SEND(EM_GETSEL, &s, &e);
    nStartChar = (int)s;
    nEndChar = (int)e;
}
void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    KV_SEND(EM_SETSEL, (int)(short)LOWORD(dwSelection), (int)(short)HIWORD(dwSelection));
    if (!bNoScroll)
        KV_SEND(EM_SCROLLCARET, 0, 0);
}
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    KV_SEND(EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
        KV_SEND(EM_SCROLLCARET, 0, 0);
}
void CEdit::ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo) { KV_SEND(EM_REPLACESEL, bCanUndo, lpszNewText ? lpszNewText : ""); }
void CEdit::SetLimitText(UINT nMax) { KV_SEND(EM_SETLIMITTEXT, nMax, 0); }
UINT CEdit::GetLimitText() const { return (UINT)KV_SEND(EM_GETLIMITTEXT, 0, 0); }
int CEdit::LineFromChar(int nIndex) const { return (int)KV_SEND(EM_LINEFROMCHAR, nIndex, 0); }
int CEdit::LineIndex(int nLine) const { return (int)KV_SEND(EM_LINEINDEX, nLine, 0); }
int CEdit::LineLength(int nLine) const { return (int)KV_SEND(EM_LINELENGTH, nLine, 0); }
int CEdit::GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const
{
    if (!lpszBuffer || nMaxLength < 2)
        return 0;
    // EM_GETLINE reads the buffer size from its first word.
    *(WORD*)lpszBuffer = (WORD)(nMaxLength > 0xFFFF ? 0xFFFF : nMaxLength);
    int n = (int)KV_SEND(EM_GETLINE, nIndex, lpszBuffer);
    if (n < nMaxLength)
        lpszBuffer[n] = 0;
    return n;
}
void CEdit::SetMargins(UINT nLeft, UINT nRight) { KV_SEND(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight)); }
CPoint CEdit::PosFromChar(UINT nChar) const
{
    LRESULT r = KV_SEND(EM_POSFROMCHAR, nChar, 0);
    return CPoint((short)LOWORD(r), (short)HIWORD(r));
}
int CEdit::CharFromPos(CPoint pt) const { return (int)KV_SEND(EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)); }
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return (BOOL)KV_SEND(EM_SETREADONLY, bReadOnly, 0); }
void CEdit::SetPasswordChar(char ch) { KV_SEND(EM_SETPASSWORDCHAR, (BYTE)ch, 0); }
void CEdit::EmptyUndoBuffer() { KV_SEND(EM_EMPTYUNDOBUFFER, 0, 0); }
BOOL CEdit::Undo() { return (BOOL)KV_SEND(EM_UNDO, 0, 0); }
void CEdit::Clear() { KV_SEND(WM_CLEAR, 0, 0); }
void CEdit::Copy() { KV_SEND(WM_COPY, 0, 0); }
void CEdit::Cut() { KV_SEND(WM_CUT, 0, 0); }
void CEdit::Paste() { KV_SEND(WM_PASTE, 0, 0); }

// ---- CListBox
BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}
int CListBox::GetCount() const { return (int)KV_SEND(LB_GETCOUNT, 0, 0); }
int CListBox::GetCurSel() const { return (int)KV_SEND(LB_GETCURSEL, 0, 0); }
int CListBox::SetCurSel(int nSelect) { return (int)KV_SEND(LB_SETCURSEL, nSelect, 0); }
int CListBox::GetSel(int nIndex) const { return (int)KV_SEND(LB_GETSEL, nIndex, 0); }
int CListBox::SetSel(int nIndex, BOOL bSelect) { return (int)KV_SEND(LB_SETSEL, bSelect, nIndex); }
int CListBox::GetSelCount() const { return (int)KV_SEND(LB_GETSELCOUNT, 0, 0); }
int CListBox::GetTopIndex() const { return (int)KV_SEND(LB_GETTOPINDEX, 0, 0); }
int CListBox::SetTopIndex(int nIndex) { return (int)KV_SEND(LB_SETTOPINDEX, nIndex, 0); }
DWORD_PTR CListBox::GetItemData(int nIndex) const { return (DWORD_PTR)KV_SEND(LB_GETITEMDATA, nIndex, 0); }
int CListBox::SetItemData(int nIndex, DWORD_PTR d) { return (int)KV_SEND(LB_SETITEMDATA, nIndex, d); }
int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const { return (int)KV_SEND(LB_GETITEMRECT, nIndex, lpRect); }
int CListBox::GetItemHeight(int nIndex) const { return (int)KV_SEND(LB_GETITEMHEIGHT, nIndex, 0); }
int CListBox::SetItemHeight(int nIndex, UINT cy) { return (int)KV_SEND(LB_SETITEMHEIGHT, nIndex, MAKELONG(cy, 0)); }
int CListBox::GetText(int nIndex, LPSTR lpszBuffer) const
{
    return lpszBuffer ? (int)KV_SEND(LB_GETTEXT, nIndex, lpszBuffer) : LB_ERR;
}
void CListBox::GetText(int nIndex, CString& rString) const
{
    int n = GetTextLen(nIndex);
    if (n == LB_ERR || n < 0)
    {
        rString.Empty();
        return;
    }
    std::vector<char> buf((size_t)n + 1, 0);
    KV_SEND(LB_GETTEXT, nIndex, buf.data());
    rString = buf.data();
}
int CListBox::GetTextLen(int nIndex) const { return (int)KV_SEND(LB_GETTEXTLEN, nIndex, 0); }
int CListBox::AddString(LPCSTR s) { return (int)KV_SEND(LB_ADDSTRING, 0, s ? s : ""); }
int CListBox::InsertString(int nIndex, LPCSTR s) { return (int)KV_SEND(LB_INSERTSTRING, nIndex, s ? s : ""); }
int CListBox::DeleteString(UINT nIndex) { return (int)KV_SEND(LB_DELETESTRING, nIndex, 0); }
void CListBox::ResetContent() { KV_SEND(LB_RESETCONTENT, 0, 0); }
int CListBox::FindString(int nStartAfter, LPCSTR s) const { return (int)KV_SEND(LB_FINDSTRING, nStartAfter, s ? s : ""); }
int CListBox::FindStringExact(int nIndexStart, LPCSTR s) const
{
    return (int)KV_SEND(LB_FINDSTRINGEXACT, nIndexStart, s ? s : "");
}
int CListBox::SelectString(int nStartAfter, LPCSTR s) { return (int)KV_SEND(LB_SELECTSTRING, nStartAfter, s ? s : ""); }
UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD r = (DWORD)KV_SEND(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(r) != 0;
    return LOWORD(r);
}
void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}
BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT r = TRUE;
    switch (message)
    {
    case WM_DRAWITEM: DrawItem((LPDRAWITEMSTRUCT)lParam); break;
    case WM_MEASUREITEM: MeasureItem((LPMEASUREITEMSTRUCT)lParam); break;
    case WM_COMPAREITEM: r = CompareItem((LPCOMPAREITEMSTRUCT)lParam); break;
    case WM_DELETEITEM: DeleteItem((LPDELETEITEMSTRUCT)lParam); break;
    default: return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult)
        *pResult = r;
    return TRUE;
}

// ---- CComboBox
BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}
int CComboBox::GetCount() const { return (int)KV_SEND(CB_GETCOUNT, 0, 0); }
int CComboBox::GetCurSel() const { return (int)KV_SEND(CB_GETCURSEL, 0, 0); }
int CComboBox::SetCurSel(int nSelect) { return (int)KV_SEND(CB_SETCURSEL, nSelect, 0); }
DWORD CComboBox::GetEditSel() const { return (DWORD)KV_SEND(CB_GETEDITSEL, 0, 0); }
BOOL CComboBox::LimitText(int nMaxChars) { return (BOOL)KV_SEND(CB_LIMITTEXT, nMaxChars, 0); }
BOOL CComboBox::SetEditSel(int s, int e) { return (BOOL)KV_SEND(CB_SETEDITSEL, 0, MAKELPARAM(s, e)); }
DWORD_PTR CComboBox::GetItemData(int nIndex) const { return (DWORD_PTR)KV_SEND(CB_GETITEMDATA, nIndex, 0); }
int CComboBox::SetItemData(int nIndex, DWORD_PTR d) { return (int)KV_SEND(CB_SETITEMDATA, nIndex, d); }
int CComboBox::GetLBText(int nIndex, LPSTR lpszText) const
{
    return lpszText ? (int)KV_SEND(CB_GETLBTEXT, nIndex, lpszText) : CB_ERR;
}
void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int n = GetLBTextLen(nIndex);
    if (n == CB_ERR || n < 0)
    {
        rString.Empty();
        return;
    }
    std::vector<char> buf((size_t)n + 1, 0);
    KV_SEND(CB_GETLBTEXT, nIndex, buf.data());
    rString = buf.data();
}
int CComboBox::GetLBTextLen(int nIndex) const { return (int)KV_SEND(CB_GETLBTEXTLEN, nIndex, 0); }
int CComboBox::SetItemHeight(int nIndex, UINT cy) { return (int)KV_SEND(CB_SETITEMHEIGHT, nIndex, cy); }
int CComboBox::GetItemHeight(int nIndex) const { return (int)KV_SEND(CB_GETITEMHEIGHT, nIndex, 0); }
int CComboBox::SetDroppedWidth(UINT nWidth) { return (int)KV_SEND(CB_SETDROPPEDWIDTH, nWidth, 0); }
int CComboBox::GetDroppedWidth() const { return (int)KV_SEND(CB_GETDROPPEDWIDTH, 0, 0); }
void CComboBox::ShowDropDown(BOOL bShowIt) { KV_SEND(CB_SHOWDROPDOWN, bShowIt, 0); }
BOOL CComboBox::GetDroppedState() const { return (BOOL)KV_SEND(CB_GETDROPPEDSTATE, 0, 0); }
void CComboBox::GetDroppedControlRect(LPRECT lprect) const { KV_SEND(CB_GETDROPPEDCONTROLRECT, 0, lprect); }
int CComboBox::AddString(LPCSTR s) { return (int)KV_SEND(CB_ADDSTRING, 0, s ? s : ""); }
int CComboBox::InsertString(int nIndex, LPCSTR s) { return (int)KV_SEND(CB_INSERTSTRING, nIndex, s ? s : ""); }
int CComboBox::DeleteString(UINT nIndex) { return (int)KV_SEND(CB_DELETESTRING, nIndex, 0); }
void CComboBox::ResetContent() { KV_SEND(CB_RESETCONTENT, 0, 0); }
int CComboBox::FindString(int nStartAfter, LPCSTR s) const { return (int)KV_SEND(CB_FINDSTRING, nStartAfter, s ? s : ""); }
int CComboBox::FindStringExact(int nIndexStart, LPCSTR s) const
{
    return (int)KV_SEND(CB_FINDSTRINGEXACT, nIndexStart, s ? s : "");
}
int CComboBox::SelectString(int nStartAfter, LPCSTR s) { return (int)KV_SEND(CB_SELECTSTRING, nStartAfter, s ? s : ""); }
void CComboBox::Clear() { KV_SEND(WM_CLEAR, 0, 0); }
void CComboBox::Copy() { KV_SEND(WM_COPY, 0, 0); }
void CComboBox::Cut() { KV_SEND(WM_CUT, 0, 0); }
void CComboBox::Paste() { KV_SEND(WM_PASTE, 0, 0); }
void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM)
        DrawItem((LPDRAWITEMSTRUCT)lParam);
    else if (message == WM_MEASUREITEM)
        MeasureItem((LPMEASUREITEMSTRUCT)lParam);
    else
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}

// ---- CScrollBar
BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
}
int CScrollBar::GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw) { return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw); }
void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos); }
void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw) { ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw); }
void CScrollBar::ShowScrollBar(BOOL bShow) { ::ShowScrollBar(m_hWnd, SB_CTL, bShow); }
BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags) { return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags); }
BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    return CWnd::SetScrollInfo(SB_CTL, lpScrollInfo, bRedraw);
}
BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask) { return CWnd::GetScrollInfo(SB_CTL, lpScrollInfo, nMask); }
int CScrollBar::GetScrollLimit() { return CWnd::GetScrollLimit(SB_CTL); }
