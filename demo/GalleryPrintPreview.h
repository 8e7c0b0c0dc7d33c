#pragma once
// A print preview window: each page is recorded by the grid's page steps
// (OnBeginPrinting, OnPrint, OnEndPrinting) into an enhanced metafile whose
// reference device is the default printer (the screen when there is
// none), so the page has the paper's proportions and the printer's
// measures; the window plays it into a memory context scaled to its size.
// Previous / Next (buttons, or Page Up / Page Down and the arrow keys) turn
// the pages; Escape closes the window.
#include "platform/Win32.h"
#include "grid/GridCtrl.h"

class CPrintPreviewWnd : public CWnd
{
public:
    explicit CPrintPreviewWnd(CVXGridCtrl& grid);
    ~CPrintPreviewWnd() override;

    BOOL CreatePreview(CWnd* pOwner);
    UINT GetPageCount() const { return m_nPages; }
    UINT GetPage() const { return m_nPage; }
    // Shows page nPage (clamped to 1..page count).
    void SetPage(UINT nPage);
    // The page as shown, drawn into pDC over rcPage.
    void DrawPage(CDC* pDC, const CRect& rcPage);
    // Where the page sits in the client area (the paper's proportions).
    CRect GetPageRect() const;

protected:
    int OnCreate(LPCREATESTRUCTA cs) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    void RecordPage();
    void UpdateTitle();

    CVXGridCtrl& m_grid;
    HDC m_hRefDC;            // the printer's context, or NULL for the screen
    HENHMETAFILE m_hPage;    // the recorded current page
    UINT m_nPages;
    UINT m_nPage;
    CSize m_sizePaper;       // HORZRES x VERTRES of the reference device
    CButton m_btnPrev, m_btnNext, m_btnClose;
};
