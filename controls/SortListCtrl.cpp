// The sortable report list and its arrow-drawing header.
#include "controls/SortListCtrl.h"
#include "platform/WinApp.h"
#include "platform/core/File.h"

#include <stdarg.h>
#include <string.h>
#include <vector>

IMPLEMENT_DYNAMIC(CSortListCtrl, CListCtrl)

namespace
{
// Column widths outside this range are not taken from a stored value.
const int kMaxStoredWidth = 32767;
// A stored value is 4 + 4 x N bytes; more columns than this is no real list.
const int kMaxStoredColumns = 4096;

LPSTR DupText(LPCSTR psz)
{
    if (!psz)
        psz = "";
    size_t n = strlen(psz);
    LPSTR p = new char[n + 1];
    memcpy(p, psz, n + 1);
    return p;
}

void FreeRecord(SortItemData* pRecord)
{
    for (int i = 0; i < pRecord->nTexts; i++)
        delete[] pRecord->aTexts[i];
    delete[] pRecord->aTexts;
    delete pRecord;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number as the C rules for decimal integers read it (leading blanks, a
// sign, then digits), kept as its sign and its significant digits so that
// numbers of any length compare exactly, without converting them.
struct DecimalText
{
    bool bNegative = false;
    const char* pDigits = "";  // first significant digit
    size_t nDigits = 0;        // significant digits (0 for zero)
};

DecimalText ReadDecimal(const char* p)
{
    DecimalText d;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    if (*p == '+' || *p == '-')
        d.bNegative = *p++ == '-';
    while (*p == '0')
        ++p;
    d.pDigits = p;
    while (IsDigit(p[d.nDigits]))
        ++d.nDigits;
    if (d.nDigits == 0)
        d.bNegative = false;  // -0 is 0
    return d;
}

int CompareMagnitude(const DecimalText& a, const DecimalText& b)
{
    if (a.nDigits != b.nDigits)
        return a.nDigits < b.nDigits ? -1 : 1;
    int c = memcmp(a.pDigits, b.pDigits, a.nDigits);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareDecimal(const char* t1, const char* t2)
{
    DecimalText a = ReadDecimal(t1), b = ReadDecimal(t2);
    if (a.bNegative != b.bNegative)
        return a.bNegative ? -1 : 1;
    int c = CompareMagnitude(a, b);
    return a.bNegative ? -c : c;
}

// The integer of the n characters at pos of a text of length len, read as
// the C rules read the start of a decimal (a sign, then digits); characters
// beyond the text count as absent.
int FieldValue(const char* s, size_t len, size_t pos, size_t n)
{
    if (pos >= len)
        return 0;
    if (n > len - pos)
        n = len - pos;
    const char* p = s + pos;
    const char* end = p + n;
    bool bNegative = false;
    if (p < end && (*p == '+' || *p == '-'))
        bNegative = *p++ == '-';
    int v = 0;
    for (; p < end && IsDigit(*p); ++p)
        v = v * 10 + (*p - '0');  // at most 4 digits: no overflow
    return bNegative ? -v : v;
}

bool IsAllDigits(const char* s)
{
    for (; *s; ++s)
        if (!IsDigit(*s))
            return false;
    return true;
}

bool IsDate(const char* s, size_t len)
{
    if (len != 10 || s[2] != '/' || s[5] != '/')
        return false;
    static const int kDigitPos[] = { 0, 1, 3, 4, 6, 7, 8, 9 };
    for (int i : kDigitPos)
        if (!IsDigit(s[i]))
            return false;
    return true;
}

int CompareDates(const char* t1, const char* t2)
{
    size_t n1 = strlen(t1), n2 = strlen(t2);
    // Year, month, day.
    static const size_t kPos[3][2] = { { 6, 4 }, { 3, 2 }, { 0, 2 } };
    for (const auto& f : kPos)
    {
        int a = FieldValue(t1, n1, f[0], f[1]);
        int b = FieldValue(t2, n2, f[0], f[1]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return 0;
}
}  // namespace

// ---------------------------------------------------------------------------
// CSortHeaderCtrl

CSortHeaderCtrl::~CSortHeaderCtrl() = default;

void CSortHeaderCtrl::SetSortArrow(int nCol, BOOL bAscending)
{
    m_nSortCol = nCol;
    m_bSortAsc = bAscending;
    if (!m_hWnd)
        return;
    HDITEMA item;
    memset(&item, 0, sizeof(item));
    item.mask = HDI_FORMAT;
    if (GetItem(nCol, &item))
    {
        item.fmt |= HDF_OWNERDRAW;
        SetItem(nCol, &item);
    }
    Invalidate(TRUE);
}

void CSortHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (!lpDIS || !lpDIS->hDC)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rcItem(lpDIS->rcItem);
    const int nSavedDC = pDC->SaveDC();

    CRgn rgn;
    rgn.CreateRectRgnIndirect(&rcItem);
    pDC->SelectClipRgn(&rgn);
    CBrush brFace(::GetSysColor(COLOR_BTNFACE));
    pDC->FillRect(&rcItem, &brFace);

    char szText[256] = "";
    HDITEMA hdi;
    memset(&hdi, 0, sizeof(hdi));
    hdi.mask = HDI_TEXT | HDI_FORMAT;
    hdi.pszText = szText;
    hdi.cchTextMax = (int)sizeof(szText) - 1;
    GetItem((int)lpDIS->itemID, &hdi);
    szText[sizeof(szText) - 1] = 0;

    UINT uFormat = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_VCENTER | DT_END_ELLIPSIS;
    if ((hdi.fmt & HDF_JUSTIFYMASK) == HDF_CENTER)
        uFormat |= DT_CENTER;
    else if ((hdi.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT)
        uFormat |= DT_RIGHT;
    else
        uFormat |= DT_LEFT;

    CRect rcLabel = rcItem;
    if (lpDIS->itemState == ODS_SELECTED)
    {
        rcLabel.left++;
        rcLabel.top += 2;
        rcLabel.right++;
    }

    const int o = (rcItem.bottom - rcItem.top) / 4;
    const bool bSortCol = (int)lpDIS->itemID == m_nSortCol;
    if (bSortCol)
        rcLabel.right -= 3 * o;
    rcLabel.left += o;
    rcLabel.right -= o;
    if (rcLabel.left < rcLabel.right)
    {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        pDC->DrawText(szText, -1, &rcLabel, uFormat);
    }

    if (bSortCol)
    {
        CPen penLight(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        CPen penShadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        CPen* pOldPen = pDC->SelectObject(&penLight);
        const int r = rcItem.right, b = rcItem.bottom;
        if (m_bSortAsc)
        {
            pDC->MoveTo(r - 2 * o, o);
            pDC->LineTo(r - o, b - o - 1);
            pDC->LineTo(r - 3 * o - 2, b - o - 1);
            pDC->SelectObject(&penShadow);
            pDC->MoveTo(r - 3 * o - 1, b - o - 1);
            pDC->LineTo(r - 2 * o, o - 1);
        }
        else
        {
            pDC->MoveTo(r - o - 1, o);
            pDC->LineTo(r - 2 * o - 1, b - o);
            pDC->SelectObject(&penShadow);
            pDC->MoveTo(r - 2 * o - 2, b - o);
            pDC->LineTo(r - 3 * o - 1, o);
            pDC->LineTo(r - o - 1, o);
        }
        pDC->SelectObject(pOldPen);
    }
    pDC->RestoreDC(nSavedDC);
}

void CSortHeaderCtrl::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        int nCount = GetItemCount();
        if (nCount == -1)
            return;
        ar << (int32_t)nCount;
        for (int i = 0; i < nCount; i++)
        {
            RECT rc = { 0, 0, 0, 0 };
            GetItemRect(i, &rc);
            ar << (int32_t)(rc.right - rc.left);
        }
        return;
    }
    int32_t nCount = 0;
    ar >> nCount;
    if (nCount != GetItemCount())
        return;
    // Every width is read before any is set: a value that ends early
    // throws from here and leaves the header as it was.
    std::vector<int32_t> widths((size_t)nCount);
    for (int32_t& w : widths)
        ar >> w;
    for (int32_t w : widths)
        if (w < 0 || w > kMaxStoredWidth)
            return;
    for (int i = 0; i < nCount; i++)
    {
        HDITEMA item;
        memset(&item, 0, sizeof(item));
        item.mask = HDI_WIDTH;
        item.cxy = widths[(size_t)i];
        SetItem(i, &item);
    }
}

// ---------------------------------------------------------------------------
// CSortListCtrl: set-up and teardown

CSortListCtrl::~CSortListCtrl()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        DeleteAllItems();
    // The header is a child of the list: it goes with the list's window.
}

void CSortListCtrl::AttachHeader()
{
    if (m_wndHeader.m_hWnd || !m_hWnd)
        return;
    HWND hHeader = (HWND)::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0);
    if (hHeader)
        m_wndHeader.SubclassWindow(hHeader);
}

void CSortListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    AttachHeader();
}

int CSortListCtrl::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    // A list being created is bound before it has made its header, so the
    // header is taken over once the list's own creation has run.
    int nResult = CListCtrl::OnCreate(lpCreateStruct);
    if (nResult != -1)
        AttachHeader();
    return nResult;
}

void CSortListCtrl::OnDestroy()
{
    const int nCount = GetItemCount();
    for (int i = 0; i < nCount; i++)
        FreeItemMemory(i);
    CListCtrl::OnDestroy();
}

// ---------------------------------------------------------------------------
// Columns and rows

BOOL CSortListCtrl::SetHeadings(UINT nStringID)
{
    CString str;
    if (!str.LoadString(nStringID))
        return FALSE;
    return SetHeadings(str);
}

BOOL CSortListCtrl::SetHeadings(const CString& strHeadings)
{
    const char* s = strHeadings;
    const size_t len = strlen(s);
    m_nColCount = 0;
    size_t p = 0;
    while (p <= len)
    {
        const char* pComma = strchr(s + p, ',');
        if (!pComma)
            break;
        const char* pSemi = strchr(pComma + 1, ';');
        const char* pEnd = pSemi ? pSemi : s + len;
        CString strHeading(s + p, (int)(pComma - (s + p)));
        CString strWidth(pComma + 1, (int)(pEnd - (pComma + 1)));
        const int nWidth = atoi(strWidth);
        if (InsertColumn(m_nColCount, strHeading, LVCFMT_RIGHT, nWidth) == -1)
            return FALSE;
        m_nColCount++;
        p = (size_t)(pEnd - s) + 1;
    }
    return TRUE;
}

int CSortListCtrl::AddRow(const LPCSTR* apszTexts, int nTexts)
{
    if (m_nColCount <= 0 || !m_hWnd)
        return -1;
    // The record is made first and goes in with the item, so a row is never
    // seen without it and the window is asked once less per row.
    SortItemData* pRecord = new SortItemData;
    pRecord->nTexts = m_nColCount;
    pRecord->aTexts = new LPSTR[(size_t)m_nColCount];
    for (int i = 0; i < m_nColCount; i++)
        pRecord->aTexts[i] = DupText(i < nTexts ? apszTexts[i] : "");
    LVITEMA item;
    memset(&item, 0, sizeof(item));
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = GetItemCount();
    item.pszText = pRecord->aTexts[0];
    item.lParam = (LPARAM)pRecord;
    const int nItem = CListCtrl::InsertItem(&item);
    if (nItem == -1)
    {
        FreeRecord(pRecord);
        return -1;
    }
    for (int i = 1; i < m_nColCount; i++)
        CListCtrl::SetItemText(nItem, i, pRecord->aTexts[i]);
    return nItem;
}

int CSortListCtrl::AddItem(LPCSTR pszText, ...)
{
    if (m_nColCount <= 0)
        return -1;
    std::vector<LPCSTR> texts((size_t)m_nColCount);
    texts[0] = pszText;
    va_list args;
    va_start(args, pszText);
    for (int i = 1; i < m_nColCount; i++)
        texts[(size_t)i] = va_arg(args, LPCSTR);
    va_end(args);
    return AddRow(texts.data(), m_nColCount);
}

int CSortListCtrl::AddItem()
{
    return AddRow(nullptr, 0);
}

int CSortListCtrl::AddItemArray(const LPCSTR* apszTexts, int nTexts)
{
    if (!apszTexts || nTexts < 0)
        nTexts = 0;
    return AddRow(apszTexts, nTexts);
}

SortItemData* CSortListCtrl::GetRecord(int nItem) const
{
    if (nItem < 0 || nItem >= GetItemCount())
        return nullptr;
    return (SortItemData*)CListCtrl::GetItemData(nItem);
}

LPSTR* CSortListCtrl::GetTextArray(int nItem, int* pnTexts) const
{
    SortItemData* pRecord = GetRecord(nItem);
    if (pnTexts)
        *pnTexts = pRecord ? pRecord->nTexts : 0;
    return pRecord ? pRecord->aTexts : nullptr;
}

BOOL CSortListCtrl::SetTextArray(int nItem, LPSTR* aTexts, int nTexts)
{
    SortItemData* pRecord = new SortItemData;
    pRecord->aTexts = aTexts;
    pRecord->nTexts = nTexts;
    if (!CListCtrl::SetItemData(nItem, (DWORD_PTR)pRecord))
    {
        FreeRecord(pRecord);  // no such row: the texts go with the record
        return FALSE;
    }
    return TRUE;
}

void CSortListCtrl::FreeItemMemory(int nItem)
{
    SortItemData* pRecord = GetRecord(nItem);
    if (!pRecord)
        return;
    FreeRecord(pRecord);
    CListCtrl::SetItemData(nItem, 0);
}

BOOL CSortListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    if (!CListCtrl::SetItemText(nItem, nSubItem, lpszText))
        return FALSE;
    SortItemData* pRecord = GetRecord(nItem);
    if (pRecord && nSubItem >= 0 && nSubItem < pRecord->nTexts)
    {
        LPSTR pNew = DupText(lpszText);
        delete[] pRecord->aTexts[nSubItem];
        pRecord->aTexts[nSubItem] = pNew;
    }
    return TRUE;
}

BOOL CSortListCtrl::SetItemData(int nItem, DWORD dwData)
{
    SortItemData* pRecord = GetRecord(nItem);
    if (!pRecord)
        return FALSE;
    pRecord->dwData = dwData;
    return TRUE;
}

DWORD CSortListCtrl::GetItemData(int nItem) const
{
    SortItemData* pRecord = GetRecord(nItem);
    return pRecord ? pRecord->dwData : 0;
}

BOOL CSortListCtrl::DeleteItem(int nItem)
{
    FreeItemMemory(nItem);
    return CListCtrl::DeleteItem(nItem);
}

BOOL CSortListCtrl::DeleteAllItems()
{
    const int nCount = GetItemCount();
    for (int i = 0; i < nCount; i++)
        FreeItemMemory(i);
    return CListCtrl::DeleteAllItems();
}

BOOL CSortListCtrl::DeleteAllCols()
{
    for (int i = m_nColCount - 1; i >= 0; i--)
    {
        if (!DeleteColumn(i))
            return FALSE;
        m_nColCount = i;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Sorting

int CSortListCtrl::CompareTexts(LPCSTR t1, LPCSTR t2)
{
    if (!t1)
        t1 = "";
    if (!t2)
        t2 = "";
    if (IsAllDigits(t1))
        return CompareDecimal(t1, t2);
    if (IsDate(t1, strlen(t1)))
        return CompareDates(t1, t2);
    return ::lstrcmpA(t1, t2);
}

int CALLBACK CSortListCtrl::CompareFunction(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const CSortListCtrl* pThis = (const CSortListCtrl*)lParamSort;
    const SortItemData* p1 = (const SortItemData*)lParam1;
    const SortItemData* p2 = (const SortItemData*)lParam2;
    const int nCol = pThis->m_nSortCol;
    // A row without a record, or with fewer texts, has empty cells.
    LPCSTR t1 = p1 && nCol >= 0 && nCol < p1->nTexts ? p1->aTexts[nCol] : "";
    LPCSTR t2 = p2 && nCol >= 0 && nCol < p2->nTexts ? p2->aTexts[nCol] : "";
    if (pThis->m_bSortAsc)
        return CompareTexts(t1, t2);
    // Descending: the comparison runs on the swapped texts, but its kind is
    // still chosen by the first row's text.
    if (IsAllDigits(t1))
        return CompareDecimal(t2, t1);
    if (IsDate(t1, strlen(t1)))
        return CompareDates(t2, t1);
    return ::lstrcmpA(t2, t1);
}

void CSortListCtrl::Sort(int nCol, BOOL bAscending)
{
    m_nSortCol = nCol;
    m_bSortAsc = bAscending;
    if (m_bFirstColID && nCol == 0)
        return;
    m_wndHeader.SetSortArrow(nCol, bAscending);
    SortItems(&CSortListCtrl::CompareFunction, (DWORD_PTR)this);
}

void CSortListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMLISTVIEW* pNMLV = (const NMLISTVIEW*)pNMHDR;
    const int nCol = pNMLV->iSubItem;
    if (m_bDispSort)
        Sort(nCol, nCol == m_nSortCol ? !m_bSortAsc : TRUE);
    const int nCount = GetItemCount();
    char szNumber[16];
    for (int i = 0; i < nCount; i++)
    {
        wsprintfA(szNumber, "%d", i + 1);
        SetItemText(i, 0, szNumber);
    }
    *pResult = 0;
}

BOOL CSortListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY && lParam && ((NMHDR*)lParam)->code == LVN_COLUMNCLICK)
    {
        LRESULT r = 0;
        OnColumnClick((NMHDR*)lParam, &r);
        if (pResult)
            *pResult = r;
        return TRUE;
    }
    return CListCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------------
// Column widths in the profile

void CSortListCtrl::SaveColumnInfo()
{
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        m_wndHeader.Serialize(ar);
        ar.Close();
    }
    const UINT nBytes = (UINT)file.GetLength();
    BYTE* pData = file.Detach();
    char szKey[16];
    wsprintfA(szKey, "%d", GetDlgCtrlID());
    AfxGetApp()->WriteProfileBinary("ListCtrls", szKey, pData, nBytes);
    free(pData);
}

void CSortListCtrl::LoadColumnInfo()
{
    char szKey[16];
    wsprintfA(szKey, "%d", GetDlgCtrlID());
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!AfxGetApp()->GetProfileBinary("ListCtrls", szKey, &pData, &nBytes) || !pData)
        return;
    // The value must be exactly a count and that many widths.
    bool bWellFormed = false;
    if (nBytes >= 4)
    {
        int32_t nCount = 0;
        memcpy(&nCount, pData, 4);
        bWellFormed = nCount >= 0 && nCount <= kMaxStoredColumns && nBytes == 4 + 4 * (UINT)nCount;
    }
    if (bWellFormed)
    {
        CMemFile file(pData, nBytes);
        CArchive ar(&file, CArchive::load, 4096);
        try
        {
            m_wndHeader.Serialize(ar);
            m_wndHeader.Invalidate();
        }
        catch (CException* e)
        {
            e->Delete();  // a value that ends early: the widths stay
        }
        ar.Abort();
    }
    delete[] pData;
}
