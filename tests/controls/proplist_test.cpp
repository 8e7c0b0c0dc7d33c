// CPropertyList under Wine: rows drawn and read back as pixels, each editor
// kind driven with real messages and the dialogs answered through the
// modal-UI seam, the divider dragged with the mouse (capture loss
// included), and rows that carry no record.
#include <gtest/gtest.h>
#include "controls/PropertyList.h"
#include "controls_test_util.h"

#include <string>

using namespace ctltest;

namespace
{

// Answers the colour, font and file dialogs and keeps what was asked.
class CDialogAnswers : public CModalUIAnswerer
{
public:
    CDialogAnswers() { m_pPrevious = AfxSetModalUIAnswerer(this); }
    ~CDialogAnswers() override { AfxSetModalUIAnswerer(m_pPrevious); }

    INT_PTR nResult = IDOK;
    COLORREF crAnswer = RGB(0, 0, 255);
    int nAsked = 0;
    COLORREF crAsked = 0xFFFFFFFF;
    DWORD dwFontFlags = 0;
    std::string title, filter, initialDir;

    BOOL AnswerColorDialog(HWND, COLORREF* pcr, DWORD, INT_PTR* pn) override
    {
        nAsked++;
        crAsked = *pcr;
        if (nResult == IDOK)
            *pcr = crAnswer;
        *pn = nResult;
        return TRUE;
    }
    BOOL AnswerFontDialog(HWND, LOGFONTA* plf, COLORREF*, DWORD dwFlags, INT_PTR* pn) override
    {
        nAsked++;
        dwFontFlags = dwFlags;
        lstrcpyA(plf->lfFaceName, "Courier New");
        plf->lfHeight = -19;
        plf->lfWeight = FW_BOLD;
        plf->lfItalic = TRUE;
        *pn = nResult;
        return TRUE;
    }
    BOOL AnswerFileDialog(HWND, BOOL bOpen, OPENFILENAMEA* pofn, INT_PTR* pn) override
    {
        nAsked++;
        title = pofn->lpstrTitle ? pofn->lpstrTitle : "";
        initialDir = pofn->lpstrInitialDir ? pofn->lpstrInitialDir : "(none)";
        filter.clear();
        for (const char* p = pofn->lpstrFilter; p && *p; p += strlen(p) + 1)
            filter += std::string(p) + "|";
        if (bOpen && nResult == IDOK)
            lstrcpynA(pofn->lpstrFile, "C:\\images\\cells.tif", (int)pofn->nMaxFile);
        *pn = nResult;
        return TRUE;
    }

private:
    CModalUIAnswerer* m_pPrevious;
};

class CTestPropertyList : public CPropertyList
{
public:
    void SetCurItem(int n) { m_nCurItem = n; }
};

struct PropFixture : public ::testing::Test
{
    CRecordingParent parent;
    CTestPropertyList list;
    CPropertyItem choice{ "Grid lines", "Horizontal", PROP_KIND_CHOICE, "None|Horizontal|Vertical|Both|" };
    CPropertyItem text{ "Title", "Regions", PROP_KIND_TEXT, "" };
    CPropertyItem colour{ "Back", "RGB(255,128,0)", PROP_KIND_COLOUR, "" };
    CPropertyItem fontRow{ "Font", "Tahoma", PROP_KIND_FONT, "" };
    CPropertyItem raw{ "Raw", "C:\\data\\x.raw", PROP_KIND_FILE, "", 0, 0 };
    CPropertyItem tif{ "Tif", "plain.tif", PROP_KIND_FILE, "", 0, 1 };
    CPropertyItem other{ "Other", "?", 9, "" };
    enum { kChoice, kText, kColour, kFont, kRaw, kTif, kOther, kPlain };

    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateShown(400, 300));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | WS_VSCROLL | LBS_SORT, CRect(0, 0, 360, 240),
                                &parent, 60));
        for (CPropertyItem* p : { &choice, &text, &colour, &fontRow, &raw, &tif, &other })
            list.AddPropItem(p);
        EXPECT_EQ(kPlain, list.AddItem("Section"));
    }
    // A click in the value cell of a row, as the user selects it.
    void ClickRow(int nRow)
    {
        CRect rc;
        list.GetItemRect(nRow, &rc);
        Click(list.m_hWnd, rc.right - 40, rc.top + 10);
        Pump(10);
    }
    CWnd* Editor(UINT nID) { return list.GetDlgItem((int)nID); }
};

}  // namespace

TEST_F(PropFixture, RowsAreDrawnInTwoColumnsAndTheDividerDrags)
{
    EXPECT_FALSE(list.GetStyle() & LBS_SORT) << "rows stay in the order they were added";
    EXPECT_EQ(20, list.GetItemHeight(0));
    Pixels px = Pixels::Of(list.m_hWnd);
    CRect rcClient;
    list.GetClientRect(&rcClient);
    ASSERT_EQ(rcClient.Width() / 6, list.GetDividerX());
    const int d = list.GetDividerX();
    CRect r0;
    list.GetItemRect(0, &r0);
    const COLORREF crInner = ::GetSysColor(COLOR_3DLIGHT);
    ASSERT_NE(crInner, ::GetSysColor(COLOR_WINDOW));
    // The name cell ends at d - 1 with a sunken edge; the value cell has a
    // sunken bottom edge and the list's own background.
    EXPECT_EQ(crInner, px.At(d - 3, r0.top + 5));
    EXPECT_EQ(crInner, px.At(d + 20, r0.bottom - 2));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), px.At(d + 1, r0.top + 1));
    // Text ink in both cells; the plain row is on the face colour.
    auto Ink = [&](int x0, int x1, const CRect& r) {
        int n = 0;
        for (int x = x0; x < x1; x++)
            for (int y = r.top + 3; y < r.bottom - 3; y++)
                n += px.At(x, y) != RGB(255, 255, 255) && px.At(x, y) != crInner ? 1 : 0;
        return n;
    };
    EXPECT_GT(Ink(2, d - 4, r0), 10);
    EXPECT_GT(Ink(d + 2, rcClient.right, r0), 10);
    CRect rPlain;
    list.GetItemRect(kPlain, &rPlain);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), px.At(rcClient.right - 3, rPlain.top + 2));

    // A press 6 pixels off the divider selects a row; 5 pixels off drags.
    ::SendMessageA(list.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(d + 6, r0.top + 30));
    EXPECT_FALSE(list.IsDividerDragging());
    ::SendMessageA(list.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(d + 6, r0.top + 30));
    EXPECT_EQ(1, list.GetCurSel());
    EXPECT_EQ(1, list.GetCurItem());
    Pump(10);

    Pixels before = Pixels::Of(list.m_hWnd);
    // The pointer is put where the messages say, so the moves the system
    // reports for it agree with them.
    PointerAt(list.m_hWnd, d + 5, 100);
    ::SendMessageA(list.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(d + 5, 100));
    ASSERT_TRUE(list.IsDividerDragging());
    EXPECT_EQ(list.m_hWnd, ::GetCapture());
    CRect rcWindow, rcClip;
    list.GetWindowRect(&rcWindow);
    ::GetClipCursor(&rcClip);
    EXPECT_EQ(rcWindow.left + 10, rcClip.left);
    EXPECT_EQ(rcWindow.right - 10, rcClip.right);
    Pixels pressed = Pixels::Of(list.m_hWnd);
    const int y = 150;
    EXPECT_EQ(before.px[(size_t)y * before.cx + d + 5] ^ 0xFFFFFF, pressed.px[(size_t)y * pressed.cx + d + 5])
        << "the line at the press is inverted";
    PointerAt(list.m_hWnd, 150, 100);
    ::SendMessageA(list.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 100));
    Pixels moved = Pixels::Of(list.m_hWnd);
    EXPECT_EQ(before.At(d + 5, y), moved.At(d + 5, y)) << "the old line is erased";
    EXPECT_EQ(before.px[(size_t)y * before.cx + 150] ^ 0xFFFFFF, moved.px[(size_t)y * moved.cx + 150]);
    ::SendMessageA(list.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(150, 100));
    EXPECT_FALSE(list.IsDividerDragging());
    EXPECT_EQ(150, list.GetDividerX());
    EXPECT_EQ(nullptr, ::GetCapture());
    ::GetClipCursor(&rcClip);
    EXPECT_GT(rcClip.Width(), rcWindow.Width()) << "the cursor is free again";
    Pixels dropped = Pixels::Of(list.m_hWnd);
    EXPECT_EQ(crInner, dropped.At(147, r0.top + 5)) << "name cell's right edge at 149";
    EXPECT_EQ(crInner, dropped.At(170, r0.bottom - 2));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), dropped.At(151, r0.top + 1)) << "value cell from 150";

    // Losing the capture mid-drag ends it: cursor freed, line gone, divider
    // where it was.
    Pixels rest = Pixels::Of(list.m_hWnd);
    PointerAt(list.m_hWnd, 152, 100);
    ::SendMessageA(list.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(152, 100));
    ASSERT_TRUE(list.IsDividerDragging());
    PointerAt(list.m_hWnd, 200, 100);
    ::SendMessageA(list.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 100));
    Pump(20);
    parent.SetCapture();
    EXPECT_FALSE(list.IsDividerDragging());
    ::ReleaseCapture();
    ::GetClipCursor(&rcClip);
    EXPECT_GT(rcClip.Width(), rcWindow.Width());
    EXPECT_EQ(150, list.GetDividerX());
    Pixels after = Pixels::Of(list.m_hWnd);
    EXPECT_EQ(rest.At(200, y), after.At(200, y));
    EXPECT_EQ(rest.At(152, y), after.At(152, y));
}

TEST_F(PropFixture, EachEditorWritesIntoTheHostsRecord)
{
    CDialogAnswers answers;

    // Choice: the drop-down shows the entries, the current one selected;
    // picking another writes value and index.
    ClickRow(kChoice);
    CComboBox* pCombo = (CComboBox*)Editor(ID_PROPLIST_COMBO);
    ASSERT_NE(nullptr, pCombo);
    EXPECT_TRUE(pCombo->IsWindowVisible());
    EXPECT_EQ(pCombo->m_hWnd, ::GetFocus());
    ASSERT_EQ(4, pCombo->GetCount());
    EXPECT_EQ(1, pCombo->GetCurSel());
    ::SendMessageA(pCombo->m_hWnd, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ("Vertical", std::string(choice.m_strValue));
    EXPECT_EQ(2, choice.m_nChoiceIndex);

    // Values not among the entries, entries without a closing bar, none.
    choice.m_strValue = "Diagonal";
    ClickRow(kChoice);
    EXPECT_EQ(0, list.m_cmbChoices.GetCurSel());
    EXPECT_EQ("Diagonal", std::string(choice.m_strValue));
    choice.m_strChoices = "Yes|No";
    ClickRow(kChoice);
    ASSERT_EQ(1, list.m_cmbChoices.GetCount());
    choice.m_strChoices = "";
    ClickRow(kChoice);
    EXPECT_EQ(0, list.m_cmbChoices.GetCount());
    EXPECT_EQ(CB_ERR, list.m_cmbChoices.GetCurSel());

    // Text: the edit holds the value; every keystroke updates the record;
    // losing the focus hides the edit.
    ClickRow(kText);
    EXPECT_FALSE(list.m_cmbChoices.IsWindowVisible()) << "one editor at a time";
    CEdit* pEdit = (CEdit*)Editor(ID_PROPLIST_EDIT);
    ASSERT_NE(nullptr, pEdit);
    EXPECT_EQ(pEdit->m_hWnd, ::GetFocus());
    CString s;
    pEdit->GetWindowText(s);
    EXPECT_EQ("Regions", std::string(s));
    pEdit->SetSel(0, -1);
    ::SendMessageA(pEdit->m_hWnd, WM_CHAR, 'A', 1);
    EXPECT_EQ("A", std::string(text.m_strValue));
    ::SendMessageA(pEdit->m_hWnd, WM_CHAR, 'b', 1);
    EXPECT_EQ("Ab", std::string(text.m_strValue));
    // The keyboard moves the selection, the editor stays with the row last
    // clicked.
    list.SetFocus();
    EXPECT_FALSE(pEdit->IsWindowVisible());
    ::SendMessageA(list.m_hWnd, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(kText + 1, list.GetCurSel());
    EXPECT_TRUE(pEdit->IsWindowVisible());

    // Colour: the "..." button in the rightmost 25 pixels; the dialog opens
    // on the value's colour; OK stores the choice, Cancel keeps the value.
    ClickRow(kColour);
    CButton* pButton = (CButton*)Editor(ID_PROPLIST_BUTTON);
    ASSERT_NE(nullptr, pButton);
    CRect rcButton, rcRow;
    pButton->GetWindowRect(&rcButton);
    list.ScreenToClient(&rcButton);
    list.GetItemRect(kColour, &rcRow);
    EXPECT_EQ(rcRow.right - 25, rcButton.left);
    EXPECT_EQ(rcRow.bottom - 3, rcButton.bottom);
    EXPECT_EQ(pButton->m_hWnd, ::GetFocus());
    pButton->SendMessage(BM_CLICK);
    EXPECT_EQ(RGB(255, 128, 0), answers.crAsked);
    EXPECT_EQ("RGB(0,0,255)", std::string(colour.m_strValue));
    EXPECT_FALSE(pButton->IsWindowVisible());
    answers.nResult = IDCANCEL;
    ClickRow(kColour);
    pButton->SendMessage(BM_CLICK);
    EXPECT_EQ("RGB(0,0,255)", std::string(colour.m_strValue));
    answers.nResult = IDOK;
    // Damaged colour values start the dialog at black.
    for (const char* bad : { "RGB", "xRGB(1)", "RGB(1,2", "RGB(,,)" })
    {
        colour.m_strValue = bad;
        answers.crAsked = 0xFFFFFF;
        ClickRow(kColour);
        pButton->SendMessage(BM_CLICK);
        EXPECT_EQ(RGB(0, 0, 0), answers.crAsked) << bad;
    }
    // Numbers keep their low 8 bits; long digit runs cannot overflow.
    COLORREF cr = 1;
    EXPECT_TRUE(CPropertyList::ParseColour("RGB(300,-1,99999999999999999999)", &cr));
    EXPECT_EQ(RGB(44, 255, 255), cr);
    EXPECT_FALSE(CPropertyList::ParseColour("no colour", &cr));
    EXPECT_EQ(RGB(0, 0, 0), cr);

    // Font: screen fonts with effects; only the face name is stored.
    ClickRow(kFont);
    pButton->SendMessage(BM_CLICK);
    EXPECT_EQ((DWORD)(CF_SCREENFONTS | CF_EFFECTS), answers.dwFontFlags & (CF_SCREENFONTS | CF_EFFECTS));
    EXPECT_EQ("Courier New", std::string(fontRow.m_strValue));

    // Files: the filter by the row's kind, the title, the folder of the
    // current value; the chosen path is stored.
    ClickRow(kRaw);
    pButton->SendMessage(BM_CLICK);
    EXPECT_EQ("Select file", answers.title);
    EXPECT_EQ("Raw Files (*.raw)|*.raw|", answers.filter);
    EXPECT_EQ("C:\\data", answers.initialDir);
    EXPECT_EQ("C:\\images\\cells.tif", std::string(raw.m_strValue));
    ClickRow(kTif);
    pButton->SendMessage(BM_CLICK);
    EXPECT_EQ("Tif Files (*.tif)|*.tif|", answers.filter);
    EXPECT_EQ("(none)", answers.initialDir);

    // Other kinds show a button that does nothing; plain rows and rows that
    // do not exist show nothing and are never read as records.
    const int nAsked = answers.nAsked;
    ClickRow(kOther);
    EXPECT_TRUE(pButton->IsWindowVisible());
    pButton->SendMessage(BM_CLICK);
    EXPECT_EQ("?", std::string(other.m_strValue));
    ClickRow(kPlain);
    EXPECT_FALSE(pButton->IsWindowVisible());
    EXPECT_EQ(nullptr, list.GetPropItem(kPlain));
    EXPECT_EQ(nullptr, list.GetPropItem(99));
    list.SetCurItem(99);
    ::SendMessageA(list.m_hWnd, WM_KEYDOWN, VK_UP, 1);
    list.SetCurItem(kPlain);
    ::SendMessageA(list.m_hWnd, WM_COMMAND, MAKEWPARAM(ID_PROPLIST_BUTTON, BN_CLICKED), (LPARAM)pButton->m_hWnd);
    EXPECT_EQ(nAsked, answers.nAsked);
}
