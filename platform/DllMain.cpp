// Entry point of kvVXComBase.dll. The library's application object and its
// module state are set up by static construction (ModuleFrame.cpp) before
// this runs; here each ending thread gives back its framework state.
#include <windows.h>
#include "platform/ThreadState.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_THREAD_DETACH)
        KvFreeThreadState();
    return TRUE;
}
