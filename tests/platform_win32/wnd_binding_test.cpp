// Binding objects to windows: creation, subclassing, attaching, temporary
// wrappers and the end of a window's life.
#include <gtest/gtest.h>
#include "fw_test_support.h"

namespace {

// Records the messages that reach the object, in order.
class CRecordingWnd : public CWnd
{
public:
    std::vector<UINT> seen;
    int nPreSubclass = 0;
    int nPostNcDestroy = 0;
    HWND hWndAtNcCreate = nullptr;
    LPVOID pParamAtCreate = nullptr;
    int nCreateResult = 0;

    void PreSubclassWindow() override { ++nPreSubclass; CWnd::PreSubclassWindow(); }
    void PostNcDestroy() override { ++nPostNcDestroy; }
protected:
    BOOL OnNcCreate(LPCREATESTRUCTA cs) override
    {
        seen.push_back(WM_NCCREATE);
        hWndAtNcCreate = m_hWnd;
        return CWnd::OnNcCreate(cs);
    }
    int OnCreate(LPCREATESTRUCTA cs) override
    {
        seen.push_back(WM_CREATE);
        pParamAtCreate = cs->lpCreateParams;
        if (nCreateResult)
            return nCreateResult;
        return CWnd::OnCreate(cs);
    }
    void OnDestroy() override { seen.push_back(WM_DESTROY); CWnd::OnDestroy(); }
    void OnNcDestroy() override { seen.push_back(WM_NCDESTROY); CWnd::OnNcDestroy(); }
    void OnSize(UINT t, int cx, int cy) override { seen.push_back(WM_SIZE); CWnd::OnSize(t, cx, cy); }
};

// Deletes itself with its window, as frames and pop-up editors do.
class CSelfDeletingWnd : public CWnd
{
public:
    static int s_nDeleted;
    ~CSelfDeletingWnd() override { ++s_nDeleted; }
    void PostNcDestroy() override { delete this; }
};
int CSelfDeletingWnd::s_nDeleted = 0;

}  // namespace

TEST(WndBinding, CreationMessagesReachTheObject)
{
    CRecordingWnd wnd;
    int param = 7;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "rec", WS_OVERLAPPEDWINDOW, CRect(0, 0, 120, 80), nullptr, 0, &param));
    ASSERT_NE(wnd.m_hWnd, nullptr);
    ASSERT_GE(wnd.seen.size(), 2u);
    EXPECT_EQ(wnd.seen[0], (UINT)WM_NCCREATE);
    EXPECT_EQ(wnd.seen[1], (UINT)WM_CREATE);
    EXPECT_EQ(wnd.hWndAtNcCreate, wnd.m_hWnd);  // bound before the first message
    EXPECT_EQ(wnd.pParamAtCreate, &param);
    EXPECT_EQ(wnd.nPreSubclass, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);

    HWND h = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    EXPECT_EQ(wnd.nPostNcDestroy, 1);
    EXPECT_EQ(wnd.seen[wnd.seen.size() - 2], (UINT)WM_DESTROY);
    EXPECT_EQ(wnd.seen.back(), (UINT)WM_NCDESTROY);
}

TEST(WndBinding, SystemClassesAreBoundDuringCreationToo)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), nullptr, 0));
    CRecordingWnd edit;
    ASSERT_TRUE(edit.Create("EDIT", "", WS_VISIBLE | WS_BORDER, CRect(5, 5, 100, 30), &parent, 42));
    EXPECT_EQ(edit.GetDlgCtrlID(), 42);
    ASSERT_GE(edit.seen.size(), 2u);
    EXPECT_EQ(edit.seen[0], (UINT)WM_NCCREATE);
    // The edit control still works: its own procedure runs behind ours.
    edit.SetWindowText("hello");
    CString s;
    edit.GetWindowText(s);
    EXPECT_STREQ((LPCSTR)s, "hello");
    EXPECT_EQ(edit.GetParent(), &parent);
    parent.DestroyWindow();  // children go with it
    EXPECT_EQ(edit.m_hWnd, nullptr);
    EXPECT_EQ(edit.nPostNcDestroy, 1);
}

TEST(WndBinding, FailedCreationsLeaveTheObjectUnbound)
{
    CRecordingWnd refused;
    refused.nCreateResult = -1;
    EXPECT_FALSE(refused.CreateEx(0, nullptr, "x", WS_OVERLAPPEDWINDOW, CRect(0, 0, 50, 50), nullptr, 0));
    EXPECT_EQ(refused.m_hWnd, nullptr);
    EXPECT_EQ(refused.nPostNcDestroy, 1);

    CRecordingWnd badClass;
    EXPECT_FALSE(badClass.CreateEx(0, "NoSuchClass_kvvx", "x", WS_OVERLAPPEDWINDOW, CRect(0, 0, 50, 50), nullptr, 0));
    EXPECT_EQ(badClass.m_hWnd, nullptr);
    EXPECT_EQ(badClass.nPostNcDestroy, 1);
    EXPECT_TRUE(badClass.seen.empty());

    // One object, one window: a second creation is refused.
    CWnd once;
    ASSERT_TRUE(once.CreateEx(0, nullptr, "x", WS_OVERLAPPEDWINDOW, CRect(0, 0, 50, 50), nullptr, 0));
    HWND h = once.m_hWnd;
    EXPECT_FALSE(once.CreateEx(0, nullptr, "y", WS_OVERLAPPEDWINDOW, CRect(0, 0, 50, 50), nullptr, 0));
    EXPECT_EQ(once.m_hWnd, h);
}

TEST(WndBinding, SubclassRoutesMessagesAndUnsubclassRestores)
{
    HWND h = MakePlainWindow("EDIT", WS_OVERLAPPEDWINDOW);
    ASSERT_NE(h, nullptr);
    WNDPROC original = (WNDPROC)::GetWindowLongPtrA(h, GWLP_WNDPROC);

    CRecordingWnd wnd;
    EXPECT_FALSE(wnd.SubclassWindow(nullptr));
    EXPECT_FALSE(wnd.SubclassWindow((HWND)(UINT_PTR)0x12345678));
    ASSERT_TRUE(wnd.SubclassWindow(h));
    EXPECT_EQ(wnd.nPreSubclass, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), &wnd);

    // A second object cannot take the same window.
    CRecordingWnd other;
    EXPECT_FALSE(other.SubclassWindow(h));

    ::SendMessageA(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 20));
    ASSERT_FALSE(wnd.seen.empty());
    EXPECT_EQ(wnd.seen.back(), (UINT)WM_SIZE);
    // The original procedure still answers.
    ::SetWindowTextA(h, "abc");
    EXPECT_EQ(::GetWindowTextLengthA(h), 3);

    EXPECT_EQ(wnd.UnsubclassWindow(), h);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ((WNDPROC)::GetWindowLongPtrA(h, GWLP_WNDPROC), original);
    size_t n = wnd.seen.size();
    ::SendMessageA(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(31, 21));
    EXPECT_EQ(wnd.seen.size(), n);
    ::DestroyWindow(h);
    EXPECT_EQ(wnd.nPostNcDestroy, 0);
}

TEST(WndBinding, SubclassDlgItemFindsTheChild)
{
    HWND hParent = MakePlainWindow("STATIC");
    HWND hChild = ::CreateWindowExA(0, "BUTTON", "b", WS_CHILD, 0, 0, 40, 20, hParent, (HMENU)77, nullptr, nullptr);
    ASSERT_NE(hChild, nullptr);
    CWnd parent;
    ASSERT_TRUE(parent.Attach(hParent));
    CWnd child;
    EXPECT_FALSE(child.SubclassDlgItem(78, &parent));
    EXPECT_TRUE(child.SubclassDlgItem(77, &parent));
    EXPECT_EQ(child.m_hWnd, hChild);
    EXPECT_EQ(parent.GetDlgItem(77), &child);
    child.UnsubclassWindow();
    parent.Detach();
    ::DestroyWindow(hParent);
}

TEST(WndBinding, AttachDetachAndTemporaryWrappers)
{
    HWND h = MakePlainWindow();
    CWnd* pTemp = CWnd::FromHandle(h);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(pTemp->m_hWnd, h);
    EXPECT_EQ(CWnd::FromHandle(h), pTemp);  // the same wrapper until idle
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

    {
        CWnd wnd;
        ASSERT_TRUE(wnd.Attach(h));
        EXPECT_FALSE(wnd.Attach(h));
        EXPECT_EQ(CWnd::FromHandle(h), &wnd);  // the real object replaces the temporary one
        EXPECT_EQ(wnd.Detach(), h);
        EXPECT_EQ(wnd.m_hWnd, nullptr);
    }
    EXPECT_TRUE(::IsWindow(h));  // a detached window outlives the object
    CWnd* pTemp2 = CWnd::FromHandle(h);
    AfxDeleteTempMaps();
    EXPECT_TRUE(::IsWindow(h));  // deleting temporary wrappers never destroys windows
    (void)pTemp2;

    {
        CWnd owner;
        owner.Attach(h);
    }  // an object still bound when it dies destroys its window
    EXPECT_FALSE(::IsWindow(h));
}

TEST(WndBinding, WindowDestroyedFromOutsideUnbindsAndCanDeleteTheObject)
{
    CSelfDeletingWnd::s_nDeleted = 0;
    CSelfDeletingWnd* p = new CSelfDeletingWnd;
    ASSERT_TRUE(p->CreateEx(0, nullptr, "x", WS_OVERLAPPEDWINDOW, CRect(0, 0, 40, 40), nullptr, 0));
    HWND h = p->m_hWnd;
    ::DestroyWindow(h);  // not through the object
    EXPECT_EQ(CSelfDeletingWnd::s_nDeleted, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
}

TEST(WndBinding, RuntimeClassesAndDynamicCreation)
{
    CObject* p = RUNTIME_CLASS(CWnd)->CreateObject();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    CEdit edit;
    EXPECT_TRUE(edit.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_FALSE(edit.IsKindOf(RUNTIME_CLASS(CFrameWnd)));
    delete p;
}

TEST(WndBinding, RegisteredClassesAreFoundAgain)
{
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.lpszClassName = "KvVXTestClass";
    EXPECT_TRUE(AfxRegisterClass(&wc));
    EXPECT_TRUE(AfxRegisterClass(&wc));  // once registered, later calls just succeed
    WNDCLASSA got;
    EXPECT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), "KvVXTestClass", &got));
    EXPECT_EQ(got.style, 11u);
    WNDCLASSA bad = {};
    EXPECT_FALSE(AfxRegisterClass(&bad));
    EXPECT_FALSE(AfxRegisterClass(nullptr));

    LPCSTR a = AfxRegisterWndClass(CS_DBLCLKS);
    LPCSTR b = AfxRegisterWndClass(CS_DBLCLKS);
    LPCSTR c = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW);
    EXPECT_STREQ(a, b);
    EXPECT_STRNE(a, c);
    CWnd w;
    EXPECT_TRUE(w.CreateEx(0, c, "x", WS_OVERLAPPEDWINDOW, CRect(0, 0, 20, 20), nullptr, 0));
}
