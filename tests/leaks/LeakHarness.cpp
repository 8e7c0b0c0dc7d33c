#include "LeakHarness.h"

#include "platform/Wnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

namespace
{

// One entry of the GDI handle table that the process environment block
// points to (64-bit layout). The low 16 bits of a handle index the table;
// the entry's unique word must match the handle's high word.
struct GdiTableEntry
{
    uint64_t object;
    uint16_t processId;
    uint16_t count;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
};
static_assert(sizeof(GdiTableEntry) == 24, "GDI handle table entry layout");
const int kGdiTableEntries = 0x10000;
const size_t kPebGdiTableOffset = 0xF8;   // PEB.GdiSharedHandleTable on x64

const GdiTableEntry* GdiTable()
{
#if defined(_WIN64)
    const BYTE* peb = *(const BYTE* const*)((const BYTE*)NtCurrentTeb() + 0x60);
    return *(const GdiTableEntry* const*)(peb + kPebGdiTableOffset);
#else
    return nullptr;
#endif
}

bool GuiResourcesCounted()
{
    ::SetLastError(0);
    DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    return n != 0 || ::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
}

const char* GdiKind(uintptr_t h)
{
    switch (::GetObjectType((HGDIOBJ)h))
    {
    case OBJ_PEN: case OBJ_EXTPEN: return "pen";
    case OBJ_BRUSH: return "brush";
    case OBJ_DC: case OBJ_MEMDC: return "device context";
    case OBJ_METADC: case OBJ_ENHMETADC: return "metafile context";
    case OBJ_PAL: return "palette";
    case OBJ_FONT: return "font";
    case OBJ_BITMAP: return "bitmap";
    case OBJ_REGION: return "region";
    case OBJ_METAFILE: case OBJ_ENHMETAFILE: return "metafile";
    case OBJ_COLORSPACE: return "colour space";
    default: return "GDI object";
    }
}

std::string WindowKind(HWND h)
{
    char sz[128] = "?";
    ::GetClassNameA(h, sz, sizeof(sz));
    return sz;
}

void AddWithChildren(HWND h, std::vector<HWND>& out)
{
    out.push_back(h);
    ::EnumChildWindows(h, [](HWND c, LPARAM lp) -> BOOL {
        ((std::vector<HWND>*)lp)->push_back(c);
        return TRUE;
    }, (LPARAM)&out);
}

std::vector<HWND> ProcessWindows()
{
    std::vector<HWND> out;
    out.reserve(256);
    const DWORD pid = ::GetCurrentProcessId();
    struct Ctx { std::vector<HWND>* out; DWORD pid; } ctx = { &out, pid };
    ::EnumWindows([](HWND h, LPARAM lp) -> BOOL {
        Ctx* c = (Ctx*)lp;
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        if (owner == c->pid)
            AddWithChildren(h, *c->out);
        return TRUE;
    }, (LPARAM)&ctx);
    // Message-only windows are not top-level windows of the desktop.
    HWND h = nullptr;
    while ((h = ::FindWindowExA(HWND_MESSAGE, h, nullptr, nullptr)) != nullptr)
    {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(h, &owner);
        if (owner == pid)
            AddWithChildren(h, out);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::vector<uintptr_t> LiveGdiHandles()
{
    std::vector<uintptr_t> out;
    const GdiTableEntry* table = GdiTable();
    if (table == nullptr)
        return out;
    out.reserve(1024);
    for (int i = 0; i < kGdiTableEntries; ++i)
        if (table[i].type != 0)
            out.push_back((uintptr_t)i | ((uintptr_t)table[i].unique << 16));
    std::sort(out.begin(), out.end());
    return out;
}

// Whether handle h still names a live object: its table entry is in use
// with the same unique word.
bool GdiHandleLive(uintptr_t h)
{
    const GdiTableEntry* table = GdiTable();
    if (table == nullptr)
        return ::GetObjectType((HGDIOBJ)h) != 0;
    const GdiTableEntry& e = table[h & 0xFFFF];
    return e.type != 0 && e.unique == (uint16_t)((h >> 16) & 0xFFFF);
}

template <class T>
std::vector<T> Added(const std::vector<T>& before, const std::vector<T>& after)
{
    std::vector<T> out;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(out));
    return out;
}

} // namespace

bool LeakSnapshot::ListsGdiHandles()
{
    return !GuiResourcesCounted() && GdiTable() != nullptr;
}

size_t LeakSnapshot::HeapBytesInUse()
{
    HANDLE heaps[64];
    DWORD n = ::GetProcessHeaps(64, heaps);
    if (n > 64)
        n = 64;
    size_t total = 0;
    for (DWORD i = 0; i < n; ++i)
    {
        if (!::HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY e;
        e.lpData = nullptr;
        while (::HeapWalk(heaps[i], &e))
            if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += e.cbData;
        ::HeapUnlock(heaps[i]);
    }
    return total;
}

LeakSnapshot LeakSnapshot::Take(bool bHeap)
{
    LeakSnapshot s;
    s.windows = ProcessWindows();
    if (ListsGdiHandles())
    {
        s.gdi = LiveGdiHandles();
        s.gdiCount = (long)s.gdi.size();
        for (uintptr_t h : s.gdi)
            ++s.gdiKinds[GdiKind(h)];
    }
    else
    {
        s.gdiCount = (long)::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
        s.userCount = (long)::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    }
    if (bHeap)
        s.heapBytes = HeapBytesInUse();
    return s;
}

void LeakCycle::Alive()
{
    if (!m_bRecord)
        return;
    LeakSnapshot now = LeakSnapshot::Take(false);
    for (HWND h : Added(m_before.windows, now.windows))
        m_madeWindows.push_back(h);
    for (uintptr_t h : Added(m_before.gdi, now.gdi))
        m_madeGdi.push_back(h);
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

LeakReport RunLeakCycles(const char* pszName, const std::function<void(LeakCycle&)>& cycle, int nCycles,
                         int nWarmUp)
{
    LeakReport r;
    r.name = pszName;
    r.nCycles = nCycles;
    LeakCycle c;
    c.m_madeWindows.reserve(4096);
    c.m_madeGdi.reserve(16384);

    auto runOne = [&](int i, bool bRecord) {
        c.m_nIndex = i;
        c.m_bRecord = bRecord;
        if (bRecord)
            c.m_before = LeakSnapshot::Take(false);
        cycle(c);
        PumpPending();
        AfxDeleteTempMaps();
        c.m_before = LeakSnapshot();   // frees its lists: the heap is measured
    };
    for (int i = 0; i < nWarmUp; ++i)
        runOne(i, false);

    // Windows and handles are listed before the heap is measured, so the
    // lists themselves are part of both measurements.
    LeakSnapshot before = LeakSnapshot::Take(false);
    before.heapBytes = LeakSnapshot::HeapBytesInUse();
    for (int i = 0; i < nCycles; ++i)
    {
        // Every hundredth cycle is recorded; a short run records its middle one.
        const bool bRecord = nCycles < 100 ? i == nCycles / 2 : i % 100 == 50;
        runOne(i, bRecord);
        if (bRecord)
            ++r.nRecorded;
    }
    const size_t heapAfter = LeakSnapshot::HeapBytesInUse();
    LeakSnapshot after = LeakSnapshot::Take(false);

    for (HWND h : Added(before.windows, after.windows))
        r.windowsLeft.push_back(WindowKind(h));
    // A window recorded alive and still there (its handle may only be
    // listed once above).
    for (HWND h : c.m_madeWindows)
        if (::IsWindow(h) && !std::binary_search(after.windows.begin(), after.windows.end(), h))
            r.windowsLeft.push_back(WindowKind(h));
    // The system replaces some of its own objects as windows come and go
    // (the clipping regions of cached device contexts), so a handle that
    // is new since the start is not a left over by itself: the count of
    // each kind must not grow, and no handle made while a control was
    // alive may outlive it.
    std::map<std::string, long> kinds;
    for (const auto& k : before.gdiKinds)
        kinds[k.first] -= k.second;
    for (const auto& k : after.gdiKinds)
        kinds[k.first] += k.second;
    for (const auto& k : kinds)
    {
        if (k.second > 0)
            r.gdiGrowth.push_back(k.first + " +" + std::to_string(k.second));
        if (k.second != 0)
            std::printf("[leaks] %s: %s %+ld\n", pszName, k.first.c_str(), k.second);
    }
    // A handle made while a control was alive and still there is the
    // control's left over when its kind grew; otherwise the system made it
    // for its own caches in place of one it dropped.
    for (uintptr_t h : c.m_madeGdi)
        if (GdiHandleLive(h) && kinds[GdiKind(h)] > 0)
            r.gdiLeft.push_back(GdiKind(h));
    r.gdiCountGrowth = after.gdiCount - before.gdiCount;
    r.userCountGrowth = after.userCount - before.userCount;
    r.heapGrowth = (long long)heapAfter - (long long)before.heapBytes;
    // Less than 16 bytes a cycle may hide in the heap's own bookkeeping; a
    // leaked string, cell or object in every cycle does not.
    r.heapAllowance = 16LL * nCycles;
    r.nWindowsMade = (int)c.m_madeWindows.size();
    r.nGdiMade = (int)c.m_madeGdi.size();

    std::printf("[leaks] %-28s %d cycles: windows made %d, GDI objects made %d (in %d recorded cycles); "
                "left: %zu windows, %zu GDI objects, GDI count %+ld, heap %+lld bytes\n",
                r.name.c_str(), r.nCycles, r.nWindowsMade, r.nGdiMade, r.nRecorded, r.windowsLeft.size(),
                r.gdiLeft.size(), r.gdiCountGrowth, r.heapGrowth);
    std::fflush(stdout);
    return r;
}

void ExpectNothingLeft(const LeakReport& r, bool bMakesWindows, bool bMakesGdi)
{
    auto join = [](const std::vector<std::string>& v) {
        std::string s;
        for (size_t i = 0; i < v.size() && i < 20; ++i)
            s += (i ? ", " : "") + v[i];
        return s;
    };
    EXPECT_TRUE(r.windowsLeft.empty()) << r.name << ": windows left: " << join(r.windowsLeft);
    EXPECT_TRUE(r.gdiLeft.empty()) << r.name << ": GDI objects left: " << join(r.gdiLeft);
    EXPECT_TRUE(r.gdiGrowth.empty()) << r.name << ": more GDI objects: " << join(r.gdiGrowth);
    EXPECT_LE(r.gdiCountGrowth, 0) << r.name;
    EXPECT_LE(r.userCountGrowth, 0) << r.name;
    EXPECT_LE(r.heapGrowth, r.heapAllowance) << r.name << ": the heap grew";
    if (bMakesWindows)
        EXPECT_GT(r.nWindowsMade, 0) << r.name << ": the cycles made no window";
    if (bMakesGdi && LeakSnapshot::ListsGdiHandles())
        EXPECT_GT(r.nGdiMade, 0) << r.name << ": the cycles made no GDI object";
}

CLeakHost::CLeakHost()
{
    wnd.CreateEx(0, nullptr, "leak host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 520, 420),
                 nullptr, 0);
    PumpPending();
}

CLeakHost::~CLeakHost()
{
    wnd.DestroyWindow();
}
