// The modal-UI seam: answered questions never show a window and are seen
// as asked; one real message box is shown and dismissed from a timer.
#include <gtest/gtest.h>
#include "fw_test_support.h"

namespace {

class CRecordingAnswerer : public CModalUIAnswerer
{
public:
    std::string text, caption;
    UINT type = 0;
    int nAsked = 0;
    int answer = IDYES;
    COLORREF colorAnswer = RGB(12, 34, 56);
    COLORREF colorAsked = 0;
    BOOL AnswerMessageBox(HWND, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType, int* pnResult) override
    {
        ++nAsked;
        text = lpszText;
        caption = lpszCaption ? lpszCaption : "";
        type = nType;
        *pnResult = answer;
        return TRUE;
    }
    BOOL AnswerColorDialog(HWND, COLORREF* pcr, DWORD, INT_PTR* pnResult) override
    {
        ++nAsked;
        colorAsked = *pcr;
        *pcr = colorAnswer;
        *pnResult = IDOK;
        return TRUE;
    }
};

struct AnswererScope
{
    CModalUIAnswerer* pOld;
    explicit AnswererScope(CModalUIAnswerer* p) : pOld(AfxSetModalUIAnswerer(p)) {}
    ~AnswererScope() { AfxSetModalUIAnswerer(pOld); }
};

// Finds the message box of this process by its caption and presses OK.
const char* g_pszBoxCaption = "KvVX real box";
int g_nTimerTicks = 0;
BOOL g_bFoundBox = FALSE;
char g_szBoxText[256];

void CALLBACK PressOk(HWND, UINT, UINT_PTR, DWORD)
{
    ++g_nTimerTicks;
    HWND hBox = ::FindWindowA("#32770", g_pszBoxCaption);
    if (hBox)
    {
        g_bFoundBox = TRUE;
        HWND hStatic = ::GetDlgItem(hBox, 0xFFFF);
        if (hStatic)
            ::GetWindowTextA(hStatic, g_szBoxText, sizeof(g_szBoxText));
        ::PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hBox, IDOK));
    }
    if (g_nTimerTicks > 500)  // about 10 s: give up rather than hang
        ::PostQuitMessage(0);
}

}  // namespace

TEST(ModalUI, MessageBoxesAreAnsweredAndSeen)
{
    CRecordingAnswerer answerer;
    AnswererScope scope(&answerer);
    EXPECT_EQ(AfxMessageBox("Unable to save grid list"), IDYES);
    EXPECT_EQ(answerer.text, "Unable to save grid list");
    EXPECT_EQ(answerer.caption, std::string(AfxGetAppName()));
    EXPECT_EQ(answerer.type & MB_TYPEMASK, (UINT)MB_OK);
    EXPECT_EQ(answerer.type & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);

    answerer.answer = IDNO;
    EXPECT_EQ(AfxMessageBox("Proceed?", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(answerer.type, (UINT)(MB_YESNO | MB_ICONQUESTION));

    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 50, 50), nullptr, 0));
    wnd.MessageBox("From a window", "Caption here", MB_OKCANCEL);
    EXPECT_EQ(answerer.caption, "Caption here");
    EXPECT_EQ(answerer.text, "From a window");

    // A string resource that does not exist still gives a clear text.
    AfxMessageBox(65000u);
    EXPECT_FALSE(answerer.text.empty());
    EXPECT_EQ(answerer.nAsked, 4);
}

TEST(ModalUI, ExceptionsReportThroughTheSeam)
{
    CRecordingAnswerer answerer;
    AnswererScope scope(&answerer);
    CFileException* e = new CFileException(CFileException::fileNotFound, -1, "C:\\data\\regions.csv");
    e->ReportError();
    e->Delete();
    EXPECT_EQ(answerer.nAsked, 1);
    EXPECT_NE(answerer.text.find("regions.csv"), std::string::npos) << answerer.text;

    CFileException* e2 = new CFileException(CFileException::diskFull, -1, "out.txt");
    e2->ReportError(MB_OK | MB_ICONSTOP);
    e2->Delete();
    EXPECT_EQ(answerer.type & MB_ICONMASK, (UINT)MB_ICONSTOP);
    EXPECT_NE(answerer.text, "");
}

TEST(ModalUI, ColorDialogIsAnswered)
{
    CRecordingAnswerer answerer;
    AnswererScope scope(&answerer);
    CColorDialog dlg(RGB(1, 2, 3));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(answerer.colorAsked, RGB(1, 2, 3));
    EXPECT_EQ(dlg.GetColor(), RGB(12, 34, 56));
}

TEST(ModalUI, ARealMessageBoxIsDismissedFromATimer)
{
    ASSERT_EQ(AfxGetModalUIAnswerer(), nullptr);
    g_nTimerTicks = 0;
    g_bFoundBox = FALSE;
    g_szBoxText[0] = 0;
    UINT_PTR id = ::SetTimer(nullptr, 0, 20, PressOk);
    int result = KvShowMessageBox(nullptr, "A real box", g_pszBoxCaption, MB_OKCANCEL);
    ::KillTimer(nullptr, id);
    EXPECT_TRUE(g_bFoundBox);
    EXPECT_EQ(result, IDOK);
    EXPECT_STREQ(g_szBoxText, "A real box");
    // Remove a quit message the watchdog may have posted.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
    {
    }
}
