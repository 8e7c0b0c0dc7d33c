// CGfxInEdit over a cell of a real report list under Wine: keys posted to
// the edit and pumped through the framework's pre-translation, the records
// and navigation messages the list receives, growth while typing.
#include <gtest/gtest.h>
#include "controls/GfxInEdit.h"
#include "controls/SortListCtrl.h"
#include "controls_test_util.h"

#include <memory>

using namespace ctltest;

namespace
{

typedef CRecorder<CListCtrl> CHostList;

struct InEditFixture : public ::testing::Test
{
    CRecordingParent frame;
    CHostList list;
    CFont font;
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateShown());
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 200), &frame, 52));
        font.CreatePointFont(100, "Tahoma");
        list.SetFont(&font);
        list.InsertColumn(0, "A", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "B", LVCFMT_LEFT, 100);
        for (int i = 0; i < 4; i++)
            list.InsertItem(i, "row");
    }
    // A new edit over cell (2, 1) with the given text, created as the host
    // does it; the fixture owns the object.
    CGfxInEdit* Open(LPCSTR pszInitial, CRect rc = CRect(100, 40, 200, 60))
    {
        list.received.clear();
        edits.emplace_back(new CGfxInEdit(2, 1, pszInitial));
        CGfxInEdit* p = edits.back().get();
        EXPECT_TRUE(p->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rc, &list, 7001));
        return p;
    }
    // Posts a key press to the edit and lets the message loop deliver it.
    void Key(CGfxInEdit* p, UINT vk)
    {
        ::PostMessageA(p->m_hWnd, WM_KEYDOWN, vk, 1);
        ::PostMessageA(p->m_hWnd, WM_KEYUP, vk, 0xC0000001);
        Pump(20);
    }
    void Type(CGfxInEdit* p, const char* psz)
    {
        for (; *psz; ++psz)
            ::SendMessageA(p->m_hWnd, WM_CHAR, (BYTE)*psz, 1);
    }
    // The end-of-edit records the list received, by message.
    std::vector<Received> Ends(UINT message) const
    {
        std::vector<Received> r;
        for (const Received& m : list.Of(message))
            if (m.code == (int)LVN_ENDLABELEDITA)
                r.push_back(m);
        return r;
    }
    void SetShift(bool bDown)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = bDown ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    std::vector<std::unique_ptr<CGfxInEdit>> edits;
};

// The enable state an edit command would get.
BOOL Enabled(CGfxInEdit* p, UINT nID)
{
    CEnableProbeCmdUI state;
    state.m_nID = nID;
    p->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
    return state.m_bEnabled;
}

}  // namespace

TEST_F(InEditFixture, EnterCommitsEscCancelsAndFocusLossReports)
{
    // Starts with the whole text selected and the focus taken, in the
    // list's font; nothing changed and Enter: nothing sent, window gone.
    CGfxInEdit* p = Open("abc");
    EXPECT_EQ("abc", std::string(p->GetSelText()));
    long s = -1, e = -1;
    EXPECT_EQ(p->m_hWnd, ::GetFocus());
    CHARFORMATA cf = {};
    cf.cbSize = sizeof(cf);
    ::SendMessageA(p->m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
    EXPECT_STREQ("Tahoma", cf.szFaceName);
    EXPECT_TRUE(Enabled(p, ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(p, ID_EDIT_CUT));
    EXPECT_FALSE(Enabled(p, ID_EDIT_UNDO)) << "nothing to undo right after creation";
    p->SetSel(1, 1);
    EXPECT_FALSE(Enabled(p, ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(p, ID_EDIT_CUT));
    Key(p, VK_RETURN);
    EXPECT_EQ(nullptr, p->m_hWnd);
    EXPECT_TRUE(Ends(WM_USER + 203).empty());
    EXPECT_TRUE(Ends(WM_NOTIFY).empty());
    EXPECT_TRUE(list.Of(WM_USER + 202).empty());

    // Changed and Enter: one record through message 1227.
    p = Open("abc");
    Type(p, "xyz");
    EXPECT_TRUE(Enabled(p, ID_EDIT_UNDO));
    Key(p, VK_RETURN);
    EXPECT_EQ(nullptr, p->m_hWnd);
    std::vector<Received> ends = Ends(WM_USER + 203);
    ASSERT_EQ(1u, ends.size());
    EXPECT_EQ(0u, ends[0].wParam);
    EXPECT_EQ("xyz", ends[0].text);
    EXPECT_EQ(3, ends[0].cchTextMax);
    EXPECT_EQ(2, ends[0].item);
    EXPECT_EQ(1, ends[0].subItem);
    EXPECT_EQ((UINT)LVIF_TEXT, ends[0].mask);
    EXPECT_EQ(-106, ends[0].code);
    EXPECT_EQ(list.m_hWnd, ends[0].hwndFrom);
    EXPECT_EQ(7001u, ends[0].idFrom);
    EXPECT_TRUE(Ends(WM_NOTIFY).empty());
    EXPECT_EQ(list.m_hWnd, ::GetFocus());

    // Changed and Esc: nothing.
    p = Open("abc");
    Type(p, "q");
    Key(p, VK_ESCAPE);
    EXPECT_EQ(nullptr, p->m_hWnd);
    EXPECT_TRUE(Ends(WM_USER + 203).empty());
    EXPECT_TRUE(Ends(WM_NOTIFY).empty());

    // A click elsewhere (the focus moves) commits too.
    p = Open("abc");
    Type(p, "n");
    frame.SetFocus();
    EXPECT_EQ(nullptr, p->m_hWnd);
    ASSERT_EQ(1u, Ends(WM_USER + 203).size());
    EXPECT_EQ("n", Ends(WM_USER + 203)[0].text);

    // Opened by a click: the caret lands where the pointer is, no selection.
    PointerAt(list.m_hWnd, 195, 50);
    edits.emplace_back(new CGfxInEdit(0, 0, "clicked", true));
    p = edits.back().get();
    ASSERT_TRUE(p->Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(100, 40, 200, 60), &list, 7002));
    Pump(30);
    p->GetSel(s, e);
    EXPECT_EQ(s, e);
    EXPECT_EQ(7, s) << "the click right of the text puts the caret at its end";
    p->DestroyWindow();
}

TEST_F(InEditFixture, NavigationKeysCommitOnceAndAskToMoveOn)
{
    // Shift+Tab after a change: WM_NOTIFY with the list's own ID, then
    // navigation code 1 with item and sub-item; no second report.
    CGfxInEdit* p = Open("abc");
    Type(p, "new");
    SetShift(true);
    Key(p, VK_TAB);
    SetShift(false);
    EXPECT_EQ(nullptr, p->m_hWnd);
    std::vector<Received> notes = Ends(WM_NOTIFY);
    ASSERT_EQ(1u, notes.size());
    EXPECT_EQ(52u, notes[0].wParam);
    EXPECT_EQ("new", notes[0].text);
    EXPECT_TRUE(Ends(WM_USER + 203).empty());
    std::vector<Received> moves = list.Of(WM_USER + 202);
    ASSERT_EQ(1u, moves.size());
    EXPECT_EQ(GVX_NAV_SHIFT_TAB, moves[0].code);
    EXPECT_EQ(2, moves[0].item);
    EXPECT_EQ(1, moves[0].subItem);
    // The record comes before the navigation request.
    size_t iNote = 0, iMove = 0;
    for (size_t i = 0; i < list.received.size(); i++)
    {
        if (list.received[i].message == WM_NOTIFY && list.received[i].code == (int)LVN_ENDLABELEDITA)
            iNote = i;
        if (list.received[i].message == WM_USER + 202)
            iMove = i;
    }
    EXPECT_LT(iNote, iMove);

    struct Case
    {
        const char* what;
        UINT vk;
        long selStart, selEnd;  // caret or selection before the key
        int expected;           // navigation code, -1: the edit stays
    };
    const Case cases[] = {
        { "Tab", VK_TAB, 1, 1, GVX_NAV_TAB },
        { "Up in the middle", VK_UP, 1, 1, GVX_NAV_UP },
        { "Down", VK_DOWN, 3, 3, GVX_NAV_DOWN },
        { "Left at the start", VK_LEFT, 0, 0, GVX_NAV_LEFT },
        { "Left with a selection from 0", VK_LEFT, 0, 2, -1 },
        { "Left inside", VK_LEFT, 2, 2, -1 },
        { "Right at the end", VK_RIGHT, 3, 3, GVX_NAV_RIGHT },
        { "Right inside", VK_RIGHT, 1, 1, -1 },
        { "Right with a selection to the end", VK_RIGHT, 1, 3, -1 },
    };
    for (const Case& c : cases)
    {
        p = Open("abc");
        p->SetSel(c.selStart, c.selEnd);
        Key(p, c.vk);
        std::vector<Received> m = list.Of(WM_USER + 202);
        if (c.expected < 0)
        {
            EXPECT_NE(nullptr, p->m_hWnd) << c.what;
            EXPECT_TRUE(m.empty()) << c.what;
            long s = 0, e = 0;
            p->GetSel(s, e);
            EXPECT_EQ(s, e) << c.what << ": the key moved the caret";
            p->DestroyWindow();
        }
        else
        {
            EXPECT_EQ(nullptr, p->m_hWnd) << c.what;
            ASSERT_EQ(1u, m.size()) << c.what;
            EXPECT_EQ(c.expected, m[0].code) << c.what;
            EXPECT_TRUE(Ends(WM_NOTIFY).empty()) << c.what << ": unchanged text is not reported";
        }
    }
}

TEST_F(InEditFixture, TypingWidensTheEditUpToTheParentsEdge)
{
    CGfxInEdit* p = Open("", CRect(100, 40, 130, 60));
    Type(p, "wide text here");
    CRect rc;
    p->GetWindowRect(&rc);
    list.ScreenToClient(&rc);
    CClientDC dc(p);
    dc.SelectObject(&font);
    const CSize size = dc.GetTextExtent("wide text here", 14);
    EXPECT_EQ(100, rc.left);
    EXPECT_EQ(100 + size.cx + 5, rc.right);

    // Near the parent's right edge it stops there.
    CRect rcClient;
    list.GetClientRect(&rcClient);
    p->DestroyWindow();
    p = Open("", CRect(rcClient.right - 40, 40, rcClient.right - 20, 60));
    Type(p, "a long text that cannot fit in the space that is left");
    p->GetWindowRect(&rc);
    list.ScreenToClient(&rc);
    EXPECT_EQ(rcClient.right, rc.right);
    p->DestroyWindow();
}
