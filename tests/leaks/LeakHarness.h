#pragma once
// Create/use/destroy cycles that must leave nothing behind: no window, no
// GDI object, no heap growth.
//
// A control's test hands RunLeakCycles one cycle (make the control, use it
// the way a host does, destroy it). The harness runs a few warm-up cycles
// (caches the system fills once), takes stock of the process, runs the
// cycles, takes stock again and reports what is left:
//   - windows: every window of the process (top-level, child and
//     message-only) is listed before and after; new ones are left overs;
//   - GDI objects: Windows counts them per process (GetGuiResources); Wine
//     does not, so there every live GDI handle is listed from the process's
//     GDI handle table before and after, and the count of no kind (pens,
//     brushes, regions ...) may grow. On some cycles the handles made while
//     the control is alive (at LeakCycle::Alive) are recorded too, and each
//     of them must be gone at the end;
//   - heap: the bytes in use in all of the process's heaps.
//
//   TEST(Leaks, MyControl)
//   {
//       LeakReport r = RunLeakCycles("my control", [](LeakCycle& c) {
//           CMyControl ctl;
//           ctl.Create(...);
//           ... use it ...
//           c.Alive();          // the control and all it made exist now
//       });
//       ExpectNothingLeft(r);
//   }
#include "platform/Wnd.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

// The process's windows and GDI objects at one moment, and its heap use.
struct LeakSnapshot
{
    std::vector<HWND> windows;        // sorted
    std::vector<uintptr_t> gdi;       // sorted live handles (Wine); empty elsewhere
    std::map<std::string, long> gdiKinds;   // their number by kind
    long gdiCount = 0;                // GDI objects of the process
    long userCount = 0;               // USER objects (Windows only; 0 on Wine)
    size_t heapBytes = 0;             // bytes in use in the process's heaps

    static LeakSnapshot Take(bool bHeap = true);
    // True when the GDI handles are listed from the handle table (Wine).
    static bool ListsGdiHandles();
    static size_t HeapBytesInUse();
};

// What one run of cycles left behind.
struct LeakReport
{
    std::string name;
    int nCycles = 0;
    std::vector<std::string> windowsLeft;   // class names of windows left over
    std::vector<std::string> gdiLeft;       // kinds of GDI objects made and left over
    std::vector<std::string> gdiGrowth;     // kinds whose count grew ("region +2")
    long gdiCountGrowth = 0;                // by the per-process count
    long userCountGrowth = 0;
    long long heapGrowth = 0;               // bytes
    long long heapAllowance = 0;            // bytes the check tolerates
    int nWindowsMade = 0;                   // while alive, in recorded cycles
    int nGdiMade = 0;                       // while alive, in recorded cycles
    int nRecorded = 0;                      // recorded cycles
};

class LeakCycle
{
public:
    // Marks the moment the control and everything it makes exist: on the
    // recorded cycles the windows and GDI handles made since the cycle
    // began are noted, to be checked for being gone at the end.
    void Alive();
    int Index() const { return m_nIndex; }

private:
    friend LeakReport RunLeakCycles(const char*, const std::function<void(LeakCycle&)>&, int, int);
    int m_nIndex = 0;
    bool m_bRecord = false;
    LeakSnapshot m_before;
    std::vector<HWND> m_madeWindows;
    std::vector<uintptr_t> m_madeGdi;
};

// Runs nWarmUp cycles, then nCycles cycles between two stock-takings. The
// thread's messages are pumped after every cycle and the framework's
// temporary objects freed, as a host's idle time does.
LeakReport RunLeakCycles(const char* pszName, const std::function<void(LeakCycle&)>& cycle,
                         int nCycles = 1000, int nWarmUp = 20);

// The gtest checks: nothing left, and the cycles really made windows and
// GDI objects (so the check was not vacuous).
void ExpectNothingLeft(const LeakReport& r, bool bMakesWindows = true, bool bMakesGdi = true);

// Dispatches what is queued for the thread (posted messages, paints).
void PumpPending();

// A shown top-level window for the cycles to put their controls in: each
// shown top-level window costs a round trip to the X server, the children
// in it do not.
class CLeakHost
{
public:
    CLeakHost();
    ~CLeakHost();
    CWnd wnd;
};
