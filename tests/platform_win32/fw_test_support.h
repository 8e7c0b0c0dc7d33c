#pragma once
// Helpers shared by the framework tests.
#include "platform/Win32.h"
#include <string>
#include <vector>

// Dispatches the thread's pending messages for about ms milliseconds.
inline void PumpFor(DWORD ms)
{
    DWORD end = ::GetTickCount() + ms;
    do
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(1);
    } while ((LONG)(::GetTickCount() - end) < 0);
}

// A top-level window made straight with Win32 (not through the framework).
inline HWND MakePlainWindow(LPCSTR cls = "STATIC", DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr)
{
    return ::CreateWindowExA(0, cls, "plain", style, 10, 10, 200, 150, parent, nullptr, nullptr, nullptr);
}

// A 32-bit top-down DIB section selected into a memory DC, for reading
// back pixels.
struct DibSurface
{
    CBitmap bmp;  // declared first: the DC gives it back before it is deleted
    CDC dc;
    DWORD* bits = nullptr;
    int cx = 0, cy = 0;
    CBitmap* pOld = nullptr;
    DibSurface(int w, int h) : cx(w), cy(h)
    {
        dc.CreateCompatibleDC(nullptr);
        bmp.CreateDIBSection32(w, h, (void**)&bits);
        pOld = dc.SelectObject(&bmp);
    }
    // Pixel as COLORREF (the DIB stores blue in the low byte).
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        DWORD v = bits[y * cx + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
};

// Runs a command line and returns what it printed.
inline std::string RunAndCapture(const std::string& cmd)
{
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE hRead = nullptr, hWrite = nullptr;
    if (!::CreatePipe(&hRead, &hWrite, &sa, 0))
        return "";
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = hWrite;
    si.hStdError = hWrite;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back(0);
    std::string out;
    if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
    {
        ::CloseHandle(hWrite);
        hWrite = nullptr;
        char buf[512];
        DWORD n = 0;
        while (::ReadFile(hRead, buf, sizeof(buf), &n, nullptr) && n > 0)
            out.append(buf, n);
        ::WaitForSingleObject(pi.hProcess, 30000);
        ::CloseHandle(pi.hProcess);
        ::CloseHandle(pi.hThread);
    }
    if (hWrite)
        ::CloseHandle(hWrite);
    ::CloseHandle(hRead);
    return out;
}
