#pragma once
// Dialog data exchange: moving values between a dialog's controls and the
// members of the object behind it. bSaveAndValidate TRUE reads the controls,
// FALSE fills them. DDX_ functions (the grid's DDX_GridControl among them)
// take the exchange object, a control id and the member.
#include "platform/Wnd.h"

class KVVX_API CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_idLastControl = nullptr;

    // The control with id nIDC, remembered for Fail; throws
    // CNotSupportedException* when the dialog has no such control.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC) { return PrepareCtrl(nIDC); }
    // Validation failed: the focus goes to the last prepared control and a
    // CUserException* is thrown (the caller has already told the user).
    [[noreturn]] void Fail();
};

KVVX_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
KVVX_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
KVVX_API void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Binds (subclasses) the dialog's control nIDC to rControl once.
KVVX_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
