// The window framework's own windows through 1,000 cycles each: a frame
// window with a menu and standard controls, painted; a modeless dialog
// exchanging data with its controls; a modal dialog run to its end.
#include "LeakHarness.h"

#include "platform/Dialog.h"
#include "platform/FrameWnd.h"
#include "platform/Gdi.h"
#include "platform/StdControls.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

const UINT kDialogId = 300;
const UINT kCmdCount = 0xE900;   // a menu command the frame handles

class CCycleFrame : public CFrameWnd
{
public:
    CFont font;
    CEdit edit;
    CButton button;
    CListBox list;
    CComboBox combo;
    CStatic label;
    CScrollBar bar;
    int nCommands = 0;

protected:
    int OnCreate(LPCREATESTRUCTA cs) override
    {
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        font.CreatePointFont(90, "Tahoma");
        const DWORD child = WS_CHILD | WS_VISIBLE;
        edit.Create(child | WS_BORDER | ES_AUTOHSCROLL, CRect(2, 2, 120, 22), this, 1);
        button.Create("Go", child | BS_PUSHBUTTON, CRect(130, 2, 180, 22), this, 2);
        list.Create(child | WS_VSCROLL | LBS_NOTIFY, CRect(2, 30, 120, 90), this, 3);
        combo.Create(child | CBS_DROPDOWN, CRect(130, 30, 230, 130), this, 4);
        label.Create("Label", child, CRect(2, 96, 120, 112), this, 5);
        bar.Create(child | SBS_HORZ, CRect(2, 116, 200, 132), this, 6);
        for (CWnd* p : { (CWnd*)&edit, (CWnd*)&button, (CWnd*)&list, (CWnd*)&combo, (CWnd*)&label })
            p->SetFont(&font);
        return 0;
    }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
    {
        if (nID == kCmdCount && nCode == CN_COMMAND)
        {
            if (pInfo == nullptr)
                ++nCommands;
            return TRUE;
        }
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }
};

class CCycleDialog : public CDialog
{
public:
    explicit CCycleDialog(CWnd* pParent) : CDialog(kDialogId, pParent) {}
    CString strText = "start";
    int nCheck = 1;
    BOOL bEndAtOnce = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 10, strText);
        DDX_Check(pDX, 11, nCheck);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        for (int i = 0; i < 20; ++i)
            ::SendDlgItemMessageA(m_hWnd, 12, LB_ADDSTRING, 0, (LPARAM)"a line of the list");
        if (bEndAtOnce)
            PostMessage(WM_COMMAND, IDOK, 0);
        return TRUE;
    }
};

// Draws a window and its children the way a print or a screenshot does,
// into a memory bitmap.
void PrintInto(CWnd* pWnd)
{
    CClientDC screen(nullptr);
    CDC mem;
    mem.CreateCompatibleDC(&screen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&screen, 400, 300);
    CBitmap* pOld = mem.SelectObject(&bmp);
    pWnd->SendMessage(WM_PRINT, (WPARAM)mem.GetSafeHdc(), PRF_CLIENT | PRF_CHILDREN | PRF_NONCLIENT | PRF_ERASEBKGND);
    mem.SelectObject(pOld);
}

} // namespace

TEST(Leaks, FrameWindowWithMenuAndControls)
{
    int nCommands = 0;
    LeakReport r = RunLeakCycles("frame window", [&](LeakCycle& c) {
        CCycleFrame* pFrame = new CCycleFrame;   // deletes itself with its window
        HMENU hMenu = ::CreateMenu();
        HMENU hPopup = ::CreatePopupMenu();
        ::AppendMenuA(hPopup, MF_STRING, kCmdCount, "&Count");
        ::AppendMenuA(hPopup, MF_STRING, 0xE901, "&Unhandled");
        ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hPopup, "&File");
        ASSERT_TRUE(pFrame->Create(nullptr, "cycle frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr,
                                   nullptr, 0, hMenu));
        pFrame->edit.SetWindowText("some text to show");
        for (int i = 0; i < 10; ++i)
        {
            pFrame->list.AddString("list line");
            pFrame->combo.AddString("combo line");
        }
        pFrame->RecalcLayout();
        pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, 0);   // enable queries
        pFrame->SendMessage(WM_COMMAND, kCmdCount, 0);
        nCommands += pFrame->nCommands;
        PrintInto(pFrame);
        c.Alive();
        pFrame->DestroyWindow();
    });
    ExpectNothingLeft(r);
    EXPECT_EQ(nCommands, 1020);   // the menu command reached the frame in every cycle
}

TEST(Leaks, ModelessAndModalDialogs)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0));
    int nRead = 0, nModalOk = 0;
    LeakReport r = RunLeakCycles("dialogs", [&](LeakCycle& c) {
        {
            CCycleDialog dlg(&host);
            ASSERT_TRUE(dlg.Create(kDialogId, &host));
            dlg.SetDlgItemText(10, "typed");
            dlg.CheckDlgButton(11, 0);
            ASSERT_TRUE(dlg.UpdateData(TRUE));
            nRead += dlg.strText == "typed" && dlg.nCheck == 0;
            PrintInto(&dlg);
            c.Alive();
            dlg.DestroyWindow();
        }
        CCycleDialog modal(&host);
        modal.bEndAtOnce = TRUE;
        nModalOk += modal.DoModal() == IDOK;
    });
    ExpectNothingLeft(r);
    EXPECT_EQ(nRead, 1020);
    EXPECT_EQ(nModalOk, 1020);
    host.DestroyWindow();
}

TEST(Leaks, TheHarnessSeesWhatIsLeftBehind)
{
    // Cycles that forget a brush each, a window every tenth time and a
    // block of heap each: all three must show in the report.
    std::vector<HBRUSH> brushes;
    std::vector<HWND> windows;
    std::vector<char*> blocks;
    // The first top-level window of a thread brings windows of the system
    // with it (input method); they are made before the cycles start.
    ::DestroyWindow(::CreateWindowExA(0, "STATIC", "warm", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    PumpPending();
    LeakReport r = RunLeakCycles("deliberate leaks", [&](LeakCycle& c) {
        HBRUSH h = ::CreateSolidBrush(RGB(c.Index() & 0xFF, 1, 2));
        brushes.push_back(h);
        if (c.Index() % 10 == 0)
            windows.push_back(::CreateWindowExA(0, "STATIC", "left", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                                nullptr, nullptr));
        blocks.push_back(new char[200]);
        c.Alive();
    }, 100, 0);
    EXPECT_GE(r.windowsLeft.size(), 10u);   // the system may add one of its own
    EXPECT_GE(r.heapGrowth, 100 * 200);
    if (LeakSnapshot::ListsGdiHandles())
    {
        EXPECT_EQ(r.gdiLeft.size(), 1u) << "the brush of the one recorded cycle";
        ASSERT_EQ(r.gdiGrowth.size(), 1u);
        EXPECT_EQ(r.gdiGrowth[0], "brush +100");
    }
    else
    {
        EXPECT_GE(r.gdiCountGrowth, 100);
    }
    for (HBRUSH h : brushes)
        ::DeleteObject(h);
    for (HWND h : windows)
        ::DestroyWindow(h);
    for (char* p : blocks)
        delete[] p;
}
