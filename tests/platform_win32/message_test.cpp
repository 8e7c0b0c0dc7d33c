// Message cracking: real messages sent to real windows arrive at the
// handlers with the right arguments; default processing and results;
// messages without a handler; reflection of notifications to controls.
#include <gtest/gtest.h>
#include "fw_test_support.h"

namespace {

const UINT WM_KV_PRIVATE = WM_USER + 17;

class CCrackWnd : public CWnd
{
public:
    UINT lastMsg = 0;
    UINT a = 0, b = 0, c = 0;
    CPoint pt;
    short delta = 0;
    CWnd* pOther = nullptr;
    CScrollBar* pBar = nullptr;
    std::vector<UINT_PTR> timers;
    HFONT hFont = nullptr;
    LPARAM privateParam = 0;
    UINT registeredMsg = 0;
    int nRegistered = 0;
    BOOL bEraseCalledDefault = FALSE;

protected:
    void OnSize(UINT t, int cx, int cy) override { lastMsg = WM_SIZE; a = t; b = cx; c = cy; }
    void OnKeyDown(UINT ch, UINT rep, UINT fl) override { lastMsg = WM_KEYDOWN; a = ch; b = rep; c = fl; }
    void OnChar(UINT ch, UINT rep, UINT fl) override { lastMsg = WM_CHAR; a = ch; b = rep; c = fl; }
    void OnLButtonDown(UINT f, CPoint p) override { lastMsg = WM_LBUTTONDOWN; a = f; pt = p; }
    void OnLButtonDblClk(UINT f, CPoint p) override { lastMsg = WM_LBUTTONDBLCLK; a = f; pt = p; }
    void OnMouseMove(UINT f, CPoint p) override { lastMsg = WM_MOUSEMOVE; a = f; pt = p; }
    BOOL OnMouseWheel(UINT f, short z, CPoint p) override
    {
        lastMsg = WM_MOUSEWHEEL;
        a = f;
        delta = z;
        pt = p;
        return TRUE;
    }
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override
    {
        lastMsg = WM_HSCROLL;
        a = code;
        b = pos;
        pBar = bar;
    }
    void OnTimer(UINT_PTR id) override { timers.push_back(id); }
    BOOL OnSetCursor(CWnd* w, UINT hit, UINT msg) override
    {
        lastMsg = WM_SETCURSOR;
        pOther = w;
        a = hit;
        b = msg;
        return TRUE;
    }
    void OnSetFocus(CWnd* old) override { lastMsg = WM_SETFOCUS; pOther = old; }
    void OnCaptureChanged(CWnd* w) override { lastMsg = WM_CAPTURECHANGED; pOther = w; }
    UINT OnGetDlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    void OnSettingChange(UINT f, LPCSTR section) override
    {
        lastMsg = WM_SETTINGCHANGE;
        a = f;
        b = section && strcmp(section, "intl") == 0;
    }
    LRESULT OnSetFont(WPARAM wp, LPARAM) override { hFont = (HFONT)wp; return 0; }
    LRESULT OnGetFont(WPARAM, LPARAM) override { return (LRESULT)hFont; }
    BOOL OnEraseBkgnd(CDC* pDC) override
    {
        bEraseCalledDefault = TRUE;
        return CWnd::OnEraseBkgnd(pDC);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KV_PRIVATE)
        {
            privateParam = lParam;
            return 1234;
        }
        if (registeredMsg && message == registeredMsg)
        {
            ++nRegistered;
            return (LRESULT)wParam * 2;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct CrackTest : ::testing::Test
{
    CCrackWnd wnd;
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "crack", WS_OVERLAPPEDWINDOW, CRect(20, 20, 320, 220), nullptr, 0));
    }
};

}  // namespace

TEST_F(CrackTest, SizeKeysAndCharacters)
{
    wnd.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480));
    EXPECT_EQ(wnd.lastMsg, (UINT)WM_SIZE);
    EXPECT_EQ(wnd.a, (UINT)SIZE_MAXIMIZED);
    EXPECT_EQ(wnd.b, 640u);
    EXPECT_EQ(wnd.c, 480u);

    // lParam: repeat count 3, scan code 0x4B with the extended-key bit.
    LPARAM lp = 3 | (0x4B << 16) | (1 << 24);
    wnd.SendMessage(WM_KEYDOWN, VK_LEFT, lp);
    EXPECT_EQ(wnd.lastMsg, (UINT)WM_KEYDOWN);
    EXPECT_EQ(wnd.a, (UINT)VK_LEFT);
    EXPECT_EQ(wnd.b, 3u);
    EXPECT_EQ(wnd.c, (UINT)(0x4B | 0x100));

    wnd.SendMessage(WM_CHAR, 'x', 1);
    EXPECT_EQ(wnd.lastMsg, (UINT)WM_CHAR);
    EXPECT_EQ(wnd.a, (UINT)'x');
    EXPECT_EQ(wnd.SendMessage(WM_GETDLGCODE), (LRESULT)(DLGC_WANTARROWS | DLGC_WANTCHARS));
}

TEST_F(CrackTest, MouseCoordinatesAreSigned)
{
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, -7));
    EXPECT_EQ(wnd.lastMsg, (UINT)WM_LBUTTONDOWN);
    EXPECT_EQ(wnd.a, (UINT)(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(wnd.pt, CPoint(-5, -7));

    wnd.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(12, 34));
    EXPECT_EQ(wnd.lastMsg, (UINT)WM_LBUTTONDBLCLK);
    EXPECT_EQ(wnd.pt, CPoint(12, 34));

    wnd.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)(short)-240), MAKELPARAM(100, 200));
    EXPECT_EQ(wnd.lastMsg, (UINT)WM_MOUSEWHEEL);
    EXPECT_EQ(wnd.a, (UINT)MK_CONTROL);
    EXPECT_EQ(wnd.delta, -240);
    EXPECT_EQ(wnd.pt, CPoint(100, 200));
}

TEST_F(CrackTest, WindowArgumentsBecomeObjects)
{
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "o", WS_OVERLAPPEDWINDOW, CRect(0, 0, 30, 30), nullptr, 0));
    wnd.SendMessage(WM_SETCURSOR, (WPARAM)other.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(wnd.lastMsg, (UINT)WM_SETCURSOR);
    EXPECT_EQ(wnd.pOther, &other);
    EXPECT_EQ(wnd.a, (UINT)HTCLIENT);
    EXPECT_EQ(wnd.b, (UINT)WM_MOUSEMOVE);

    wnd.SendMessage(WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ(wnd.lastMsg, (UINT)WM_CAPTURECHANGED);
    EXPECT_EQ(wnd.pOther, nullptr);

    // A real focus change.
    other.SetFocus();
    wnd.SetFocus();
    EXPECT_EQ(wnd.lastMsg, (UINT)WM_SETFOCUS);
    EXPECT_EQ(wnd.pOther, &other);
    EXPECT_EQ(CWnd::GetFocus(), &wnd);
}

TEST_F(CrackTest, ScrollBarControlIsPassed)
{
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(SBS_HORZ | WS_VISIBLE, CRect(0, 0, 100, 16), &wnd, 5));
    wnd.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 77), (LPARAM)bar.m_hWnd);
    EXPECT_EQ(wnd.lastMsg, (UINT)WM_HSCROLL);
    EXPECT_EQ(wnd.a, (UINT)SB_THUMBTRACK);
    EXPECT_EQ(wnd.b, 77u);
    EXPECT_EQ(wnd.pBar, &bar);
    wnd.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(wnd.pBar, nullptr);
}

TEST_F(CrackTest, TimersAndSettings)
{
    wnd.SetTimer(11, 10);
    PumpFor(200);
    wnd.KillTimer(11);
    ASSERT_FALSE(wnd.timers.empty());
    EXPECT_EQ(wnd.timers[0], 11u);

    wnd.SendMessage(WM_SETTINGCHANGE, SPI_SETWHEELSCROLLLINES, (LPARAM) "intl");
    EXPECT_EQ(wnd.lastMsg, (UINT)WM_SETTINGCHANGE);
    EXPECT_EQ(wnd.a, (UINT)SPI_SETWHEELSCROLLLINES);
    EXPECT_EQ(wnd.b, 1u);
    wnd.SendMessage(WM_SETTINGCHANGE, 0, 0);  // no section: no crash
    EXPECT_EQ(wnd.b, 0u);
}

TEST_F(CrackTest, FontMessagesAndPrivateMessages)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "Tahoma"));
    wnd.SetFont(&font);
    EXPECT_EQ(wnd.hFont, (HFONT)font);
    ASSERT_NE(wnd.GetFont(), nullptr);
    EXPECT_EQ(wnd.GetFont()->m_hObject, font.m_hObject);
    EXPECT_EQ(wnd.GetFont(), &font);  // the caller's own wrapper comes back

    EXPECT_EQ(wnd.SendMessage(WM_KV_PRIVATE, 0, 99), 1234);
    EXPECT_EQ(wnd.privateParam, 99);
    wnd.registeredMsg = ::RegisterWindowMessageA("KvVX.TestMessage");
    EXPECT_EQ(wnd.SendMessage(wnd.registeredMsg, 21, 0), 42);
    EXPECT_EQ(wnd.nRegistered, 1);
    // Messages nobody handles get the window's default processing.
    EXPECT_EQ(wnd.SendMessage(WM_USER + 999, 1, 2), 0);
}

TEST_F(CrackTest, DefaultProcessingAnswersForVoidAndValueHandlers)
{
    // WM_NCHITTEST has no override: the default says where the point is.
    CRect rc;
    wnd.GetClientRect(&rc);
    CPoint center = rc.CenterPoint();
    wnd.ClientToScreen(&center);
    EXPECT_EQ(wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(center.x, center.y)), HTCLIENT);
    // WM_GETTEXTLENGTH is not cracked at all.
    EXPECT_EQ(wnd.SendMessage(WM_GETTEXTLENGTH), 5);
    // The erase handler called its default, which erased (TRUE).
    CClientDC dc(&wnd);
    EXPECT_NE(wnd.SendMessage(WM_ERASEBKGND, (WPARAM)dc.m_hDC), 0);
    EXPECT_TRUE(wnd.bEraseCalledDefault);
}

// ---------------------------------------------------------------------------
// Reflection

namespace {

class CReflectingEdit : public CEdit
{
public:
    int nChanges = 0;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_COMMAND)
        {
            if (HIWORD(wParam) == EN_CHANGE)
                ++nChanges;
            return TRUE;  // all of its own notifications
        }
        return CEdit::OnChildNotify(message, wParam, lParam, pResult);
    }
};

class COwnerDrawButton : public CButton
{
public:
    int nDrawn = 0;
    UINT lastCtlId = 0;
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        ++nDrawn;
        lastCtlId = dis->CtlID;
        ::FillRect(dis->hDC, &dis->rcItem, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    }
};

class CNotifyingChild : public CWnd
{
public:
    BOOL bHandle = TRUE;
    int nSeen = 0;
    BOOL OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        if (message != WM_NOTIFY)
            return FALSE;
        ++nSeen;
        *pResult = 55 + ((NMHDR*)lParam)->code;
        return bHandle;
    }
};

class CParentWnd : public CWnd
{
public:
    int nParentCommands = 0;
    int nParentNotifies = 0;
    int nParentDrawItems = 0;
protected:
    BOOL OnCommand(WPARAM wp, LPARAM lp) override
    {
        if (CWnd::OnCommand(wp, lp))
            return TRUE;
        ++nParentCommands;
        return TRUE;
    }
    BOOL OnNotify(WPARAM wp, LPARAM lp, LRESULT* pResult) override
    {
        if (CWnd::OnNotify(wp, lp, pResult))
            return TRUE;
        ++nParentNotifies;
        *pResult = 1;
        return TRUE;
    }
    void OnDrawItem(int id, LPDRAWITEMSTRUCT dis) override
    {
        CWnd::OnDrawItem(id, dis);
    }
};

}  // namespace

TEST(Reflection, ControlNotificationsGoToTheControlFirst)
{
    CParentWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200),
                                nullptr, 0));
    CReflectingEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER, CRect(5, 5, 150, 30), &parent, 101));
    CEdit plainEdit;  // does not handle its notifications: the parent gets them
    ASSERT_TRUE(plainEdit.Create(WS_VISIBLE | WS_BORDER, CRect(5, 40, 150, 65), &parent, 102));

    edit.SetWindowText("typed");  // the edit control sends EN_CHANGE to its parent
    EXPECT_GE(edit.nChanges, 1);
    EXPECT_EQ(parent.nParentCommands, 0);
    plainEdit.SetWindowText("typed");
    EXPECT_GE(parent.nParentCommands, 1);

    COwnerDrawButton button;
    ASSERT_TRUE(button.Create("b", WS_VISIBLE | BS_OWNERDRAW, CRect(5, 80, 60, 110), &parent, 103));
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_GE(button.nDrawn, 1);
    EXPECT_EQ(button.lastCtlId, 103u);

    CNotifyingChild child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_VISIBLE, CRect(200, 5, 250, 50), &parent, 104));
    NMHDR hdr = {child.m_hWnd, 104, 3};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 104, (LPARAM)&hdr), 58);
    EXPECT_EQ(child.nSeen, 1);
    EXPECT_EQ(parent.nParentNotifies, 0);
    child.bHandle = FALSE;
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 104, (LPARAM)&hdr), 1);
    EXPECT_EQ(parent.nParentNotifies, 1);

    // A notification naming a window nobody wraps goes to the parent only.
    HWND hForeign = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, parent.m_hWnd, nullptr, nullptr, nullptr);
    NMHDR hdr2 = {hForeign, 0, 1};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 0, (LPARAM)&hdr2), 1);
    EXPECT_EQ(parent.nParentNotifies, 2);
}
