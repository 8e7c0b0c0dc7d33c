// The modal-UI seam, message boxes and the colour dialog.
#include "platform/ModalUI.h"
#include "platform/WinApp.h"
#include "platform/core/String.h"
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

// ---------------------------------------------------------------------------
// Font dialog

CFontDialog::CFontDialog(const LOGFONTA* lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    memset(&m_cf, 0, sizeof(m_cf));
    memset(&m_lf, 0, sizeof(m_lf));
    m_cf.lStructSize = sizeof(m_cf);
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    if (lplfInitial)
    {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter && pdcPrinter->m_hDC)
    {
        m_cf.hDC = pdcPrinter->m_hDC;
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.hwndOwner = GetOwnerHwnd();
    m_cf.lpLogFont = &m_lf;
    if (g_pAnswerer)
    {
        LOGFONTA lf = m_lf;
        COLORREF cr = m_cf.rgbColors;
        INT_PTR nResult = IDCANCEL;
        if (g_pAnswerer->AnswerFontDialog(m_cf.hwndOwner, &lf, &cr, m_cf.Flags, &nResult))
        {
            if (nResult == IDOK)
            {
                m_lf = lf;
                m_cf.rgbColors = cr;
                // The size in tenths of a point, as the real dialog reports it.
                HDC hdc = ::GetDC(nullptr);
                int nHeight = m_lf.lfHeight < 0 ? -m_lf.lfHeight : m_lf.lfHeight;
                m_cf.iPointSize = ::MulDiv(nHeight, 720, ::GetDeviceCaps(hdc, LOGPIXELSY));
                ::ReleaseDC(nullptr, hdc);
            }
            return nResult;
        }
    }
    return ::ChooseFontA(&m_cf) ? IDOK : IDCANCEL;
}

CString CFontDialog::GetFaceName() const
{
    return CString(m_lf.lfFaceName);
}

int CFontDialog::GetSize() const
{
    return m_cf.iPointSize;
}

// ---------------------------------------------------------------------------
// File dialog

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    memset(&m_ofn, 0, sizeof(m_ofn));
    memset(m_szFileName, 0, sizeof(m_szFileName));
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof(m_szFileName);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    if (lpszFileName)
        lstrcpynA(m_szFileName, lpszFileName, sizeof(m_szFileName));
    memset(m_szFilter, 0, sizeof(m_szFilter));
    memset(m_szDefExt, 0, sizeof(m_szDefExt));
    if (lpszDefExt)
    {
        lstrcpynA(m_szDefExt, lpszDefExt, sizeof(m_szDefExt));
        m_ofn.lpstrDefExt = m_szDefExt;
    }
    if (lpszFilter)
    {
        // '|' separators become zeros; the list ends with two zeros. A
        // filter too long for the buffer keeps its whole pairs only.
        size_t n = strlen(lpszFilter);
        if (n > sizeof(m_szFilter) - 2)
            n = sizeof(m_szFilter) - 2;
        int nSeparators = 0;
        size_t lastPairEnd = 0;
        for (size_t i = 0; i < n; ++i)
        {
            char c = lpszFilter[i];
            m_szFilter[i] = c == '|' ? 0 : c;
            if (c == '|' && ++nSeparators % 2 == 0)
                lastPairEnd = i + 1;
        }
        if (n < strlen(lpszFilter))
            memset(m_szFilter + lastPairEnd, 0, sizeof(m_szFilter) - lastPairEnd);
        if (m_szFilter[0])
            m_ofn.lpstrFilter = m_szFilter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = GetOwnerHwnd();
    if (g_pAnswerer)
    {
        INT_PTR nResult = IDCANCEL;
        if (g_pAnswerer->AnswerFileDialog(m_ofn.hwndOwner, m_bOpenFileDialog, &m_ofn, &nResult))
        {
            m_szFileName[sizeof(m_szFileName) - 1] = 0;
            return nResult;
        }
    }
    BOOL bOk = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return bOk ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    return CString(m_szFileName);
}

CString CFileDialog::GetFileName() const
{
    const char* p = strrchr(m_szFileName, '\\');
    const char* q = strrchr(m_szFileName, '/');
    if (q && (!p || q > p))
        p = q;
    return CString(p ? p + 1 : m_szFileName);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    const char* s = name;
    const char* dot = strrchr(s, '.');
    return CString(dot ? dot + 1 : "");
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    const char* s = name;
    const char* dot = strrchr(s, '.');
    return dot ? CString(s, (int)(dot - s)) : name;
}
