#pragma once
// The state of one print job as the printing code of a view or control
// sees it: the page range, the current page, the drawing rectangle and
// whether printing goes on.
#include "platform/Geometry.h"
#include "platform/core/String.h"

struct KVVX_API CPrintInfo
{
    CPrintInfo() = default;

    BOOL m_bDirect = FALSE;            // printed without asking the user
    BOOL m_bPreview = FALSE;           // drawn for a preview, not a printer
    BOOL m_bContinuePrinting = TRUE;   // cleared by the printing code to stop
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CString m_strPageDesc;
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw;                  // the printable area of the page, in logical units

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
    UINT m_nMaxPage = 0xFFFF;
    UINT m_nFromPage = 0;
    UINT m_nToPage = 0;
};
