// The library's module frame: its application object, the per-thread
// framework state, and string resources found through the resource chain.
#include "platform/WinApp.h"
#include "platform/ThreadState.h"
#include "platform/Wnd.h"
#include "platform/core/String.h"

// The library's own module, found from the address of this function (the
// application object is constructed before DllMain runs).
HINSTANCE KvLibraryInstance()
{
    static HINSTANCE s_hInst = nullptr;
    if (!s_hInst)
        ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             (LPCSTR)&KvLibraryInstance, &s_hInst);
    return s_hInst;
}

// ---------------------------------------------------------------------------
// Per-thread state

static DWORD KvTlsIndex()
{
    static DWORD s_index = ::TlsAlloc();
    return s_index;
}

KvThreadState* KvGetThreadState()
{
    DWORD idx = KvTlsIndex();
    KvThreadState* ts = (KvThreadState*)::TlsGetValue(idx);
    if (!ts)
    {
        ts = new KvThreadState;
        ::TlsSetValue(idx, ts);
    }
    return ts;
}

void KvFreeThreadState()
{
    DWORD idx = KvTlsIndex();
    KvThreadState* ts = (KvThreadState*)::TlsGetValue(idx);
    if (!ts)
        return;
    AfxDeleteTempMaps();
    if (ts->hHookCbt)
        ::UnhookWindowsHookEx(ts->hHookCbt);
    if (ts->bOleInitialized)
        AfxOleTerm();
    ::TlsSetValue(idx, nullptr);
    delete ts;
}

// ---------------------------------------------------------------------------
// String resources: the host's module first, then the library's.

static int KvLoadStringFrom(HINSTANCE hInst, UINT nID, CString& str)
{
    // A string table block holds 16 counted strings.
    HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA((nID >> 4) + 1), (LPCSTR)RT_STRING);
    if (!hRes)
        return -1;
    HGLOBAL hData = ::LoadResource(hInst, hRes);
    const WORD* p = hData ? (const WORD*)::LockResource(hData) : nullptr;
    DWORD cb = ::SizeofResource(hInst, hRes);
    if (!p)
        return -1;
    const WORD* pEnd = (const WORD*)((const BYTE*)p + cb);
    for (UINT i = 0; i < (nID & 15); ++i)
    {
        if (p >= pEnd)
            return -1;
        p += 1 + *p;
    }
    if (p >= pEnd || *p == 0 || p + 1 + *p > pEnd)
        return -1;
    int nChars = *p;
    int n = ::WideCharToMultiByte(CP_ACP, 0, (LPCWSTR)(p + 1), nChars, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return -1;
    char* buf = str.GetBuffer(n);
    ::WideCharToMultiByte(CP_ACP, 0, (LPCWSTR)(p + 1), nChars, buf, n, nullptr, nullptr);
    str.ReleaseBuffer(n);
    return n;
}

BOOL CString::LoadString(UINT nID)
{
    HINSTANCE hFirst = AfxGetResourceHandle();
    if (hFirst && KvLoadStringFrom(hFirst, nID, *this) >= 0)
        return TRUE;
    HINSTANCE hLib = KvLibraryInstance();
    if (hLib && hLib != hFirst && KvLoadStringFrom(hLib, nID, *this) >= 0)
        return TRUE;
    Empty();
    return FALSE;
}

// ---------------------------------------------------------------------------
// The library's application object, constructed when the library loads.

static CKvVXComBaseApp theLibraryApp;
