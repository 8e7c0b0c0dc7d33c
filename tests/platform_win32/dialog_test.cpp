// Dialogs from templates: modal and modeless, bound while created, with
// data exchange on OK.
#include <gtest/gtest.h>
#include "fw_test_support.h"

namespace {

class CTestDialog : public CDialog
{
public:
    explicit CTestDialog(CWnd* pParent = nullptr) : CDialog(300u, pParent) {}
    int m_nValue = 5;
    int m_bChecked = 1;
    int nInit = 0;
    int nExchanges = 0;
    CEdit m_edit;
    std::vector<UINT> seen;
protected:
    BOOL OnInitDialog() override
    {
        ++nInit;
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        ++nExchanges;
        DDX_Control(pDX, 10, m_edit);
        DDX_Text(pDX, 10, m_nValue);
        DDX_Check(pDX, 11, m_bChecked);
    }
    BOOL OnNcCreate(LPCREATESTRUCTA cs) override
    {
        seen.push_back(WM_NCCREATE);
        return CDialog::OnNcCreate(cs);
    }
};

// Drives a modal dialog from a timer: types into the edit and presses a button.
struct ModalDriver
{
    static const char* text;
    static UINT button;
    static int ticks;
    static BOOL found;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        ++ticks;
        HWND hDlg = ::FindWindowA("#32770", "KvVX test dialog");
        if (hDlg && ::IsWindowVisible(hDlg))
        {
            found = TRUE;
            ::SetDlgItemTextA(hDlg, 10, text);
            ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, button));
        }
        if (ticks > 500)
            ::PostQuitMessage(0);
    }
};
const char* ModalDriver::text = "";
UINT ModalDriver::button = IDOK;
int ModalDriver::ticks = 0;
BOOL ModalDriver::found = FALSE;

}  // namespace

TEST(Dialog, ModalDialogExchangesDataOnOk)
{
    CTestDialog dlg;
    ModalDriver::text = "123";
    ModalDriver::button = IDOK;
    ModalDriver::ticks = 0;
    ModalDriver::found = FALSE;
    UINT_PTR id = ::SetTimer(nullptr, 0, 30, ModalDriver::Tick);
    INT_PTR r = dlg.DoModal();
    ::KillTimer(nullptr, id);
    EXPECT_TRUE(ModalDriver::found);
    EXPECT_EQ(r, IDOK);
    EXPECT_EQ(dlg.nInit, 1);
    ASSERT_FALSE(dlg.seen.empty());
    EXPECT_EQ(dlg.seen[0], (UINT)WM_NCCREATE);  // bound before its first message
    EXPECT_EQ(dlg.m_nValue, 123);
    EXPECT_EQ(dlg.nExchanges, 2);  // filled on init, read on OK
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_edit.m_hWnd, nullptr);
}

TEST(Dialog, CancelLeavesTheMembersAlone)
{
    CTestDialog dlg;
    ModalDriver::text = "999";
    ModalDriver::button = IDCANCEL;
    ModalDriver::ticks = 0;
    UINT_PTR id = ::SetTimer(nullptr, 0, 30, ModalDriver::Tick);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ::KillTimer(nullptr, id);
    EXPECT_EQ(dlg.m_nValue, 5);
}

TEST(Dialog, ModelessDialogAndMissingTemplates)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(300u));
    EXPECT_EQ(dlg.nInit, 1);
    EXPECT_NE(dlg.m_edit.m_hWnd, nullptr);
    CString s;
    dlg.m_edit.GetWindowText(s);
    EXPECT_STREQ((LPCSTR)s, "5");
    EXPECT_EQ(dlg.IsDlgButtonChecked(11), (UINT)BST_CHECKED);
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_hWnd, nullptr);

    CDialog missing(4711u);
    EXPECT_EQ(missing.DoModal(), -1);
    CDialog missing2;
    EXPECT_FALSE(missing2.Create(4711u));
}
