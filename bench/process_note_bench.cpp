// The progress-note window under a long run of notes.
//
// Adds 100,000 notes to one note window over a host window and times each
// block of 10,000. Prints the time per note of every block and the ratio of
// the last block to the first (the baseline of the same run); the goal is a
// ratio near 1 (well under 2): adding a note must not slow down as the list
// grows. It also checks that the last note is the list's last line and that
// it is in view.

#include "datafiles/ProcessNote.h"
#include "platform/kvVXComBaseResource.h"
#include "BenchClock.h"

#include <cstdio>
#include <string>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int kNotes = argc > 1 ? atoi(argv[1]) : 100000;
    const int kBlock = kNotes / 10;
    HWND hHost = ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 500, 400, nullptr,
                                   nullptr, nullptr, nullptr);
    HWND hNote = cmCreateProcessNoteWnd(hHost, "Benchmark");
    if (!hNote)
    {
        std::printf("the note window could not be created\n");
        return 1;
    }
    double first = 0, last = 0;
    char text[64];
    for (int block = 0; block < kNotes / kBlock; ++block)
    {
        double t0 = Now();
        for (int i = 0; i < kBlock; ++i)
        {
            std::snprintf(text, sizeof(text), "note %d: region %d measured", block * kBlock + i, i % 97);
            cmSetPrpocessNote(hNote, text);
        }
        double us = (Now() - t0) / kBlock * 1e6;
        if (block == 0)
            first = us;
        last = us;
        std::printf("notes %6d-%6d: %7.1f us per note\n", block * kBlock + 1, (block + 1) * kBlock, us);
        std::fflush(stdout);
    }
    HWND hList = ::GetDlgItem(hNote, IDC_KV_PROCESS_NOTE_LIST);
    int nCount = (int)::SendMessageA(hList, LB_GETCOUNT, 0, 0);
    int nTop = (int)::SendMessageA(hList, LB_GETTOPINDEX, 0, 0);
    char lastLine[64] = "";
    ::SendMessageA(hList, LB_GETTEXT, nCount - 1, (LPARAM)lastLine);
    RECT rcItem = {}, rcList = {};
    ::SendMessageA(hList, LB_GETITEMRECT, nCount - 1, (LPARAM)&rcItem);
    ::GetClientRect(hList, &rcList);
    bool bInView = rcItem.top >= 0 && rcItem.bottom <= rcList.bottom;
    std::printf("lines %d, top line %d, last line \"%s\" %s\n", nCount, nTop, lastLine,
                bInView ? "in view" : "NOT in view");
    std::printf("last block / first block: %.2f (goal: under 2)\n", last / first);
    cmDestroyProcessNoteWnd(hNote, 1);
    ::DestroyWindow(hHost);
    return nCount == kNotes && bInView ? 0 : 1;
}
