// The print dialog, the printer context it hands out, the print-information
// record that carries it, and the application's title.
#include "platform/PrintDialog.h"
#include "platform/PrintInfo.h"
#include "platform/WinApp.h"
#include <winspool.h>
#include <string.h>

CString AfxGetAppTitle()
{
    CString str;
    if (!str.LoadString(AFX_IDS_APP_TITLE) || str.IsEmpty())
        str = AfxGetAppName();
    return str;
}

// ---------------------------------------------------------------------------
// CPrintDialog

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    memset(&m_pd, 0, sizeof(m_pd));
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
    m_pd.nCopies = 1;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
}

CPrintDialog::~CPrintDialog()
{
    ReleaseDeviceMemory();
}

void CPrintDialog::ReleaseDeviceMemory()
{
    if (m_pd.hDC)
        ::DeleteDC(m_pd.hDC);
    if (m_pd.hDevMode)
        ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames)
        ::GlobalFree(m_pd.hDevNames);
    m_pd.hDC = nullptr;
    m_pd.hDevMode = nullptr;
    m_pd.hDevNames = nullptr;
}

INT_PTR CPrintDialog::DoModal()
{
    m_dwError = 0;
    // A context left from an earlier run is not handed out twice; the
    // device mode and names stay as the start of the new dialog.
    if (m_pd.hDC)
    {
        ::DeleteDC(m_pd.hDC);
        m_pd.hDC = nullptr;
    }
    m_pd.hwndOwner = GetOwnerHwnd();
    if (CModalUIAnswerer* pAnswerer = AfxGetModalUIAnswerer())
    {
        INT_PTR nResult = IDCANCEL;
        if (pAnswerer->AnswerPrintDialog(m_pd.hwndOwner, &m_pd, &nResult))
        {
            if (nResult != IDOK && m_pd.hDC)
            {
                ::DeleteDC(m_pd.hDC);
                m_pd.hDC = nullptr;
            }
            return nResult == IDOK ? IDOK : IDCANCEL;
        }
    }
    // Without any printer the system dialog only complains; the caller
    // reports that in its own words instead.
    if (GetPrinterCount() == 0)
    {
        m_dwError = PDERR_NODEFAULTPRN;
        return IDCANCEL;
    }
    if (::PrintDlgA(&m_pd))
        return IDOK;
    m_dwError = ::CommDlgExtendedError();
    return IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    m_dwError = 0;
    ReleaseDeviceMemory();
    DWORD dwFlags = m_pd.Flags;
    m_pd.Flags |= PD_RETURNDEFAULT;
    m_pd.hwndOwner = nullptr;
    BOOL bOk = GetPrinterCount() > 0 && ::PrintDlgA(&m_pd);
    if (!bOk)
        m_dwError = GetPrinterCount() > 0 ? ::CommDlgExtendedError() : (DWORD)PDERR_NODEFAULTPRN;
    m_pd.Flags = dwFlags;
    return bOk;
}

HDC CPrintDialog::DetachPrinterDC()
{
    HDC hDC = m_pd.hDC;
    m_pd.hDC = nullptr;
    return hDC;
}

HDC CPrintDialog::CreatePrinterDC() const
{
    CString strDevice = GetDeviceName();
    if (strDevice.IsEmpty())
        return nullptr;
    CString strDriver = GetDriverName();
    return ::CreateDCA(strDriver.IsEmpty() ? "WINSPOOL" : (LPCSTR)strDriver, strDevice, nullptr, GetDevMode());
}

// nWhich: 0 driver, 1 device, 2 port.
CString CPrintDialog::GetDevNamesString(int nWhich) const
{
    CString str;
    if (!m_pd.hDevNames)
        return str;
    SIZE_T cb = ::GlobalSize(m_pd.hDevNames);
    const DEVNAMES* p = (const DEVNAMES*)::GlobalLock(m_pd.hDevNames);
    if (!p)
        return str;
    WORD wOffset = nWhich == 0 ? p->wDriverOffset : nWhich == 1 ? p->wDeviceOffset : p->wOutputOffset;
    // An offset outside the block (memory filled in by hand) gives no name.
    if (cb >= sizeof(DEVNAMES) && wOffset >= sizeof(DEVNAMES) && wOffset < cb)
    {
        const char* s = (const char*)p + wOffset;
        SIZE_T nMax = cb - wOffset;
        SIZE_T n = 0;
        while (n < nMax && s[n])
            ++n;
        str = CString(s, (int)n);
    }
    ::GlobalUnlock(m_pd.hDevNames);
    return str;
}

CString CPrintDialog::GetDriverName() const { return GetDevNamesString(0); }
CString CPrintDialog::GetDeviceName() const { return GetDevNamesString(1); }
CString CPrintDialog::GetPortName() const { return GetDevNamesString(2); }

LPDEVMODEA CPrintDialog::GetDevMode() const
{
    if (!m_pd.hDevMode)
        return nullptr;
    // Global memory does not move while it exists on Win32, so the pointer
    // stays good after the unlock for as long as the dialog keeps the block.
    LPDEVMODEA p = (LPDEVMODEA)::GlobalLock(m_pd.hDevMode);
    ::GlobalUnlock(m_pd.hDevMode);
    return p;
}

int CPrintDialog::GetCopies() const
{
    if (m_pd.Flags & (PD_USEDEVMODECOPIES | PD_USEDEVMODECOPIESANDCOLLATE))
    {
        LPDEVMODEA p = GetDevMode();
        if (p && (p->dmFields & DM_COPIES))
            return p->dmCopies;
    }
    return m_pd.nCopies;
}

BOOL CPrintDialog::PrintCollate() const
{
    if (m_pd.Flags & PD_USEDEVMODECOPIESANDCOLLATE)
    {
        LPDEVMODEA p = GetDevMode();
        if (p && (p->dmFields & DM_COLLATE))
            return p->dmCollate == DMCOLLATE_TRUE;
    }
    return (m_pd.Flags & PD_COLLATE) != 0;
}

int CPrintDialog::GetPrinterCount()
{
    DWORD cbNeeded = 0, nReturned = 0;
    const DWORD dwFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    ::EnumPrintersA(dwFlags, nullptr, 4, nullptr, 0, &cbNeeded, &nReturned);
    if (cbNeeded == 0)
        return 0;
    BYTE* pBuf = new BYTE[cbNeeded];
    if (!::EnumPrintersA(dwFlags, nullptr, 4, pBuf, cbNeeded, &cbNeeded, &nReturned))
        nReturned = 0;
    delete[] pBuf;
    return (int)nReturned;
}

// ---------------------------------------------------------------------------
// CPrintInfo

CPrintInfo::CPrintInfo()
{
    m_pPD = new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION);
    m_pPD->m_pd.nMinPage = 1;
    m_pPD->m_pd.nMaxPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo()
{
    delete m_pPD;
}
