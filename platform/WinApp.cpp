// CWinThread, CWinApp: message loop, idle processing and the profile.
#include "platform/WinApp.h"
#include "platform/OleDataTransfer.h"
#include "platform/Wnd.h"
#include "platform/FrameWnd.h"
#include "platform/ThreadState.h"
#include <ole2.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

static CWinApp* g_pHostApp = nullptr;
static CWinApp* g_pLibraryApp = nullptr;
static HINSTANCE g_hResource = nullptr;
HINSTANCE KvLibraryInstance();  // ModuleFrame.cpp

// ---------------------------------------------------------------------------
// CWinThread

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance()
{
    AfxDeleteTempMaps();
    return (int)m_msgCur.wParam;
}

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur))
    {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Timer ticks, paints and the idle kick itself do not restart idle work.
    return pMsg->message != WM_TIMER && pMsg->message != WM_PAINT && pMsg->message != WM_KICKIDLE &&
           pMsg->message != 0x0118 /* caret blink */;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;)
    {
        MSG msg;
        while (bIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = GetMainWnd();
    HWND hMain = pMainWnd ? pMainWnd->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(hMain, pMsg))
        return TRUE;
    // Messages of other top-level windows (modeless tools) still get the
    // main window's accelerators.
    if (hMain && pMsg->hwnd != hMain && !::IsChild(hMain, pMsg->hwnd) && pMainWnd->PreTranslateMessage(pMsg))
        return TRUE;
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        CWnd* pMainWnd = GetMainWnd();
        if (pMainWnd && pMainWnd->m_hWnd && ::IsWindowVisible(pMainWnd->m_hWnd))
        {
            // Control bars and other command-holding children refresh their
            // items; the frame itself may follow.
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    if (lCount == 1)
    {
        AfxDeleteTempMaps();
        return FALSE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// CWinApp: names

static LPCSTR KvDup(LPCSTR s)
{
    return s ? _strdup(s) : nullptr;
}

CWinApp::CWinApp(LPCSTR lpszAppName)
{
    Construct(lpszAppName, false);
}

CWinApp::CWinApp(LPCSTR lpszAppName, bool bLibraryApp)
{
    Construct(lpszAppName, bLibraryApp);
}

void CWinApp::Construct(LPCSTR lpszAppName, bool bLibraryApp)
{
    m_bLibraryApp = bLibraryApp;
    m_pszAppName = KvDup(lpszAppName);
    if (bLibraryApp)
    {
        g_pLibraryApp = this;
        m_hInstance = KvLibraryInstance();
    }
    else
    {
        g_pHostApp = this;
        m_hInstance = ::GetModuleHandleA(nullptr);
    }
}

CWinApp::~CWinApp()
{
    free((void*)m_pszAppName);
    free((void*)m_pszRegistryKey);
    free((void*)m_pszProfileName);
    free((void*)m_pszExeName);
    if (g_pHostApp == this)
        g_pHostApp = nullptr;
    if (g_pLibraryApp == this)
        g_pLibraryApp = nullptr;
}

void CWinApp::SetAppName(LPCSTR lpsz)
{
    free((void*)m_pszAppName);
    m_pszAppName = KvDup(lpsz);
}

void CWinApp::SetProfileName(LPCSTR lpsz)
{
    free((void*)m_pszProfileName);
    m_pszProfileName = KvDup(lpsz);
}

// Fills in the names not set: the executable's title, the application
// name from it, and the profile name (the INI file, or with a registry key
// the application name).
void CWinApp::CompleteNames()
{
    if (!m_pszExeName)
    {
        char szPath[MAX_PATH] = "";
        ::GetModuleFileNameA(m_hInstance, szPath, MAX_PATH);
        char* pName = strrchr(szPath, '\\');
        pName = pName ? pName + 1 : szPath;
        char* pDot = strrchr(pName, '.');
        if (pDot)
            *pDot = 0;
        m_pszExeName = KvDup(pName);
    }
    if (!m_pszAppName)
        m_pszAppName = KvDup(m_pszExeName);
    if (!m_pszProfileName)
    {
        if (m_pszRegistryKey)
            m_pszProfileName = KvDup(m_pszAppName);
        else
        {
            CString s(m_pszExeName);
            s += ".INI";
            m_pszProfileName = KvDup(s);
        }
    }
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey)
{
    free((void*)m_pszRegistryKey);
    m_pszRegistryKey = KvDup(lpszRegistryKey);
    CompleteNames();
    SetProfileName(m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString s;
    s.LoadString(nIDRegistryKey);
    SetRegistryKey((LPCSTR)s);
}

BOOL CWinApp::InitApplication()
{
    CompleteNames();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Profile: registry

HKEY CWinApp::GetAppRegistryKey()
{
    CompleteNames();
    if (!m_pszRegistryKey || !*m_pszRegistryKey || !m_pszProfileName)
        return nullptr;
    CString path("Software\\");
    path += m_pszRegistryKey;
    path += "\\";
    path += m_pszProfileName;
    HKEY hKey = nullptr;
    DWORD dw = 0;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          nullptr, &hKey, &dw) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection)
{
    if (!lpszSection)
        return nullptr;
    HKEY hApp = GetAppRegistryKey();
    if (!hApp)
        return nullptr;
    HKEY hSection = nullptr;
    DWORD dw = 0;
    if (::RegCreateKeyExA(hApp, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                          &hSection, &dw) != ERROR_SUCCESS)
        hSection = nullptr;
    ::RegCloseKey(hApp);
    return hSection;
}

// ---------------------------------------------------------------------------
// Profile: INI binary values as hexadecimal text

static CString KvHexEncode(const BYTE* p, UINT n)
{
    static const char digits[] = "0123456789ABCDEF";
    CString s;
    char* out = s.GetBuffer((int)(n * 2));
    for (UINT i = 0; i < n; ++i)
    {
        out[2 * i] = digits[p[i] >> 4];
        out[2 * i + 1] = digits[p[i] & 15];
    }
    s.ReleaseBuffer((int)(n * 2));
    return s;
}

static int KvHexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// ---------------------------------------------------------------------------
// Profile operations

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault)
{
    if (!lpszSection || !lpszEntry)
        return (UINT)nDefault;
    CompleteNames();
    if (m_pszRegistryKey)
    {
        HKEY hSec = GetSectionKey(lpszSection);
        if (!hSec)
            return (UINT)nDefault;
        DWORD dwValue = 0, dwType = 0, dwCount = sizeof(DWORD);
        LONG l = ::RegQueryValueExA(hSec, lpszEntry, nullptr, &dwType, (LPBYTE)&dwValue, &dwCount);
        ::RegCloseKey(hSec);
        if (l == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD))
            return (UINT)dwValue;
        return (UINT)nDefault;
    }
    return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue)
{
    if (!lpszSection || !lpszEntry)
        return FALSE;
    CompleteNames();
    if (m_pszRegistryKey)
    {
        HKEY hSec = GetSectionKey(lpszSection);
        if (!hSec)
            return FALSE;
        DWORD dw = (DWORD)nValue;
        LONG l = ::RegSetValueExA(hSec, lpszEntry, 0, REG_DWORD, (const BYTE*)&dw, sizeof(dw));
        ::RegCloseKey(hSec);
        return l == ERROR_SUCCESS;
    }
    char sz[16];
    wsprintfA(sz, "%d", nValue);
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, sz, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault)
{
    CString strDefault(lpszDefault ? lpszDefault : "");
    if (!lpszSection || !lpszEntry)
        return strDefault;
    CompleteNames();
    if (m_pszRegistryKey)
    {
        HKEY hSec = GetSectionKey(lpszSection);
        if (!hSec)
            return strDefault;
        DWORD dwType = 0, dwCount = 0;
        LONG l = ::RegQueryValueExA(hSec, lpszEntry, nullptr, &dwType, nullptr, &dwCount);
        CString value;
        if (l == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ))
        {
            std::vector<char> buf(dwCount + 1, 0);
            l = ::RegQueryValueExA(hSec, lpszEntry, nullptr, &dwType, (LPBYTE)buf.data(), &dwCount);
            if (l == ERROR_SUCCESS)
            {
                buf[dwCount < buf.size() ? dwCount : buf.size() - 1] = 0;
                value = buf.data();
            }
        }
        ::RegCloseKey(hSec);
        return l == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ) ? value : strDefault;
    }
    // Grows the buffer until the whole value fits.
    for (DWORD nSize = 256; nSize <= (1u << 24); nSize *= 4)
    {
        std::vector<char> buf(nSize, 0);
        DWORD n = ::GetPrivateProfileStringA(lpszSection, lpszEntry, strDefault, buf.data(), nSize,
                                             m_pszProfileName);
        if (n < nSize - 1)
            return CString(buf.data());
    }
    return strDefault;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue)
{
    if (!lpszSection)
        return FALSE;
    CompleteNames();
    if (m_pszRegistryKey)
    {
        if (!lpszEntry)
        {
            HKEY hApp = GetAppRegistryKey();
            if (!hApp)
                return FALSE;
            LONG l = ::RegDeleteKeyA(hApp, lpszSection);
            ::RegCloseKey(hApp);
            return l == ERROR_SUCCESS;
        }
        HKEY hSec = GetSectionKey(lpszSection);
        if (!hSec)
            return FALSE;
        LONG l;
        if (!lpszValue)
            l = ::RegDeleteValueA(hSec, lpszEntry);
        else
            l = ::RegSetValueExA(hSec, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue, (DWORD)strlen(lpszValue) + 1);
        ::RegCloseKey(hSec);
        return l == ERROR_SUCCESS;
    }
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (!ppData || !pBytes)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    if (!lpszSection || !lpszEntry)
        return FALSE;
    CompleteNames();
    if (m_pszRegistryKey)
    {
        HKEY hSec = GetSectionKey(lpszSection);
        if (!hSec)
            return FALSE;
        DWORD dwType = 0, dwCount = 0;
        LONG l = ::RegQueryValueExA(hSec, lpszEntry, nullptr, &dwType, nullptr, &dwCount);
        if (l == ERROR_SUCCESS && dwType == REG_BINARY)
        {
            LPBYTE p = new BYTE[dwCount ? dwCount : 1];
            l = ::RegQueryValueExA(hSec, lpszEntry, nullptr, &dwType, p, &dwCount);
            if (l == ERROR_SUCCESS)
            {
                *ppData = p;
                *pBytes = dwCount;
            }
            else
                delete[] p;
        }
        ::RegCloseKey(hSec);
        return *ppData != nullptr;
    }
    CString s = GetProfileString(lpszSection, lpszEntry, nullptr);
    int n = s.GetLength();
    if (n == 0 || (n % 2) != 0)
        return FALSE;
    LPBYTE p = new BYTE[n / 2];
    for (int i = 0; i < n / 2; ++i)
    {
        int hi = KvHexDigit(s[2 * i]);
        int lo = KvHexDigit(s[2 * i + 1]);
        if (hi < 0 || lo < 0)
        {
            delete[] p;
            return FALSE;
        }
        p[i] = (BYTE)(hi * 16 + lo);
    }
    *ppData = p;
    *pBytes = (UINT)(n / 2);
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (!lpszSection || !lpszEntry || (!pData && nBytes))
        return FALSE;
    CompleteNames();
    if (m_pszRegistryKey)
    {
        HKEY hSec = GetSectionKey(lpszSection);
        if (!hSec)
            return FALSE;
        LONG l = ::RegSetValueExA(hSec, lpszEntry, 0, REG_BINARY, pData, nBytes);
        ::RegCloseKey(hSec);
        return l == ERROR_SUCCESS;
    }
    if (nBytes > (1u << 22))
        return FALSE;
    CString s = KvHexEncode(pData, nBytes);
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, s, m_pszProfileName);
}

// ---------------------------------------------------------------------------
// Global accessors

CKvVXComBaseApp::CKvVXComBaseApp() : CWinApp("kvVXComBase", true)
{
}

CWinApp* AfxGetApp()
{
    return g_pHostApp ? g_pHostApp : g_pLibraryApp;
}

CWinApp* AfxGetLibraryApp()
{
    return g_pLibraryApp;
}

CWnd* AfxGetMainWnd()
{
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (g_pHostApp && g_pHostApp->m_hInstance)
        return g_pHostApp->m_hInstance;
    return ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_hResource ? g_hResource : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}

HINSTANCE AfxGetLibraryInstance()
{
    return KvLibraryInstance();
}

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    HINSTANCE hFirst = AfxGetResourceHandle();
    if (hFirst && ::FindResourceA(hFirst, lpszName, lpszType))
        return hFirst;
    HINSTANCE hLib = KvLibraryInstance();
    if (hLib && ::FindResourceA(hLib, lpszName, lpszType))
        return hLib;
    return nullptr;
}

LPCSTR AfxGetAppName()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return "";
    if (!pApp->m_pszAppName)
        pApp->InitApplication();
    return pApp->m_pszAppName ? pApp->m_pszAppName : "";
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = g_pHostApp;
    if (!pApp)
        return -1;
    pApp->m_hInstance = hInstance ? hInstance : ::GetModuleHandleA(nullptr);
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    int nResult;
    if (!pApp->InitApplication() || !pApp->InitInstance())
    {
        if (pApp->m_pMainWnd && pApp->m_pMainWnd->m_hWnd)
            pApp->m_pMainWnd->DestroyWindow();
        nResult = pApp->ExitInstance();
    }
    else
        nResult = pApp->Run();
    return nResult;
}

// ---------------------------------------------------------------------------
// OLE

BOOL AfxOleInit()
{
    KvThreadState* ts = KvGetThreadState();
    if (ts->bOleInitialized)
        return TRUE;
    HRESULT hr = ::OleInitialize(nullptr);
    if (FAILED(hr))
        return FALSE;
    ts->bOleInitialized = TRUE;
    return TRUE;
}

BOOL AfxOleIsInitialized()
{
    return KvGetThreadState()->bOleInitialized;
}

void AfxOleTerm()
{
    KvThreadState* ts = KvGetThreadState();
    if (ts->bOleInitialized)
    {
        ts->bOleInitialized = FALSE;
        // Data this process offers on the clipboard outlives OLE.
        COleDataSource::FlushClipboard();
        ::OleUninitialize();
    }
}
