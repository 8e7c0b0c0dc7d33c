// The modal-UI seam, message boxes and the colour dialog.
#include "platform/ModalUI.h"
#include "platform/WinApp.h"
#include "platform/String.h"
#include <string.h>

BOOL CModalUIAnswerer::AnswerMessageBox(HWND, LPCSTR, LPCSTR, UINT, int*) { return FALSE; }
BOOL CModalUIAnswerer::AnswerColorDialog(HWND, COLORREF*, DWORD, INT_PTR*) { return FALSE; }
BOOL CModalUIAnswerer::AnswerFontDialog(HWND, LOGFONTA*, COLORREF*, DWORD, INT_PTR*) { return FALSE; }
BOOL CModalUIAnswerer::AnswerFileDialog(HWND, BOOL, OPENFILENAMEA*, INT_PTR*) { return FALSE; }
BOOL CModalUIAnswerer::AnswerPrintDialog(HWND, PRINTDLGA*, INT_PTR*) { return FALSE; }

static CModalUIAnswerer* g_pAnswerer = nullptr;

CModalUIAnswerer* AfxSetModalUIAnswerer(CModalUIAnswerer* pAnswerer)
{
    CModalUIAnswerer* pOld = g_pAnswerer;
    g_pAnswerer = pAnswerer;
    return pOld;
}

CModalUIAnswerer* AfxGetModalUIAnswerer()
{
    return g_pAnswerer;
}

static HWND KvDefaultOwner()
{
    HWND hWnd = ::GetActiveWindow();
    if (!hWnd)
    {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain && pMain->m_hWnd && ::IsWindow(pMain->m_hWnd) &&
            ::GetWindowThreadProcessId(pMain->m_hWnd, nullptr) == ::GetCurrentThreadId())
            hWnd = pMain->m_hWnd;
    }
    return hWnd;
}

int KvShowMessageBox(HWND hWndOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    if (!lpszText)
        lpszText = "";
    if (!lpszCaption)
        lpszCaption = AfxGetAppName();
    if (!hWndOwner)
        hWndOwner = KvDefaultOwner();
    if (g_pAnswerer)
    {
        int nResult = IDOK;
        if (g_pAnswerer->AnswerMessageBox(hWndOwner, lpszText, lpszCaption, nType, &nResult))
            return nResult;
    }
    return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    // Without an icon flag a box reads as a plain note; errors, questions
    // and warnings get the matching icon, as the usual convention has it.
    if ((nType & MB_ICONMASK) == 0)
    {
        switch (nType & MB_TYPEMASK)
        {
        case MB_OK:
        case MB_OKCANCEL: nType |= MB_ICONEXCLAMATION; break;
        case MB_YESNO:
        case MB_YESNOCANCEL: nType |= MB_ICONQUESTION; break;
        case MB_ABORTRETRYIGNORE:
        case MB_RETRYCANCEL: break;
        }
    }
    return KvShowMessageBox(nullptr, lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString str;
    if (!str.LoadString(nIDPrompt))
        str.Format("Message %u", nIDPrompt);
    return AfxMessageBox((LPCSTR)str, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

HWND CCommonDialog::GetOwnerHwnd() const
{
    if (m_pParentWnd && m_pParentWnd->m_hWnd)
        return m_pParentWnd->m_hWnd;
    return KvDefaultOwner();
}

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF s_colors[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return s_colors;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    memset(&m_cc, 0, sizeof(m_cc));
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    m_cc.rgbResult = clrInit;
    if (clrInit != 0)
        m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = GetOwnerHwnd();
    if (g_pAnswerer)
    {
        COLORREF cr = m_cc.rgbResult;
        INT_PTR nResult = IDCANCEL;
        if (g_pAnswerer->AnswerColorDialog(m_cc.hwndOwner, &cr, m_cc.Flags, &nResult))
        {
            if (nResult == IDOK)
                m_cc.rgbResult = cr;
            return nResult;
        }
    }
    return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}
