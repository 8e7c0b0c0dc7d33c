// CImageList over the comctl32 image list.
#include "platform/ImageList.h"
#include "platform/Gdi.h"
#include "platform/WinApp.h"

CImageList::~CImageList()
{
    DeleteImageList();
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    if (cx <= 0 || cy <= 0 || nInitial < 0 || nGrow < 0)
        return FALSE;
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    if (cx <= 0)
        return FALSE;
    LPCSTR name = MAKEINTRESOURCEA(nBitmapID);
    HINSTANCE hInst = AfxFindResourceHandle(name, (LPCSTR)RT_BITMAP);
    if (!hInst)
        return FALSE;
    return Attach(ImageList_LoadImageA(hInst, name, cx, nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (!hImageList)
        return FALSE;
    DeleteImageList();
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const { return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0; }

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    if (!m_hImageList || !pImageInfo || nImage < 0 || nImage >= GetImageCount())
        return FALSE;
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

BOOL CImageList::GetIconSize(int* pcx, int* pcy) const
{
    return m_hImageList && pcx && pcy ? ImageList_GetIconSize(m_hImageList, pcx, pcy) : FALSE;
}

COLORREF CImageList::SetBkColor(COLORREF cr) { return m_hImageList ? ImageList_SetBkColor(m_hImageList, cr) : CLR_NONE; }
COLORREF CImageList::GetBkColor() const { return m_hImageList ? ImageList_GetBkColor(m_hImageList) : CLR_NONE; }

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (!m_hImageList || !pbmImage)
        return -1;
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->m_hObject, pbmMask ? (HBITMAP)pbmMask->m_hObject : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (!m_hImageList || !pbmImage)
        return -1;
    return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->m_hObject, crMask);
}

int CImageList::Add(HICON hIcon)
{
    return m_hImageList && hIcon ? ImageList_AddIcon(m_hImageList, hIcon) : -1;
}

BOOL CImageList::Remove(int nImage)
{
    if (!m_hImageList || nImage < 0 || nImage >= GetImageCount())
        return FALSE;
    return ImageList_Remove(m_hImageList, nImage);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (!m_hImageList || !pbmImage || nImage < 0 || nImage >= GetImageCount())
        return FALSE;
    return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->m_hObject,
                             pbmMask ? (HBITMAP)pbmMask->m_hObject : nullptr);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    if (!m_hImageList || !pDC || !pDC->m_hDC || nImage < 0 || nImage >= GetImageCount())
        return FALSE;
    return ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

HICON CImageList::ExtractIcon(int nImage)
{
    return m_hImageList ? ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL) : nullptr;
}

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot)
{
    return m_hImageList ? ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y) : FALSE;
}
void CImageList::EndDrag() { ImageList_EndDrag(); }
BOOL CImageList::DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
BOOL CImageList::DragEnter(HWND hWndLock, CPoint point) { return ImageList_DragEnter(hWndLock, point.x, point.y); }
BOOL CImageList::DragLeave(HWND hWndLock) { return ImageList_DragLeave(hWndLock); }
BOOL CImageList::DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
