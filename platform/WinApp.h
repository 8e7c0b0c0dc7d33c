#pragma once
// The application object, its message loop and its profile.
//
// Two application objects live in a process that uses the library: the
// host's own CWinApp (the "current" application: AfxGetApp, the main
// window, the profile the controls write to) and the library's
// CKvVXComBaseApp, which only stands for the library's module (its instance
// and resources). A CWinApp constructed by the host becomes the current
// application; the library's object never does. When the host has no
// CWinApp (a plain Win32 program), AfxGetApp returns the library's object so
// the controls still have a profile to use.
//
// Profile: with a registry key set (SetRegistryKey), values live under
// HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>;
// otherwise in the INI file m_pszProfileName, binary values as hexadecimal
// text.
#include <windows.h>
#include "platform/core/kvExport.h"
#include "platform/CmdTarget.h"
#include "platform/core/String.h"

class CWnd;

class KVVX_API CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread() = default;

    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur = {};

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop: messages, with idle processing whenever the queue
    // runs empty, until WM_QUIT; returns ExitInstance().
    virtual int Run();
    // Walks the message's window and its parents up to the main window,
    // then the main window, through PreTranslateMessage.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Idle work: count 0 updates the command state of the main window's
    // control bars and frame; count 1 deletes temporary wrappers. Returns
    // TRUE while more idle work is left.
    virtual BOOL OnIdle(LONG lCount);
    // Gets and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd();
};

class KVVX_API CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // The new object becomes the current application.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Names (owned by the object, freed with it). The application name
    // defaults to the program file's name without extension.
    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;
    LPCSTR m_pszProfileName = nullptr;
    LPCSTR m_pszExeName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    // Keeps the profile in the registry under Software\<lpszRegistryKey>;
    // the profile name becomes the application name.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // Replaces one of the name fields with a copy of lpsz (NULL clears it).
    void SetAppName(LPCSTR lpsz);
    void SetProfileName(LPCSTR lpsz);

    UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
    CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
    // A NULL value deletes the entry; a NULL entry deletes the section.
    BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
    // *ppData receives a block allocated with new[] (the caller delete[]s
    // it) and *pBytes its size. FALSE (and NULL, 0) when the entry is
    // missing or malformed.
    BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // HKCU\Software\<key>\<profile name>, created when missing; the caller
    // closes it. NULL without a registry key.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCSTR lpszSection);

    // Runs InitInstance and the message loop (see AfxWinMain).
    BOOL InitApplication();

protected:
    // For the library's own application object: it does not become the
    // current application.
    CWinApp(LPCSTR lpszAppName, bool bLibraryApp);
    void CompleteNames();

private:
    void Construct(LPCSTR lpszAppName, bool bLibraryApp);
    bool m_bLibraryApp = false;
};

// The library's application object: the framework's application class
// with nothing added. It is constructed when the library loads.
class KVVX_API CKvVXComBaseApp : public CWinApp
{
public:
    CKvVXComBaseApp();
};

// The current application (the host's, else the library's object).
KVVX_API CWinApp* AfxGetApp();
// The library's own application object.
KVVX_API CWinApp* AfxGetLibraryApp();
KVVX_API CWnd* AfxGetMainWnd();
// The module windows and window classes are created for: the current
// application's instance (the host program's module).
KVVX_API HINSTANCE AfxGetInstanceHandle();
// The module searched first for resources (the host's unless set), and the
// library's own module.
KVVX_API HINSTANCE AfxGetResourceHandle();
KVVX_API void AfxSetResourceHandle(HINSTANCE hInstResource);
KVVX_API HINSTANCE AfxGetLibraryInstance();
// The module that holds the resource: the resource handle, then the
// library's module; NULL when neither has it.
KVVX_API HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
KVVX_API LPCSTR AfxGetAppName();
// The host's entry: sets up the current application and runs it.
KVVX_API int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// OLE for the calling thread: AfxOleInit initialises it once per thread
// (TRUE on success or when already done); AfxOleIsInitialized tells whether
// it was done through the framework, so components that would otherwise
// initialise OLE themselves know not to.
KVVX_API BOOL AfxOleInit();
KVVX_API BOOL AfxOleIsInitialized();
KVVX_API void AfxOleTerm();
