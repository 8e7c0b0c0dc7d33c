// The application: message loop with idle processing and pre-translation,
// exceptions escaping handlers, OLE start-up, string resources, 32-bit
// scroll positions.
#include <gtest/gtest.h>
#include "fw_test_support.h"

namespace {

class CLoopApp : public CWinApp
{
public:
    CLoopApp() : CWinApp("KvVXLoopTest") {}
    std::vector<LONG> idleCounts;
    int nExit = 0;
    int nQuitCode = -1;  // posted once idle work is done, when set
    BOOL OnIdle(LONG lCount) override
    {
        idleCounts.push_back(lCount);
        BOOL bMore = CWinApp::OnIdle(lCount);
        if (!bMore && nQuitCode >= 0)
            ::PostQuitMessage(nQuitCode);
        return bMore;
    }
    int ExitInstance() override
    {
        ++nExit;
        return CWinApp::ExitInstance();
    }
};

class CKeyFrame : public CFrameWnd
{
public:
    CKeyFrame() { m_bAutoDelete = FALSE; }
    int nPreTranslated = 0;
    int nIdleUpdates = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F5)
        {
            ++nPreTranslated;
            return TRUE;  // eaten: the child never sees it
        }
        return CFrameWnd::PreTranslateMessage(pMsg);
    }
};

class CKeyChild : public CWnd
{
public:
    int nKeys = 0;
    int nIdleUpdates = 0;
protected:
    void OnKeyDown(UINT, UINT, UINT) override { ++nKeys; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_IDLEUPDATECMDUI)
        {
            ++nIdleUpdates;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CThrowingWnd : public CWnd
{
public:
    bool bThrowOnCreate = false;
protected:
    int OnCreate(LPCREATESTRUCTA cs) override
    {
        if (bThrowOnCreate)
            AfxThrowResourceException();
        return CWnd::OnCreate(cs);
    }
    void OnLButtonDown(UINT, CPoint) override { AfxThrowFileException(CFileException::accessDenied, 5, "locked.csv"); }
    void OnRButtonDown(UINT, CPoint) override { throw 42; }
};

class CCountingAnswerer : public CModalUIAnswerer
{
public:
    int n = 0;
    std::string text;
    BOOL AnswerMessageBox(HWND, LPCSTR t, LPCSTR, UINT, int* r) override
    {
        ++n;
        text = t;
        *r = IDOK;
        return TRUE;
    }
};

}  // namespace

TEST(AppLoop, RunPreTranslatesIdlesAndEndsOnQuit)
{
    CLoopApp app;
    CKeyFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, "loop", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
    CKeyChild child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 50, 50), &frame, 5));
    app.m_pMainWnd = &frame;
    frame.ShowWindow(SW_SHOWNA);

    child.PostMessage(WM_KEYDOWN, VK_F5, 1);  // eaten by the frame on the way up
    child.PostMessage(WM_KEYDOWN, 'A', 1);    // reaches the child
    app.nQuitCode = 7;
    int rc = app.Run();
    EXPECT_EQ(rc, 7);
    EXPECT_EQ(app.nExit, 1);
    EXPECT_EQ(frame.nPreTranslated, 1);
    EXPECT_EQ(child.nKeys, 1);
    // Idle work ran from count 0 (command updates reached the child) and
    // stopped after the temporary wrappers were deleted.
    ASSERT_FALSE(app.idleCounts.empty());
    EXPECT_EQ(app.idleCounts[0], 0);
    EXPECT_EQ(app.idleCounts.back(), 1);
    EXPECT_GE(child.nIdleUpdates, 1);

    app.m_pMainWnd = nullptr;
    frame.DestroyWindow();
}

TEST(AppLoop, ClosingTheMainWindowEndsTheLoop)
{
    CLoopApp app;
    CFrameWnd* pFrame = new CFrameWnd;  // deletes itself with its window
    ASSERT_TRUE(pFrame->Create(nullptr, "main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100)));
    app.m_pMainWnd = pFrame;
    pFrame->PostMessage(WM_CLOSE);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST(HandlerExceptions, AreReportedAndStopAtTheWindowProcedure)
{
    CCountingAnswerer answerer;
    CModalUIAnswerer* pOld = AfxSetModalUIAnswerer(&answerer);

    CThrowingWnd refusing;
    refusing.bThrowOnCreate = true;
    EXPECT_FALSE(refusing.CreateEx(0, nullptr, "t", WS_OVERLAPPEDWINDOW, CRect(0, 0, 40, 40), nullptr, 0));
    EXPECT_EQ(refusing.m_hWnd, nullptr);
    EXPECT_EQ(answerer.n, 1);

    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "t", WS_OVERLAPPEDWINDOW, CRect(0, 0, 40, 40), nullptr, 0));
    wnd.SendMessage(WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(answerer.n, 2);
    EXPECT_NE(answerer.text.find("locked.csv"), std::string::npos) << answerer.text;
    wnd.SendMessage(WM_RBUTTONDOWN, 0, 0);  // not a framework exception: contained
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
    AfxSetModalUIAnswerer(pOld);
}

TEST(Ole, InitialisedOncePerThreadThroughTheFramework)
{
    EXPECT_FALSE(AfxOleIsInitialized());
    EXPECT_TRUE(AfxOleInit());
    EXPECT_TRUE(AfxOleIsInitialized());
    EXPECT_TRUE(AfxOleInit());  // again: nothing more to do
    // Another thread has its own state.
    BOOL bOther = TRUE;
    HANDLE h = ::CreateThread(nullptr, 0, [](LPVOID p) -> DWORD {
        *(BOOL*)p = AfxOleIsInitialized();
        return 0;
    }, &bOther, 0, nullptr);
    ::WaitForSingleObject(h, 10000);
    ::CloseHandle(h);
    EXPECT_FALSE(bOther);
    AfxOleTerm();
    EXPECT_FALSE(AfxOleIsInitialized());
}

TEST(Resources, StringsComeFromTheHostModuleFirst)
{
    CString s;
    EXPECT_TRUE(s.LoadString(4242));
    EXPECT_STREQ((LPCSTR)s, "Mean circularity");
    EXPECT_FALSE(s.LoadString(4243));  // same block, no such string
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_FALSE(s.LoadString(9999));
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(4242 / 16 + 1), (LPCSTR)RT_STRING), ::GetModuleHandleA(nullptr));
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(3000), (LPCSTR)RT_DIALOG), nullptr);
}

TEST(ScrollBars, PositionsBeyondSixteenBits)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "s", WS_OVERLAPPEDWINDOW | WS_VSCROLL, CRect(0, 0, 100, 100), nullptr, 0));
    SCROLLINFO si = {};
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 300000;
    si.nPage = 100;
    si.nPos = 200000;
    EXPECT_TRUE(wnd.SetScrollInfo(SB_VERT, &si));
    SCROLLINFO got = {};
    ASSERT_TRUE(wnd.GetScrollInfo(SB_VERT, &got));
    EXPECT_EQ(got.nPos, 200000);
    EXPECT_EQ(got.nMax, 300000);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 200000);
    EXPECT_EQ(wnd.SetScrollPos(SB_VERT, 250000), 200000);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 250000);
    EXPECT_EQ(wnd.GetScrollLimit(SB_VERT), 300000 - 99);
    CWnd none;
    EXPECT_FALSE(none.SetScrollInfo(SB_VERT, &si));
    EXPECT_FALSE(wnd.SetScrollInfo(SB_VERT, nullptr));
}

TEST(DataExchange, MovesValuesBothWaysAndRefusesBadInput)
{
    CWnd dlg;
    ASSERT_TRUE(dlg.CreateEx(0, nullptr, "dlg", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), nullptr, 0));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_BORDER, CRect(0, 0, 80, 20), &dlg, 10));
    CButton check;
    ASSERT_TRUE(check.Create("c", BS_AUTOCHECKBOX, CRect(0, 30, 80, 50), &dlg, 11));
    HWND hPlain = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 60, 80, 20, dlg.m_hWnd, (HMENU)12, nullptr, nullptr);

    int n = 321, c = 1;
    CString s("Region list");
    CDataExchange toControls(&dlg, FALSE);
    DDX_Text(&toControls, 10, n);
    DDX_Check(&toControls, 11, c);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ((LPCSTR)text, "321");
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);

    edit.SetWindowText(" 77 ");
    check.SetCheck(0);
    CDataExchange fromControls(&dlg, TRUE);
    DDX_Text(&fromControls, 10, n);
    DDX_Check(&fromControls, 11, c);
    EXPECT_EQ(n, 77);
    EXPECT_EQ(c, 0);
    DDX_Text(&toControls, 12, s);
    DDX_Text(&fromControls, 12, text);
    EXPECT_STREQ((LPCSTR)text, "Region list");

    CCountingAnswerer answerer;
    CModalUIAnswerer* pOld = AfxSetModalUIAnswerer(&answerer);
    edit.SetWindowText("12abc");
    bool bFailed = false;
    try
    {
        DDX_Text(&fromControls, 10, n);
    }
    catch (CUserException* e)
    {
        bFailed = true;
        e->Delete();
    }
    EXPECT_TRUE(bFailed);
    EXPECT_EQ(n, 77);  // unchanged
    EXPECT_EQ(answerer.n, 1);
    AfxSetModalUIAnswerer(pOld);

    bool bMissing = false;
    try
    {
        DDX_Text(&fromControls, 99, n);
    }
    catch (CNotSupportedException* e)
    {
        bMissing = true;
        e->Delete();
    }
    EXPECT_TRUE(bMissing);

    CEdit bound;
    DDX_Control(&fromControls, 12, bound);
    EXPECT_EQ(bound.m_hWnd, hPlain);
    DDX_Control(&fromControls, 12, bound);  // a second exchange leaves it bound
    EXPECT_EQ(bound.m_hWnd, hPlain);
}

TEST(PrintInfo, PageRangeDefaults)
{
    CPrintInfo info;
    EXPECT_EQ(info.GetFromPage(), 1u);
    info.SetMaxPage(7);
    EXPECT_EQ(info.GetToPage(), 7u);
    info.SetFromPage(2);
    info.SetToPage(3);
    EXPECT_EQ(info.GetFromPage(), 2u);
    EXPECT_EQ(info.GetToPage(), 3u);
    EXPECT_TRUE(info.m_bContinuePrinting);
}
