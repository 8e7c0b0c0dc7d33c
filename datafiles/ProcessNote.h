#pragma once
// The progress-note window: a small captioned window with a scrolling list
// of progress lines, shown over a host window while the host runs a long
// operation on its user-interface thread.
//
//   HWND hNote = cmCreateProcessNoteWnd(hMainWnd, "Loading");
//   cmSetPrpocessNote(hNote, "reading table ...");   // any number of times
//   cmDestroyProcessNoteWnd(hNote, 1);              // 0: wait for the user
//
// While the note window exists the host window is disabled; adding a note
// processes every pending message of the thread, so the host's windows stay
// painted and host code can be re-entered from inside these calls.
#include <windows.h>
#include "platform/core/kvExport.h"

// Opens the note window (the library's dialog template 65535) owned by
// hParent, with pszTitle as its caption, disables hParent and gives the note
// window the focus. NULL when the window cannot be created.
KVVX_API HWND cmCreateProcessNoteWnd(HWND hParent, const char* pszTitle);

// Appends pszNote as the last line of the note list and scrolls it to the top
// of the visible lines, then dispatches every message waiting in the thread's
// queue (without waiting for new ones). A quit request met on the way is
// posted again, so the host's own loop still ends. A window that is not a
// live note window is ignored (NULL included); a NULL note adds nothing.
KVVX_API void cmSetPrpocessNote(HWND hNoteWnd, const char* pszNote);

// Closes the note window. bCloseNow == 0 first runs a message loop until the
// user closes the window (its close box, or an OK/Cancel command), the window
// disappears some other way, or a quit request arrives (posted again for the
// host). The host window is enabled again, gets the focus and is repainted.
// A window that is not a live note window is ignored, so closing one twice,
// or one already gone, is harmless.
KVVX_API void cmDestroyProcessNoteWnd(HWND hNoteWnd, int bCloseNow);
