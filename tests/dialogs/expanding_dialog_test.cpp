// CExpandingDialog from a real dialog template: the collapsed opening, the
// button's captions or disabling, hidden and shown controls, the veto and
// after-change calls, and commands that must not toggle.
#include <gtest/gtest.h>
#include "dialogs/ExpandingDialog.h"
#include "dialogs_test_resource.h"
#include "dialogs_test_util.h"
#include <string>
#include <vector>

namespace
{
class CTestOptions : public CExpandingDialog
{
public:
    explicit CTestOptions(BOOL bAllowContract, UINT nIDTemplate = IDD_TEST_OPTIONS)
        : CExpandingDialog(nIDTemplate, nullptr, IDC_TEST_MARKER, IDC_TEST_MORE, "More >>", "<< Less",
                           bAllowContract)
    {
    }
    BOOL m_bVeto = FALSE;
    std::string m_calls;  // "?0" asked in state 0, "!1" told state 1 ...
    int m_nButtonHandlerRuns = 0;

    BOOL OnDialogExpanding(BOOL bExpanded) override
    {
        m_calls += bExpanded ? "?1" : "?0";
        return !m_bVeto;
    }
    void OnDialogExpanded(BOOL bExpanded) override { m_calls += bExpanded ? "!1" : "!0"; }
    // A handler the host maps for the button itself.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID == IDC_TEST_MORE && nCode == CN_COMMAND && !pHandlerInfo)
            ++m_nButtonHandlerRuns;
        return CExpandingDialog::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

struct Shape
{
    CRect dialog, marker;
    bool advVisible[3];
    std::string caption;
    bool buttonEnabled;
};

Shape ShapeOf(CDialog& dlg)
{
    Shape s;
    dlg.GetWindowRect(&s.dialog);
    ::GetWindowRect(::GetDlgItem(dlg.m_hWnd, IDC_TEST_MARKER), &s.marker);
    const int adv[3] = {IDC_TEST_ADV_EDIT, IDC_TEST_ADV_CHECK, IDC_TEST_ADV_HIDDEN};
    for (int i = 0; i < 3; ++i)
        s.advVisible[i] = ::IsWindowVisible(::GetDlgItem(dlg.m_hWnd, adv[i])) != FALSE;
    char text[32] = "";
    HWND hButton = ::GetDlgItem(dlg.m_hWnd, IDC_TEST_MORE);
    ::GetWindowTextA(hButton, text, sizeof(text));
    s.caption = text;
    s.buttonEnabled = ::IsWindowEnabled(hButton) != FALSE;
    return s;
}

void Click(CDialog& dlg, int nID)
{
    ::SendMessageA(::GetDlgItem(dlg.m_hWnd, nID), BM_CLICK, 0, 0);
}

void ExpectCollapsed(CDialog& dlg, int nFullWidth, const char* caption)
{
    Shape s = ShapeOf(dlg);
    EXPECT_EQ(s.dialog.Width(), nFullWidth);
    EXPECT_EQ(s.dialog.Height(), s.marker.bottom + 15 - s.dialog.top) << "15 pixels below the marker";
    EXPECT_FALSE(s.advVisible[0] || s.advVisible[1] || s.advVisible[2]);
    EXPECT_EQ(s.caption, caption);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dlg.m_hWnd, IDC_TEST_BASIC_EDIT)));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dlg.m_hWnd, IDC_TEST_MORE)));
}
}  // namespace

TEST(ExpandingDialog, OpensCollapsedAndTheButtonToggles)
{
    CTestOptions dlg(TRUE);
    // The full size as the template lays it out.
    CTestOptions reference(TRUE, IDD_TEST_NO_MARKER);
    ASSERT_TRUE(reference.Create(IDD_TEST_NO_MARKER));
    CRect full;
    reference.GetWindowRect(&full);
    reference.DestroyWindow();

    ASSERT_TRUE(dlg.Create(IDD_TEST_OPTIONS));
    dlg.ShowWindow(SW_SHOW);
    EXPECT_FALSE(dlg.IsExpanded());
    EXPECT_EQ(dlg.m_calls, "") << "the opening collapse tells nobody";
    ExpectCollapsed(dlg, full.Width(), "More >>");
    const CRect collapsed = ShapeOf(dlg).dialog;
    EXPECT_LT(collapsed.Height(), full.Height());

    // A press expands: full size, every advanced control shown (the one the
    // template hid too), the second caption, the focus on the next control.
    Click(dlg, IDC_TEST_MORE);
    EXPECT_TRUE(dlg.IsExpanded());
    Shape s = ShapeOf(dlg);
    EXPECT_EQ(s.dialog.Size(), full.Size());
    EXPECT_EQ(s.dialog.TopLeft(), collapsed.TopLeft()) << "not moved";
    EXPECT_TRUE(s.advVisible[0] && s.advVisible[1] && s.advVisible[2]);
    EXPECT_EQ(s.caption, "<< Less");
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_TEST_ADV_EDIT));
    EXPECT_EQ(dlg.m_calls, "?0!1");
    EXPECT_EQ(dlg.m_nButtonHandlerRuns, 1) << "the host's handler for the button still runs";

    // A second press collapses again to the same size.
    Click(dlg, IDC_TEST_MORE);
    EXPECT_FALSE(dlg.IsExpanded());
    ExpectCollapsed(dlg, full.Width(), "More >>");
    EXPECT_EQ(ShapeOf(dlg).dialog, collapsed);
    EXPECT_EQ(dlg.m_calls, "?0!1?1!0");

    // Asking for the current state does nothing and succeeds.
    dlg.m_calls.clear();
    EXPECT_TRUE(dlg.Expand(FALSE));
    EXPECT_EQ(dlg.m_calls, "");

    // A veto leaves everything as it was.
    dlg.m_bVeto = TRUE;
    Click(dlg, IDC_TEST_MORE);
    EXPECT_FALSE(dlg.Expand(TRUE));
    EXPECT_FALSE(dlg.IsExpanded());
    EXPECT_EQ(dlg.m_calls, "?0?0");
    ExpectCollapsed(dlg, full.Width(), "More >>");
    dlg.m_bVeto = FALSE;

    // Other commands, and button notifications other than the click, do not
    // toggle.
    ::SetDlgItemTextA(dlg.m_hWnd, IDC_TEST_BASIC_EDIT, "typed");  // EN_CHANGE
    HWND hButton = ::GetDlgItem(dlg.m_hWnd, IDC_TEST_MORE);
    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_MORE, BN_DOUBLECLICKED), (LPARAM)hButton);
    ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_MORE, BN_SETFOCUS), (LPARAM)hButton);
    EXPECT_FALSE(dlg.IsExpanded());
    EXPECT_EQ(dlg.m_calls, "?0?0");

    // From code, the same change as the button.
    EXPECT_TRUE(dlg.Expand(TRUE));
    EXPECT_EQ(ShapeOf(dlg).dialog.Size(), full.Size());
    dlg.DestroyWindow();
}

TEST(ExpandingDialog, WithoutCollapsingTheButtonIsDisabledAfterExpanding)
{
    CTestOptions dlg(FALSE);
    ASSERT_TRUE(dlg.Create(IDD_TEST_OPTIONS));
    dlg.ShowWindow(SW_SHOW);
    const CRect collapsed = ShapeOf(dlg).dialog;
    Click(dlg, IDC_TEST_MORE);
    EXPECT_TRUE(dlg.IsExpanded());
    Shape s = ShapeOf(dlg);
    EXPECT_FALSE(s.buttonEnabled);
    EXPECT_EQ(s.caption, "More >>") << "keeps its collapsed caption";
    EXPECT_TRUE(s.advVisible[2]);
    // Code may still collapse it, to the size measured at the first collapse.
    ::ShowWindow(::GetDlgItem(dlg.m_hWnd, IDC_TEST_ADV_HIDDEN), SW_HIDE);
    EXPECT_TRUE(dlg.Expand(FALSE));
    EXPECT_EQ(ShapeOf(dlg).dialog, collapsed);
    EXPECT_TRUE(dlg.Expand(TRUE));
    EXPECT_TRUE(ShapeOf(dlg).advVisible[2]) << "shown on every expansion";
    EXPECT_EQ(dlg.m_calls, "?0!1?1!0?0!1");
    dlg.DestroyWindow();
}

TEST(ExpandingDialog, WithoutTheMarkerNothingChanges)
{
    CTestOptions dlg(TRUE, IDD_TEST_NO_MARKER);
    ASSERT_TRUE(dlg.Create(IDD_TEST_NO_MARKER));
    CRect before;
    dlg.GetWindowRect(&before);
    EXPECT_TRUE(dlg.IsExpanded());
    EXPECT_FALSE(dlg.Expand(FALSE));
    EXPECT_EQ(dlg.m_calls, "?1!1") << "told the unchanged state";
    CRect after;
    dlg.GetWindowRect(&after);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dlg.m_hWnd, IDC_TEST_ADV_EDIT)) ||
                !(dlg.GetStyle() & WS_VISIBLE));
    dlg.DestroyWindow();
}
