// Rich edit control wrapper.
#include "platform/RichEditCtrl.h"

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

#define KV_SEND(msg, wp, lp) ::SendMessageA(m_hWnd, (msg), (WPARAM)(wp), (LPARAM)(lp))

BOOL AfxInitRichEdit()
{
    static HMODULE s_hRichEdit = nullptr;
    if (!s_hRichEdit)
        s_hRichEdit = ::LoadLibraryA("riched20.dll");
    return s_hRichEdit != nullptr;
}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxInitRichEdit())
        return FALSE;
    return CWnd::Create(RICHEDIT_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE cr = { 0, 0 };
    KV_SEND(EM_EXGETSEL, 0, &cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}
void CRichEditCtrl::GetSel(CHARRANGE& cr) const { KV_SEND(EM_EXGETSEL, 0, &cr); }
void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE cr = { nStartChar, nEndChar };
    KV_SEND(EM_EXSETSEL, 0, &cr);
}
void CRichEditCtrl::SetSel(CHARRANGE& cr) { KV_SEND(EM_EXSETSEL, 0, &cr); }

CString CRichEditCtrl::GetSelText() const
{
    long nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    if (nEnd <= nStart)
        return CString();
    CString str;
    // EM_GETSELTEXT writes the selection and a terminating zero; a double-byte
    // code page may need two bytes per character.
    LPSTR p = str.GetBuffer((int)(nEnd - nStart) * 2 + 2);
    long n = (long)KV_SEND(EM_GETSELTEXT, 0, p);
    str.ReleaseBuffer(n >= 0 ? (int)n : 0);
    return str;
}

void CRichEditCtrl::ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo)
{
    KV_SEND(EM_REPLACESEL, bCanUndo, lpszNewText ? lpszNewText : "");
}
long CRichEditCtrl::GetTextLength() const { return (long)KV_SEND(WM_GETTEXTLENGTH, 0, 0); }
void CRichEditCtrl::LimitText(long nChars) { KV_SEND(EM_EXLIMITTEXT, 0, nChars); }
int CRichEditCtrl::GetLineCount() const { return (int)KV_SEND(EM_GETLINECOUNT, 0, 0); }
BOOL CRichEditCtrl::SetReadOnly(BOOL bReadOnly) { return (BOOL)KV_SEND(EM_SETREADONLY, bReadOnly, 0); }
DWORD CRichEditCtrl::GetEventMask() const { return (DWORD)KV_SEND(EM_GETEVENTMASK, 0, 0); }
DWORD CRichEditCtrl::SetEventMask(DWORD dwEventMask) { return (DWORD)KV_SEND(EM_SETEVENTMASK, 0, dwEventMask); }
COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF cr)
{
    return (COLORREF)KV_SEND(EM_SETBKGNDCOLOR, bSysColor, cr);
}
BOOL CRichEditCtrl::CanPaste(UINT nFormat) const { return (BOOL)KV_SEND(EM_CANPASTE, nFormat, 0); }
BOOL CRichEditCtrl::CanUndo() const { return (BOOL)KV_SEND(EM_CANUNDO, 0, 0); }
void CRichEditCtrl::EmptyUndoBuffer() { KV_SEND(EM_EMPTYUNDOBUFFER, 0, 0); }
BOOL CRichEditCtrl::Undo() { return (BOOL)KV_SEND(EM_UNDO, 0, 0); }
void CRichEditCtrl::Copy() { KV_SEND(WM_COPY, 0, 0); }
void CRichEditCtrl::Cut() { KV_SEND(WM_CUT, 0, 0); }
void CRichEditCtrl::Paste() { KV_SEND(WM_PASTE, 0, 0); }
void CRichEditCtrl::Clear() { KV_SEND(WM_CLEAR, 0, 0); }
