#pragma once

// CString: the framework's 8-bit text string (bytes of the ANSI code page).
//
// Semantics: a value type owning one heap buffer (no copy-on-write, no
// sharing): copies are deep, moves steal the buffer. The buffer always holds
// a terminating zero; an empty string returns "" (never NULL) from
// operator LPCTSTR. Every index and count argument is clamped to the string
// (Mid/Left/Right/Delete/Insert/Find never read or write outside it).
//
// Format/AppendFormat/FormatV produce output of any length. Pass a CString to
// them as (LPCTSTR)str or str.GetString(): a CString object itself cannot go
// through "..." (the compiler's -Wformat check flags it).
//
// GetBuffer(n) returns a writable buffer of at least n+1 bytes holding the
// current text; after writing call ReleaseBuffer(newLength) (or -1: up to the
// first zero byte). LockBuffer/UnlockBuffer are accepted for compatibility
// (with an owned buffer there is nothing to lock).
//
// Comparison (Compare, ==, <, ...) is byte-wise unsigned like strcmp;
// CompareNoCase, MakeUpper and MakeLower fold ASCII letters only (bytes
// >= 0x80, e.g. DBCS lead/trail bytes, are never changed); Collate uses the
// C runtime's strcoll.

#include "platform/core/WinTypes.h"

#include <cstdarg>

class KVVX_API CString
{
public:
    // Construction ---------------------------------------------------------
    CString();
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    CString(LPCSTR lpsz);                       // NULL gives an empty string
    CString(const unsigned char* lpsz);
    CString(LPCSTR lpch, int nLength);          // nLength bytes (may hold zeros)
    CString(char ch, int nRepeat = 1);
    ~CString();

    CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    CString& operator=(LPCSTR lpsz);
    CString& operator=(const unsigned char* lpsz);
    CString& operator=(char ch);

    // Attributes -----------------------------------------------------------
    int GetLength() const { return m_nLength; }
    BOOL IsEmpty() const { return m_nLength == 0; }
    void Empty();
    int GetAllocLength() const { return m_nAlloc; }

    char GetAt(int nIndex) const;               // clamped: out of range gives 0
    void SetAt(int nIndex, char ch);            // out of range: ignored
    char operator[](int nIndex) const { return GetAt(nIndex); }

    operator LPCTSTR() const { return m_pchData != NULL ? m_pchData : ""; }
    LPCTSTR GetString() const { return m_pchData != NULL ? m_pchData : ""; }

    // Assignment and concatenation -----------------------------------------
    void SetString(LPCSTR lpsz);
    void SetString(LPCSTR lpch, int nLength);
    void Append(LPCSTR lpsz);
    void Append(LPCSTR lpch, int nLength);
    void Append(const CString& str) { Append(str.GetString(), str.GetLength()); }
    void AppendChar(char ch) { Append(&ch, 1); }

    CString& operator+=(const CString& string);
    CString& operator+=(LPCSTR lpsz);
    CString& operator+=(char ch);

    friend KVVX_API CString operator+(const CString& string1, const CString& string2);
    friend KVVX_API CString operator+(const CString& string, LPCSTR lpsz);
    friend KVVX_API CString operator+(LPCSTR lpsz, const CString& string);
    friend KVVX_API CString operator+(const CString& string, char ch);
    friend KVVX_API CString operator+(char ch, const CString& string);

    // Comparison -----------------------------------------------------------
    int Compare(LPCSTR lpsz) const;             // <0, 0, >0 (byte-wise)
    int CompareNoCase(LPCSTR lpsz) const;       // ASCII case folded
    int Collate(LPCSTR lpsz) const;             // strcoll
    int CollateNoCase(LPCSTR lpsz) const;

    // Extraction -----------------------------------------------------------
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR lpszCharSet) const;
    CString SpanExcluding(LPCSTR lpszCharSet) const;

    // Upper/lower/reverse --------------------------------------------------
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Trimming (no argument: white space " \t\r\n\v\f") ----------------------
    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR lpszTargets);
    void Truncate(int nNewLength);

    // Editing (each returns a count or the new length) ----------------------
    int Replace(char chOld, char chNew);        // number replaced
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);// number replaced ("" old: 0)
    int Remove(char chRemove);                  // number removed
    int Insert(int nIndex, char ch);            // new length
    int Insert(int nIndex, LPCSTR pstr);        // new length
    int Delete(int nIndex, int nCount = 1);     // new length

    // Searching (-1: not found) --------------------------------------------
    int Find(char ch) const;
    int Find(char ch, int nStart) const;
    int Find(LPCSTR lpszSub) const;
    int Find(LPCSTR lpszSub, int nStart) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;

    // Tokenize: skips leading delimiters from iStart, returns the next token
    // and sets iStart past the delimiter that ends it; at the end returns an
    // empty string and sets iStart to -1.
    CString Tokenize(LPCSTR pszTokens, int& iStart) const;

    // Formatting -----------------------------------------------------------
    void Format(LPCSTR lpszFormat, ...) KVVX_PRINTF_FORMAT(2, 3);
    void AppendFormat(LPCSTR lpszFormat, ...) KVVX_PRINTF_FORMAT(2, 3);
    void FormatV(LPCSTR lpszFormat, va_list argList);
    void AppendFormatV(LPCSTR lpszFormat, va_list argList);

    // Loads string resource nID of the library/host (Win32 only; implemented
    // by the Win32 framework layer).
    BOOL LoadString(UINT nID);

    // Raw buffer access ----------------------------------------------------
    LPTSTR GetBuffer();                         // GetBuffer(0)
    LPTSTR GetBuffer(int nMinBufLength);
    LPTSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength) { ReleaseBuffer(nNewLength); }
    void Preallocate(int nLength);
    void FreeExtra();
    LPTSTR LockBuffer();
    void UnlockBuffer();

private:
    void Reserve(int nChars);                   // capacity for nChars + zero
    void SetLengthInternal(int nLength);
    void AppendFormatVImpl(LPCSTR lpszFormat, va_list argList);

    char* m_pchData;    // NULL when nothing is allocated
    int m_nLength;
    int m_nAlloc;       // capacity in characters, not counting the zero
};

// Comparison operators with CString or char* on either side.
KVVX_API bool operator==(const CString& s1, const CString& s2);
KVVX_API bool operator==(const CString& s1, LPCSTR s2);
KVVX_API bool operator==(LPCSTR s1, const CString& s2);
KVVX_API bool operator!=(const CString& s1, const CString& s2);
KVVX_API bool operator!=(const CString& s1, LPCSTR s2);
KVVX_API bool operator!=(LPCSTR s1, const CString& s2);
KVVX_API bool operator<(const CString& s1, const CString& s2);
KVVX_API bool operator<(const CString& s1, LPCSTR s2);
KVVX_API bool operator<(LPCSTR s1, const CString& s2);
KVVX_API bool operator>(const CString& s1, const CString& s2);
KVVX_API bool operator>(const CString& s1, LPCSTR s2);
KVVX_API bool operator>(LPCSTR s1, const CString& s2);
KVVX_API bool operator<=(const CString& s1, const CString& s2);
KVVX_API bool operator<=(const CString& s1, LPCSTR s2);
KVVX_API bool operator<=(LPCSTR s1, const CString& s2);
KVVX_API bool operator>=(const CString& s1, const CString& s2);
KVVX_API bool operator>=(const CString& s1, LPCSTR s2);
KVVX_API bool operator>=(LPCSTR s1, const CString& s2);
