// Command routing (focused window, frame, application) and enabling of
// menu items through CCmdUI on a real menu.
#include <gtest/gtest.h>
#include "fw_test_support.h"

namespace {

enum
{
    ID_VIEW_ONLY = 1001,  // handled by the focused child
    ID_BOTH = 1002,       // handled by the child and by the frame: the child wins
    ID_FRAME_ONLY = 1003,
    ID_APP_ONLY = 1004,
    ID_NOBODY = 1005,     // no handler: greyed
    ID_DISABLED = 1006,   // handler says disabled: never runs
    ID_CHECKED = 1007,
    ID_RENAMED = 1008,
};

std::vector<std::string> g_log;

class CTestView : public CWnd
{
public:
    void OnViewOnly() { g_log.push_back("view:only"); }
    void OnBoth() { g_log.push_back("view:both"); }
    void OnUpdateChecked(CCmdUI* p) { p->SetCheck(1); p->Enable(TRUE); }
    void OnUpdateRenamed(CCmdUI* p) { p->SetText("Renamed item"); }
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        static const CCmdEntry<CTestView> table[] = {
            {ID_VIEW_ONLY, ID_VIEW_ONLY, &CTestView::OnViewOnly, nullptr},
            {ID_BOTH, ID_BOTH, &CTestView::OnBoth, nullptr},
            {ID_CHECKED, ID_CHECKED, nullptr, &CTestView::OnUpdateChecked},
            {ID_RENAMED, ID_RENAMED, nullptr, &CTestView::OnUpdateRenamed},
        };
        return DispatchCmdMsg(this, table, id, code, extra, info) || CWnd::OnCmdMsg(id, code, extra, info);
    }
};

class CTestFrame : public CFrameWnd
{
public:
    CTestFrame() { m_bAutoDelete = FALSE; }
    void OnBoth() { g_log.push_back("frame:both"); }
    void OnFrameOnly() { g_log.push_back("frame:only"); }
    void OnDisabled() { g_log.push_back("frame:disabled-ran"); }
    void OnUpdateDisabled(CCmdUI* p) { p->Enable(FALSE); }
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        static const CCmdEntry<CTestFrame> table[] = {
            {ID_BOTH, ID_BOTH, &CTestFrame::OnBoth, nullptr},
            {ID_FRAME_ONLY, ID_FRAME_ONLY, &CTestFrame::OnFrameOnly, nullptr},
            {ID_DISABLED, ID_DISABLED, &CTestFrame::OnDisabled, &CTestFrame::OnUpdateDisabled},
        };
        return DispatchCmdMsg(this, table, id, code, extra, info) || CFrameWnd::OnCmdMsg(id, code, extra, info);
    }
};

class CTestApp : public CWinApp
{
public:
    CTestApp() : CWinApp("KvVXCommandTest") {}
    void OnAppOnly() { g_log.push_back("app:only"); }
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        static const CCmdEntry<CTestApp> table[] = {
            {ID_APP_ONLY, ID_APP_ONLY, &CTestApp::OnAppOnly, nullptr},
        };
        return DispatchCmdMsg(this, table, id, code, extra, info) || CWinApp::OnCmdMsg(id, code, extra, info);
    }
};

HMENU BuildMenu(HMENU* pPopup)
{
    HMENU bar = ::CreateMenu();
    HMENU popup = ::CreatePopupMenu();
    const struct { UINT id; const char* text; } items[] = {
        {ID_VIEW_ONLY, "View only"}, {ID_BOTH, "Both"}, {ID_FRAME_ONLY, "Frame only"},
        {ID_APP_ONLY, "App only"}, {ID_NOBODY, "Nobody"}, {ID_DISABLED, "Disabled"},
        {ID_CHECKED, "Checked"}, {ID_RENAMED, "Old name"},
    };
    for (auto& it : items)
        ::AppendMenuA(popup, MF_STRING, it.id, it.text);
    ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(bar, MF_POPUP, (UINT_PTR)popup, "Commands");
    *pPopup = popup;
    return bar;
}

struct CommandTest : ::testing::Test
{
    CTestApp app;
    CTestFrame frame;
    CTestView view;
    HMENU popup = nullptr;
    void SetUp() override
    {
        g_log.clear();
        HMENU bar = BuildMenu(&popup);
        ASSERT_TRUE(frame.Create(nullptr, "Commands", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300),
                                 nullptr, nullptr, 0, bar));
        app.m_pMainWnd = &frame;
        ASSERT_TRUE(view.Create(nullptr, "view", WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 100, 100), &frame,
                                AFX_IDW_PANE_FIRST));
        view.SetFocus();
    }
    void TearDown() override
    {
        app.m_pMainWnd = nullptr;
        frame.DestroyWindow();
    }
    UINT State(UINT id) { return ::GetMenuState(popup, id, MF_BYCOMMAND); }
};

}  // namespace

TEST_F(CommandTest, CommandsGoToFocusThenFrameThenApplication)
{
    ASSERT_EQ(AfxGetApp(), &app);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_ONLY, 0), 0);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_BOTH, 0), 0);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_FRAME_ONLY, 1), 0);  // as from an accelerator
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_APP_ONLY, 0), 0);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_NOBODY, 0), 0);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_DISABLED, 0), 0);
    std::vector<std::string> expected = {"view:only", "view:both", "frame:only", "app:only"};
    EXPECT_EQ(g_log, expected);

    // Without the focus in the frame the frame's own handler takes ID_BOTH.
    g_log.clear();
    ::SetFocus(nullptr);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_BOTH, 0), 0);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_ONLY, 0), 0);
    expected = {"frame:both"};
    EXPECT_EQ(g_log, expected);

    // An active view takes precedence over the focus.
    g_log.clear();
    frame.SetActiveView(&view);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_ONLY, 0), 0);
    expected = {"view:only"};
    EXPECT_EQ(g_log, expected);
    frame.SetActiveView(nullptr);
}

TEST_F(CommandTest, MenuItemsAreUpdatedWhenThePopupOpens)
{
    frame.SendMessage(WM_INITMENUPOPUP, (WPARAM)popup, MAKELPARAM(0, FALSE));
    EXPECT_FALSE(State(ID_VIEW_ONLY) & MF_GRAYED);
    EXPECT_FALSE(State(ID_FRAME_ONLY) & MF_GRAYED);
    EXPECT_FALSE(State(ID_APP_ONLY) & MF_GRAYED);
    EXPECT_TRUE(State(ID_NOBODY) & MF_GRAYED);
    EXPECT_TRUE(State(ID_DISABLED) & MF_GRAYED);
    EXPECT_TRUE(State(ID_CHECKED) & MF_CHECKED);
    char text[64] = "";
    ::GetMenuStringA(popup, ID_RENAMED, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "Renamed item");

    // The view's handlers are only found while it has the focus.
    ::SetFocus(nullptr);
    frame.SendMessage(WM_INITMENUPOPUP, (WPARAM)popup, MAKELPARAM(0, FALSE));
    EXPECT_TRUE(State(ID_VIEW_ONLY) & MF_GRAYED);
    EXPECT_FALSE(State(ID_BOTH) & MF_GRAYED);

    // Without automatic disabling, items without handlers stay as they are.
    frame.m_bAutoMenuEnable = FALSE;
    ::EnableMenuItem(popup, ID_NOBODY, MF_BYCOMMAND | MF_ENABLED);
    frame.SendMessage(WM_INITMENUPOPUP, (WPARAM)popup, MAKELPARAM(0, FALSE));
    EXPECT_FALSE(State(ID_NOBODY) & MF_GRAYED);
}

TEST_F(CommandTest, ControlItemsFollowTheirQuery)
{
    // A bar-like container of controls whose ids are commands.
    CWnd bar;
    ASSERT_TRUE(bar.Create(nullptr, "bar", WS_VISIBLE, CRect(0, 200, 300, 260), &frame, 300));
    CButton button;
    ASSERT_TRUE(button.Create("x", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 0, 50, 20), &bar, ID_CHECKED));
    CButton orphan;
    ASSERT_TRUE(orphan.Create("y", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 30, 50, 50), &bar, ID_NOBODY));
    CButton framed;
    ASSERT_TRUE(framed.Create("z", WS_VISIBLE | BS_PUSHBUTTON, CRect(60, 30, 90, 50), &bar, ID_FRAME_ONLY));
    view.SetFocus();
    bar.UpdateDialogControls(&frame, TRUE);
    EXPECT_EQ(button.GetCheck(), BST_CHECKED);
    EXPECT_TRUE(button.IsWindowEnabled());
    EXPECT_FALSE(orphan.IsWindowEnabled());
    EXPECT_TRUE(framed.IsWindowEnabled());
}

TEST(CommandTable, ProbingDoesNotRun)
{
    g_log.clear();
    CTestView view;
    AFX_CMDHANDLERINFO info = {nullptr};
    EXPECT_TRUE(view.OnCmdMsg(ID_VIEW_ONLY, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &view);
    EXPECT_TRUE(g_log.empty());
    EXPECT_FALSE(view.OnCmdMsg(ID_FRAME_ONLY, CN_COMMAND, nullptr, &info));
    EXPECT_FALSE(view.OnCmdMsg(ID_VIEW_ONLY, EN_CHANGE, nullptr, nullptr));
}
