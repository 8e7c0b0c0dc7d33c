// The grid and the real clipboard: the copied text layout read back both
// through Win32 and from the X11 side (xclip), text offered by xclip pasted
// into a grid, cutting, text that outlives the grid's OLE shutdown, and
// hostile pasted text (no zero byte, zero bytes, a million lines, lines of
// a million characters) that must stay inside the paste area.

#include "grid_window_util.h"
#include "platform/OleDataTransfer.h"
#include "platform/CommandIds.h"

#include <string>

using namespace gridtest;

namespace
{

class CClipGrid : public CTestGrid
{
public:
    using CTestGrid::CTestGrid;
    using CVXGridCtrl::OnCmdMsg;
};

// Handles messages of this thread, so that the clipboard data this process
// owns can be rendered while a Linux program asks for it.
void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

std::string ScratchDir()
{
    return "/tmp/kvvx-transfer-" + std::to_string(::GetCurrentProcessId());
}

std::string WinPath(const std::string& unixPath)
{
    std::string s = "Z:" + unixPath;
    for (char& c : s)
        if (c == '/')
            c = '\\';
    return s;
}

bool WriteFileBytes(const std::string& unixPath, const std::string& bytes)
{
    HANDLE h = ::CreateFileA(WinPath(unixPath).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD n = 0;
    BOOL ok = ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &n, NULL);
    ::CloseHandle(h);
    return ok && n == bytes.size();
}

bool ReadFileBytes(const std::string& unixPath, std::string* pBytes)
{
    HANDLE h = ::CreateFileA(WinPath(unixPath).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    pBytes->clear();
    char buf[4096];
    DWORD n = 0;
    while (::ReadFile(h, buf, sizeof(buf), &n, NULL) && n > 0)
        pBytes->append(buf, n);
    ::CloseHandle(h);
    return true;
}

// Runs a shell command on the Linux side and waits for it (handling this
// thread's messages meanwhile); its standard output goes to *pOut.
bool RunShell(const std::string& command, std::string* pOut = NULL)
{
    const std::string dir = ScratchDir();
    ::CreateDirectoryA(WinPath(dir).c_str(), NULL);
    ::DeleteFileA(WinPath(dir + "/rc").c_str());
    const std::string script = command + " > " + dir + "/out 2>/dev/null\necho $? > " + dir +
                               "/rc.tmp\nmv " + dir + "/rc.tmp " + dir + "/rc\n";
    if (!WriteFileBytes(dir + "/run.sh", script))
        return false;
    std::string cmdLine = "Z:\\bin\\sh " + dir + "/run.sh";
    STARTUPINFOA si;
    memset(&si, 0, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!::CreateProcessA(NULL, &cmdLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    std::string rc;
    for (int i = 0; i < 3000 && !ReadFileBytes(dir + "/rc", &rc); i++)
    {
        Pump();
        ::Sleep(10);
    }
    if (pOut != NULL)
        ReadFileBytes(dir + "/out", pOut);
    return rc.size() > 0 && rc[0] == '0';
}

// The CF_TEXT on the clipboard as Win32 gives it, or "<none>".
std::string ClipboardText()
{
    std::string s = "<none>";
    if (!::OpenClipboard(NULL))
        return "<locked>";
    HANDLE h = ::GetClipboardData(CF_TEXT);
    if (h != NULL)
    {
        const char* p = (const char*)::GlobalLock(h);
        if (p != NULL)
            s = p;
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    return s;
}

// Waits until the clipboard's CF_TEXT is text (an xclip offer arrives
// within moments).
bool WaitForClipboard(const std::string& text)
{
    for (int i = 0; i < 500; i++)
    {
        if (ClipboardText() == text)
            return true;
        Pump();
        ::Sleep(10);
    }
    return false;
}

// A data object whose CF_TEXT is exactly the given bytes (no zero byte
// added).
struct RawText
{
    COleDataSource* pSource;
    COleDataObject data;
    explicit RawText(const std::string& bytes)
    {
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        memcpy(::GlobalLock(h), bytes.data(), bytes.size());
        ::GlobalUnlock(h);
        pSource = new COleDataSource;
        pSource->CacheGlobalData(CF_TEXT, h);
        data.Attach(pSource->GetDataObject(), TRUE);
    }
    ~RawText()
    {
        data.Release();
        pSource->InternalRelease();
    }
};

class CEnableProbe : public CCmdUI
{
public:
    void Enable(BOOL bOn) override { m_nEnabled = bOn ? 1 : 0; }
    int m_nEnabled = -1;
};

int PasteEnabled(CClipGrid& grid)
{
    CEnableProbe ui;
    ui.m_nID = ID_EDIT_PASTE;
    grid.OnCmdMsg(ID_EDIT_PASTE, CN_UPDATE_COMMAND_UI, &ui, NULL);
    return ui.m_nEnabled;
}

int CountNotes(const CRecordingParent& parent, int code)
{
    int n = 0;
    for (const Notification& note : parent.notes)
        n += note.code == code;
    return n;
}

} // namespace

TEST(GridClipboard, CopyLayoutReachesWin32AndX11)
{
    CRecordingParent parent;
    CClipGrid grid;
    ASSERT_TRUE(CreateStandardGrid(grid, parent.Wnd()));
    grid.SetItemText(1, 1, "a");
    grid.SetItemText(1, 2, "unselected");
    grid.SetItemText(2, 1, "unselected");
    grid.SetItemText(2, 2, "b");
    grid.SetItemState(1, 1, GCS_SELECTED);
    grid.SetItemState(2, 2, GCS_SELECTED);

    // The block: the fields of the bounding range, unselected cells empty,
    // exactly the text and one zero byte.
    COleDataSource* pSource = grid.CopyTextFromGrid();
    ASSERT_TRUE(pSource != NULL);
    {
        COleDataObject data;
        data.Attach(pSource->GetDataObject(), TRUE);
        HGLOBAL h = data.GetGlobalData(CF_TEXT);
        ASSERT_TRUE(h != NULL);
        EXPECT_EQ(6u, ::GlobalSize(h));
        EXPECT_EQ(0, memcmp(::GlobalLock(h), "a\t\n\tb\0", 6));
        ::GlobalUnlock(h);
        ::GlobalFree(h);
    }
    pSource->InternalRelease();

    // Through the Edit command onto the real clipboard: Win32 and X11 read
    // the same text.
    grid.OnEditCopy();
    EXPECT_EQ("a\t\n\tb", ClipboardText());
    std::string x11;
    ASSERT_TRUE(RunShell("timeout 10 xclip -o -selection clipboard", &x11));
    EXPECT_EQ("a\t\n\tb", x11);

    // A selected empty cell is one space; no selection copies nothing and
    // leaves the clipboard alone.
    grid.ResetSelectedRange();
    grid.SetItemText(3, 2, "");
    grid.SetSelectedRange(3, 1, 3, 2);
    grid.SetItemText(3, 1, "c");
    grid.OnEditCopy();
    EXPECT_EQ("c\t ", ClipboardText());
    grid.ResetSelectedRange();
    EXPECT_TRUE(grid.CopyTextFromGrid() == NULL);
    grid.OnEditCopy();
    EXPECT_EQ("c\t ", ClipboardText());
}

TEST(GridClipboard, PasteFromX11FillsOnlyThePasteArea)
{
    CRecordingParent parent;
    CClipGrid grid;
    ASSERT_TRUE(CreateStandardGrid(grid, parent.Wnd()));
    for (int r = 1; r <= 6; r++)
        for (int c = 17; c <= 20; c++)
            grid.SetItemText(r, c, "old");
    grid.SetItemState(4, 20, GCS_READONLY);

    // Another program's text: CR LF line ends, a comma, an empty line,
    // more fields than columns.
    ASSERT_TRUE(WriteFileBytes(ScratchDir() + "/in", "p\tq,r\r\n\r\ns\t\tt\r\n"));
    ASSERT_TRUE(RunShell("xclip -i -selection clipboard < " + ScratchDir() + "/in"));
    ASSERT_TRUE(WaitForClipboard("p\tq,r\r\n\r\ns\t\tt\r\n"));

    grid.SetFocusCell(2, 19);
    grid.SetSelectedRange(2, 19, 3, 19);
    EXPECT_EQ(1, PasteEnabled(grid));
    parent.notes.clear();
    grid.OnEditPaste();

    EXPECT_EQ("p", std::string(grid.GetItemText(2, 19)));
    EXPECT_EQ("q", std::string(grid.GetItemText(2, 20)));   // "r" has no column
    EXPECT_EQ("", std::string(grid.GetItemText(3, 19)));    // the empty line clears one cell
    EXPECT_EQ("old", std::string(grid.GetItemText(3, 20)));
    EXPECT_EQ("s", std::string(grid.GetItemText(4, 19)));
    EXPECT_EQ("old", std::string(grid.GetItemText(4, 20)));  // read-only keeps its text
    for (int c = 17; c <= 20; c++)
    {
        EXPECT_EQ("old", std::string(grid.GetItemText(1, c))) << c;
        EXPECT_EQ("old", std::string(grid.GetItemText(5, c))) << c;
    }
    EXPECT_EQ("old", std::string(grid.GetItemText(2, 18)));
    EXPECT_TRUE(grid.GetModified(2, 19));
    EXPECT_FALSE(grid.GetModified(4, 20));
    // Pasted cells leave the selection; every written cell was announced.
    EXPECT_EQ(0u, grid.GetItemState(2, 19) & GCS_SELECTED);
    EXPECT_EQ(0u, grid.GetItemState(3, 19) & GCS_SELECTED);
    EXPECT_EQ(4, CountNotes(parent, GRIDN_BEGINLABELEDIT));
    EXPECT_EQ(4, CountNotes(parent, GRIDN_ENDLABELEDIT));

    // A read-only start cell refuses the whole paste.
    grid.SetFocusCell(4, 20);
    EXPECT_EQ(0, PasteEnabled(grid));
    parent.notes.clear();
    grid.OnEditPaste();
    EXPECT_EQ("old", std::string(grid.GetItemText(4, 20)));
    EXPECT_EQ("old", std::string(grid.GetItemText(5, 20)));
    EXPECT_EQ(0, CountNotes(parent, GRIDN_BEGINLABELEDIT));
}

TEST(GridClipboard, CutEmptiesEditableSelectedCellsAndKeepsReadOnlyOnes)
{
    CRecordingParent parent;
    CClipGrid grid;
    ASSERT_TRUE(CreateStandardGrid(grid, parent.Wnd()));
    for (int r = 1; r <= 2; r++)
        for (int c = 1; c <= 3; c++)
            grid.SetItemText(r, c, CString((char)('a' + (r - 1) * 3 + (c - 1))));
    grid.SetItemState(1, 2, GCS_READONLY);
    grid.SetSelectedRange(1, 1, 2, 3);
    ASSERT_EQ(6, grid.GetSelectedCount());
    parent.notes.clear();

    grid.OnEditCut();

    EXPECT_EQ("a\tb\tc\nd\te\tf", ClipboardText());
    for (int r = 1; r <= 2; r++)
        for (int c = 1; c <= 3; c++)
        {
            if (r == 1 && c == 2)
                continue;
            EXPECT_EQ("", std::string(grid.GetItemText(r, c))) << r << "," << c;
            EXPECT_EQ(0u, grid.GetItemState(r, c) & GCS_SELECTED) << r << "," << c;
            EXPECT_TRUE(grid.GetModified(r, c));
        }
    EXPECT_EQ("b", std::string(grid.GetItemText(1, 2)));
    EXPECT_NE(0u, grid.GetItemState(1, 2) & GCS_SELECTED);
    EXPECT_EQ(1, grid.GetSelectedCount());
    EXPECT_EQ(5, CountNotes(parent, GRIDN_BEGINLABELEDIT));
    EXPECT_EQ(5, CountNotes(parent, GRIDN_ENDLABELEDIT));

    // A grid that is not editable cuts nothing and leaves the clipboard.
    grid.SetEditable(FALSE);
    grid.SetItemText(2, 2, "stays");
    grid.SetSelectedRange(2, 2, 2, 2);
    grid.OnEditCut();
    EXPECT_EQ("stays", std::string(grid.GetItemText(2, 2)));
    EXPECT_EQ("a\tb\tc\nd\te\tf", ClipboardText());
}

namespace
{
DWORD WINAPI CopyOnOwnThread(LPVOID)
{
    CVXGridCtrl grid(2, 2, 0, 0);
    grid.SetItemText(1, 1, "survives");
    grid.SetItemState(1, 1, GCS_SELECTED);
    grid.OnEditCopy();
    return 0;   // the grid ends the OLE it started
}
} // namespace

TEST(GridClipboard, CopiedTextOutlivesTheGridsOleShutdown)
{
    HANDLE hThread = ::CreateThread(NULL, 0, CopyOnOwnThread, NULL, 0, NULL);
    ASSERT_TRUE(hThread != NULL);
    ::WaitForSingleObject(hThread, 30000);
    ::CloseHandle(hThread);
    EXPECT_EQ("survives", ClipboardText());
}

TEST(GridClipboard, HostileTextStaysInsideThePasteArea)
{
    CClipGrid grid(10, 5, 1, 1);
    for (int r = 0; r < 10; r++)
        for (int c = 0; c < 5; c++)
            grid.SetItemText(r, c, "old");

    // No zero byte at the end of the block: read up to its size only.
    {
        RawText raw("aa\tbb");
        EXPECT_TRUE(grid.PasteTextToGrid(CVXCellID(1, 1), &raw.data));
        EXPECT_EQ("aa", std::string(grid.GetItemText(1, 1)));
        EXPECT_EQ("bb", std::string(grid.GetItemText(1, 2)));
    }
    // Zero bytes end the text.
    {
        RawText raw(std::string("cc\0dd\tee", 8));
        EXPECT_TRUE(grid.PasteTextToGrid(CVXCellID(1, 3), &raw.data));
        EXPECT_EQ("cc", std::string(grid.GetItemText(1, 3)));
        EXPECT_EQ("old", std::string(grid.GetItemText(1, 4)));
    }
    // A million lines of more fields than columns, from (2, 2): rows 2..9,
    // columns 2..4 only.
    {
        std::string text;
        text.reserve(12000000);
        for (int i = 0; i < 1000000; i++)
            text += "x\ty\tz\tw\n";
        RawText raw(text);
        EXPECT_TRUE(grid.PasteTextToGrid(CVXCellID(2, 2), &raw.data));
        for (int r = 2; r < 10; r++)
        {
            EXPECT_EQ("old", std::string(grid.GetItemText(r, 1))) << r;
            EXPECT_EQ("x", std::string(grid.GetItemText(r, 2))) << r;
            EXPECT_EQ("z", std::string(grid.GetItemText(r, 4))) << r;
        }
    }
    // A line of a million characters, and one of a million fields.
    {
        RawText raw(std::string(1000000, 'L') + "\n" + std::string(2000000, ',').replace(1, 1, "m"));
        EXPECT_TRUE(grid.PasteTextToGrid(CVXCellID(1, 4), &raw.data));
        EXPECT_EQ(1000000, grid.GetItemText(1, 4).GetLength());
        EXPECT_EQ("m", std::string(grid.GetItemText(2, 4)));
        EXPECT_EQ("y", std::string(grid.GetItemText(2, 3)));
    }
    for (int c = 0; c < 5; c++)
        EXPECT_EQ("old", std::string(grid.GetItemText(0, c))) << c;

    // Refusals: a start outside the grid, a read-only start, no text.
    RawText raw("zz");
    EXPECT_FALSE(grid.PasteTextToGrid(CVXCellID(10, 1), &raw.data));
    EXPECT_FALSE(grid.PasteTextToGrid(CVXCellID(-1, -1), &raw.data));
    grid.SetItemState(3, 3, GCS_READONLY);
    EXPECT_FALSE(grid.PasteTextToGrid(CVXCellID(3, 3), &raw.data));
    EXPECT_FALSE(grid.PasteTextToGrid(CVXCellID(3, 2), NULL));
    COleDataSource* pEmpty = new COleDataSource;
    COleDataObject none;
    none.Attach(pEmpty->GetDataObject(), TRUE);
    EXPECT_FALSE(grid.PasteTextToGrid(CVXCellID(3, 2), &none));
    none.Release();
    pEmpty->InternalRelease();
    EXPECT_EQ("x", std::string(grid.GetItemText(3, 2)));
}
