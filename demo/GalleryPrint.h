#pragma once
// The gallery's printing: File > Print prints the grid through the real
// print dialog; File > Print Preview opens a window that shows the pages
// the grid's own page steps draw, one at a time.
#include "platform/Win32.h"
#include "grid/GridCtrl.h"

class CPrintPreviewWnd;

// File > Print: the print dialog, then the grid's pages.
void GalleryPrint(CVXGridCtrl& grid);

// Prints the grid on the default printer without asking (the dialog is
// answered through the modal-UI answerer): for the screenshot run, which
// leaves a PDF of what it shows. FALSE when nothing was printed.
bool GalleryPrintUnattended(CVXGridCtrl& grid);

// File > Print Preview: a window owned by pOwner showing page 1 of the
// grid's printout, with previous and next page; it deletes itself when
// closed. NULL when it cannot be made.
CPrintPreviewWnd* GalleryShowPrintPreview(CVXGridCtrl& grid, CWnd* pOwner);

// Opens the preview, turns to page 2 and checks that the page drawn
// carries the grid's ink, then closes it: for the screenshot run.
bool GalleryCheckPrintPreview(CVXGridCtrl& grid, CWnd* pOwner);
