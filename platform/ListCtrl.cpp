// List-view and header control wrappers.
#include "platform/ListCtrl.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

#define KV_SEND(msg, wp, lp) ::SendMessageA(m_hWnd, (msg), (WPARAM)(wp), (LPARAM)(lp))

void AfxInitListViewClasses()
{
    static bool s_bDone = false;
    if (s_bDone)
        return;
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_LISTVIEW_CLASSES;
    s_bDone = ::InitCommonControlsEx(&icc) != FALSE;
}

// ---- CHeaderCtrl

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitListViewClasses();
    return CWnd::Create(WC_HEADERA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CHeaderCtrl::GetItemCount() const
{
    if (!m_hWnd)
        return -1;
    return (int)KV_SEND(HDM_GETITEMCOUNT, 0, 0);
}
BOOL CHeaderCtrl::GetItem(int nPos, HDITEMA* p) const { return p && (BOOL)KV_SEND(HDM_GETITEMA, nPos, p); }
BOOL CHeaderCtrl::SetItem(int nPos, HDITEMA* p) { return p && (BOOL)KV_SEND(HDM_SETITEMA, nPos, p); }
int CHeaderCtrl::InsertItem(int nPos, HDITEMA* p) { return p ? (int)KV_SEND(HDM_INSERTITEMA, nPos, p) : -1; }
BOOL CHeaderCtrl::DeleteItem(int nPos) { return (BOOL)KV_SEND(HDM_DELETEITEM, nPos, 0); }
BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return lpRect && (BOOL)KV_SEND(HDM_GETITEMRECT, nIndex, lpRect);
}
BOOL CHeaderCtrl::Layout(HDLAYOUT* p) { return p && (BOOL)KV_SEND(HDM_LAYOUT, 0, p); }
void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM && lParam && ((LPDRAWITEMSTRUCT)lParam)->CtlType == ODT_HEADER)
    {
        DrawItem((LPDRAWITEMSTRUCT)lParam);
        if (pResult)
            *pResult = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CListCtrl

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitListViewClasses();
    return CWnd::Create(WC_LISTVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMNA* pColumn)
{
    return pColumn ? (int)KV_SEND(LVM_INSERTCOLUMNA, nCol, pColumn) : -1;
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNA column;
    memset(&column, 0, sizeof(column));
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = (LPSTR)(lpszColumnHeading ? lpszColumnHeading : "");
    column.fmt = nFormat;
    if (nWidth != -1)
    {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1)
    {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol) { return (BOOL)KV_SEND(LVM_DELETECOLUMN, nCol, 0); }
BOOL CListCtrl::GetColumn(int nCol, LVCOLUMNA* p) const { return p && (BOOL)KV_SEND(LVM_GETCOLUMNA, nCol, p); }
BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMNA* p) { return p && (BOOL)KV_SEND(LVM_SETCOLUMNA, nCol, p); }
int CListCtrl::GetColumnWidth(int nCol) const { return (int)KV_SEND(LVM_GETCOLUMNWIDTH, nCol, 0); }
BOOL CListCtrl::SetColumnWidth(int nCol, int cx) { return (BOOL)KV_SEND(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)); }

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    HWND hWnd = m_hWnd ? (HWND)KV_SEND(LVM_GETHEADER, 0, 0) : nullptr;
    return hWnd ? (CHeaderCtrl*)CWnd::FromHandle(hWnd) : nullptr;
}

int CListCtrl::GetItemCount() const { return (int)KV_SEND(LVM_GETITEMCOUNT, 0, 0); }
int CListCtrl::InsertItem(const LVITEMA* p) { return p ? (int)KV_SEND(LVM_INSERTITEMA, 0, p) : -1; }

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
    LVITEMA item;
    memset(&item, 0, sizeof(item));
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = (LPSTR)(lpszItem ? lpszItem : "");
    return InsertItem(&item);
}

BOOL CListCtrl::GetItem(LVITEMA* p) const { return p && (BOOL)KV_SEND(LVM_GETITEMA, 0, p); }
BOOL CListCtrl::SetItem(const LVITEMA* p) { return p && (BOOL)KV_SEND(LVM_SETITEMA, 0, p); }

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    LVITEMA item;
    memset(&item, 0, sizeof(item));
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = (LPSTR)(lpszItem ? lpszItem : "");
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    LVITEMA item;
    memset(&item, 0, sizeof(item));
    item.iSubItem = nSubItem;
    item.pszText = (LPSTR)(lpszText ? lpszText : "");
    return (BOOL)KV_SEND(LVM_SETITEMTEXTA, nItem, &item);
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const
{
    if (!lpszText || nLen <= 0)
        return 0;
    LVITEMA item;
    memset(&item, 0, sizeof(item));
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    lpszText[0] = 0;
    return (int)KV_SEND(LVM_GETITEMTEXTA, nItem, &item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The control says how much it copied, not how long the text is: grow
    // the buffer until the text fits with room to spare.
    CString str;
    for (int nLen = 256; nLen <= (1 << 24); nLen *= 4)
    {
        LPSTR p = str.GetBuffer(nLen);
        int nCopied = GetItemText(nItem, nSubItem, p, nLen + 1);
        str.ReleaseBuffer(nCopied >= 0 && nCopied <= nLen ? nCopied : 0);
        if (nCopied < nLen)
            break;
    }
    return str;
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA item;
    memset(&item, 0, sizeof(item));
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? (DWORD_PTR)item.lParam : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, (LPARAM)dwData);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const { return (UINT)KV_SEND(LVM_GETITEMSTATE, nItem, nMask); }

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA item;
    memset(&item, 0, sizeof(item));
    item.state = nState;
    item.stateMask = nMask;
    return (BOOL)KV_SEND(LVM_SETITEMSTATE, nItem, &item);
}

BOOL CListCtrl::DeleteItem(int nItem) { return (BOOL)KV_SEND(LVM_DELETEITEM, nItem, 0); }
BOOL CListCtrl::DeleteAllItems() { return (BOOL)KV_SEND(LVM_DELETEALLITEMS, 0, 0); }
int CListCtrl::GetNextItem(int nItem, int nFlags) const { return (int)KV_SEND(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)); }
UINT CListCtrl::GetSelectedCount() const { return (UINT)KV_SEND(LVM_GETSELECTEDCOUNT, 0, 0); }
BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)KV_SEND(LVM_ENSUREVISIBLE, nItem, bPartialOK); }
int CListCtrl::GetTopIndex() const { return (int)KV_SEND(LVM_GETTOPINDEX, 0, 0); }
int CListCtrl::GetCountPerPage() const { return (int)KV_SEND(LVM_GETCOUNTPERPAGE, 0, 0); }

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (!lpRect)
        return FALSE;
    lpRect->left = (LONG)nCode;
    return (BOOL)KV_SEND(LVM_GETITEMRECT, nItem, lpRect);
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    RECT rc;
    rc.top = iSubItem;
    rc.left = nArea;
    rc.right = rc.bottom = 0;
    BOOL bOk = (BOOL)KV_SEND(LVM_GETSUBITEMRECT, iItem, &rc);
    if (bOk)
        ref = rc;
    return bOk;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info;
    memset(&info, 0, sizeof(info));
    info.pt = pt;
    int n = (int)KV_SEND(LVM_HITTEST, 0, &info);
    if (pFlags)
        *pFlags = info.flags;
    return n;
}

int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo) const
{
    return pInfo ? (int)KV_SEND(LVM_SUBITEMHITTEST, 0, pInfo) : -1;
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
{
    return pfnCompare && (BOOL)KV_SEND(LVM_SORTITEMS, dwData, pfnCompare);
}

BOOL CListCtrl::SortItemsEx(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
{
    return pfnCompare && (BOOL)KV_SEND(LVM_SORTITEMSEX, dwData, pfnCompare);
}

DWORD CListCtrl::GetExtendedStyle() const { return (DWORD)KV_SEND(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); }
DWORD CListCtrl::SetExtendedStyle(DWORD dw) { return (DWORD)KV_SEND(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dw); }
COLORREF CListCtrl::GetBkColor() const { return (COLORREF)KV_SEND(LVM_GETBKCOLOR, 0, 0); }
BOOL CListCtrl::SetBkColor(COLORREF cr) { return (BOOL)KV_SEND(LVM_SETBKCOLOR, 0, cr); }
