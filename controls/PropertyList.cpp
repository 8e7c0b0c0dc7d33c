// The property list and its in-place editors.
#include "controls/PropertyList.h"
#include "platform/ModalUI.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CPropertyList, CListBox)

namespace
{
const int kRowHeight = 20;
const int kDividerSlop = 5;      // a press this close to the divider drags it
const int kCursorMargin = 10;    // the dragged divider stays this far inside
const int kButtonWidth = 25;
const int kDropDownHeight = 100;

// The value of the text from pos up to end as the C rules read the start of
// a decimal (blanks, a sign, digits), reduced to its low 8 bits. Long digit
// runs wrap instead of overflowing.
int LowByteOf(const char* p, const char* end)
{
    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    bool bNegative = false;
    if (p < end && (*p == '+' || *p == '-'))
        bNegative = *p++ == '-';
    unsigned int v = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p)
        v = v * 10u + (unsigned int)(*p - '0');
    if (bNegative)
        v = 0u - v;
    return (int)(v & 0xFFu);
}
}  // namespace

CPropertyItem::CPropertyItem(CString strName, CString strValue, int nKind, CString strChoices, short nChoiceIndex,
                             short nFileFilter)
    : m_strName(strName), m_strValue(strValue), m_nKind(nKind), m_strChoices(strChoices),
      m_nChoiceIndex(nChoiceIndex), m_nFileFilter(nFileFilter)
{
}

CPropertyList::~CPropertyList()
{
    // The editors go before the font they use.
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyWindow();
}

// ---------------------------------------------------------------------------
// Rows

int CPropertyList::AddPropItem(CPropertyItem* pItem)
{
    const int nIndex = AddString("");
    if (nIndex == LB_ERR || nIndex == LB_ERRSPACE)
        return nIndex;
    SetItemData(nIndex, (DWORD_PTR)pItem);
    return nIndex;
}

int CPropertyList::AddItem(CString strText)
{
    const int nIndex = AddString(strText);
    if (nIndex == LB_ERR || nIndex == LB_ERRSPACE)
        return nIndex;
    // Without stored strings the list would keep the text's address as the
    // row's data; a plain row carries none.
    SetItemData(nIndex, 0);
    return nIndex;
}

CPropertyItem* CPropertyList::GetPropItem(int nIndex) const
{
    if (!m_hWnd || nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    const DWORD_PTR d = GetItemData(nIndex);
    // 0 is a plain row; LB_ERR is what the list answers for no row.
    if (d == 0 || d == (DWORD_PTR)LB_ERR)
        return nullptr;
    return (CPropertyItem*)d;
}

// ---------------------------------------------------------------------------
// Creation

BOOL CPropertyList::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CListBox::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~(DWORD)(LBS_SORT | LBS_OWNERDRAWVARIABLE);
    // Stored strings let plain rows show their text.
    cs.style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    m_bDividerDrag = FALSE;
    m_nDividerX = 0;
    return TRUE;
}

void CPropertyList::PrepareResources()
{
    m_hcurSplit = ::LoadCursor(nullptr, IDC_SIZEWE);
    if (!m_fontControls.m_hObject)
        m_fontControls.CreatePointFont(80, "MS Sans Serif");
    // The list asks its parent for the row height only when the parent is a
    // framework window; every row is this high whoever the parent is.
    if (m_hWnd)
        ::SendMessageA(m_hWnd, LB_SETITEMHEIGHT, 0, kRowHeight);
}

int CPropertyList::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CListBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_bDividerDrag = FALSE;
    m_nDividerX = 0;
    PrepareResources();
    return 0;
}

void CPropertyList::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    m_bDividerDrag = FALSE;
    m_nDividerX = 0;
    m_nCurItem = 1;
    PrepareResources();
}

void CPropertyList::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    lpMIS->itemHeight = kRowHeight;
}

// ---------------------------------------------------------------------------
// Drawing

void CPropertyList::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (!lpDIS || !lpDIS->hDC)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect(lpDIS->rcItem);
    if (m_nDividerX == 0)
        m_nDividerX = rect.Width() / 6;
    if (lpDIS->itemID == (UINT)-1)
        return;

    CPropertyItem* pItem = GetPropItem((int)lpDIS->itemID);
    if (!pItem)
    {
        // A plain row: its text across the row on the face colour.
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
        CString strText;
        if (GetStyle() & LBS_HASSTRINGS)
            GetText((int)lpDIS->itemID, strText);
        CRect rcText(rect.left + 3, rect.top, rect.right - 3, rect.bottom);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(strText, -1, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        return;
    }

    CRect rcName = rect;
    rcName.right = m_nDividerX - 1;
    CRect rcValue = rect;
    rcValue.left = m_nDividerX;

    pDC->FillSolidRect(&rcName, RGB(255, 255, 255));
    pDC->DrawEdge(&rcName, EDGE_SUNKEN, BF_BOTTOMRIGHT);
    pDC->DrawEdge(&rcValue, EDGE_SUNKEN, BF_BOTTOM);
    pDC->SetBkMode(TRANSPARENT);
    CRect rcNameText(rcName.left + 3, rcName.top + 3, rcName.right - 3, rcName.bottom + 3);
    pDC->DrawText(pItem->m_strName, -1, &rcNameText, DT_SINGLELINE);
    CRect rcValueText(rcValue.left + 3, rcValue.top + 3, rcValue.right + 3, rcValue.bottom + 3);
    pDC->DrawText(pItem->m_strValue, -1, &rcValueText, DT_SINGLELINE);
}

void CPropertyList::InvertLine(CDC* pDC, CPoint ptFrom, CPoint ptTo)
{
    const int nOldMode = pDC->SetROP2(R2_NOT);
    pDC->MoveTo(ptFrom);
    pDC->LineTo(ptTo);
    pDC->SetROP2(nOldMode);
}

// ---------------------------------------------------------------------------
// Editors

BOOL CPropertyList::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE)
    {
        OnSelchange();
        if (pResult)
            *pResult = 0;
        return TRUE;
    }
    return CListBox::OnChildNotify(message, wParam, lParam, pResult);
}

void CPropertyList::OnSelchange()
{
    CRect rect;
    if (GetItemRect(m_nCurItem, &rect) == LB_ERR)
        return;
    rect.left = m_nDividerX;
    if (m_btnBrowse.m_hWnd)
        m_btnBrowse.ShowWindow(SW_HIDE);
    CPropertyItem* pItem = GetPropItem(m_nCurItem);
    if (!pItem)
        return;

    if (pItem->m_nKind == PROP_KIND_CHOICE)
    {
        if (m_cmbChoices.m_hWnd)
            m_cmbChoices.MoveWindow(&rect);
        else
        {
            CRect rcCreate = rect;
            rcCreate.bottom += kDropDownHeight;
            if (!m_cmbChoices.Create(0x50800403, rcCreate, this, ID_PROPLIST_COMBO))
                return;
            m_cmbChoices.SetFont(&m_fontControls);
        }
        m_cmbChoices.ResetContent();
        // Each '|' ends an entry; text after the last one is not an entry.
        const char* pStart = pItem->m_strChoices;
        for (const char* p = pStart; *p; ++p)
        {
            if (*p == '|')
            {
                m_cmbChoices.AddString(CString(pStart, (int)(p - pStart)));
                pStart = p + 1;
            }
        }
        m_cmbChoices.ShowWindow(SW_SHOW);
        m_cmbChoices.SetFocus();
        const int nFound = m_cmbChoices.FindStringExact(-1, pItem->m_strValue);
        m_cmbChoices.SetCurSel(nFound != CB_ERR ? nFound : 0);
    }
    else if (pItem->m_nKind == PROP_KIND_TEXT)
    {
        rect.bottom -= 3;
        if (m_editValue.m_hWnd)
            m_editValue.MoveWindow(&rect);
        else
        {
            if (!m_editValue.Create(0x50800080, rect, this, ID_PROPLIST_EDIT))
                return;
            m_editValue.SetFont(&m_fontControls);
        }
        m_editValue.ShowWindow(SW_SHOW);
        m_editValue.SetFocus();
        m_editValue.SetWindowText(pItem->m_strValue);
    }
    else
        DisplayButton(rect);
}

void CPropertyList::DisplayButton(CRect region)
{
    if (region.Width() > kButtonWidth)
        region.left = region.right - kButtonWidth;
    region.bottom -= 3;
    if (m_btnBrowse.m_hWnd)
        m_btnBrowse.MoveWindow(&region);
    else
    {
        if (!m_btnBrowse.Create("...", 0x50000000, region, this, ID_PROPLIST_BUTTON))
            return;
        m_btnBrowse.SetFont(&m_fontControls);
    }
    m_btnBrowse.ShowWindow(SW_SHOW);
    m_btnBrowse.SetFocus();
}

BOOL CPropertyList::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    const HWND hCtl = (HWND)lParam;
    if (hCtl && nID == ID_PROPLIST_COMBO && hCtl == m_cmbChoices.m_hWnd)
    {
        if (nCode == CBN_KILLFOCUS)
        {
            m_cmbChoices.ShowWindow(SW_HIDE);
            Invalidate();
            return TRUE;
        }
        if (nCode == CBN_SELCHANGE)
        {
            CPropertyItem* pItem = GetPropItem(m_nCurItem);
            const int nSel = m_cmbChoices.GetCurSel();
            if (pItem && nSel != CB_ERR)
            {
                m_cmbChoices.GetLBText(nSel, pItem->m_strValue);
                pItem->m_nChoiceIndex = (short)nSel;
            }
            return TRUE;
        }
    }
    else if (hCtl && nID == ID_PROPLIST_EDIT && hCtl == m_editValue.m_hWnd)
    {
        if (nCode == EN_KILLFOCUS)
        {
            m_editValue.ShowWindow(SW_HIDE);
            Invalidate();
            return TRUE;
        }
        if (nCode == EN_CHANGE)
        {
            CPropertyItem* pItem = GetPropItem(m_nCurItem);
            if (pItem)
                m_editValue.GetWindowText(pItem->m_strValue);
            return TRUE;
        }
    }
    else if (hCtl && nID == ID_PROPLIST_BUTTON && hCtl == m_btnBrowse.m_hWnd && nCode == BN_CLICKED)
    {
        OnButton();
        return TRUE;
    }
    return CListBox::OnCommand(wParam, lParam);
}

BOOL CPropertyList::ParseColour(LPCSTR pszValue, COLORREF* pcr)
{
    if (pcr)
        *pcr = RGB(0, 0, 0);
    if (!pszValue || !strstr(pszValue, "RGB"))
        return FALSE;
    // "RGB(r,g,b)": red from position 4 to the first ',' at or after 3,
    // green to the next ',', blue to the next ')'. Anything that lacks one
    // of them is no colour.
    const size_t len = strlen(pszValue);
    if (len < 4)
        return FALSE;
    const char* pComma1 = strchr(pszValue + 3, ',');
    if (!pComma1 || pComma1 < pszValue + 4)
        return FALSE;
    const char* pComma2 = strchr(pComma1 + 1, ',');
    if (!pComma2)
        return FALSE;
    const char* pClose = strchr(pComma2 + 1, ')');
    if (!pClose)
        return FALSE;
    const int r = LowByteOf(pszValue + 4, pComma1);
    const int g = LowByteOf(pComma1 + 1, pComma2);
    const int b = LowByteOf(pComma2 + 1, pClose);
    if (pcr)
        *pcr = RGB(r, g, b);
    return TRUE;
}

void CPropertyList::OnButton()
{
    CPropertyItem* pItem = GetPropItem(m_nCurItem);
    if (!pItem)
        return;
    CString strNew;
    switch (pItem->m_nKind)
    {
    case PROP_KIND_COLOUR:
    {
        COLORREF crInitial = RGB(0, 0, 0);
        ParseColour(pItem->m_strValue, &crInitial);
        CColorDialog dlg(crInitial, 0, this);
        if (dlg.DoModal() != IDOK)
            return;
        const COLORREF cr = dlg.GetColor();
        strNew.Format("RGB(%d,%d,%d)", GetRValue(cr), GetGValue(cr), GetBValue(cr));
        break;
    }
    case PROP_KIND_FONT:
    {
        CFontDialog dlg(nullptr, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
        if (dlg.DoModal() != IDOK)
            return;
        strNew = dlg.GetFaceName();
        break;
    }
    case PROP_KIND_FILE:
    {
        LPCSTR pszFilter = pItem->m_nFileFilter ? "Tif Files (*.tif)|*.tif||" : "Raw Files (*.raw)|*.raw||";
        CFileDialog dlg(TRUE, nullptr, nullptr, 0, pszFilter, this);
        dlg.m_ofn.lpstrTitle = "Select file";
        CString strFolder;
        const int nSlash = pItem->m_strValue.ReverseFind('\\');
        if (nSlash >= 0)
        {
            strFolder = pItem->m_strValue.Left(nSlash);
            dlg.m_ofn.lpstrInitialDir = strFolder;
        }
        if (dlg.DoModal() != IDOK)
            return;
        strNew = dlg.GetPathName();
        break;
    }
    default:
        return;
    }
    if (m_btnBrowse.m_hWnd)
        m_btnBrowse.ShowWindow(SW_HIDE);
    pItem->m_strValue = strNew;
    Invalidate();
}

// ---------------------------------------------------------------------------
// Dragging the divider

void CPropertyList::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (point.x < m_nDividerX - kDividerSlop || point.x > m_nDividerX + kDividerSlop)
    {
        m_bDividerDrag = FALSE;
        CListBox::OnLButtonDown(nFlags, point);
        return;
    }
    ::SetCursor(m_hcurSplit);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    rcWindow.left += kCursorMargin;
    rcWindow.right -= kCursorMargin;
    ::ClipCursor(&rcWindow);
    if (m_cmbChoices.m_hWnd)
        m_cmbChoices.ShowWindow(SW_HIDE);
    if (m_editValue.m_hWnd)
        m_editValue.ShowWindow(SW_HIDE);
    // Hiding an editor repaints the list; that happens before the line is
    // drawn, or it would wipe the line and the next move draw a second one.
    UpdateWindow();
    CRect rcClient;
    GetClientRect(&rcClient);
    m_nDividerTop = rcClient.top;
    m_nDividerBottom = rcClient.bottom;
    m_bDividerDrag = TRUE;
    m_nDragX = point.x;
    CClientDC dc(this);
    InvertLine(&dc, CPoint(m_nDragX, m_nDividerTop), CPoint(m_nDragX, m_nDividerBottom));
    SetCapture();
}

void CPropertyList::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bDividerDrag)
    {
        CClientDC dc(this);
        InvertLine(&dc, CPoint(m_nDragX, m_nDividerTop), CPoint(m_nDragX, m_nDividerBottom));
        InvertLine(&dc, CPoint(point.x, m_nDividerTop), CPoint(point.x, m_nDividerBottom));
        m_nDragX = point.x;
    }
    else if (point.x >= m_nDividerX - kDividerSlop && point.x <= m_nDividerX + kDividerSlop)
        ::SetCursor(m_hcurSplit);
    else
        CListBox::OnMouseMove(nFlags, point);
}

void CPropertyList::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bDividerDrag)
    {
        BOOL bOutside = FALSE;
        m_nCurItem = (int)ItemFromPoint(point, bOutside);
        CListBox::OnLButtonUp(nFlags, point);
        return;
    }
    m_bDividerDrag = FALSE;
    if (GetCapture() == this)
        ::ReleaseCapture();
    ::ClipCursor(nullptr);
    CClientDC dc(this);
    InvertLine(&dc, CPoint(point.x, m_nDividerTop), CPoint(point.x, m_nDividerBottom));
    m_nDividerX = point.x;
    Invalidate();
}

void CPropertyList::CancelDividerDrag()
{
    m_bDividerDrag = FALSE;
    ::ClipCursor(nullptr);
    CClientDC dc(this);
    InvertLine(&dc, CPoint(m_nDragX, m_nDividerTop), CPoint(m_nDragX, m_nDividerBottom));
}

void CPropertyList::OnCaptureChanged(CWnd* pWnd)
{
    // Losing the mouse mid-drag (another window took it, a menu opened)
    // ends the drag where it started and frees the cursor.
    if (m_bDividerDrag)
        CancelDividerDrag();
    CListBox::OnCaptureChanged(pWnd);
}
