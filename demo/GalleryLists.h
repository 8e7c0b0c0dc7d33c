#pragma once
// The gallery's "Lists and properties" window: the files of the gallery's
// folder in a CSortListCtrl (sortable by every column, the Note column
// edited in place with a CGfxInEdit), and a CPropertyList of the main
// grid's settings that changes the grid live.
#include <string>

class CWnd;
class CVXGridCtrl;

// Opens the window (or brings it to the front), owned by pOwner, working
// on pGrid.
void ShowListsWindow(CWnd* pOwner, CVXGridCtrl* pGrid);

// Opens the window, uses it as a user would with real messages (a title
// click sorts the files by size, a note is typed into a cell, the grid's
// lines and text colour are changed through the property list), renders it
// into the PNG file path and closes it. False, saying why on stderr, when a
// step did not have its effect or the file cannot be written.
bool RenderListsScreenshot(CWnd* pOwner, CVXGridCtrl* pGrid, const std::string& path);
