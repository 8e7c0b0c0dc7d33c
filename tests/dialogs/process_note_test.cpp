// The progress-note window: its template in the library's resources, the
// host window disabled and given back, notes scrolled into view, and the
// message loops of adding a note and of waiting for the user.
#include <gtest/gtest.h>
#include "datafiles/ProcessNote.h"
#include "platform/WinApp.h"
#include "platform/kvVXComBaseResource.h"
#include "../platform_win32/fw_test_support.h"
#include <string>

namespace
{
// Reads the little-endian words of a resource one by one.
struct ResReader
{
    const BYTE* p;
    WORD Word() { WORD v; memcpy(&v, p, 2); p += 2; return v; }
    DWORD Dword() { DWORD v; memcpy(&v, p, 4); p += 4; return v; }
    short Short() { return (short)Word(); }
    std::wstring Sz()
    {
        std::wstring s;
        for (WORD w = Word(); w; w = Word())
            s += (wchar_t)w;
        return s;
    }
    // A name or an ordinal (0xFFFF, n); ordinals come back as "#n".
    std::wstring SzOrOrd()
    {
        WORD first;
        memcpy(&first, p, 2);
        if (first == 0xFFFF)
        {
            p += 2;
            return L"#" + std::to_wstring(Word());
        }
        return Sz();
    }
    void AlignDword(const BYTE* base) { p += (4 - ((p - base) & 3)) & 3; }
};

const LANGID kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

struct HostWindow
{
    HWND hWnd = MakePlainWindow("STATIC", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ~HostWindow() { ::DestroyWindow(hWnd); }
};

HWND NoteList(HWND hNote) { return ::GetDlgItem(hNote, IDC_KV_PROCESS_NOTE_LIST); }

// Messages posted from inside a waiting loop by a timer.
HWND g_hTimerTarget = nullptr;
void CALLBACK CloseBoxTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::SendMessageA(g_hTimerTarget, WM_SYSCOMMAND, SC_CLOSE, 0);
}
void CALLBACK QuitTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::PostQuitMessage(41);
}
void CALLBACK DestroyTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::DestroyWindow(g_hTimerTarget);
}

// Takes a quit request left in the queue; its exit code, or -1.
int TakeQuit()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT)
            return (int)msg.wParam;
    return -1;
}
}  // namespace

TEST(ProcessNote, TemplateAndStringLiveInTheLibrary)
{
    HINSTANCE hLib = AfxGetLibraryInstance();
    ASSERT_NE(hLib, ::GetModuleHandleA(nullptr));
    HRSRC hRes = ::FindResourceExA(hLib, (LPCSTR)RT_DIALOG, MAKEINTRESOURCEA(IDD_KV_PROCESS_NOTE), kChinesePrc);
    ASSERT_NE(hRes, nullptr);
    const BYTE* base = (const BYTE*)::LockResource(::LoadResource(hLib, hRes));
    ResReader r{base};
    EXPECT_EQ(r.Word(), 1);       // extended template
    EXPECT_EQ(r.Word(), 0xFFFF);
    r.Dword();                    // help id
    EXPECT_EQ(r.Dword(), 0u);     // no extended styles
    EXPECT_EQ(r.Dword(), (DWORD)(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT |
                                 DS_FIXEDSYS));
    EXPECT_EQ(r.Word(), 1);       // one control
    EXPECT_EQ(r.Short(), 0);
    EXPECT_EQ(r.Short(), 0);
    EXPECT_EQ(r.Short(), 275);
    EXPECT_EQ(r.Short(), 173);
    EXPECT_EQ(r.SzOrOrd(), L"");  // no menu
    EXPECT_EQ(r.SzOrOrd(), L"");  // the dialog class
    EXPECT_EQ(r.Sz(), L"\u5904\u7406\u8fdb\u5ea6");
    EXPECT_EQ(r.Word(), 8);       // points
    EXPECT_EQ(r.Word(), 400);     // weight
    EXPECT_EQ(*r.p++, 0);         // not italic
    EXPECT_EQ(*r.p++, 1);         // character set
    EXPECT_EQ(r.Sz(), L"MS Shell Dlg");
    r.AlignDword(base);
    r.Dword();                    // help id
    EXPECT_EQ(r.Dword(), 0u);
    EXPECT_EQ(r.Dword(), (DWORD)(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                                 LBS_NOINTEGRALHEIGHT));
    EXPECT_EQ(r.Short(), 7);
    EXPECT_EQ(r.Short(), 7);
    EXPECT_EQ(r.Short(), 261);
    EXPECT_EQ(r.Short(), 159);
    EXPECT_EQ(r.Dword(), 1001u);
    std::wstring cls = r.SzOrOrd();
    EXPECT_TRUE(cls == L"#131" || _wcsicmp(cls.c_str(), L"ListBox") == 0) << "class";
    EXPECT_EQ(r.SzOrOrd(), L"");

    // String 9000 in the library's string table, same language.
    hRes = ::FindResourceExA(hLib, (LPCSTR)RT_STRING, MAKEINTRESOURCEA(IDS_KV_SYSTEM_NOTICE / 16 + 1), kChinesePrc);
    ASSERT_NE(hRes, nullptr);
    r.p = (const BYTE*)::LockResource(::LoadResource(hLib, hRes));
    for (int i = 0; i < IDS_KV_SYSTEM_NOTICE % 16; ++i)
    {
        WORD len = r.Word();
        r.p += 2 * len;
    }
    WORD n = r.Word();
    EXPECT_EQ(std::wstring((const wchar_t*)r.p, n), L"\u7cfb\u7edf\u63d0\u793a");
}

TEST(ProcessNote, NotesScrollAndTheHostIsGivenBack)
{
    HostWindow host;
    HWND hNote = cmCreateProcessNoteWnd(host.hWnd, "Loading table");
    ASSERT_NE(hNote, nullptr);
    char caption[64] = "";
    ::GetWindowTextA(hNote, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Loading table");
    EXPECT_TRUE(::IsWindowVisible(hNote));
    EXPECT_EQ(::GetWindow(hNote, GW_OWNER), host.hWnd);
    EXPECT_FALSE(::IsWindowEnabled(host.hWnd));
    HWND hList = NoteList(hNote);
    ASSERT_NE(hList, nullptr);

    // More lines than fit: each new one is the last line and the top one.
    for (int i = 0; i < 40; ++i)
    {
        std::string text = "step " + std::to_string(i);
        cmSetPrpocessNote(hNote, text.c_str());
        ASSERT_EQ(::SendMessageA(hList, LB_GETCOUNT, 0, 0), i + 1);
        char line[32] = "";
        ::SendMessageA(hList, LB_GETTEXT, i, (LPARAM)line);
        EXPECT_EQ(line, text);
    }
    // The list scrolled: the top line is as far down as the list allows.
    int nTop = (int)::SendMessageA(hList, LB_GETTOPINDEX, 0, 0);
    EXPECT_GT(nTop, 20);
    RECT rcItem, rcList;
    ::GetClientRect(hList, &rcList);
    ::SendMessageA(hList, LB_GETITEMRECT, 39, (LPARAM)&rcItem);
    EXPECT_LE(rcItem.bottom, rcList.bottom) << "the last line is visible";

    // Bad input does nothing: no window, a foreign window, no text.
    cmSetPrpocessNote(nullptr, "ignored");
    cmSetPrpocessNote(host.hWnd, "ignored");
    cmSetPrpocessNote(hNote, nullptr);
    EXPECT_EQ(::SendMessageA(hList, LB_GETCOUNT, 0, 0), 40);
    cmDestroyProcessNoteWnd(nullptr, 1);
    cmDestroyProcessNoteWnd(host.hWnd, 1);
    EXPECT_TRUE(::IsWindow(host.hWnd));

    cmDestroyProcessNoteWnd(hNote, 1);
    EXPECT_FALSE(::IsWindow(hNote));
    EXPECT_TRUE(::IsWindowEnabled(host.hWnd));
    EXPECT_EQ(::GetFocus(), host.hWnd);
    cmDestroyProcessNoteWnd(hNote, 1);  // twice: harmless
    cmDestroyProcessNoteWnd(hNote, 0);  // and returns at once

    // Without a host window, and with no title.
    hNote = cmCreateProcessNoteWnd(nullptr, nullptr);
    ASSERT_NE(hNote, nullptr);
    EXPECT_EQ(::GetWindowTextLengthA(hNote), 0);
    cmSetPrpocessNote(hNote, "alone");
    cmDestroyProcessNoteWnd(hNote, 1);
    EXPECT_FALSE(::IsWindow(hNote));
}

TEST(ProcessNote, AddingANoteHandlesQueuedMessagesAndKeepsAQuitRequest)
{
    HostWindow host;
    HWND hNote = cmCreateProcessNoteWnd(host.hWnd, "Pump");
    ASSERT_NE(hNote, nullptr);
    // A message posted to another window is dispatched by adding a note.
    HWND hSink = MakePlainWindow("STATIC", WS_POPUP);
    ::PostMessageA(hSink, WM_CLOSE, 0, 0);
    ::PostQuitMessage(7);
    cmSetPrpocessNote(hNote, "one");
    EXPECT_FALSE(::IsWindow(hSink));
    EXPECT_EQ(TakeQuit(), 7) << "the host still sees its quit request";
    cmDestroyProcessNoteWnd(hNote, 1);
}

TEST(ProcessNote, WaitingForTheUserEndsByCloseBoxQuitOrAVanishedWindow)
{
    HostWindow host;
    struct Case
    {
        TIMERPROC proc;
        int nQuit;  // expected quit request left for the host, or -1
    } cases[] = {{CloseBoxTimer, -1}, {QuitTimer, 41}, {DestroyTimer, -1}};
    for (const Case& c : cases)
    {
        HWND hNote = cmCreateProcessNoteWnd(host.hWnd, "Wait");
        ASSERT_NE(hNote, nullptr);
        cmSetPrpocessNote(hNote, "done");
        g_hTimerTarget = hNote;
        ::SetTimer(nullptr, 0, 50, c.proc);
        cmDestroyProcessNoteWnd(hNote, 0);  // returns once the timer acted
        EXPECT_FALSE(::IsWindow(hNote));
        EXPECT_TRUE(::IsWindowEnabled(host.hWnd));
        EXPECT_EQ(TakeQuit(), c.nQuit);
    }
}
