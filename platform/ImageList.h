#pragma once
// CImageList: an owned comctl32 image list (ImageList_Destroy with the
// wrapper, or Detach to keep the handle).
#include <windows.h>
#include <commctrl.h>
#include "platform/core/kvExport.h"
#include "platform/core/Object.h"
#include "platform/Geometry.h"

class CDC;
class CBitmap;

class KVVX_API CImageList : public CObject
{
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() = default;
    ~CImageList() override;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    // nFlags: ILC_COLOR32, ILC_MASK ...; FALSE for non-positive sizes.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // A list of cx-wide images cut from a bitmap resource (found through
    // the resource chain); crMask marks the transparent colour.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int GetImageCount() const;
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
    BOOL GetIconSize(int* pcx, int* pcy) const;
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;

    // Each returns the index of the first new image, or -1.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon);
    BOOL Remove(int nImage);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);

    // ImageList_Draw: nStyle ILD_NORMAL, ILD_TRANSPARENT, ILD_SELECTED ...
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    HICON ExtractIcon(int nImage);

    // Drag images.
    BOOL BeginDrag(int nImage, CPoint ptHotSpot);
    static void EndDrag();
    static BOOL DragMove(CPoint pt);
    static BOOL DragEnter(HWND hWndLock, CPoint point);
    static BOOL DragLeave(HWND hWndLock);
    static BOOL DragShowNolock(BOOL bShow);
};
