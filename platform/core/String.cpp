#include "platform/core/String.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SmallBlock.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c; }
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c; }

inline int SafeStrLen(LPCSTR lpsz)
{
    if (lpsz == NULL)
        return 0;
    size_t n = strlen(lpsz);
    if (n > (size_t)(INT_MAX - 1))
        AfxThrowMemoryException();
    return (int)n;
}

inline int Sign(int n) { return n < 0 ? -1 : (n > 0 ? 1 : 0); }

const char kWhiteSpace[] = " \t\r\n\v\f";

} // namespace

// ---------------------------------------------------------------- storage

CString::CString() : m_pchData(NULL), m_nLength(0), m_nAlloc(0) {}

CString::CString(const CString& stringSrc) : m_pchData(NULL), m_nLength(0), m_nAlloc(0)
{
    SetString(stringSrc.GetString(), stringSrc.GetLength());
}

CString::CString(CString&& stringSrc) noexcept
    : m_pchData(stringSrc.m_pchData), m_nLength(stringSrc.m_nLength), m_nAlloc(stringSrc.m_nAlloc)
{
    stringSrc.m_pchData = NULL;
    stringSrc.m_nLength = 0;
    stringSrc.m_nAlloc = 0;
}

CString::CString(LPCSTR lpsz) : m_pchData(NULL), m_nLength(0), m_nAlloc(0)
{
    SetString(lpsz);
}

CString::CString(const unsigned char* lpsz) : m_pchData(NULL), m_nLength(0), m_nAlloc(0)
{
    SetString((LPCSTR)lpsz);
}

CString::CString(LPCSTR lpch, int nLength) : m_pchData(NULL), m_nLength(0), m_nAlloc(0)
{
    SetString(lpch, nLength);
}

CString::CString(char ch, int nRepeat) : m_pchData(NULL), m_nLength(0), m_nAlloc(0)
{
    if (nRepeat > 0)
    {
        Reserve(nRepeat);
        memset(m_pchData, ch, (size_t)nRepeat);
        SetLengthInternal(nRepeat);
    }
}

CString::~CString()
{
    kvvx_detail::SmallBlockFree(m_pchData, (size_t)m_nAlloc + 1);
}

CString& CString::operator=(const CString& stringSrc)
{
    if (this != &stringSrc)
        SetString(stringSrc.GetString(), stringSrc.GetLength());
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this != &stringSrc)
    {
        kvvx_detail::SmallBlockFree(m_pchData, (size_t)m_nAlloc + 1);
        m_pchData = stringSrc.m_pchData;
        m_nLength = stringSrc.m_nLength;
        m_nAlloc = stringSrc.m_nAlloc;
        stringSrc.m_pchData = NULL;
        stringSrc.m_nLength = 0;
        stringSrc.m_nAlloc = 0;
    }
    return *this;
}

CString& CString::operator=(LPCSTR lpsz) { SetString(lpsz); return *this; }
CString& CString::operator=(const unsigned char* lpsz) { SetString((LPCSTR)lpsz); return *this; }
CString& CString::operator=(char ch) { SetString(&ch, 1); return *this; }

void CString::Reserve(int nChars)
{
    if (nChars < 0)
        AfxThrowInvalidArgException();
    if (nChars <= m_nAlloc && m_pchData != NULL)
        return;
    // Grow geometrically so that repeated appends stay amortised O(1).
    long long nNew = nChars;
    long long nGrown = (long long)m_nAlloc + m_nAlloc / 2;
    if (nGrown > nNew && m_nAlloc > 0)
        nNew = nGrown;
    if (nNew < 15)
        nNew = 15;
    if (nNew > INT_MAX - 1)
        nNew = INT_MAX - 1;
    if (nNew < nChars)
        AfxThrowMemoryException();
    char* p = (char*)kvvx_detail::SmallBlockRealloc(m_pchData, (size_t)m_nAlloc + 1, (size_t)nNew + 1);
    if (p == NULL)
        AfxThrowMemoryException();
    if (m_pchData == NULL)
        p[0] = '\0';
    p[nNew] = '\0';    // ReleaseBuffer(-1) never scans past the allocation
    m_pchData = p;
    m_nAlloc = (int)nNew;
}

void CString::SetLengthInternal(int nLength)
{
    m_nLength = nLength;
    if (m_pchData != NULL)
        m_pchData[nLength] = '\0';
}

void CString::Empty()
{
    kvvx_detail::SmallBlockFree(m_pchData, (size_t)m_nAlloc + 1);
    m_pchData = NULL;
    m_nLength = 0;
    m_nAlloc = 0;
}

char CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nLength)
        return '\0';
    return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex < 0 || nIndex >= m_nLength)
        return;
    m_pchData[nIndex] = ch;
}

void CString::SetString(LPCSTR lpsz)
{
    SetString(lpsz, SafeStrLen(lpsz));
}

void CString::SetString(LPCSTR lpch, int nLength)
{
    if (lpch == NULL || nLength <= 0)
    {
        SetLengthInternal(0);
        return;
    }
    // The source may lie inside our own buffer.
    if (m_pchData != NULL && lpch >= m_pchData && lpch <= m_pchData + m_nLength)
    {
        int nOffset = (int)(lpch - m_pchData);
        if (nLength > m_nLength - nOffset)
            nLength = m_nLength - nOffset;
        memmove(m_pchData, m_pchData + nOffset, (size_t)nLength);
        SetLengthInternal(nLength);
        return;
    }
    Reserve(nLength);
    memmove(m_pchData, lpch, (size_t)nLength);  // lpch may lie past our length
    SetLengthInternal(nLength);
}

void CString::Append(LPCSTR lpsz)
{
    Append(lpsz, SafeStrLen(lpsz));
}

void CString::Append(LPCSTR lpch, int nLength)
{
    if (lpch == NULL || nLength <= 0)
        return;
    if ((long long)m_nLength + nLength > INT_MAX - 1)
        AfxThrowMemoryException();
    int nNewLength = m_nLength + nLength;
    if (m_pchData != NULL && lpch >= m_pchData && lpch <= m_pchData + m_nLength)
    {
        // Appending a part of ourselves: the buffer may move.
        int nOffset = (int)(lpch - m_pchData);
        Reserve(nNewLength);
        memmove(m_pchData + m_nLength, m_pchData + nOffset, (size_t)nLength);
    }
    else
    {
        Reserve(nNewLength);
        memcpy(m_pchData + m_nLength, lpch, (size_t)nLength);
    }
    SetLengthInternal(nNewLength);
}

CString& CString::operator+=(const CString& string) { Append(string.GetString(), string.GetLength()); return *this; }
CString& CString::operator+=(LPCSTR lpsz) { Append(lpsz); return *this; }
CString& CString::operator+=(char ch) { Append(&ch, 1); return *this; }

CString operator+(const CString& string1, const CString& string2)
{
    CString s;
    s.Preallocate(string1.GetLength() + string2.GetLength());
    s.Append(string1);
    s.Append(string2);
    return s;
}

CString operator+(const CString& string, LPCSTR lpsz)
{
    CString s(string);
    s.Append(lpsz);
    return s;
}

CString operator+(LPCSTR lpsz, const CString& string)
{
    CString s(lpsz);
    s.Append(string);
    return s;
}

CString operator+(const CString& string, char ch)
{
    CString s(string);
    s.AppendChar(ch);
    return s;
}

CString operator+(char ch, const CString& string)
{
    CString s(ch, 1);
    s.Append(string);
    return s;
}

// ------------------------------------------------------------- comparison

int CString::Compare(LPCSTR lpsz) const
{
    return Sign(strcmp(GetString(), lpsz != NULL ? lpsz : ""));
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
    const unsigned char* p1 = (const unsigned char*)GetString();
    const unsigned char* p2 = (const unsigned char*)(lpsz != NULL ? lpsz : "");
    for (;; ++p1, ++p2)
    {
        unsigned char c1 = (unsigned char)AsciiLower((char)*p1);
        unsigned char c2 = (unsigned char)AsciiLower((char)*p2);
        if (c1 != c2)
            return c1 < c2 ? -1 : 1;
        if (c1 == 0)
            return 0;
    }
}

int CString::Collate(LPCSTR lpsz) const
{
    return Sign(strcoll(GetString(), lpsz != NULL ? lpsz : ""));
}

int CString::CollateNoCase(LPCSTR lpsz) const
{
    CString a(*this), b(lpsz);
    a.MakeLower();
    b.MakeLower();
    return a.Collate(b);
}

bool operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
bool operator==(const CString& s1, LPCSTR s2) { return s1.Compare(s2) == 0; }
bool operator==(LPCSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
bool operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
bool operator!=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) != 0; }
bool operator!=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
bool operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool operator<(const CString& s1, LPCSTR s2) { return s1.Compare(s2) < 0; }
bool operator<(LPCSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool operator>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) > 0; }
bool operator>(LPCSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool operator<=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) <= 0; }
bool operator<=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool operator>=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) >= 0; }
bool operator>=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// ------------------------------------------------------------- extraction

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, m_nLength);
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst >= m_nLength)
        return CString();
    if (nCount > m_nLength - nFirst)
        nCount = m_nLength - nFirst;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    if (nCount <= 0)
        return CString();
    if (nCount > m_nLength)
        nCount = m_nLength;
    return CString(m_pchData, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount <= 0)
        return CString();
    if (nCount > m_nLength)
        nCount = m_nLength;
    return CString(m_pchData + m_nLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const
{
    if (lpszCharSet == NULL || m_nLength == 0)
        return CString();
    // strspn stops at an embedded zero as the framework's version does.
    return Left((int)strspn(m_pchData, lpszCharSet));
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const
{
    if (m_nLength == 0)
        return CString();
    if (lpszCharSet == NULL)
        return *this;
    return Left((int)strcspn(m_pchData, lpszCharSet));
}

CString& CString::MakeUpper()
{
    for (int i = 0; i < m_nLength; ++i)
        m_pchData[i] = AsciiUpper(m_pchData[i]);
    return *this;
}

CString& CString::MakeLower()
{
    for (int i = 0; i < m_nLength; ++i)
        m_pchData[i] = AsciiLower(m_pchData[i]);
    return *this;
}

CString& CString::MakeReverse()
{
    for (int i = 0, j = m_nLength - 1; i < j; ++i, --j)
    {
        char c = m_pchData[i];
        m_pchData[i] = m_pchData[j];
        m_pchData[j] = c;
    }
    return *this;
}

// ---------------------------------------------------------------- trimming

CString& CString::TrimRight(LPCSTR lpszTargets)
{
    if (lpszTargets == NULL || *lpszTargets == '\0')
        return *this;
    int n = m_nLength;
    while (n > 0 && m_pchData[n - 1] != '\0' && strchr(lpszTargets, m_pchData[n - 1]) != NULL)
        --n;
    if (n != m_nLength)
        SetLengthInternal(n);
    return *this;
}

CString& CString::TrimLeft(LPCSTR lpszTargets)
{
    if (lpszTargets == NULL || *lpszTargets == '\0')
        return *this;
    int n = 0;
    while (n < m_nLength && m_pchData[n] != '\0' && strchr(lpszTargets, m_pchData[n]) != NULL)
        ++n;
    if (n > 0)
    {
        memmove(m_pchData, m_pchData + n, (size_t)(m_nLength - n));
        SetLengthInternal(m_nLength - n);
    }
    return *this;
}

CString& CString::TrimRight(char chTarget) { char s[2] = { chTarget, 0 }; if (chTarget == '\0') return *this; return TrimRight(s); }
CString& CString::TrimLeft(char chTarget) { char s[2] = { chTarget, 0 }; if (chTarget == '\0') return *this; return TrimLeft(s); }
CString& CString::TrimRight() { return TrimRight(kWhiteSpace); }
CString& CString::TrimLeft() { return TrimLeft(kWhiteSpace); }
CString& CString::Trim() { TrimRight(); return TrimLeft(); }
CString& CString::Trim(char chTarget) { TrimRight(chTarget); return TrimLeft(chTarget); }
CString& CString::Trim(LPCSTR lpszTargets) { TrimRight(lpszTargets); return TrimLeft(lpszTargets); }

void CString::Truncate(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = 0;
    if (nNewLength < m_nLength)
        SetLengthInternal(nNewLength);
}

// ----------------------------------------------------------------- editing

int CString::Replace(char chOld, char chNew)
{
    int nCount = 0;
    if (chOld == chNew)
        return 0;
    for (int i = 0; i < m_nLength; ++i)
    {
        if (m_pchData[i] == chOld)
        {
            m_pchData[i] = chNew;
            ++nCount;
        }
    }
    return nCount;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    int nOldLen = SafeStrLen(lpszOld);
    if (nOldLen == 0 || m_nLength == 0)
        return 0;
    CString strNew(lpszNew);    // copy: lpszNew may point into this string
    CString strOld(lpszOld);
    int nCount = 0;
    CString result;
    int nPos = 0;
    for (;;)
    {
        int nFound = Find(strOld, nPos);
        if (nFound < 0)
            break;
        result.Append(m_pchData + nPos, nFound - nPos);
        result.Append(strNew);
        nPos = nFound + nOldLen;
        ++nCount;
    }
    if (nCount > 0)
    {
        result.Append(m_pchData + nPos, m_nLength - nPos);
        *this = std::move(result);
    }
    return nCount;
}

int CString::Remove(char chRemove)
{
    int nDest = 0;
    for (int i = 0; i < m_nLength; ++i)
    {
        if (m_pchData[i] != chRemove)
            m_pchData[nDest++] = m_pchData[i];
    }
    int nCount = m_nLength - nDest;
    if (nCount > 0)
        SetLengthInternal(nDest);
    return nCount;
}

int CString::Insert(int nIndex, char ch)
{
    return Insert(nIndex, CString(ch, 1));
}

int CString::Insert(int nIndex, LPCSTR pstr)
{
    CString strIns(pstr);   // copy: pstr may point into this string
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > m_nLength)
        nIndex = m_nLength;
    int nInsLen = strIns.GetLength();
    if (nInsLen > 0)
    {
        if ((long long)m_nLength + nInsLen > INT_MAX - 1)
            AfxThrowMemoryException();
        int nNewLength = m_nLength + nInsLen;
        Reserve(nNewLength);
        memmove(m_pchData + nIndex + nInsLen, m_pchData + nIndex, (size_t)(m_nLength - nIndex));
        memcpy(m_pchData + nIndex, strIns.GetString(), (size_t)nInsLen);
        SetLengthInternal(nNewLength);
    }
    return m_nLength;
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nCount <= 0 || nIndex >= m_nLength)
        return m_nLength;
    if (nCount > m_nLength - nIndex)
        nCount = m_nLength - nIndex;
    memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, (size_t)(m_nLength - nIndex - nCount));
    SetLengthInternal(m_nLength - nCount);
    return m_nLength;
}

// --------------------------------------------------------------- searching

int CString::Find(char ch) const
{
    return Find(ch, 0);
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    if (nStart >= m_nLength)
        return -1;
    const void* p = memchr(m_pchData + nStart, ch, (size_t)(m_nLength - nStart));
    return p == NULL ? -1 : (int)((const char*)p - m_pchData);
}

int CString::Find(LPCSTR lpszSub) const
{
    return Find(lpszSub, 0);
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (lpszSub == NULL)
        return -1;
    if (nStart < 0)
        nStart = 0;
    if (nStart > m_nLength)
        return -1;
    int nSubLen = SafeStrLen(lpszSub);
    if (nSubLen == 0)
        return nStart;
    // Search over the whole stored length (embedded zeros included).
    const char* pEnd = GetString() + m_nLength;
    for (const char* p = GetString() + nStart; pEnd - p >= nSubLen; ++p)
    {
        p = (const char*)memchr(p, lpszSub[0], (size_t)(pEnd - p));
        if (p == NULL || pEnd - p < nSubLen)
            break;
        if (memcmp(p, lpszSub, (size_t)nSubLen) == 0)
            return (int)(p - GetString());
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    for (int i = m_nLength - 1; i >= 0; --i)
    {
        if (m_pchData[i] == ch)
            return i;
    }
    return -1;
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    if (lpszCharSet == NULL || *lpszCharSet == '\0' || m_nLength == 0)
        return -1;
    size_t n = strcspn(m_pchData, lpszCharSet);
    return (n < (size_t)m_nLength && m_pchData[n] != '\0') ? (int)n : -1;
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const
{
    if (iStart < 0 || iStart >= m_nLength)
    {
        iStart = -1;
        return CString();
    }
    if (pszTokens == NULL || *pszTokens == '\0')
    {
        // No delimiters: the rest of the string is the token.
        CString s = Mid(iStart);
        iStart = m_nLength;
        return s;
    }
    int i = iStart;
    while (i < m_nLength && m_pchData[i] != '\0' && strchr(pszTokens, m_pchData[i]) != NULL)
        ++i;
    if (i >= m_nLength)
    {
        iStart = -1;
        return CString();
    }
    int nTokStart = i;
    while (i < m_nLength && (m_pchData[i] == '\0' || strchr(pszTokens, m_pchData[i]) == NULL))
        ++i;
    CString tok(m_pchData + nTokStart, i - nTokStart);
    iStart = (i < m_nLength) ? i + 1 : i;
    return tok;
}

// -------------------------------------------------------------- formatting

void CString::AppendFormatVImpl(LPCSTR lpszFormat, va_list argList)
{
    if (lpszFormat == NULL)
        AfxThrowInvalidArgException();
    char buf[512];
    va_list args;
    va_copy(args, argList);
    int n = vsnprintf(buf, sizeof(buf), lpszFormat, args);
    va_end(args);
    if (n >= 0 && n < (int)sizeof(buf))
    {
        Append(buf, n);
        return;
    }
    if (n >= 0)
    {
        // C99 behaviour: n is the full length.
        int nOld = m_nLength;
        if ((long long)nOld + n > INT_MAX - 1)
            AfxThrowMemoryException();
        Reserve(nOld + n);
        va_copy(args, argList);
        int n2 = vsnprintf(m_pchData + nOld, (size_t)n + 1, lpszFormat, args);
        va_end(args);
        if (n2 != n)
        {
            SetLengthInternal(nOld);
            AfxThrowInvalidArgException();
        }
        SetLengthInternal(nOld + n);
        return;
    }
    // Pre-C99 runtime (-1 when the buffer is too small): grow until it fits.
    for (size_t nSize = 4096; nSize < (size_t)INT_MAX / 2; nSize *= 2)
    {
        char* p = (char*)malloc(nSize);
        if (p == NULL)
            AfxThrowMemoryException();
        va_copy(args, argList);
        n = vsnprintf(p, nSize, lpszFormat, args);
        va_end(args);
        if (n >= 0 && (size_t)n < nSize)
        {
            try { Append(p, n); } catch (...) { free(p); throw; }
            free(p);
            return;
        }
        free(p);
    }
    AfxThrowInvalidArgException();
}

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    CString s;
    s.AppendFormatVImpl(lpszFormat, argList);   // arguments may point into *this
    *this = std::move(s);
}

void CString::AppendFormatV(LPCSTR lpszFormat, va_list argList)
{
    CString s;
    s.AppendFormatVImpl(lpszFormat, argList);
    Append(s);
}

void CString::Format(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    try { FormatV(lpszFormat, args); } catch (...) { va_end(args); throw; }
    va_end(args);
}

void CString::AppendFormat(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    try { AppendFormatV(lpszFormat, args); } catch (...) { va_end(args); throw; }
    va_end(args);
}

// -------------------------------------------------------------- raw buffer

LPTSTR CString::GetBuffer()
{
    return GetBuffer(0);
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < 0)
        AfxThrowInvalidArgException();
    Reserve(nMinBufLength > m_nLength ? nMinBufLength : m_nLength);
    return m_pchData;
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        AfxThrowInvalidArgException();
    Reserve(nNewLength);
    if (nNewLength > m_nLength)
        memset(m_pchData + m_nLength, 0, (size_t)(nNewLength - m_nLength));
    SetLengthInternal(nNewLength);
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (m_pchData == NULL)
    {
        m_nLength = 0;
        return;
    }
    if (nNewLength < 0)
    {
        // Up to the first zero, but never past the allocation.
        const void* p = memchr(m_pchData, 0, (size_t)m_nAlloc + 1);
        nNewLength = p != NULL ? (int)((const char*)p - m_pchData) : m_nAlloc;
    }
    if (nNewLength > m_nAlloc)
        nNewLength = m_nAlloc;
    SetLengthInternal(nNewLength);
}

void CString::Preallocate(int nLength)
{
    if (nLength > m_nAlloc)
        Reserve(nLength);
}

void CString::FreeExtra()
{
    if (m_pchData == NULL)
        return;
    if (m_nLength == 0)
    {
        Empty();
        return;
    }
    if (m_nAlloc > m_nLength)
    {
        char* p = (char*)kvvx_detail::SmallBlockRealloc(m_pchData, (size_t)m_nAlloc + 1, (size_t)m_nLength + 1);
        if (p != NULL)
        {
            m_pchData = p;
            m_nAlloc = m_nLength;
        }
    }
}

LPTSTR CString::LockBuffer()
{
    Reserve(m_nLength);
    return m_pchData;
}

void CString::UnlockBuffer()
{
}
