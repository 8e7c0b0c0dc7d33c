#include "platform/core/File.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <exception>

#if defined(_WIN32)
#  include <windows.h>
#else
#  include <fcntl.h>
#  include <sys/stat.h>
#  include <sys/types.h>
#  include <unistd.h>
#endif

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

#if !defined(_WIN32)
inline int FdOf(HANDLE h) { return (int)(intptr_t)h; }
inline HANDLE HandleOf(int fd) { return (HANDLE)(intptr_t)fd; }
#endif

inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }

CString FullPath(LPCTSTR lpszFileName)
{
#if defined(_WIN32)
    char buf[MAX_PATH * 4];
    char* pFilePart = NULL;
    DWORD n = GetFullPathNameA(lpszFileName, (DWORD)sizeof(buf), buf, &pFilePart);
    if (n == 0 || n >= sizeof(buf))
        return CString(lpszFileName);
    return CString(buf);
#else
    if (lpszFileName[0] == '/' || lpszFileName[0] == '\0')
        return CString(lpszFileName);
    char buf[4096];
    if (getcwd(buf, sizeof(buf)) == NULL)
        return CString(lpszFileName);
    CString s(buf);
    if (s.IsEmpty() || s[s.GetLength() - 1] != '/')
        s += '/';
    s += lpszFileName;
    return s;
#endif
}

} // namespace

// ================================================================== CFile

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        CloseHandleNoThrow();
}

long CFile::CloseHandleNoThrow()
{
    long lError = 0;
    if (m_hFile != hFileNull)
    {
#if defined(_WIN32)
        if (!::CloseHandle(m_hFile))
            lError = (long)::GetLastError();
#else
        if (::close(FdOf(m_hFile)) != 0 && errno != EINTR)
            lError = errno;
#endif
    }
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    return lError;
}

void CFile::ThrowIfClosed() const
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException)
{
    if (pException != NULL)
        pException->Reset();
    if (m_hFile != hFileNull)
    {
        // Already open: the framework asserts; we refuse.
        if (pException != NULL)
        {
            pException->m_cause = CFileException::genericException;
            pException->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    if (lpszFileName == NULL)
        lpszFileName = "";

    m_bCloseOnDelete = FALSE;
    m_strFileName = FullPath(lpszFileName);
    UINT nAccess = nOpenFlags & 3;
    if (nAccess == 3)
    {
        if (pException != NULL)
        {
            pException->m_cause = CFileException::genericException;
            pException->m_strFileName = lpszFileName;
        }
        m_strFileName.Empty();
        return FALSE;
    }

#if defined(_WIN32)
    DWORD dwAccess = nAccess == modeRead ? GENERIC_READ
                   : nAccess == modeWrite ? GENERIC_WRITE
                   : (GENERIC_READ | GENERIC_WRITE);
    DWORD dwShareMode = 0;
    switch (nOpenFlags & 0x70)
    {
    case shareDenyWrite: dwShareMode = FILE_SHARE_READ; break;
    case shareDenyRead:  dwShareMode = FILE_SHARE_WRITE; break;
    case shareDenyNone:  dwShareMode = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default:             dwShareMode = 0; break;    // shareCompat, shareExclusive
    }
    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof(sa);
    sa.lpSecurityDescriptor = NULL;
    sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;

    DWORD dwCreateFlag;
    if (nOpenFlags & modeCreate)
        dwCreateFlag = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    else
        dwCreateFlag = OPEN_EXISTING;

    DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & osNoBuffer)       dwFlags |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & osWriteThrough)   dwFlags |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & osRandomAccess)   dwFlags |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & osSequentialScan) dwFlags |= FILE_FLAG_SEQUENTIAL_SCAN;

    HANDLE hFile = ::CreateFileA(lpszFileName, dwAccess, dwShareMode, &sa, dwCreateFlag, dwFlags, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        DWORD dwError = ::GetLastError();
        if (pException != NULL)
        {
            pException->m_lOsError = (LONG)dwError;
            pException->m_cause = CFileException::OsErrorToException((LONG)dwError);
            pException->m_strFileName = lpszFileName;
        }
        m_strFileName.Empty();
        return FALSE;
    }
    m_hFile = hFile;
#else
    int flags = nAccess == modeRead ? O_RDONLY : nAccess == modeWrite ? O_WRONLY : O_RDWR;
    if (nOpenFlags & modeCreate)
        flags |= O_CREAT | ((nOpenFlags & modeNoTruncate) ? 0 : O_TRUNC);
    flags |= O_CLOEXEC;
    int fd;
    do
        fd = ::open(lpszFileName, flags, 0666);
    while (fd < 0 && errno == EINTR);
    int nError = fd < 0 ? errno : 0;
    if (fd >= 0)
    {
        // Windows refuses to open a directory as a file: do the same.
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode))
        {
            ::close(fd);
            fd = -1;
            nError = EISDIR;
        }
    }
    if (fd < 0)
    {
        if (pException != NULL)
        {
            pException->m_lOsError = (LONG)nError;
            pException->m_cause = CFileException::ErrnoToException(nError);
            pException->m_strFileName = lpszFileName;
        }
        m_strFileName.Empty();
        return FALSE;
    }
    m_hFile = HandleOf(fd);
#endif
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    ThrowIfClosed();
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
#if defined(_WIN32)
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL))
    {
        DWORD dwError = ::GetLastError();
        if (dwError != ERROR_BROKEN_PIPE && dwError != ERROR_HANDLE_EOF)
            CFileException::ThrowOsError((LONG)dwError, m_strFileName);
    }
    return (UINT)dwRead;
#else
    UINT nTotal = 0;
    BYTE* p = (BYTE*)lpBuf;
    while (nTotal < nCount)
    {
        size_t nChunk = nCount - nTotal;
        if (nChunk > (size_t)INT_MAX)
            nChunk = (size_t)INT_MAX;
        ssize_t n = ::read(FdOf(m_hFile), p + nTotal, nChunk);
        if (n < 0)
        {
            if (errno == EINTR)
                continue;
            CFileException::ThrowErrno(errno, m_strFileName);
        }
        if (n == 0)
            break;
        nTotal += (UINT)n;
    }
    return nTotal;
#endif
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    ThrowIfClosed();
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    const BYTE* p = (const BYTE*)lpBuf;
    UINT nDone = 0;
    while (nDone < nCount)
    {
#if defined(_WIN32)
        DWORD dwWritten = 0;
        if (!::WriteFile(m_hFile, p + nDone, nCount - nDone, &dwWritten, NULL))
            CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
        if (dwWritten == 0)
            AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
        nDone += dwWritten;
#else
        size_t nChunk = nCount - nDone;
        if (nChunk > (size_t)INT_MAX)
            nChunk = (size_t)INT_MAX;
        ssize_t n = ::write(FdOf(m_hFile), p + nDone, nChunk);
        if (n < 0)
        {
            if (errno == EINTR)
                continue;
            CFileException::ThrowErrno(errno, m_strFileName);
        }
        if (n == 0)
            AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
        nDone += (UINT)n;
#endif
    }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    ThrowIfClosed();
    if (nFrom > (UINT)end)
        AfxThrowInvalidArgException();
#if defined(_WIN32)
    LARGE_INTEGER liOff, liNew;
    liOff.QuadPart = lOff;
    DWORD dwMethod = nFrom == begin ? FILE_BEGIN : nFrom == current ? FILE_CURRENT : FILE_END;
    if (!::SetFilePointerEx(m_hFile, liOff, &liNew, dwMethod))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)liNew.QuadPart;
#else
    int whence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    off_t pos = ::lseek(FdOf(m_hFile), (off_t)lOff, whence);
    if (pos == (off_t)-1)
    {
        int nError = errno;
        if (nError == EINVAL)       // negative resulting offset
            AfxThrowFileException(CFileException::badSeek, nError, m_strFileName);
        CFileException::ThrowErrno(nError, m_strFileName);
    }
    return (ULONGLONG)pos;
#endif
}

ULONGLONG CFile::GetPosition() const
{
    ThrowIfClosed();
#if defined(_WIN32)
    LARGE_INTEGER liOff, liNew;
    liOff.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, liOff, &liNew, FILE_CURRENT))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)liNew.QuadPart;
#else
    off_t pos = ::lseek(FdOf(m_hFile), 0, SEEK_CUR);
    if (pos == (off_t)-1)
        CFileException::ThrowErrno(errno, m_strFileName);
    return (ULONGLONG)pos;
#endif
}

ULONGLONG CFile::GetLength() const
{
    ThrowIfClosed();
#if defined(_WIN32)
    LARGE_INTEGER liSize;
    if (!::GetFileSizeEx(m_hFile, &liSize))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
    return (ULONGLONG)liSize.QuadPart;
#else
    struct stat st;
    if (::fstat(FdOf(m_hFile), &st) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    return (ULONGLONG)st.st_size;
#endif
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    ThrowIfClosed();
    if (dwNewLen > (ULONGLONG)LLONG_MAX)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
#if defined(_WIN32)
    Seek((LONGLONG)dwNewLen, begin);
    if (!::SetEndOfFile(m_hFile))
        CFileException::ThrowOsError((LONG)::GetLastError(), m_strFileName);
#else
    int r;
    do
        r = ::ftruncate(FdOf(m_hFile), (off_t)dwNewLen);
    while (r != 0 && errno == EINTR);
    if (r != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    Seek((LONGLONG)dwNewLen, begin);
#endif
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
#if defined(_WIN32)
    if (!::FlushFileBuffers(m_hFile))
    {
        DWORD dwError = ::GetLastError();
        // Consoles, pipes and devices cannot be flushed: not an error.
        if (dwError != ERROR_INVALID_FUNCTION && dwError != ERROR_INVALID_HANDLE
            && dwError != ERROR_ACCESS_DENIED)
            CFileException::ThrowOsError((LONG)dwError, m_strFileName);
    }
#else
    if (::fsync(FdOf(m_hFile)) != 0)
    {
        int nError = errno;
        if (nError != EINVAL && nError != EROFS && nError != EINTR
#ifdef ENOTSUP
            && nError != ENOTSUP
#endif
#if defined(EOPNOTSUPP) && (!defined(ENOTSUP) || EOPNOTSUPP != ENOTSUP)
            && nError != EOPNOTSUPP
#endif
            )
            CFileException::ThrowErrno(nError, m_strFileName);
    }
#endif
}

void CFile::Close()
{
    CString strName = m_strFileName;
    long lError = CloseHandleNoThrow();
    m_strFileName.Empty();
    if (lError != 0)
    {
#if defined(_WIN32)
        CFileException::ThrowOsError((LONG)lError, strName);
#else
        CFileException::ThrowErrno((int)lError, strName);
#endif
    }
}

void CFile::Abort()
{
    CloseHandleNoThrow();
    m_strFileName.Empty();
}

CString CFile::GetFileName() const
{
    int n = m_strFileName.GetLength();
    int i = n;
    while (i > 0 && !IsSeparator(m_strFileName[i - 1]) && m_strFileName[i - 1] != ':')
        --i;
    return m_strFileName.Mid(i);
}

CString CFile::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    if (nDot > 0)
        strName = strName.Left(nDot);
    return strName;
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (lpszOldName == NULL || lpszNewName == NULL)
        AfxThrowInvalidArgException();
#if defined(_WIN32)
    if (!::MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszOldName);
#else
    if (::rename(lpszOldName, lpszNewName) != 0)
        CFileException::ThrowErrno(errno, lpszOldName);
#endif
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
    if (lpszFileName == NULL)
        AfxThrowInvalidArgException();
#if defined(_WIN32)
    if (!::DeleteFileA(lpszFileName))
        CFileException::ThrowOsError((LONG)::GetLastError(), lpszFileName);
#else
    if (::unlink(lpszFileName) != 0)
        CFileException::ThrowErrno(errno, lpszFileName);
#endif
}

// ============================================================= CStdioFile

CStdioFile::CStdioFile()
    : m_pBuf(NULL), m_nReadPos(0), m_nReadEnd(0), m_nWriteLen(0), m_bText(TRUE)
{
}

CStdioFile::CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags)
    : m_pBuf(NULL), m_nReadPos(0), m_nReadEnd(0), m_nWriteLen(0), m_bText(TRUE)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    // Best effort: write what is buffered; errors cannot leave a destructor.
    if (m_hFile != hFileNull && m_nWriteLen > 0)
    {
        try { FlushWriteBuffer(); }
        catch (CException* e) { e->Delete(); }
    }
    FreeBuffer();
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        CloseHandleNoThrow();
}

BOOL CStdioFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_nReadPos = m_nReadEnd = m_nWriteLen = 0;
    m_bText = (nOpenFlags & typeBinary) == 0;
    return CFile::Open(lpszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pError);
}

void CStdioFile::EnsureBuffer()
{
    if (m_pBuf == NULL)
    {
        m_pBuf = (BYTE*)malloc(kBufferSize);
        if (m_pBuf == NULL)
            AfxThrowMemoryException();
    }
}

void CStdioFile::FreeBuffer()
{
    free(m_pBuf);
    m_pBuf = NULL;
    m_nReadPos = m_nReadEnd = m_nWriteLen = 0;
}

void CStdioFile::FlushWriteBuffer()
{
    if (m_nWriteLen == 0)
        return;
    UINT n = m_nWriteLen;
    m_nWriteLen = 0;    // dropped even when the write fails (no repeat at close)
    CFile::Write(m_pBuf, n);
}

void CStdioFile::DropReadBuffer()
{
    if (m_nReadEnd > m_nReadPos)
    {
        LONGLONG nBack = (LONGLONG)(m_nReadEnd - m_nReadPos);
        m_nReadPos = m_nReadEnd = 0;
        CFile::Seek(-nBack, current);
    }
    m_nReadPos = m_nReadEnd = 0;
}

BOOL CStdioFile::FillBuffer()
{
    FlushWriteBuffer();
    EnsureBuffer();
    m_nReadPos = 0;
    m_nReadEnd = 0;
    m_nReadEnd = CFile::Read(m_pBuf, kBufferSize);
    return m_nReadEnd > 0;
}

int CStdioFile::GetChar()
{
    if (m_nReadPos >= m_nReadEnd && !FillBuffer())
        return -1;
    BYTE c = m_pBuf[m_nReadPos++];
    if (c == '\r' && m_bText)
    {
        if (m_nReadPos >= m_nReadEnd && !FillBuffer())
            return '\r';
        if (m_pBuf[m_nReadPos] == '\n')
        {
            ++m_nReadPos;
            return '\n';
        }
    }
    return c;
}

void CStdioFile::PutRaw(const BYTE* p, UINT n)
{
    if (m_nReadEnd > m_nReadPos || m_nReadPos != 0)
        DropReadBuffer();
    EnsureBuffer();
    while (n > 0)
    {
        if (m_nWriteLen == 0 && n >= (UINT)kBufferSize)
        {
            CFile::Write(p, n);     // large block: straight through
            return;
        }
        UINT nSpace = kBufferSize - m_nWriteLen;
        UINT nChunk = n < nSpace ? n : nSpace;
        memcpy(m_pBuf + m_nWriteLen, p, nChunk);
        m_nWriteLen += nChunk;
        p += nChunk;
        n -= nChunk;
        if (m_nWriteLen == (UINT)kBufferSize)
            FlushWriteBuffer();
    }
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    ThrowIfClosed();
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    const BYTE* p = (const BYTE*)lpBuf;
    if (!m_bText)
    {
        PutRaw(p, nCount);
        return;
    }
    static const BYTE crlf[2] = { '\r', '\n' };
    UINT nStart = 0;
    for (UINT i = 0; i < nCount; ++i)
    {
        if (p[i] == '\n')
        {
            if (i > nStart)
                PutRaw(p + nStart, i - nStart);
            PutRaw(crlf, 2);
            nStart = i + 1;
        }
    }
    if (nCount > nStart)
        PutRaw(p + nStart, nCount - nStart);
}

void CStdioFile::WriteString(LPCTSTR lpsz)
{
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    size_t n = strlen(lpsz);
    while (n > 0)
    {
        UINT nChunk = n > (size_t)INT_MAX ? (UINT)INT_MAX : (UINT)n;
        Write(lpsz, nChunk);
        lpsz += nChunk;
        n -= nChunk;
    }
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    ThrowIfClosed();
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    BYTE* p = (BYTE*)lpBuf;
    UINT nDone = 0;
    if (!m_bText)
    {
        while (nDone < nCount)
        {
            if (m_nReadPos >= m_nReadEnd && !FillBuffer())
                break;
            UINT nAvail = m_nReadEnd - m_nReadPos;
            UINT nChunk = nCount - nDone < nAvail ? nCount - nDone : nAvail;
            memcpy(p + nDone, m_pBuf + m_nReadPos, nChunk);
            m_nReadPos += nChunk;
            nDone += nChunk;
        }
        return nDone;
    }
    while (nDone < nCount)
    {
        int c = GetChar();
        if (c < 0)
            break;
        p[nDone++] = (BYTE)c;
    }
    return nDone;
}

LPTSTR CStdioFile::ReadString(LPTSTR lpsz, UINT nMax)
{
    ThrowIfClosed();
    if (lpsz == NULL || nMax == 0)
        AfxThrowInvalidArgException();
    UINT n = 0;
    int c = 0;
    while (n + 1 < nMax)
    {
        c = GetChar();
        if (c < 0)
            break;
        lpsz[n++] = (char)c;
        if (c == '\n')
            break;
    }
    lpsz[n] = '\0';
    if (n == 0 && c < 0)
        return NULL;
    return lpsz;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    ThrowIfClosed();
    rString.Empty();
    char chunk[256];
    int nChunk = 0;
    BOOL bAny = FALSE;
    for (;;)
    {
        int c = GetChar();
        if (c < 0)
            break;
        bAny = TRUE;
        if (c == '\n')
            break;
        chunk[nChunk++] = (char)c;
        if (nChunk == (int)sizeof(chunk))
        {
            rString.Append(chunk, nChunk);
            nChunk = 0;
        }
    }
    if (nChunk > 0)
        rString.Append(chunk, nChunk);
    return bAny;
}

ULONGLONG CStdioFile::GetPosition() const
{
    ULONGLONG pos = CFile::GetPosition();
    if (m_nWriteLen > 0)
        return pos + m_nWriteLen;
    return pos - (ULONGLONG)(m_nReadEnd - m_nReadPos);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    ThrowIfClosed();
    if (nFrom == current)
    {
        // Relative to the logical position, not to the file's.
        LONGLONG lCur = (LONGLONG)GetPosition();
        lOff += lCur;
        nFrom = begin;
    }
    FlushWriteBuffer();
    m_nReadPos = m_nReadEnd = 0;
    return CFile::Seek(lOff, nFrom);
}

void CStdioFile::SetLength(ULONGLONG dwNewLen)
{
    ThrowIfClosed();
    FlushWriteBuffer();
    DropReadBuffer();
    CFile::SetLength(dwNewLen);
}

ULONGLONG CStdioFile::GetLength() const
{
    ULONGLONG nLen = CFile::GetLength();
    if (m_nWriteLen > 0)
    {
        ULONGLONG nEnd = CFile::GetPosition() + m_nWriteLen;
        if (nEnd > nLen)
            nLen = nEnd;
    }
    return nLen;
}

void CStdioFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    FlushWriteBuffer();     // to the operating system, like fflush
}

void CStdioFile::Close()
{
    // Flush, then close the handle whatever happened; the first error is
    // re-thrown with its own type (a CException* variable would not do).
    std::exception_ptr pending;
    if (m_hFile != hFileNull)
    {
        try { FlushWriteBuffer(); }
        catch (...) { pending = std::current_exception(); }
    }
    FreeBuffer();
    try { CFile::Close(); }
    catch (CException* e)
    {
        if (!pending)
            pending = std::current_exception();
        else
            e->Delete();
    }
    if (pending)
        std::rethrow_exception(pending);
}

void CStdioFile::Abort()
{
    FreeBuffer();
    CFile::Abort();
}

// =============================================================== CMemFile

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0),
      m_lpBuffer(NULL), m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(0), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0),
      m_lpBuffer(NULL), m_bAutoDelete(FALSE)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_bAutoDelete)
        free(m_lpBuffer);
    m_lpBuffer = NULL;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = lpBuffer;
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nBufferSize = lpBuffer != NULL ? nBufferSize : 0;
    // A growable attached buffer starts empty (the framework's rule); a
    // fixed one holds nBufferSize bytes of data.
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* p = m_lpBuffer;
    m_lpBuffer = NULL;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return p;
}

BOOL CMemFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    (void)lpszFileName;
    (void)nOpenFlags;
    if (pError != NULL)
        pError->Reset();
    AfxThrowNotSupportedException();
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return (BYTE*)malloc(nBytes);
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    return (BYTE*)realloc(lpMem, nBytes);
}

void CMemFile::Free(BYTE* lpMem)
{
    free(lpMem);
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    SIZE_T nNew = m_nBufferSize;
    SIZE_T nGrown = m_nBufferSize + m_nBufferSize / 2;
    if (nNew < dwNewLen)
        nNew = dwNewLen;
    if (nGrown > nNew)
        nNew = nGrown;
    nNew = ((nNew + m_nGrowBytes - 1) / m_nGrowBytes) * m_nGrowBytes;
    if (nNew < dwNewLen)
        AfxThrowMemoryException();
    BYTE* p = m_lpBuffer == NULL ? Alloc(nNew) : Realloc(m_lpBuffer, nNew);
    if (p == NULL)
        AfxThrowMemoryException();
    m_lpBuffer = p;
    m_nBufferSize = nNew;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    if (m_nPosition >= m_nFileSize)
        return 0;
    SIZE_T nAvail = m_nFileSize - m_nPosition;
    UINT nRead = (SIZE_T)nCount < nAvail ? nCount : (UINT)nAvail;
    memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    SIZE_T nEnd = m_nPosition + nCount;
    if (nEnd < m_nPosition)
        AfxThrowMemoryException();
    if (nEnd > m_nBufferSize)
        GrowFile(nEnd);
    if (m_nPosition > m_nFileSize)     // a gap after a seek past the end
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    memmove(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = nEnd;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG lBase = nFrom == begin ? 0 : nFrom == current ? (LONGLONG)m_nPosition
                   : nFrom == end ? (LONGLONG)m_nFileSize : -1;
    if (lBase < 0)
        AfxThrowInvalidArgException();
    LONGLONG lNew = lBase + lOff;
    if (lNew < 0 || (lOff > 0 && lNew < lBase))
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = (SIZE_T)lNew;
    return (ULONGLONG)lNew;
}

ULONGLONG CMemFile::GetPosition() const { return m_nPosition; }
ULONGLONG CMemFile::GetLength() const { return m_nFileSize; }

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > (ULONGLONG)(SIZE_T)-1)
        AfxThrowMemoryException();
    SIZE_T n = (SIZE_T)dwNewLen;
    if (n > m_nBufferSize)
        GrowFile(n);
    if (n > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, n - m_nFileSize);
    if (n < m_nPosition)
        m_nPosition = n;
    m_nFileSize = n;
}

void CMemFile::Flush() {}

void CMemFile::Close()
{
    m_nGrowBytes = 0;
    m_nPosition = 0;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    if (m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
}

void CMemFile::Abort()
{
    Close();
}
