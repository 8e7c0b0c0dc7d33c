// CTabCtrl: members send the tab control's own messages.
#include "platform/TabCtrl.h"
#include "platform/ImageList.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

#define KV_SEND(msg, wp, lp) ::SendMessageA(m_hWnd, (msg), (WPARAM)(wp), (LPARAM)(lp))

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    // The control's class is registered by the common-controls library.
    static bool s_bRegistered = false;
    if (!s_bRegistered)
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TAB_CLASSES};
        s_bRegistered = ::InitCommonControlsEx(&icc) != FALSE;
    }
    return CWnd::Create(WC_TABCONTROLA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CTabCtrl::GetItemCount() const { return (int)KV_SEND(TCM_GETITEMCOUNT, 0, 0); }

LONG CTabCtrl::InsertItem(int nItem, TCITEMA* pItem)
{
    return pItem ? (LONG)KV_SEND(TCM_INSERTITEMA, nItem, pItem) : -1;
}

LONG CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0);
}

LONG CTabCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage)
{
    return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0);
}

LONG CTabCtrl::InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, int nImage, LPARAM lParam)
{
    TCITEMA item = {};
    item.mask = nMask;
    item.pszText = (LPSTR)(lpszItem ? lpszItem : "");
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(nItem, &item);
}

BOOL CTabCtrl::GetItem(int nItem, TCITEMA* pItem) const
{
    return pItem && KV_SEND(TCM_GETITEMA, nItem, pItem);
}

BOOL CTabCtrl::SetItem(int nItem, TCITEMA* pItem)
{
    return pItem && KV_SEND(TCM_SETITEMA, nItem, pItem);
}

LPARAM CTabCtrl::GetItemData(int nItem) const
{
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    return GetItem(nItem, &item) ? item.lParam : 0;
}

BOOL CTabCtrl::DeleteItem(int nItem) { return (BOOL)KV_SEND(TCM_DELETEITEM, nItem, 0); }
BOOL CTabCtrl::DeleteAllItems() { return (BOOL)KV_SEND(TCM_DELETEALLITEMS, 0, 0); }
int CTabCtrl::GetCurSel() const { return (int)KV_SEND(TCM_GETCURSEL, 0, 0); }
int CTabCtrl::SetCurSel(int nItem) { return (int)KV_SEND(TCM_SETCURSEL, nItem, 0); }
int CTabCtrl::GetCurFocus() const { return (int)KV_SEND(TCM_GETCURFOCUS, 0, 0); }
void CTabCtrl::SetCurFocus(int nItem) { KV_SEND(TCM_SETCURFOCUS, nItem, 0); }
BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const
{
    return lpRect && KV_SEND(TCM_GETITEMRECT, nItem, lpRect);
}
int CTabCtrl::GetRowCount() const { return (int)KV_SEND(TCM_GETROWCOUNT, 0, 0); }
int CTabCtrl::HitTest(TCHITTESTINFO* pInfo) const
{
    return pInfo ? (int)KV_SEND(TCM_HITTEST, 0, pInfo) : -1;
}
CSize CTabCtrl::SetItemSize(CSize size)
{
    DWORD dw = (DWORD)KV_SEND(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(LOWORD(dw), HIWORD(dw));
}
void CTabCtrl::SetPadding(CSize size) { KV_SEND(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
int CTabCtrl::SetMinTabWidth(int cx) { return (int)KV_SEND(TCM_SETMINTABWIDTH, 0, cx); }
void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect)
{
    if (lpRect)
        KV_SEND(TCM_ADJUSTRECT, bLarger, lpRect);
}
HIMAGELIST CTabCtrl::GetImageList() const { return (HIMAGELIST)KV_SEND(TCM_GETIMAGELIST, 0, 0); }
HIMAGELIST CTabCtrl::SetImageList(HIMAGELIST hImageList)
{
    return (HIMAGELIST)KV_SEND(TCM_SETIMAGELIST, 0, hImageList);
}
HIMAGELIST CTabCtrl::SetImageList(CImageList* pImageList)
{
    return SetImageList(pImageList ? pImageList->GetSafeHandle() : nullptr);
}
