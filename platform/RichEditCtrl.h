#pragma once
// Wrapper of the system's rich edit control ("RichEdit20A", from
// riched20.dll, loaded on first use and kept for the life of the process).
// Create makes a child control bound to the object, so derived classes see
// its messages; every other member sends the control's own message.
#include "platform/Wnd.h"
#include "platform/core/String.h"
#include <richedit.h>

// Loads the rich edit library once; FALSE when it cannot be loaded.
KVVX_API BOOL AfxInitRichEdit();

class KVVX_API CRichEditCtrl : public CWnd
{
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    // FALSE when the library cannot be loaded or the window not created.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- selection and text ------------------------------------------------
    void GetSel(long& nStartChar, long& nEndChar) const;
    void GetSel(CHARRANGE& cr) const;
    void SetSel(long nStartChar, long nEndChar);
    void SetSel(CHARRANGE& cr);
    CString GetSelText() const;
    void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE);
    long GetTextLength() const;
    void LimitText(long nChars = 0);
    int GetLineCount() const;
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    DWORD GetEventMask() const;
    DWORD SetEventMask(DWORD dwEventMask);
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr);

    // ---- clipboard and undo ------------------------------------------------
    // nFormat 0: any format the control can paste.
    BOOL CanPaste(UINT nFormat = 0) const;
    BOOL CanUndo() const;
    void EmptyUndoBuffer();
    BOOL Undo();
    void Copy();
    void Cut();
    void Paste();
    void Clear();
};
