#pragma once
// The gallery's "Windows" page: a lockable splitter with the sample grid in
// one pane and, in the other, the selected region's colour over a tab window
// of per-channel statistics; an Options dialog that expands with "More >>";
// and a long operation (loading a large generated table with the delimited
// reader) that reports its progress in the progress-note window.
#include "platform/Win32.h"
#include <string>

class CWnd;
struct AFX_CMDHANDLERINFO;

// Handles the Controls-menu commands of these pages for the main frame
// (ID_CONTROLS_WINDOWS, ID_CONTROLS_OPTIONS, ID_CONTROLS_LONG_OPERATION).
BOOL GalleryWindowsOnCmdMsg(CWnd* pMainFrame, UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo);

// Opens the page, clicks a row of the grid and a tab, expands the Options
// dialog, runs the long operation with its note window open, and renders
// the screen area of these windows into a PNG file. 0 on success, 3 when
// a window did not behave, 1 when the file cannot be written.
int GalleryWindowsScreenshot(CWnd* pMainFrame, const std::string& path);
