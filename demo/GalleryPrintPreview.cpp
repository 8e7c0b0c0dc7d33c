// The gallery's print preview window and its File > Print commands.
#include "demo/GalleryPrintPreview.h"
#include "demo/GalleryPrint.h"
#include <stdio.h>
#include <string.h>

namespace {

// Command ids of the preview's buttons.
const UINT kIdPrevPage = 33100;
const UINT kIdNextPage = 33101;
const UINT kIdClosePreview = 33102;
const int kBarHeight = 34;  // the strip of buttons above the page
const int kMargin = 12;     // grey around the page

// Answers the print dialog with the default printer, as a user pressing OK
// at once would.
class CDefaultPrinterAnswerer : public CModalUIAnswerer
{
public:
    BOOL AnswerPrintDialog(HWND, PRINTDLGA* ppd, INT_PTR* pnResult) override
    {
        PRINTDLGA pd;
        memset(&pd, 0, sizeof(pd));
        pd.lStructSize = sizeof(pd);
        pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
        *pnResult = IDCANCEL;
        if (::PrintDlgA(&pd))
        {
            ppd->hDC = pd.hDC;
            ppd->hDevMode = pd.hDevMode;
            ppd->hDevNames = pd.hDevNames;
            *pnResult = IDOK;
        }
        return TRUE;
    }
    BOOL AnswerMessageBox(HWND, LPCSTR lpszText, LPCSTR, UINT, int* pnResult) override
    {
        fprintf(stderr, "kvVXGallery: %s\n", lpszText);
        *pnResult = IDOK;
        return TRUE;
    }
};

}  // namespace

void GalleryPrint(CVXGridCtrl& grid)
{
    grid.Print();
}

bool GalleryPrintUnattended(CVXGridCtrl& grid)
{
    CDefaultPrinterAnswerer answerer;
    CModalUIAnswerer* pOld = AfxSetModalUIAnswerer(&answerer);
    BOOL bPrinted = grid.Print();
    AfxSetModalUIAnswerer(pOld);
    return bPrinted != FALSE;
}

bool GalleryCheckPrintPreview(CVXGridCtrl& grid, CWnd* pOwner)
{
    CPrintPreviewWnd* pWnd = GalleryShowPrintPreview(grid, pOwner);
    if (pWnd == nullptr)
    {
        fprintf(stderr, "kvVXGallery: the print preview window could not be made\n");
        return false;
    }
    // Page 2 when there is one, drawn as the window draws it; the page must
    // carry ink (text, lines), not stay blank.
    pWnd->SetPage(2);
    CRect rcPage(0, 0, 210, 297);
    CDC mem;
    CBitmap bmp;
    DWORD* pBits = nullptr;
    bool bOk = mem.CreateCompatibleDC(nullptr) && bmp.CreateDIBSection32(rcPage.Width(), rcPage.Height(), (void**)&pBits);
    int nInk = 0;
    if (bOk)
    {
        CBitmap* pOld = mem.SelectObject(&bmp);
        pWnd->DrawPage(&mem, rcPage);
        ::GdiFlush();
        for (int i = 0; i < rcPage.Width() * rcPage.Height(); i++)
            nInk += (pBits[i] & 0xFFFFFF) != 0xFFFFFF;
        mem.SelectObject(pOld);
    }
    UINT nPage = pWnd->GetPage(), nPages = pWnd->GetPageCount();
    pWnd->DestroyWindow();
    if (!bOk || nInk < 50 || nPage != (nPages > 1 ? 2u : 1u))
    {
        fprintf(stderr, "kvVXGallery: the print preview showed no page (%d dark pixels, page %u of %u)\n", nInk,
                nPage, nPages);
        return false;
    }
    printf("kvVXGallery: print preview page %u of %u drawn\n", nPage, nPages);
    return true;
}

CPrintPreviewWnd* GalleryShowPrintPreview(CVXGridCtrl& grid, CWnd* pOwner)
{
    CPrintPreviewWnd* pWnd = new CPrintPreviewWnd(grid);
    if (!pWnd->CreatePreview(pOwner))
    {
        delete pWnd;
        return nullptr;
    }
    return pWnd;
}

// ---------------------------------------------------------------------------

CPrintPreviewWnd::CPrintPreviewWnd(CVXGridCtrl& grid)
    : m_grid(grid), m_hRefDC(nullptr), m_hPage(nullptr), m_nPages(1), m_nPage(1)
{
    // The default printer gives the paper; without one the screen stands in.
    CPrintDialog dlg(FALSE);
    if (dlg.GetDefaults())
        m_hRefDC = dlg.DetachPrinterDC();
    HDC hMeasure = m_hRefDC ? m_hRefDC : ::GetDC(nullptr);
    m_sizePaper = CSize(::GetDeviceCaps(hMeasure, HORZRES), ::GetDeviceCaps(hMeasure, VERTRES));
    if (!m_hRefDC)
        ::ReleaseDC(nullptr, hMeasure);
}

CPrintPreviewWnd::~CPrintPreviewWnd()
{
    if (m_hPage)
        ::DeleteEnhMetaFile(m_hPage);
    if (m_hRefDC)
        ::DeleteDC(m_hRefDC);
}

BOOL CPrintPreviewWnd::CreatePreview(CWnd* pOwner)
{
    RecordPage();
    return CreateEx(0, nullptr, "Print Preview", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                    CW_USEDEFAULT, CW_USEDEFAULT, 520, 700, pOwner ? pOwner->GetSafeHwnd() : nullptr,
                    nullptr);
}

int CPrintPreviewWnd::OnCreate(LPCREATESTRUCTA cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    m_btnPrev.Create("< &Previous", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(8, 5, 98, 29), this, kIdPrevPage);
    m_btnNext.Create("&Next >", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(104, 5, 194, 29), this, kIdNextPage);
    m_btnClose.Create("&Close", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(200, 5, 290, 29), this,
                      kIdClosePreview);
    CFont* pFont = CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
    for (CButton* p : {&m_btnPrev, &m_btnNext, &m_btnClose})
        p->SetFont(pFont);
    UpdateTitle();
    return 0;
}

// Records the current page: the grid's page steps draw it into a metafile
// on the reference device, marked as printing so that cells are drawn the
// way the printer gets them.
void CPrintPreviewWnd::RecordPage()
{
    if (m_hPage)
    {
        ::DeleteEnhMetaFile(m_hPage);
        m_hPage = nullptr;
    }
    HDC hRef = m_hRefDC ? m_hRefDC : ::GetDC(nullptr);
    // The picture frame is the whole page, in hundredths of a millimetre.
    RECT rcFrame = {0, 0, ::GetDeviceCaps(hRef, HORZSIZE) * 100, ::GetDeviceCaps(hRef, VERTSIZE) * 100};
    HDC hMeta = ::CreateEnhMetaFileA(hRef, nullptr, &rcFrame, "kvVXGallery\0Print Preview\0");
    if (!m_hRefDC)
        ::ReleaseDC(nullptr, hRef);
    if (!hMeta)
        return;
    {
        CDC dc;
        dc.Attach(hMeta);
        dc.m_bPrinting = TRUE;
        CPrintInfo info;
        info.m_bPreview = TRUE;
        info.m_rectDraw.SetRect(0, 0, m_sizePaper.cx, m_sizePaper.cy);
        m_grid.OnBeginPrinting(&dc, &info);
        m_nPages = info.GetMaxPage();
        if (m_nPage > m_nPages)
            m_nPage = m_nPages;
        info.m_nCurPage = m_nPage;
        m_grid.OnPrint(&dc, &info);
        m_grid.OnEndPrinting(&dc, &info);
        dc.ReleaseSelections();
        dc.Detach();
    }
    m_hPage = ::CloseEnhMetaFile(hMeta);
}

void CPrintPreviewWnd::SetPage(UINT nPage)
{
    if (nPage < 1)
        nPage = 1;
    if (nPage > m_nPages)
        nPage = m_nPages;
    m_nPage = nPage;
    RecordPage();
    UpdateTitle();
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CPrintPreviewWnd::UpdateTitle()
{
    if (!GetSafeHwnd())
        return;
    CString title;
    title.Format("Print Preview - page %u of %u", m_nPage, m_nPages);
    SetWindowText(title);
    m_btnPrev.EnableWindow(m_nPage > 1);
    m_btnNext.EnableWindow(m_nPage < m_nPages);
}

CRect CPrintPreviewWnd::GetPageRect() const
{
    CRect rc;
    GetClientRect(&rc);
    rc.top += kBarHeight;
    rc.DeflateRect(kMargin, kMargin);
    if (rc.Width() <= 0 || rc.Height() <= 0 || m_sizePaper.cx <= 0 || m_sizePaper.cy <= 0)
        return CRect(0, 0, 0, 0);
    // As large as fits, in the paper's proportions, centred.
    int cx = rc.Width(), cy = ::MulDiv(cx, m_sizePaper.cy, m_sizePaper.cx);
    if (cy > rc.Height())
    {
        cy = rc.Height();
        cx = ::MulDiv(cy, m_sizePaper.cx, m_sizePaper.cy);
    }
    int x = rc.left + (rc.Width() - cx) / 2, y = rc.top + (rc.Height() - cy) / 2;
    return CRect(x, y, x + cx, y + cy);
}

void CPrintPreviewWnd::DrawPage(CDC* pDC, const CRect& rcPage)
{
    pDC->FillSolidRect(rcPage, RGB(255, 255, 255));
    if (m_hPage)
        ::PlayEnhMetaFile(pDC->m_hDC, m_hPage, &rcPage);
}

void CPrintPreviewWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    // The page is played into a memory context of the window's size, then
    // copied in one step.
    CDC mem;
    CBitmap bmp;
    if (!mem.CreateCompatibleDC(&dc) || !bmp.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height()))
        return;
    CBitmap* pOld = mem.SelectObject(&bmp);
    mem.FillSolidRect(rcClient, ::GetSysColor(COLOR_APPWORKSPACE));
    mem.FillSolidRect(0, 0, rcClient.Width(), kBarHeight, ::GetSysColor(COLOR_BTNFACE));
    CRect rcPage = GetPageRect();
    if (!rcPage.IsRectEmpty())
    {
        CRect rcShadow(rcPage);
        rcShadow.OffsetRect(4, 4);
        mem.FillSolidRect(rcShadow, RGB(64, 64, 64));
        DrawPage(&mem, rcPage);
    }
    dc.BitBlt(0, kBarHeight, rcClient.Width(), rcClient.Height() - kBarHeight, &mem, 0, kBarHeight, SRCCOPY);
    mem.SelectObject(pOld);
}

BOOL CPrintPreviewWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(0, 0, rc.Width(), kBarHeight, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CPrintPreviewWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Invalidate(FALSE);
}

void CPrintPreviewWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar)
    {
    case VK_NEXT:
    case VK_RIGHT:
    case VK_DOWN: SetPage(m_nPage + 1); break;
    case VK_PRIOR:
    case VK_LEFT:
    case VK_UP: SetPage(m_nPage > 1 ? m_nPage - 1 : 1); break;
    case VK_HOME: SetPage(1); break;
    case VK_END: SetPage(m_nPages); break;
    case VK_ESCAPE: DestroyWindow(); break;
    default: CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

BOOL CPrintPreviewWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
    case kIdPrevPage: SetPage(m_nPage > 1 ? m_nPage - 1 : 1); break;
    case kIdNextPage: SetPage(m_nPage + 1); break;
    case kIdClosePreview: DestroyWindow(); return TRUE;
    default: return CWnd::OnCommand(wParam, lParam);
    }
    SetFocus();  // the keys turn pages again
    return TRUE;
}

void CPrintPreviewWnd::PostNcDestroy()
{
    delete this;
}
