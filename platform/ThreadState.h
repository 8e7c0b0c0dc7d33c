#pragma once
// Per-thread state of the window framework (internal to the library).
// Windows belong to the thread that created them, so the handle maps, the
// message being processed and the window being created are kept per thread.
// DllMain frees a thread's state when the thread ends.
#include <windows.h>
#include <unordered_map>

class CWnd;
class CDC;
class CGdiObject;

struct KvThreadState
{
    // Bound ("permanent") wrappers and the temporary ones made by FromHandle.
    std::unordered_map<HWND, CWnd*> mapPermWnd, mapTempWnd;
    std::unordered_map<HDC, CDC*> mapTempDC;
    std::unordered_map<HGDIOBJ, CGdiObject*> mapPermGdi, mapTempGdi;

    // Window creation: the object waiting for its window, the parent and
    // creation parameter it was asked for, the CBT hook and its use count.
    CWnd* pWndInit = nullptr;
    HWND hWndInitParent = nullptr;
    LPVOID pInitParam = nullptr;
    // Dialogs: the first window made is the awaited one (the dialog
    // manager chooses its owner and creation parameter itself).
    bool bInitAnyWindow = false;
    HHOOK hHookCbt = nullptr;
    int nCreateDepth = 0;

    // The message being processed and what its default processing returned.
    MSG msgCur = {};
    LRESULT lDefaultResult = 0;
    BOOL bDefaultCalled = FALSE;

    // OLE was initialised on this thread through AfxOleInit.
    BOOL bOleInitialized = FALSE;
};

KvThreadState* KvGetThreadState();
// Called from DllMain when a thread ends.
void KvFreeThreadState();
