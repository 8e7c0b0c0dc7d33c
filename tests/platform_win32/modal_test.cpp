// The modal-UI seam: answered questions never show a window and are seen
// as asked; one real message box is shown and dismissed from a timer.
#include <gtest/gtest.h>
#include "fw_test_support.h"
#include <algorithm>

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

namespace {

class CDialogAnswerer : public CModalUIAnswerer
{
public:
    std::string filter;
    std::string initialFile;
    BOOL bOpen = FALSE;
    BOOL AnswerFontDialog(HWND, LOGFONTA* plf, COLORREF* pcr, DWORD, INT_PTR* pnResult) override
    {
        lstrcpyA(plf->lfFaceName, "Tahoma");
        plf->lfHeight = -16;
        plf->lfWeight = FW_BOLD;
        *pcr = RGB(0, 0, 255);
        *pnResult = IDOK;
        return TRUE;
    }
    BOOL AnswerFileDialog(HWND, BOOL bOpenFileDialog, OPENFILENAMEA* pofn, INT_PTR* pnResult) override
    {
        bOpen = bOpenFileDialog;
        initialFile = pofn->lpstrFile;
        filter.clear();
        for (const char* p = pofn->lpstrFilter; p && *p; p += strlen(p) + 1)
            filter += std::string(p) + ";";
        lstrcpynA(pofn->lpstrFile, "C:\\data\\regions.table.csv", (int)pofn->nMaxFile);
        *pnResult = IDOK;
        return TRUE;
    }
};

}  // namespace

TEST(ModalUI, FontAndFileDialogsAreAnswered)
{
    CDialogAnswerer answerer;
    AnswererScope scope(&answerer);

    CFontDialog fontDlg;
    ASSERT_EQ(fontDlg.DoModal(), IDOK);
    EXPECT_STREQ((LPCSTR)fontDlg.GetFaceName(), "Tahoma");
    EXPECT_TRUE(fontDlg.IsBold());
    EXPECT_EQ(fontDlg.GetColor(), RGB(0, 0, 255));
    EXPECT_GT(fontDlg.GetSize(), 0);

    CFileDialog fileDlg(TRUE, "csv", "start.csv", OFN_HIDEREADONLY, "Tables (*.csv)|*.csv|All files (*.*)|*.*||");
    ASSERT_EQ(fileDlg.DoModal(), IDOK);
    EXPECT_TRUE(answerer.bOpen);
    EXPECT_EQ(answerer.initialFile, "start.csv");
    EXPECT_EQ(answerer.filter, "Tables (*.csv);*.csv;All files (*.*);*.*;");
    EXPECT_STREQ((LPCSTR)fileDlg.GetPathName(), "C:\\data\\regions.table.csv");
    EXPECT_STREQ((LPCSTR)fileDlg.GetFileName(), "regions.table.csv");
    EXPECT_STREQ((LPCSTR)fileDlg.GetFileExt(), "csv");
    EXPECT_STREQ((LPCSTR)fileDlg.GetFileTitle(), "regions.table");

    // A filter longer than the dialog keeps is cut at a whole pair.
    std::string longFilter;
    for (int i = 0; i < 80; ++i)
        longFilter += "Kind " + std::to_string(i) + "|*.k" + std::to_string(i) + "|";
    CFileDialog longDlg(FALSE, nullptr, nullptr, 0, longFilter.c_str());
    ASSERT_EQ(longDlg.DoModal(), IDOK);
    EXPECT_FALSE(answerer.bOpen);
    size_t parts = std::count(answerer.filter.begin(), answerer.filter.end(), ';');
    EXPECT_EQ(parts % 2, 0u);
    EXPECT_GT(parts, 10u);
}
