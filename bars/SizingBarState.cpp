// CSizingControlBar: keeping the three sizes in the application profile,
// one section per bar.
#include "bars/SizingControlBar.h"
#include "platform/WinApp.h"
#include <stdio.h>

// int-typed min and max (the Win32 headers' macros are off; LONG and int
// fields mix here).
static inline int KvMin(int a, int b) { return a < b ? a : b; }
static inline int KvMax(int a, int b) { return a > b ? a : b; }


void CSizingControlBar::GetStateSection(LPCSTR lpszProfileName, char* szSection, size_t cch) const
{
    // Bounded whatever the name's length (a longer name is cut, the
    // identifier suffix kept).
    char szSuffix[32];
    snprintf(szSuffix, sizeof(szSuffix), "-SCBar-%d", m_hWnd ? ::GetDlgCtrlID(m_hWnd) : 0);
    size_t nSuffix = strlen(szSuffix);
    size_t nRoom = cch > nSuffix ? cch - nSuffix - 1 : 0;
    snprintf(szSection, cch, "%.*s%s", (int)nRoom, lpszProfileName ? lpszProfileName : "", szSuffix);
}

BOOL CSizingControlBar::LoadState(LPCSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    char szSection[256];
    GetStateSection(lpszProfileName, szSection, sizeof(szSection));
    struct
    {
        const char* pszKey;
        LONG* pValue;
        LONG nMin;
    } keys[] = {
        {"sizeHorzCX", &m_sizeHorz.cx, m_sizeMinHorz.cx},   {"sizeHorzCY", &m_sizeHorz.cy, m_sizeMinHorz.cy},
        {"sizeVertCX", &m_sizeVert.cx, m_sizeMinVert.cx},   {"sizeVertCY", &m_sizeVert.cy, m_sizeMinVert.cy},
        {"sizeFloatCX", &m_sizeFloat.cx, m_sizeMinFloat.cx}, {"sizeFloatCY", &m_sizeFloat.cy, m_sizeMinFloat.cy},
    };
    for (auto& k : keys)
    {
        int n = (int)pApp->GetProfileInt(szSection, k.pszKey, *k.pValue);
        // A damaged value far beyond any screen would make the row
        // negotiation step through billions of pixels.
        n = KvMin(n, kMaxStoredSize);
        *k.pValue = KvMax((LONG)n, k.nMin);
    }
    return TRUE;
}

BOOL CSizingControlBar::SaveState(LPCSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    char szSection[256];
    GetStateSection(lpszProfileName, szSection, sizeof(szSection));
    BOOL bOk = TRUE;
    bOk &= pApp->WriteProfileInt(szSection, "sizeHorzCX", m_sizeHorz.cx);
    bOk &= pApp->WriteProfileInt(szSection, "sizeHorzCY", m_sizeHorz.cy);
    bOk &= pApp->WriteProfileInt(szSection, "sizeVertCX", m_sizeVert.cx);
    bOk &= pApp->WriteProfileInt(szSection, "sizeVertCY", m_sizeVert.cy);
    bOk &= pApp->WriteProfileInt(szSection, "sizeFloatCX", m_sizeFloat.cx);
    bOk &= pApp->WriteProfileInt(szSection, "sizeFloatCY", m_sizeFloat.cy);
    return bOk;
}

static BOOL ForEachSizingBar(CFrameWnd* pFrame, LPCSTR lpszProfileName, bool bSave)
{
    if (!pFrame)
        return FALSE;
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos)
    {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (!pBar->IsKindOf(RUNTIME_CLASS(CSizingControlBar)))
            continue;
        CSizingControlBar* pSCB = static_cast<CSizingControlBar*>(pBar);
        if (bSave)
            pSCB->SaveState(lpszProfileName);
        else
            pSCB->LoadState(lpszProfileName);
    }
    return TRUE;
}

BOOL CSizingControlBar::GlobalLoadState(CFrameWnd* pFrame, LPCSTR lpszProfileName)
{
    return ForEachSizingBar(pFrame, lpszProfileName, false);
}

BOOL CSizingControlBar::GlobalSaveState(CFrameWnd* pFrame, LPCSTR lpszProfileName)
{
    return ForEachSizingBar(pFrame, lpszProfileName, true);
}

const int CSizingControlBar::kMaxStoredSize;
