#pragma once
// The state of one print job as the printing code of a view or control
// sees it: the page range, the current page, the drawing rectangle, whether
// printing goes on, and the print dialog that chose the printer.
#include "platform/Geometry.h"
#include "platform/core/String.h"

class CPrintDialog;

struct KVVX_API CPrintInfo
{
    // Makes the record's print dialog (a print dialog, not set-up only, all
    // pages, copies through the device mode, no selection choice).
    CPrintInfo();
    // Deletes the dialog and with it the printer context and the device
    // memory it still owns.
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    CPrintDialog* m_pPD = nullptr;     // owned; NULL only when it could not be made
    BOOL m_bDirect = FALSE;            // printed without asking the user
    BOOL m_bPreview = FALSE;           // drawn for a preview, not a printer
    BOOL m_bContinuePrinting = TRUE;   // cleared by the printing code to stop
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CString m_strPageDesc;
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw;                  // the printable area of the page, in logical units

    // The document's pages run from the minimum to the maximum page. The
    // maximum is 1 until the printing code counts its pages, so a job that
    // never counts them prints one page and ends.
    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    // The range the user chose (all pages when none was chosen).
    void SetFromPage(UINT nFrom) { m_nFromPage = nFrom; }
    void SetToPage(UINT nTo) { m_nToPage = nTo; }
    UINT GetFromPage() const { return m_nFromPage ? m_nFromPage : m_nMinPage; }
    UINT GetToPage() const { return m_nToPage ? m_nToPage : m_nMaxPage; }

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 1;
    UINT m_nFromPage = 0;
    UINT m_nToPage = 0;
};
