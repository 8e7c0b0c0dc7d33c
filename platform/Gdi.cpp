// Device contexts and GDI object wrappers.
#include "platform/Gdi.h"
#include "platform/Wnd.h"
#include "platform/core/String.h"
#include "platform/ThreadState.h"
#include "platform/WinApp.h"
#include <vector>
#include <typeinfo>
#include <string.h>
#include <stdlib.h>

// ---------------------------------------------------------------------------
// CGdiObject

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

static CGdiObject* KvNewGdiWrapper(HGDIOBJ hObject)
{
    switch (::GetObjectType(hObject))
    {
    case OBJ_PEN:
    case OBJ_EXTPEN: return new CPen;
    case OBJ_BRUSH: return new CBrush;
    case OBJ_FONT: return new CFont;
    case OBJ_BITMAP: return new CBitmap;
    case OBJ_REGION: return new CRgn;
    case OBJ_PAL: return new CPalette;
    default: return new CGdiObject;
    }
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    if (!hObject)
        return nullptr;
    KvThreadState* ts = KvGetThreadState();
    auto it = ts->mapPermGdi.find(hObject);
    if (it != ts->mapPermGdi.end())
        return it->second;
    auto jt = ts->mapTempGdi.find(hObject);
    if (jt != ts->mapTempGdi.end())
    {
        // A handle value can be reused by an object of another kind after
        // the first was deleted: the wrapper must match the object now.
        CGdiObject* pOld = jt->second;
        CGdiObject* pProbe = KvNewGdiWrapper(hObject);
        bool bSameKind = typeid(*pProbe) == typeid(*pOld);
        if (bSameKind)
        {
            delete pProbe;
            return pOld;
        }
        pOld->m_hObject = nullptr;
        delete pOld;
        pProbe->m_hObject = hObject;
        jt->second = pProbe;
        return pProbe;
    }
    CGdiObject* p = KvNewGdiWrapper(hObject);
    p->m_hObject = hObject;
    ts->mapTempGdi[hObject] = p;
    return p;
}

void CGdiObject::DeleteTempMap()
{
    KvThreadState* ts = KvGetThreadState();
    std::unordered_map<HGDIOBJ, CGdiObject*> temp;
    temp.swap(ts->mapTempGdi);
    for (auto& e : temp)
    {
        e.second->m_hObject = nullptr;  // temporary wrappers never free the handle
        delete e.second;
    }
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject)
        return FALSE;
    if (m_hObject)
        DeleteObject();
    KvThreadState* ts = KvGetThreadState();
    auto jt = ts->mapTempGdi.find(hObject);
    if (jt != ts->mapTempGdi.end())
    {
        jt->second->m_hObject = nullptr;
        delete jt->second;
        ts->mapTempGdi.erase(jt);
    }
    m_hObject = hObject;
    ts->mapPermGdi[hObject] = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (h)
    {
        KvThreadState* ts = KvGetThreadState();
        auto it = ts->mapPermGdi.find(h);
        if (it != ts->mapPermGdi.end() && it->second == this)
            ts->mapPermGdi.erase(it);
    }
    m_hObject = nullptr;
    m_bStock = false;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    const bool bStock = m_bStock;
    HGDIOBJ h = Detach();
    return bStock ? TRUE : ::DeleteObject(h);
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return m_hObject ? ::GetObjectA(m_hObject, nCount, lpObject) : 0;
}

UINT CGdiObject::GetObjectType() const
{
    return m_hObject ? ::GetObjectType(m_hObject) : 0;
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    HGDIOBJ h = ::GetStockObject(nIndex);
    if (!h || !Attach(h))
        return FALSE;
    m_bStock = true;
    return TRUE;
}

BOOL CGdiObject::UnrealizeObject()
{
    return m_hObject ? ::UnrealizeObject(m_hObject) : FALSE;
}

// ---------------------------------------------------------------------------
// Pens, brushes, fonts, bitmaps, regions

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    CreatePen(nPenStyle, nWidth, crColor);
}
BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}
BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    return lpLogPen ? Attach(::CreatePenIndirect(lpLogPen)) : FALSE;
}

CBrush::CBrush(COLORREF crColor)
{
    CreateSolidBrush(crColor);
}
BOOL CBrush::CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return pBitmap ? Attach(::CreatePatternBrush((HBITMAP)pBitmap->m_hObject)) : FALSE;
}
BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    // System colour brushes belong to the system; this one is made fresh so
    // the wrapper can own and delete it like any other.
    return Attach(::CreateSolidBrush(::GetSysColor(nIndex)));
}
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return lpLogBrush ? Attach(::CreateBrushIndirect(lpLogBrush)) : FALSE;
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont)
{
    return lpLogFont ? Attach(::CreateFontIndirectA(lpLogFont)) : FALSE;
}
BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename)
{
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                                cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily,
                                lpszFacename));
}
BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC)
{
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName)
        lstrcpynA(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, pDC);
}
BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC)
{
    if (!lpLogFont)
        return FALSE;
    HDC hDC = pDC && pDC->m_hAttribDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
    // lfHeight holds tenths of a point: convert to logical units of the DC.
    LOGFONTA lf = *lpLogFont;
    POINT pt;
    pt.y = ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lf.lfHeight, 720);
    pt.x = 0;
    ::DPtoLP(hDC, &pt, 1);
    POINT ptOrg = {0, 0};
    ::DPtoLP(hDC, &ptOrg, 1);
    lf.lfHeight = -abs(pt.y - ptOrg.y);
    if (!(pDC && pDC->m_hAttribDC))
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_BITMAP);
    return Attach(::LoadBitmapA(hInst, lpszResourceName));
}
BOOL CBitmap::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }
BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap) { return Attach(::LoadBitmapA(nullptr, MAKEINTRESOURCEA(nIDBitmap))); }
BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}
BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    return lpBitmap ? Attach(::CreateBitmapIndirect(lpBitmap)) : FALSE;
}
BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (!pDC || !pDC->m_hDC)
        return FALSE;
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}
BOOL CBitmap::CreateDIBSection32(int nWidth, int nHeight, void** ppBits)
{
    if (nWidth <= 0 || nHeight <= 0)
        return FALSE;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP h = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (ppBits)
        *ppBits = pBits;
    return Attach(h);
}
CSize CBitmap::GetBitmapDimension() const
{
    SIZE s = {0, 0};
    if (m_hObject)
        ::GetBitmapDimensionEx((HBITMAP)m_hObject, &s);
    return CSize(s);
}
DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    return m_hObject ? (DWORD)::GetBitmapBits((HBITMAP)m_hObject, (LONG)dwCount, lpBits) : 0;
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) { return lpRect ? Attach(::CreateRectRgnIndirect(lpRect)) : FALSE; }
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode)
{
    return lpPoints ? Attach(::CreatePolygonRgn(lpPoints, nCount, nMode)) : FALSE;
}
void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2); }
void CRgn::SetRectRgn(LPCRECT r) { ::SetRectRgn((HRGN)m_hObject, r->left, r->top, r->right, r->bottom); }
int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn((HRGN)m_hObject, pRgn1 ? (HRGN)pRgn1->m_hObject : nullptr,
                        pRgn2 ? (HRGN)pRgn2->m_hObject : nullptr, nCombineMode);
}
int CRgn::CopyRgn(const CRgn* pRgnSrc)
{
    return pRgnSrc ? ::CombineRgn((HRGN)m_hObject, (HRGN)pRgnSrc->m_hObject, nullptr, RGN_COPY) : ERROR;
}
BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    return pRgn ? ::EqualRgn((HRGN)m_hObject, (HRGN)pRgn->m_hObject) : FALSE;
}
int CRgn::OffsetRgn(int x, int y) { return ::OffsetRgn((HRGN)m_hObject, x, y); }
int CRgn::GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox((HRGN)m_hObject, lpRect); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y); }
BOOL CRgn::RectInRegion(LPCRECT lpRect) const { return ::RectInRegion((HRGN)m_hObject, lpRect); }

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
    return lpLogPalette ? Attach(::CreatePalette(lpLogPalette)) : FALSE;
}

// ---------------------------------------------------------------------------
// CDC

CDC::~CDC()
{
    if (m_hDC)
    {
        ReleaseSelections();
        HDC h = Detach();
        ::DeleteDC(h);
    }
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (!hDC)
        return nullptr;
    KvThreadState* ts = KvGetThreadState();
    auto it = ts->mapTempDC.find(hDC);
    if (it != ts->mapTempDC.end())
        return it->second;
    CDC* p = new CDC;
    p->m_hDC = p->m_hAttribDC = hDC;
    ts->mapTempDC[hDC] = p;
    return p;
}

void CDC::DeleteTempMap()
{
    KvThreadState* ts = KvGetThreadState();
    std::unordered_map<HDC, CDC*> temp;
    temp.swap(ts->mapTempDC);
    for (auto& e : temp)
    {
        e.second->m_hDC = e.second->m_hAttribDC = nullptr;  // never delete the borrowed DC
        delete e.second;
    }
}

CWnd* CDC::GetWindow() const
{
    return m_hDC ? CWnd::FromHandle(::WindowFromDC(m_hDC)) : nullptr;
}

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC || m_hDC)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    m_hOrigPen = m_hOrigBrush = m_hOrigFont = m_hOrigBitmap = nullptr;
    m_hOrigPalette = nullptr;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    m_hOrigPen = m_hOrigBrush = m_hOrigFont = m_hOrigBitmap = nullptr;
    m_hOrigPalette = nullptr;
    return h;
}

BOOL CDC::CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const DEVMODEA* lpInitData)
{
    if (!Attach(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData)))
        return FALSE;
    m_bPrinting = ::GetDeviceCaps(m_hDC, TECHNOLOGY) == DT_RASPRINTER;
    return TRUE;
}

BOOL CDC::CreateIC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const DEVMODEA* lpInitData)
{
    return Attach(::CreateICA(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    ReleaseSelections();
    return ::DeleteDC(Detach());
}

void CDC::RememberOriginal(HGDIOBJ hPrevious)
{
    if (!hPrevious)
        return;
    switch (::GetObjectType(hPrevious))
    {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        if (!m_hOrigPen) m_hOrigPen = hPrevious;
        break;
    case OBJ_BRUSH:
        if (!m_hOrigBrush) m_hOrigBrush = hPrevious;
        break;
    case OBJ_FONT:
        if (!m_hOrigFont) m_hOrigFont = hPrevious;
        break;
    case OBJ_BITMAP:
        if (!m_hOrigBitmap) m_hOrigBitmap = hPrevious;
        break;
    default:
        break;
    }
}

void CDC::ReleaseSelections()
{
    if (!m_hDC)
        return;
    if (m_hOrigPen) ::SelectObject(m_hDC, m_hOrigPen);
    if (m_hOrigBrush) ::SelectObject(m_hDC, m_hOrigBrush);
    if (m_hOrigFont) ::SelectObject(m_hDC, m_hOrigFont);
    if (m_hOrigBitmap) ::SelectObject(m_hDC, m_hOrigBitmap);
    if (m_hOrigPalette) ::SelectPalette(m_hDC, m_hOrigPalette, FALSE);
    m_hOrigPen = m_hOrigBrush = m_hOrigFont = m_hOrigBitmap = nullptr;
    m_hOrigPalette = nullptr;
}

int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }
int CDC::GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (!m_hDC || !hObject)
        return nullptr;
    HGDIOBJ hOld = ::SelectObject(m_hDC, hObject);
    if (hOld == HGDI_ERROR)
        return nullptr;
    if (::GetObjectType(hObject) != OBJ_REGION)
        RememberOriginal(hOld);
    return hOld;
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectObject(::GetStockObject(nIndex)));
}
CPen* CDC::SelectObject(CPen* pPen)
{
    return pPen ? (CPen*)CGdiObject::FromHandle(SelectObject(pPen->m_hObject)) : nullptr;
}
CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return pBrush ? (CBrush*)CGdiObject::FromHandle(SelectObject(pBrush->m_hObject)) : nullptr;
}
CFont* CDC::SelectObject(CFont* pFont)
{
    return pFont ? (CFont*)CGdiObject::FromHandle(SelectObject(pFont->m_hObject)) : nullptr;
}
CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return pBitmap ? (CBitmap*)CGdiObject::FromHandle(SelectObject(pBitmap->m_hObject)) : nullptr;
}
int CDC::SelectObject(CRgn* pRgn)
{
    return pRgn && m_hDC ? (int)(INT_PTR)::SelectObject(m_hDC, pRgn->m_hObject) : ERROR;
}
CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return pObject ? CGdiObject::FromHandle(SelectObject(pObject->m_hObject)) : nullptr;
}
CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    if (!pPalette || !m_hDC)
        return nullptr;
    HPALETTE hOld = ::SelectPalette(m_hDC, (HPALETTE)pPalette->m_hObject, bForceBackground);
    if (hOld && !m_hOrigPalette)
        m_hOrigPalette = hOld;
    return hOld ? (CPalette*)CGdiObject::FromHandle(hOld) : nullptr;
}
UINT CDC::RealizePalette() { return ::RealizePalette(m_hDC); }
CPen* CDC::GetCurrentPen() const { return (CPen*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_PEN)); }
CBrush* CDC::GetCurrentBrush() const { return (CBrush*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_BRUSH)); }
CFont* CDC::GetCurrentFont() const { return (CFont*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_FONT)); }
CBitmap* CDC::GetCurrentBitmap() const { return (CBitmap*)CGdiObject::FromHandle(::GetCurrentObject(m_hDC, OBJ_BITMAP)); }

COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
COLORREF CDC::SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
int CDC::GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
int CDC::SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
COLORREF CDC::SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
int CDC::GetROP2() const { return ::GetROP2(m_hAttribDC); }
int CDC::SetROP2(int nDrawMode) { return ::SetROP2(m_hDC, nDrawMode); }
UINT CDC::GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }
UINT CDC::SetTextAlign(UINT nFlags) { return ::SetTextAlign(m_hDC, nFlags); }
int CDC::GetPolyFillMode() const { return ::GetPolyFillMode(m_hAttribDC); }
int CDC::SetPolyFillMode(int nPolyFillMode) { return ::SetPolyFillMode(m_hDC, nPolyFillMode); }
COLORREF CDC::GetNearestColor(COLORREF crColor) const { return ::GetNearestColor(m_hAttribDC, crColor); }

int CDC::GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
int CDC::SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }
CPoint CDC::GetViewportOrg() const { POINT p = {0, 0}; ::GetViewportOrgEx(m_hAttribDC, &p); return CPoint(p); }
CPoint CDC::SetViewportOrg(int x, int y) { POINT p = {0, 0}; ::SetViewportOrgEx(m_hDC, x, y, &p); return CPoint(p); }
CPoint CDC::OffsetViewportOrg(int w, int h) { POINT p = {0, 0}; ::OffsetViewportOrgEx(m_hDC, w, h, &p); return CPoint(p); }
CSize CDC::GetViewportExt() const { SIZE s = {0, 0}; ::GetViewportExtEx(m_hAttribDC, &s); return CSize(s); }
CSize CDC::SetViewportExt(int cx, int cy) { SIZE s = {0, 0}; ::SetViewportExtEx(m_hDC, cx, cy, &s); return CSize(s); }
CPoint CDC::GetWindowOrg() const { POINT p = {0, 0}; ::GetWindowOrgEx(m_hAttribDC, &p); return CPoint(p); }
CPoint CDC::SetWindowOrg(int x, int y) { POINT p = {0, 0}; ::SetWindowOrgEx(m_hDC, x, y, &p); return CPoint(p); }
CSize CDC::GetWindowExt() const { SIZE s = {0, 0}; ::GetWindowExtEx(m_hAttribDC, &s); return CSize(s); }
CSize CDC::SetWindowExt(int cx, int cy) { SIZE s = {0, 0}; ::SetWindowExtEx(m_hDC, cx, cy, &s); return CSize(s); }
void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
void CDC::DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hAttribDC, (LPPOINT)lpRect, 2); }
void CDC::DPtoLP(LPSIZE lpSize) const
{
    POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    ::DPtoLP(m_hAttribDC, pts, 2);
    lpSize->cx = pts[1].x - pts[0].x;
    lpSize->cy = pts[1].y - pts[0].y;
}
void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }
void CDC::LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hAttribDC, (LPPOINT)lpRect, 2); }
void CDC::LPtoDP(LPSIZE lpSize) const
{
    POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    ::LPtoDP(m_hAttribDC, pts, 2);
    lpSize->cx = pts[1].x - pts[0].x;
    lpSize->cy = pts[1].y - pts[0].y;
}

int CDC::GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
BOOL CDC::RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }
int CDC::SelectClipRgn(CRgn* pRgn) { return ::SelectClipRgn(m_hDC, pRgn ? (HRGN)pRgn->m_hObject : nullptr); }
int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    return ::ExtSelectClipRgn(m_hDC, pRgn ? (HRGN)pRgn->m_hObject : nullptr, nMode);
}
int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) { return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2); }
int CDC::ExcludeClipRect(LPCRECT r) { return ::ExcludeClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) { return ::IntersectClipRect(m_hDC, x1, y1, x2, y2); }
int CDC::IntersectClipRect(LPCRECT r) { return ::IntersectClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
int CDC::OffsetClipRgn(int x, int y) { return ::OffsetClipRgn(m_hDC, x, y); }

CPoint CDC::GetCurrentPosition() const { POINT p = {0, 0}; ::GetCurrentPositionEx(m_hAttribDC, &p); return CPoint(p); }
CPoint CDC::MoveTo(int x, int y) { POINT p = {0, 0}; ::MoveToEx(m_hDC, x, y, &p); return CPoint(p); }
BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
BOOL CDC::Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
BOOL CDC::Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Rectangle(LPCRECT r) { return ::Rectangle(m_hDC, r->left, r->top, r->right, r->bottom); }
BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Ellipse(LPCRECT r) { return ::Ellipse(m_hDC, r->left, r->top, r->right, r->bottom); }
COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (lpRect && pBrush)
        ::FillRect(m_hDC, lpRect, (HBRUSH)pBrush->m_hObject);
}
void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (lpRect && pBrush)
        ::FrameRect(m_hDC, lpRect, (HBRUSH)pBrush->m_hObject);
}
void CDC::InvertRect(LPCRECT lpRect)
{
    if (lpRect)
        ::InvertRect(m_hDC, lpRect);
}
BOOL CDC::DrawFocusRect(LPCRECT lpRect) { return lpRect ? ::DrawFocusRect(m_hDC, lpRect) : FALSE; }
void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    if (!lpRect)
        return;
    COLORREF crOld = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, crOld);
}
void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT r = {x, y, x + cx, y + cy};
    FillSolidRect(&r, clr);
}
void CDC::Draw3dRect(LPCRECT r, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, clrTopLeft, clrBottomRight);
}
void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}
BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}
BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}
BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}
BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}
int CDC::SetStretchBltMode(int nStretchMode) { return ::SetStretchBltMode(m_hDC, nStretchMode); }

static int KvLen(LPCSTR s, int n)
{
    if (!s)
        return 0;
    return n < 0 ? lstrlenA(s) : n;
}

BOOL CDC::TextOut(int x, int y, LPCSTR lpszString, int nCount)
{
    return ::TextOutA(m_hDC, x, y, lpszString ? lpszString : "", KvLen(lpszString, nCount));
}
BOOL CDC::TextOut(int x, int y, const CString& str) { return TextOut(x, y, (LPCSTR)str, str.GetLength()); }
BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, lpszString ? nCount : 0, lpDxWidths);
}
BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, (LPCSTR)str, (UINT)str.GetLength(), lpDxWidths);
}
CSize CDC::TabbedTextOut(int x, int y, LPCSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions,
                         int nTabOrigin)
{
    LONG r = ::TabbedTextOutA(m_hDC, x, y, lpszString ? lpszString : "", KvLen(lpszString, nCount), nTabPositions,
                              lpnTabStopPositions, nTabOrigin);
    return CSize((DWORD)r);
}
int CDC::DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (!lpRect)
        return 0;
    // DT_MODIFYSTRING writes into the text: never pass the caller's constant.
    nFormat &= ~(UINT)DT_MODIFYSTRING;
    return ::DrawTextA(m_hDC, lpszString ? lpszString : "", KvLen(lpszString, nCount), lpRect, nFormat);
}
int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText((LPCSTR)str, str.GetLength(), lpRect, nFormat);
}
CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const
{
    SIZE s = {0, 0};
    ::GetTextExtentPoint32A(m_hAttribDC, lpszString ? lpszString : "", KvLen(lpszString, nCount), &s);
    return CSize(s);
}
CSize CDC::GetTextExtent(const CString& str) const { return GetTextExtent((LPCSTR)str, str.GetLength()); }
CSize CDC::GetOutputTextExtent(LPCSTR lpszString, int nCount) const
{
    SIZE s = {0, 0};
    ::GetTextExtentPoint32A(m_hDC, lpszString ? lpszString : "", KvLen(lpszString, nCount), &s);
    return CSize(s);
}
CSize CDC::GetOutputTextExtent(const CString& str) const
{
    return GetOutputTextExtent((LPCSTR)str, str.GetLength());
}
CSize CDC::GetTabbedTextExtent(LPCSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const
{
    DWORD r = ::GetTabbedTextExtentA(m_hAttribDC, lpszString ? lpszString : "", KvLen(lpszString, nCount),
                                     nTabPositions, lpnTabStopPositions);
    return CSize((int)LOWORD(r), (int)HIWORD(r));
}
BOOL CDC::GetTextMetrics(LPTEXTMETRICA lpMetrics) const { return ::GetTextMetricsA(m_hAttribDC, lpMetrics); }
BOOL CDC::GetOutputTextMetrics(LPTEXTMETRICA lpMetrics) const { return ::GetTextMetricsA(m_hDC, lpMetrics); }
int CDC::GetTextFace(int nCount, LPSTR lpszFacename) const { return ::GetTextFaceA(m_hAttribDC, nCount, lpszFacename); }
int CDC::GetTextFace(CString& rString) const
{
    char sz[LF_FACESIZE + 1] = "";
    int n = ::GetTextFaceA(m_hAttribDC, sizeof(sz), sz);
    rString = sz;
    return n;
}
int CDC::SetTextCharacterExtra(int nCharExtra) { return ::SetTextCharacterExtra(m_hDC, nCharExtra); }
BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const
{
    return ::GetCharWidth32A(m_hAttribDC, nFirstChar, nLastChar, lpBuffer);
}

int CDC::StartDoc(LPDOCINFOA lpDocInfo)
{
    int r = ::StartDocA(m_hDC, lpDocInfo);
    if (r > 0)
        m_bPrinting = TRUE;
    return r;
}
int CDC::StartDoc(LPCSTR lpszDocName)
{
    DOCINFOA di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = lpszDocName;
    return StartDoc(&di);
}
int CDC::StartPage() { return ::StartPage(m_hDC); }
int CDC::EndPage() { return ::EndPage(m_hDC); }
int CDC::EndDoc() { return ::EndDoc(m_hDC); }
int CDC::AbortDoc() { return ::AbortDoc(m_hDC); }
int CDC::SetAbortProc(ABORTPROC lpfn) { return ::SetAbortProc(m_hDC, lpfn); }
int CDC::Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData)
{
    return ::Escape(m_hDC, nEscape, nCount, lpszInData, lpOutData);
}

// ---------------------------------------------------------------------------
// Window device contexts

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    memset(&m_ps, 0, sizeof(m_ps));
    if (m_hWnd)
        Attach(::BeginPaint(m_hWnd, &m_ps));
}
CPaintDC::~CPaintDC()
{
    if (m_hDC)
    {
        ReleaseSelections();
        Detach();
    }
    if (m_hWnd)
        ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    Attach(::GetDC(m_hWnd));
}
CClientDC::~CClientDC()
{
    if (m_hDC)
    {
        ReleaseSelections();
        ::ReleaseDC(m_hWnd, Detach());
    }
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}
CWindowDC::~CWindowDC()
{
    if (m_hDC)
    {
        ReleaseSelections();
        ::ReleaseDC(m_hWnd, Detach());
    }
}

HBRUSH AfxGetSysColorBrush(int nIndex)
{
    return ::GetSysColorBrush(nIndex);
}

CBrush* CDC::GetHalftoneBrush()
{
    static CBrush* s_pBrush = nullptr;
    if (!s_pBrush)
    {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = (WORD)(0x5555 << (i & 1));
        HBITMAP hbm = ::CreateBitmap(8, 8, 1, 1, pattern);
        if (!hbm)
            return nullptr;
        HBRUSH hbr = ::CreatePatternBrush(hbm);
        ::DeleteObject(hbm);
        if (!hbr)
            return nullptr;
        s_pBrush = new CBrush;
        s_pBrush->Attach(hbr);
    }
    return s_pBrush;
}
