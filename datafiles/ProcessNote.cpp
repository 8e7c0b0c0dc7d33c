// The progress-note window: a modeless dialog driven by its caller.
#include "datafiles/ProcessNote.h"
#include "platform/WinApp.h"
#include "platform/kvVXComBaseResource.h"
#include <set>

namespace
{
// The note windows alive on this process: only these are touched, so a
// stale or foreign handle given back by the host does nothing.
std::set<HWND>& LiveNotes()
{
    static std::set<HWND> s_notes;
    return s_notes;
}

bool IsLiveNote(HWND hWnd)
{
    return hWnd && LiveNotes().count(hWnd) && ::IsWindow(hWnd);
}

INT_PTR CALLBACK ProcessNoteDlgProc(HWND hDlg, UINT message, WPARAM, LPARAM)
{
    switch (message)
    {
    case WM_INITDIALOG:
        LiveNotes().insert(hDlg);
        ::EnableWindow(::GetParent(hDlg), FALSE);
        ::SetFocus(hDlg);
        break;
    case WM_DESTROY:
    {
        HWND hParent = ::GetParent(hDlg);
        if (hParent)
        {
            ::EnableWindow(hParent, TRUE);
            ::SetFocus(hParent);
        }
        break;
    }
    case WM_NCDESTROY:
        LiveNotes().erase(hDlg);
        break;
    }
    // The dialog manager's defaults do the rest (a close box becomes a
    // Cancel command).
    return FALSE;
}
}  // namespace

HWND cmCreateProcessNoteWnd(HWND hParent, const char* pszTitle)
{
    if (hParent && !::IsWindow(hParent))
        hParent = nullptr;
    // The template lives in the library's own module, whichever module the
    // host is.
    HINSTANCE hLib = AfxGetLibraryInstance();
    HWND hDlg = ::CreateDialogParamA(hLib, MAKEINTRESOURCEA(IDD_KV_PROCESS_NOTE), hParent, ProcessNoteDlgProc, 0);
    if (!hDlg)
        return nullptr;
    ::SetFocus(hDlg);
    ::SetWindowTextA(hDlg, pszTitle ? pszTitle : "");
    ::ShowWindow(hDlg, SW_SHOW);
    return hDlg;
}

void cmSetPrpocessNote(HWND hNoteWnd, const char* pszNote)
{
    if (!IsLiveNote(hNoteWnd))
        return;
    if (pszNote)
    {
        LRESULT nIndex = ::SendDlgItemMessageA(hNoteWnd, IDC_KV_PROCESS_NOTE_LIST, LB_ADDSTRING, 0, (LPARAM)pszNote);
        if (nIndex >= 0)
            ::SendDlgItemMessageA(hNoteWnd, IDC_KV_PROCESS_NOTE_LIST, LB_SETTOPINDEX, (WPARAM)nIndex, 0);
    }
    // Keep the user interface alive: everything already queued is handled
    // now. A quit request cannot be put back while pumping (it would be taken
    // again at once), so it is posted again afterwards.
    bool bQuit = false;
    WPARAM nExitCode = 0;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            bQuit = true;
            nExitCode = msg.wParam;
            continue;
        }
        if (::IsWindow(hNoteWnd) && ::IsDialogMessageA(hNoteWnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (bQuit)
        ::PostQuitMessage((int)nExitCode);
}

void cmDestroyProcessNoteWnd(HWND hNoteWnd, int bCloseNow)
{
    if (!IsLiveNote(hNoteWnd))
        return;
    if (bCloseNow == 0)
    {
        // Wait for the user: the close box and OK/Cancel reach the note
        // window as commands 1 or 2. The wait also ends when the window is
        // gone by any other way, or when the thread is asked to quit.
        MSG msg;
        while (IsLiveNote(hNoteWnd))
        {
            BOOL bGot = ::GetMessageA(&msg, nullptr, 0, 0);
            if (bGot == 0)
            {
                ::PostQuitMessage((int)msg.wParam);
                break;
            }
            if (bGot == -1)
                break;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            if (msg.message == WM_COMMAND && msg.hwnd == hNoteWnd && (msg.wParam == IDOK || msg.wParam == IDCANCEL))
                break;
        }
        if (!IsLiveNote(hNoteWnd))
            return;
    }
    HWND hParent = ::GetParent(hNoteWnd);
    ::DestroyWindow(hNoteWnd);
    if (hParent)
        ::UpdateWindow(hParent);
}
