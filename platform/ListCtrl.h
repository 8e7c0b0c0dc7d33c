#pragma once
// Wrappers of the list-view and header common controls.
//
// CListCtrl is a list view (WC_LISTVIEW), mostly used in report view: columns,
// items with sub-item texts and a 32-bit item parameter, sorting through the
// control's own sort messages. CHeaderCtrl is a header control; the header of
// a report list view is a child of the list and sends it its notifications
// (WM_DRAWITEM for owner-drawn items included), so a CHeaderCtrl bound to it
// draws its owner-drawn items in DrawItem when the list is a bound window.
//
// The common controls are registered on first use (InitCommonControlsEx).
// Every member but Create sends the control's own message.
#include "platform/Wnd.h"
#include "platform/core/String.h"

// Registers the list-view and header classes (once per process).
KVVX_API void AfxInitListViewClasses();

class KVVX_API CHeaderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // -1 when the window is no header.
    int GetItemCount() const;
    BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const;
    BOOL SetItem(int nPos, HDITEMA* pHeaderItem);
    int InsertItem(int nPos, HDITEMA* phdi);
    BOOL DeleteItem(int nPos);
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL Layout(HDLAYOUT* pHeaderLayout);
    // Owner-drawn items (HDF_OWNERDRAW) are drawn here; the WM_DRAWITEM the
    // header sends to its parent is reflected to this object.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class KVVX_API CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- columns ----------------------------------------------------------
    int InsertColumn(int nCol, const LVCOLUMNA* pColumn);
    // nFormat: LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER; nWidth -1: the
    // control's default; nSubItem -1: the column's own index.
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    BOOL GetColumn(int nCol, LVCOLUMNA* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMNA* pColumn);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);
    // The list's header control (a temporary or the bound object), or NULL.
    CHeaderCtrl* GetHeaderCtrl() const;

    // ---- items ------------------------------------------------------------
    int GetItemCount() const;
    int InsertItem(const LVITEMA* pItem);
    int InsertItem(int nItem, LPCSTR lpszItem);
    BOOL GetItem(LVITEMA* pItem) const;
    BOOL SetItem(const LVITEMA* pItem);
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const;
    // The item parameter (0 for an item that does not exist).
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetNextItem(int nItem, int nFlags) const;
    UINT GetSelectedCount() const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    int GetTopIndex() const;
    int GetCountPerPage() const;

    // ---- geometry ---------------------------------------------------------
    // nCode: LVIR_BOUNDS, LVIR_LABEL, LVIR_ICON.
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    // The item under pInfo->pt, its sub-item in pInfo->iSubItem.
    int SubItemHitTest(LPLVHITTESTINFO pInfo) const;

    // ---- sorting ----------------------------------------------------------
    // The control's own sort: pfnCompare gets two item parameters and
    // dwData (LVM_SORTITEMS).
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);
    // The same with two item indices in place of the parameters
    // (LVM_SORTITEMSEX).
    BOOL SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);

    // ---- style ------------------------------------------------------------
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    COLORREF GetBkColor() const;
    BOOL SetBkColor(COLORREF cr);
};
