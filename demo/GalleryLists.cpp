// The gallery's "Lists and properties" window.
#include "demo/GalleryLists.h"
#include "controls/GfxInEdit.h"
#include "controls/PropertyList.h"
#include "controls/SortListCtrl.h"
#include "datafiles/EnvHelpers.h"
#include "demo/PngWriter.h"
#include "grid/GridCtrl.h"
#include "platform/Win32.h"

#include <stdio.h>
#include <memory>
#include <vector>

namespace
{

const UINT kFileListId = 1301;
const UINT kPropListId = 1302;
const UINT kEditId = 1303;
const UINT WM_GALLERY_EDIT_CELL = WM_APP + 1;  // wParam item, lParam sub-item
const int kNoteCol = 5;

// The files of a folder; the Note column is edited in place: double-click
// it, type, Enter keeps the text, Esc drops it, Tab / Down go on to the next
// row's note, Shift+Tab / Up to the previous one.
class CFileList : public CSortListCtrl
{
public:
    void Fill(const CString& strFolder)
    {
        SetHeadings(CString("No,36;Name,170;Size,80;Date,86;Type,50;Note,120"));
        SetFirstColID(TRUE);
        WIN32_FIND_DATAA fd;
        HANDLE h = ::FindFirstFileA(strFolder + "*", &fd);
        if (h == INVALID_HANDLE_VALUE)
            return;
        int n = 0;
        do
        {
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            char szNo[16], szSize[32], szDate[16];
            sprintf(szNo, "%d", ++n);
            sprintf(szSize, "%llu", ((unsigned long long)fd.nFileSizeHigh << 32) | fd.nFileSizeLow);
            FILETIME local;
            SYSTEMTIME st;
            ::FileTimeToLocalFileTime(&fd.ftLastWriteTime, &local);
            ::FileTimeToSystemTime(&local, &st);
            sprintf(szDate, "%02u/%02u/%04u", st.wDay, st.wMonth, st.wYear);
            const char* pDot = strrchr(fd.cFileName, '.');
            AddItem(szNo, fd.cFileName, szSize, szDate, pDot ? pDot + 1 : "", "");
        } while (::FindNextFileA(h, &fd));
        ::FindClose(h);
    }

    // Opens the in-place edit over a cell of the Note column.
    void EditCell(int nItem, int nSubItem)
    {
        if (nSubItem != kNoteCol || nItem < 0 || nItem >= GetItemCount())
            return;
        m_pEdit.reset();  // the previous edit's window is gone by now
        EnsureVisible(nItem, FALSE);
        CRect rc;
        if (!GetSubItemRect(nItem, nSubItem, LVIR_LABEL, rc))
            return;
        m_pEdit.reset(new CGfxInEdit(nItem, nSubItem, GetItemText(nItem, nSubItem)));
        m_pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rc, this, kEditId);
    }
    CGfxInEdit* GetEdit() const { return m_pEdit.get(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const NMHDR* pHdr = (const NMHDR*)lParam;
        if ((message == WM_GVX_INEDIT_END || (message == WM_NOTIFY && pHdr && pHdr->hwndFrom == m_hWnd)) && pHdr &&
            pHdr->code == LVN_ENDLABELEDITA)
        {
            const NMLVDISPINFOA* p = (const NMLVDISPINFOA*)lParam;
            SetItemText(p->item.iItem, p->item.iSubItem, p->item.pszText);
            return 0;
        }
        if (message == WM_GVX_INEDIT_NAVIGATE && lParam)
        {
            const int* record = (const int*)lParam;
            int nNext = record[0];
            if (wParam == GVX_NAV_TAB || wParam == GVX_NAV_DOWN)
                nNext++;
            else if (wParam == GVX_NAV_SHIFT_TAB || wParam == GVX_NAV_UP)
                nNext--;
            else
                return 0;
            // Opened once the ended edit's messages are over.
            PostMessage(WM_GALLERY_EDIT_CELL, (WPARAM)nNext, (LPARAM)record[1]);
            return 0;
        }
        if (message == WM_GALLERY_EDIT_CELL)
        {
            EditCell((int)wParam, (int)lParam);
            return 0;
        }
        return CSortListCtrl::WindowProc(message, wParam, lParam);
    }

private:
    std::unique_ptr<CGfxInEdit> m_pEdit;
};

// The property list tells its window after every edit, so the grid follows.
class CSettingsList : public CPropertyList
{
public:
    CWnd* m_pNotify = nullptr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        BOOL b = CPropertyList::OnCommand(wParam, lParam);
        if (m_pNotify)
            m_pNotify->SendMessage(WM_COMMAND, MAKEWPARAM(kPropListId, 0), 0);
        return b;
    }
};

class CListsWnd : public CWnd
{
public:
    CVXGridCtrl* m_pGrid = nullptr;
    CFileList m_files;
    CSettingsList m_props;
    CFont m_fontGrid;
    CString m_strAppliedFont;
    // The host's records behind the property rows.
    CPropertyItem m_itemLines{ "Grid lines", "Both", PROP_KIND_CHOICE, "None|Horizontal|Vertical|Both|", 3 };
    CPropertyItem m_itemListMode{ "List mode", "On", PROP_KIND_CHOICE, "On|Off|" };
    CPropertyItem m_itemText{ "Text colour", "RGB(0,0,0)", PROP_KIND_COLOUR, "" };
    CPropertyItem m_itemBack{ "Cell colour", "RGB(255,255,255)", PROP_KIND_COLOUR, "" };
    CPropertyItem m_itemGridColour{ "Line colour", "RGB(192,192,192)", PROP_KIND_COLOUR, "" };
    CPropertyItem m_itemFont{ "Font", "", PROP_KIND_FONT, "" };
    CPropertyItem m_itemTitle{ "Window title", "", PROP_KIND_TEXT, "" };
    CPropertyItem m_itemImage{ "Image file", "", PROP_KIND_FILE, "", 0, 1 };

    BOOL CreateWindowFor(CWnd* pOwner, CVXGridCtrl* pGrid)
    {
        m_pGrid = pGrid;
        CRect rcOwner;
        pOwner->GetWindowRect(&rcOwner);
        if (!CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                      "Lists and properties", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rcOwner.left + 40,
                      rcOwner.top + 60, 860, 420, pOwner->m_hWnd, nullptr))
            return FALSE;
        return TRUE;
    }

    // Applies the property values to the grid and the main window.
    void Apply()
    {
        if (!m_pGrid || !m_pGrid->m_hWnd)
            return;
        static const char* kLines[] = { "None", "Horizontal", "Vertical", "Both" };
        for (int i = 0; i < 4; i++)
            if (m_itemLines.m_strValue == kLines[i])
                m_pGrid->SetGridLines(i);
        m_pGrid->SetListMode(m_itemListMode.m_strValue == "On");
        COLORREF cr;
        if (CPropertyList::ParseColour(m_itemText.m_strValue, &cr))
            m_pGrid->SetTextColor(cr);
        if (CPropertyList::ParseColour(m_itemBack.m_strValue, &cr))
            m_pGrid->SetTextBkColor(cr);
        if (CPropertyList::ParseColour(m_itemGridColour.m_strValue, &cr))
            m_pGrid->SetGridColor(cr);
        if (!m_itemFont.m_strValue.IsEmpty() && m_itemFont.m_strValue != m_strAppliedFont)
        {
            m_fontGrid.DeleteObject();
            if (m_fontGrid.CreatePointFont(90, m_itemFont.m_strValue))
            {
                m_pGrid->SetFont(&m_fontGrid);
                m_strAppliedFont = m_itemFont.m_strValue;
            }
        }
        CWnd* pOwner = GetOwner();
        if (pOwner && !m_itemTitle.m_strValue.IsEmpty())
            pOwner->SetWindowText(m_itemTitle.m_strValue);
        m_pGrid->Invalidate();
    }

protected:
    int OnCreate(LPCREATESTRUCTA cs) override
    {
        if (CWnd::OnCreate(cs) == -1)
            return -1;
        CRect rc;
        GetClientRect(&rc);
        if (!m_files.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS,
                            CRect(6, 6, 566, rc.bottom - 6), this, kFileListId))
            return -1;
        m_files.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        m_files.Fill(kvGetAppDir());
        m_files.LoadColumnInfo();
        if (!m_props.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY,
                            CRect(574, 6, rc.right - 6, rc.bottom - 6), this, kPropListId))
            return -1;
        m_props.m_pNotify = this;
        m_props.SetFont(&m_props.m_fontControls);
        if (m_pGrid)
        {
            m_itemListMode.m_strValue = m_pGrid->GetListMode() ? "On" : "Off";
            static const char* kLines[] = { "None", "Horizontal", "Vertical", "Both" };
            const int nLines = m_pGrid->GetGridLines();
            if (nLines >= 0 && nLines < 4)
                m_itemLines.m_strValue = kLines[nLines];
        }
        CWnd* pOwner = GetOwner();
        if (pOwner)
            pOwner->GetWindowText(m_itemTitle.m_strValue);
        for (CPropertyItem* p : { &m_itemLines, &m_itemListMode, &m_itemText, &m_itemBack, &m_itemGridColour,
                                  &m_itemFont, &m_itemTitle, &m_itemImage })
            m_props.AddPropItem(p);
        return 0;
    }
    void OnSize(UINT nType, int cx, int cy) override
    {
        CWnd::OnSize(nType, cx, cy);
        if (m_files.m_hWnd && cx > 600 && cy > 20)
        {
            m_files.MoveWindow(6, 6, 560, cy - 12);
            m_props.MoveWindow(574, 6, cx - 580, cy - 12);
        }
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kPropListId && HIWORD(wParam) == 0 && lParam == 0)
        {
            Apply();
            return TRUE;
        }
        return CWnd::OnCommand(wParam, lParam);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (CWnd::OnNotify(wParam, lParam, pResult))
            return TRUE;
        const NMHDR* pHdr = (const NMHDR*)lParam;
        if (pHdr && pHdr->hwndFrom == m_files.m_hWnd && pHdr->code == NM_DBLCLK)
        {
            const NMITEMACTIVATE* pItem = (const NMITEMACTIVATE*)lParam;
            m_files.EditCell(pItem->iItem, pItem->iSubItem);
            *pResult = 0;
            return TRUE;
        }
        return FALSE;
    }
    void OnDestroy() override
    {
        m_files.SaveColumnInfo();
        CWnd::OnDestroy();
    }
    void PostNcDestroy() override
    {
        if (g_pWindow == this)
            g_pWindow = nullptr;
        delete this;
    }

public:
    static CListsWnd* g_pWindow;
};

CListsWnd* CListsWnd::g_pWindow = nullptr;

CListsWnd* OpenWindow(CWnd* pOwner, CVXGridCtrl* pGrid)
{
    if (CListsWnd::g_pWindow)
        return CListsWnd::g_pWindow;
    CListsWnd* p = new CListsWnd;
    if (!p->CreateWindowFor(pOwner, pGrid))
    {
        delete p;
        return nullptr;
    }
    CListsWnd::g_pWindow = p;
    return p;
}

bool Fail(const char* what)
{
    fprintf(stderr, "kvVXGallery: %s\n", what);
    return false;
}

}  // namespace

void ShowListsWindow(CWnd* pOwner, CVXGridCtrl* pGrid)
{
    CListsWnd* p = OpenWindow(pOwner, pGrid);
    if (!p)
        return;
    p->ShowWindow(SW_SHOWNORMAL);
    p->SetForegroundWindow();
}

bool RenderListsScreenshot(CWnd* pOwner, CVXGridCtrl* pGrid, const std::string& path)
{
    CListsWnd* p = OpenWindow(pOwner, pGrid);
    if (!p)
        return Fail("cannot open the lists window");
    p->ShowWindow(SW_SHOWNORMAL);
    p->UpdateWindow();
    CFileList& files = p->m_files;
    if (files.GetItemCount() < 2)
        return Fail("the file list is empty");

    // A click on the Size title sorts the files by size.
    HWND hHeader = (HWND)::SendMessageA(files.m_hWnd, LVM_GETHEADER, 0, 0);
    RECT rc;
    ::SendMessageA(hHeader, HDM_GETITEMRECT, 2, (LPARAM)&rc);
    const LPARAM lpTitle = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::SendMessageA(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, lpTitle);
    ::SendMessageA(hHeader, WM_LBUTTONUP, 0, lpTitle);
    for (int i = 1; i < files.GetItemCount(); i++)
        if (CSortListCtrl::CompareTexts(files.GetItemText(i - 1, 2), files.GetItemText(i, 2)) > 0)
            return Fail("a click on the Size title did not sort the files");
    if (files.GetItemText(0, 0) != "1")
        return Fail("the rows were not renumbered");

    // A note typed into the second row's Note cell and kept with Enter.
    files.EditCell(1, kNoteCol);
    CGfxInEdit* pEdit = files.GetEdit();
    if (!pEdit || !pEdit->m_hWnd)
        return Fail("the in-place edit did not open");
    for (const char* s = "checked"; *s; ++s)
        pEdit->SendMessage(WM_CHAR, (BYTE)*s, 1);
    pEdit->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    pEdit->SendMessage(WM_CHAR, VK_RETURN, 1);
    if (files.GetItemText(1, kNoteCol) != "checked")
        return Fail("the note was not kept");
    files.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);

    // The property list: its divider dragged to the right so the names
    // show, then horizontal lines only, through its drop-down.
    CPropertyList& props = p->m_props;
    props.UpdateWindow();
    const int nDivider = props.GetDividerX();
    auto mouse = [&props](UINT msg, int x) {
        POINT pt = { x, 60 };
        props.ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
        props.SendMessage(msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 60));
    };
    mouse(WM_LBUTTONDOWN, nDivider);
    mouse(WM_MOUSEMOVE, 95);
    mouse(WM_LBUTTONUP, 95);
    if (props.GetDividerX() != 95)
        return Fail("the property list's divider did not follow the mouse");
    CRect rcRow;
    props.GetItemRect(0, &rcRow);
    const LPARAM lpRow = MAKELPARAM(rcRow.right - 30, rcRow.top + 10);
    props.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lpRow);
    props.SendMessage(WM_LBUTTONUP, 0, lpRow);
    if (!props.m_cmbChoices.m_hWnd)
        return Fail("the choice row shows no drop-down list");
    props.m_cmbChoices.SendMessage(WM_KEYDOWN, VK_UP, 1);
    props.m_cmbChoices.SendMessage(WM_KEYDOWN, VK_UP, 1);
    if (pGrid->GetGridLines() != GRIDLINES_HORZ)
        return Fail("the property list did not change the grid's lines");
    props.SetFocus();

    p->UpdateWindow();
    MSG msg;
    for (int i = 0; i < 20; i++)
    {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    }

    CRect rcClient;
    p->GetClientRect(&rcClient);
    const int cx = rcClient.Width(), cy = rcClient.Height();
    CBitmap bmp;
    DWORD* bits = nullptr;
    if (!bmp.CreateDIBSection32(cx, cy, (void**)&bits))
        return Fail("cannot make the picture");
    {
        CDC mem;
        mem.CreateCompatibleDC(nullptr);
        CBitmap* pOld = mem.SelectObject(&bmp);
        CClientDC dc(p);
        mem.BitBlt(0, 0, cx, cy, &dc, 0, 0, SRCCOPY);
        mem.SelectObject(pOld);
    }
    ::GdiFlush();
    std::vector<uint32_t> pixels(bits, bits + (size_t)cx * cy);
    for (uint32_t& px : pixels)
        px &= 0x00FFFFFF;
    p->DestroyWindow();
    if (!WritePngRgb(path, cx, cy, pixels))
        return Fail("cannot write the lists screenshot");
    printf("kvVXGallery: lists screenshot written to %s (%d x %d)\n", path.c_str(), cx, cy);
    return true;
}
