#pragma once

// The Win32 basic types and macros that the portable code of kvVXComBase
// uses. On Windows they come from <windows.h> (only what it lacks is added
// here); on any other host they are defined with the sizes they have on
// Windows: BYTE 8 bits, WORD 16, DWORD/LONG/UINT/BOOL 32, the *_PTR types
// pointer-sized. Text is 8-bit: TCHAR is char and _T("x") is "x".
//
// Note on overloads: natively DWORD is `unsigned int` (the same type as UINT)
// and LONG is `int`, while on Windows they are `unsigned long` and `long`.
// Never overload a function on both DWORD and UINT (or LONG and int).

#include "platform/core/kvExport.h"

#include <cstddef>
#include <cstdint>
#include <cassert>

#if defined(_WIN32)

#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  include <windows.h>
#  include <tchar.h>

#else // ---------------------------------------------------------- native

typedef int                BOOL;
typedef unsigned char      BYTE;
typedef unsigned short     WORD;
typedef uint32_t           DWORD;
typedef unsigned int       UINT;
typedef int                INT;
typedef int32_t            LONG;
typedef uint32_t           ULONG;
typedef short              SHORT;
typedef unsigned short     USHORT;
typedef char               CHAR;
typedef unsigned char      UCHAR;
typedef float              FLOAT;
typedef long long          LONGLONG;     // as on Windows (not int64_t = long)
typedef unsigned long long ULONGLONG;
typedef long long          INT64;
typedef unsigned long long UINT64;
typedef intptr_t           INT_PTR;
typedef uintptr_t          UINT_PTR;
typedef intptr_t           LONG_PTR;
typedef uintptr_t          ULONG_PTR;
typedef uintptr_t          DWORD_PTR;
typedef size_t             SIZE_T;
typedef LONG_PTR           LPARAM;
typedef UINT_PTR           WPARAM;
typedef LONG_PTR           LRESULT;
typedef DWORD              COLORREF;
typedef DWORD*             LPCOLORREF;
typedef BYTE               BOOLEAN;

typedef BOOL*              PBOOL;
typedef BOOL*              LPBOOL;
typedef BYTE*              PBYTE;
typedef BYTE*              LPBYTE;
typedef WORD*              PWORD;
typedef WORD*              LPWORD;
typedef DWORD*             PDWORD;
typedef DWORD*             LPDWORD;
typedef UINT*              PUINT;
typedef UINT*              LPUINT;
typedef INT*               PINT;
typedef INT*               LPINT;
typedef LONG*              PLONG;
typedef LONG*              LPLONG;
typedef void*              PVOID;
typedef void*              LPVOID;
typedef const void*        LPCVOID;
typedef void*              HANDLE;
typedef HANDLE*            PHANDLE;

typedef char               TCHAR;
typedef char*              LPSTR;
typedef const char*        LPCSTR;
typedef char*              PSTR;
typedef const char*        PCSTR;
typedef char*              LPTSTR;
typedef const char*        LPCTSTR;
typedef char*              PTSTR;
typedef const char*        PCTSTR;

#  ifndef TRUE
#    define TRUE  1
#  endif
#  ifndef FALSE
#    define FALSE 0
#  endif
#  ifndef NULL
#    define NULL nullptr
#  endif
#  ifndef MAX_PATH
#    define MAX_PATH 260
#  endif
#  ifndef _MAX_PATH
#    define _MAX_PATH 260
#  endif
#  ifndef INVALID_HANDLE_VALUE
#    define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#  endif

#  define WINAPI
#  define CALLBACK
#  define PASCAL
#  define APIENTRY
#  define CONST const

#  define _T(x)    x
#  define _TEXT(x) x
#  define TEXT(x)  x

#  define MAKEWORD(a, b) ((WORD)(((BYTE)(((DWORD_PTR)(a)) & 0xff)) | ((WORD)((BYTE)(((DWORD_PTR)(b)) & 0xff))) << 8))
#  define MAKELONG(a, b) ((LONG)(((WORD)(((DWORD_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((DWORD_PTR)(b)) & 0xffff))) << 16))
#  define LOWORD(l)      ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#  define HIWORD(l)      ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#  define LOBYTE(w)      ((BYTE)(((DWORD_PTR)(w)) & 0xff))
#  define HIBYTE(w)      ((BYTE)((((DWORD_PTR)(w)) >> 8) & 0xff))
#  define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#  define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#  define MAKELRESULT(l, h) ((LRESULT)(DWORD)MAKELONG(l, h))

#  define RGB(r, g, b)   ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#  define GetRValue(rgb) (LOBYTE(rgb))
#  define GetGValue(rgb) (LOBYTE(((WORD)(rgb)) >> 8))
#  define GetBValue(rgb) (LOBYTE((rgb) >> 16))

// Geometry and font records, so that window-independent code (the grid's
// cell store, layout arithmetic) also builds natively. Same layout as Win32.
typedef struct tagPOINT { LONG x; LONG y; } POINT, *PPOINT, *LPPOINT;
typedef struct tagSIZE { LONG cx; LONG cy; } SIZE, *PSIZE, *LPSIZE;
typedef struct tagRECT { LONG left; LONG top; LONG right; LONG bottom; } RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;

#  define LF_FACESIZE 32
typedef struct tagLOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA, *PLOGFONTA, *LPLOGFONTA;
typedef LOGFONTA LOGFONT;
typedef LOGFONTA* PLOGFONT;
typedef LOGFONTA* LPLOGFONT;

// Message-box flags and results, used by CException::ReportError's signature.
#  define MB_OK        0x00000000L
#  define MB_ICONHAND  0x00000010L
#  define MB_ICONERROR MB_ICONHAND
#  define MB_ICONEXCLAMATION 0x00000030L
#  define IDOK     1
#  define IDCANCEL 2

#endif // _WIN32 / native ------------------------------------------------

// Position in a collection (CMap, lists): an opaque pointer.
#ifndef KVVX_POSITION_DEFINED
#  define KVVX_POSITION_DEFINED
struct __POSITION {};
typedef __POSITION* POSITION;
#endif

#ifndef BEFORE_START_POSITION
#  define BEFORE_START_POSITION ((POSITION)-1L)
#endif

// Diagnostics in the framework's style. ASSERT is active only when _DEBUG is
// defined (as with the framework); VERIFY always evaluates its argument;
// TRACE is a no-op.
#ifndef ASSERT
#  if defined(_DEBUG)
#    define ASSERT(f) assert(f)
#  else
#    define ASSERT(f) ((void)0)
#  endif
#endif
#ifndef VERIFY
#  if defined(_DEBUG)
#    define VERIFY(f) assert(f)
#  else
#    define VERIFY(f) ((void)(f))
#  endif
#endif
#ifndef ASSERT_VALID
#  define ASSERT_VALID(p) ((void)0)
#endif
#ifndef ASSERT_KINDOF
#  define ASSERT_KINDOF(class_name, object) ((void)0)
#endif
#ifndef TRACE
#  define TRACE(...) ((void)0)
#endif
#ifndef TRACE0
#  define TRACE0(sz) ((void)0)
#  define TRACE1(sz, p1) ((void)0)
#  define TRACE2(sz, p1, p2) ((void)0)
#  define TRACE3(sz, p1, p2, p3) ((void)0)
#endif
#ifndef UNUSED_ALWAYS
#  define UNUSED_ALWAYS(x) ((void)(x))
#endif
#ifndef UNUSED
#  define UNUSED(x) ((void)(x))
#endif

// printf-style format checking for member functions (argument numbers count
// `this` as 1). MinGW's g++ uses its own C99 printf (gnu_printf); clang
// knows no gnu_printf and checks the standard printf formats.
#if defined(__GNUC__)
#  if defined(__MINGW32__) && !defined(__clang__)
#    define KVVX_PRINTF_FORMAT(fmt, first) __attribute__((format(gnu_printf, fmt, first)))
#  else
#    define KVVX_PRINTF_FORMAT(fmt, first) __attribute__((format(printf, fmt, first)))
#  endif
#else
#  define KVVX_PRINTF_FORMAT(fmt, first)
#endif
