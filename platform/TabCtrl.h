#pragma once
// CTabCtrl: the common tab control (WC_TABCONTROL). Items carry a text, an
// image index and a parameter; AdjustRect converts between the control's
// window rectangle and its display area (the part below the tabs). Derived
// classes see the control's own notifications (TCN_SELCHANGE ...) through
// OnChildNotify when the parent is a framework window.
#include "platform/Wnd.h"

class CImageList;

class KVVX_API CTabCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTabCtrl)
public:
    CTabCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const;
    // The new item's index, or -1.
    LONG InsertItem(int nItem, TCITEMA* pTabCtrlItem);
    LONG InsertItem(int nItem, LPCSTR lpszItem);
    LONG InsertItem(int nItem, LPCSTR lpszItem, int nImage);
    LONG InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, int nImage, LPARAM lParam);
    // pTabCtrlItem->mask says which fields to read or write.
    BOOL GetItem(int nItem, TCITEMA* pTabCtrlItem) const;
    BOOL SetItem(int nItem, TCITEMA* pTabCtrlItem);
    // The item's parameter, or 0 for no such item.
    LPARAM GetItemData(int nItem) const;
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();

    int GetCurSel() const;
    // The previously selected item, or -1. Sends no notification.
    int SetCurSel(int nItem);
    int GetCurFocus() const;
    void SetCurFocus(int nItem);
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    int GetRowCount() const;
    // The item under a point of the client area, or -1.
    int HitTest(TCHITTESTINFO* pHitTestInfo) const;
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size);
    int SetMinTabWidth(int cx);

    // bLarger FALSE: the window rectangle becomes the display area;
    // TRUE: a display area becomes the window rectangle it needs.
    void AdjustRect(BOOL bLarger, LPRECT lpRect);

    HIMAGELIST GetImageList() const;
    HIMAGELIST SetImageList(HIMAGELIST hImageList);
    HIMAGELIST SetImageList(CImageList* pImageList);
};
