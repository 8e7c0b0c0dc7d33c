// Dialog data exchange.
#include "platform/DataExchange.h"
#include "platform/ModalUI.h"
#include "platform/core/Exceptions.h"
#include "platform/core/String.h"
#include <stdio.h>
#include <stdlib.h>

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWnd = m_pDlgWnd && m_pDlgWnd->m_hWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    if (!hWnd)
        AfxThrowNotSupportedException();
    m_idLastControl = hWnd;
    return hWnd;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl && ::IsWindow(m_idLastControl))
    {
        ::SetFocus(m_idLastControl);
        char cls[16] = "";
        ::GetClassNameA(m_idLastControl, cls, sizeof(cls));
        if (lstrcmpiA(cls, "EDIT") == 0)
            ::SendMessageA(m_idLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    CWnd tmp;
    tmp.m_hWnd = h;
    if (pDX->m_bSaveAndValidate)
        tmp.GetWindowText(value);
    else
        tmp.SetWindowText(value);
    tmp.m_hWnd = nullptr;
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        char buf[64] = "";
        ::GetWindowTextA(h, buf, sizeof(buf));
        char* end = nullptr;
        long v = strtol(buf, &end, 10);
        while (end && (*end == ' ' || *end == '\t'))
            ++end;
        if (!end || end == buf || *end != 0)
        {
            AfxMessageBox("Please enter an integer.", MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = (int)v;
    }
    else
    {
        char buf[32];
        snprintf(buf, sizeof(buf), "%d", value);
        ::SetWindowTextA(h, buf);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(h, BM_GETCHECK, 0, 0);
    else
        ::SendMessageA(h, BM_SETCHECK, (WPARAM)value, 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(h))
        AfxThrowNotSupportedException();
}
