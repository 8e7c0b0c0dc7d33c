// Entry point of kvVXComBase.dll.
#include <windows.h>

static HINSTANCE g_hLibraryInstance = nullptr;

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        g_hLibraryInstance = hInstance;
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}
