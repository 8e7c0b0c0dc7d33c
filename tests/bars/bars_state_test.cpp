// Persistence: the sizing bars' sizes (per bar and frame-wide) in the real
// registry and in an INI file, the frame's docking layout, and damaged or
// stale stored values.
#include "bars_test_util.h"
#include "../platform_win32/fw_test_support.h"
#include <fstream>
#include <sstream>
#include <string>

using namespace barstest;

namespace
{
class CStateApp : public CWinApp
{
public:
    CStateApp() : CWinApp("KvVXBarsTest") {}
};

// A plain fixed-size bar (a toolbar stand-in).
class CPlainBar : public CControlBar
{
public:
    BOOL Create(CFrameWnd* pFrame, UINT nID)
    {
        if (!CWnd::Create(AfxRegisterWndClass(0), "plain", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pFrame, nID))
            return FALSE;
        m_dwStyle = CBRS_TOP;
        EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(120, 24) : CSize(24, 120); }
};


size_t Count(const std::string& s, const std::string& what)
{
    size_t n = 0;
    for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1))
        ++n;
    return n;
}

std::string TempIni(const char* name)
{
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    std::string path = std::string(dir) + name;
    ::DeleteFileA(path.c_str());
    return path;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
}  // namespace

TEST(SizingBarState, RegistryRoundTripMinimaAndDamagedValues)
{
    CStateApp app;
    app.SetRegistryKey("KvVXTestCompany");
    RunAndCapture("reg delete HKCU\\Software\\KvVXTestCompany\\KvVXBarsTest /f");
    DockingFrame f;
    CPlainBar plain;
    ASSERT_TRUE(plain.Create(f.m_pFrame, 199));
    f.m_pFrame->DockControlBar(&plain, AFX_IDW_DOCKBAR_TOP);
    CSizingControlBarG* a = f.AddBar(200, AFX_IDW_DOCKBAR_TOP);
    CSizingControlBarG* b = f.AddBar(201, AFX_IDW_DOCKBAR_LEFT, nullptr, CSize(20, 20));

    // Nothing stored: sizes stay, those below a minimum are raised.
    CSize sizeHorzA = a->m_sizeHorz;
    EXPECT_TRUE(CSizingControlBar::GlobalLoadState(f.m_pFrame, "Workspace"));
    EXPECT_EQ(a->m_sizeHorz, sizeHorzA);
    EXPECT_EQ(a->m_sizeVert, CSize(200, 200));
    EXPECT_EQ(b->m_sizeHorz, CSize(33, 32));
    EXPECT_EQ(b->m_sizeFloat, CSize(37, 32));

    a->m_sizeHorz = CSize(321, 123);
    a->m_sizeVert = CSize(111, 222);
    a->m_sizeFloat = CSize(150, 160);
    EXPECT_TRUE(CSizingControlBar::GlobalSaveState(f.m_pFrame, "Workspace"));
    std::string out = RunAndCapture("reg query HKCU\\Software\\KvVXTestCompany\\KvVXBarsTest");
    EXPECT_EQ(Count(out, "-SCBar-"), 2u) << out;  // the plain bar has no section
    EXPECT_NE(out.find("Workspace-SCBar-200"), std::string::npos) << out;
    out = RunAndCapture("reg query HKCU\\Software\\KvVXTestCompany\\KvVXBarsTest\\Workspace-SCBar-200");
    EXPECT_NE(out.find("sizeHorzCX"), std::string::npos) << out;
    EXPECT_NE(out.find("0x141"), std::string::npos) << out;  // 321
    EXPECT_NE(out.find("0x96"), std::string::npos) << out;   // 150

    a->m_sizeHorz = a->m_sizeVert = a->m_sizeFloat = CSize(50, 50);
    EXPECT_TRUE(a->LoadState("Workspace"));
    EXPECT_EQ(a->m_sizeHorz, CSize(321, 123));
    EXPECT_EQ(a->m_sizeVert, CSize(111, 222));
    EXPECT_EQ(a->m_sizeFloat, CSize(150, 160));

    // Damaged values: below a minimum is raised; a huge one is brought down
    // so the layout that follows finishes.
    app.WriteProfileInt("Workspace-SCBar-200", "sizeFloatCX", 10);
    app.WriteProfileInt("Workspace-SCBar-200", "sizeHorzCX", 2000000000);
    app.WriteProfileInt("Workspace-SCBar-200", "sizeHorzCY", -7);
    EXPECT_TRUE(a->LoadState("Workspace"));
    EXPECT_EQ(a->m_sizeFloat.cx, 37);
    EXPECT_EQ(a->m_sizeHorz.cx, CSizingControlBar::kMaxStoredSize);
    EXPECT_EQ(a->m_sizeHorz.cy, 32);
    f.MakeRow(f.Dock(AFX_IDW_DOCKBAR_TOP), {&plain, a});
    f.m_pFrame->RecalcLayout();
    Idle(f.m_pFrame);
    // The plain bar keeps its length; the sizing bar takes the rest.
    EXPECT_EQ((120 - 2) + (a->m_sizeHorz.cx - 2), f.ClientRect().Width() + 2);

    // A profile name longer than a section name may be: bounded, and still
    // a round trip.
    std::string longName(400, 'N');
    a->m_sizeVert = CSize(77, 88);
    EXPECT_TRUE(a->SaveState(longName.c_str()));
    a->m_sizeVert = CSize(40, 40);
    EXPECT_TRUE(a->LoadState(longName.c_str()));
    EXPECT_EQ(a->m_sizeVert, CSize(77, 88));
    RunAndCapture("reg delete HKCU\\Software\\KvVXTestCompany\\KvVXBarsTest /f");
}

TEST(BarState, IniRoundTripOfTheLayoutAndStaleEntries)
{
    CStateApp app;
    std::string path = TempIni("kvvx_bars_state.ini");
    app.SetProfileName(path.c_str());
    CPoint ptFloat(100, 120);
    {
        DockingFrame f;
        CSizingControlBarG* a = f.AddBar(300, AFX_IDW_DOCKBAR_TOP);
        CSizingControlBarG* b = f.AddBar(301, AFX_IDW_DOCKBAR_TOP);
        CSizingControlBarG* c = f.AddBar(302, AFX_IDW_DOCKBAR_LEFT);
        CSizingControlBarG* d = f.AddBar(303, AFX_IDW_DOCKBAR_RIGHT);
        f.MakeRow(f.Dock(AFX_IDW_DOCKBAR_TOP), {a, b});
        f.m_pFrame->ShowControlBar(c, FALSE, FALSE);
        f.m_pFrame->FloatControlBar(d, ptFloat);
        f.m_pFrame->RecalcLayout();
        Idle(f.m_pFrame);
        f.m_pFrame->SaveBarState("Layout");
        CSizingControlBar::GlobalSaveState(f.m_pFrame, "Layout");
    }
    std::string text = ReadText(path);
    EXPECT_NE(text.find("[Layout-Summary]"), std::string::npos) << text;
    EXPECT_NE(text.find("Bars=4"), std::string::npos) << text;
    EXPECT_NE(text.find("[Layout-SCBar-303]"), std::string::npos) << text;

    {
        // A fresh frame with every bar on the bottom: the layout comes back.
        DockingFrame f;
        CSizingControlBarG* a = f.AddBar(300, AFX_IDW_DOCKBAR_BOTTOM);
        CSizingControlBarG* b = f.AddBar(301, AFX_IDW_DOCKBAR_BOTTOM);
        CSizingControlBarG* c = f.AddBar(302, AFX_IDW_DOCKBAR_BOTTOM);
        CSizingControlBarG* d = f.AddBar(303, AFX_IDW_DOCKBAR_BOTTOM);
        f.m_pFrame->LoadBarState("Layout");
        Idle(f.m_pFrame);
        CDockBar* pTop = f.Dock(AFX_IDW_DOCKBAR_TOP);
        ASSERT_EQ(pTop->m_arrBars.GetSize(), 4);
        EXPECT_EQ(pTop->m_arrBars[1], (void*)a);
        EXPECT_EQ(pTop->m_arrBars[2], (void*)b);
        EXPECT_EQ(c->m_pDockBar, f.Dock(AFX_IDW_DOCKBAR_LEFT));
        EXPECT_FALSE(c->IsVisible());
        ASSERT_TRUE(d->IsFloating());
        CRect rc;
        d->GetParentFrame()->GetWindowRect(&rc);
        EXPECT_EQ(rc.TopLeft(), ptFloat);
        EXPECT_EQ(f.Dock(AFX_IDW_DOCKBAR_BOTTOM)->GetDockedCount(), 0);
        EXPECT_EQ(f.PaneRect().top, 200);
        EXPECT_EQ(f.PaneRect().left, 0);
        // The double click docks the floating bar on the side it came from.
        d->SendMessage(WM_LBUTTONDBLCLK, 0, 0);
        Idle(f.m_pFrame);
        EXPECT_EQ(d->m_pDockBar, f.Dock(AFX_IDW_DOCKBAR_RIGHT));
    }

    // Damaged and stale entries: a bar that no longer exists, an unknown
    // side, a negative row, a floating corner on no screen, an absurd count.
    app.WriteProfileInt("Layout-Summary", "Bars", 2000000000);
    app.WriteProfileInt("Layout-Bar0", "BarID", 999);
    app.WriteProfileInt("Layout-Bar1", "DockBarID", 12345);
    app.WriteProfileInt("Layout-Bar2", "Row", -5);
    app.WriteProfileInt("Layout-Bar3", "FloatX", -100000);
    {
        DockingFrame f;
        CSizingControlBarG* a = f.AddBar(300, AFX_IDW_DOCKBAR_BOTTOM);
        CSizingControlBarG* b = f.AddBar(301, AFX_IDW_DOCKBAR_BOTTOM);
        CSizingControlBarG* c = f.AddBar(302, AFX_IDW_DOCKBAR_BOTTOM);
        CSizingControlBarG* d = f.AddBar(303, AFX_IDW_DOCKBAR_BOTTOM);
        f.m_pFrame->LoadBarState("Layout");
        Idle(f.m_pFrame);
        for (CControlBar* p : {(CControlBar*)a, (CControlBar*)b, (CControlBar*)c, (CControlBar*)d})
        {
            EXPECT_EQ(p->m_pDockBar, f.Dock(AFX_IDW_DOCKBAR_BOTTOM));
            EXPECT_TRUE(p->IsVisible());
        }
    }
    ::DeleteFileA(path.c_str());
}
