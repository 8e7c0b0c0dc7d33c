#include "platform/core/Exceptions.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

BOOL CopyMessage(const CString& strMessage, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    size_t n = (size_t)strMessage.GetLength();
    if (n >= nMaxError)
        n = nMaxError - 1;
    memcpy(lpszError, strMessage.GetString(), n);
    lpszError[n] = '\0';
    return !strMessage.IsEmpty();
}

// The framework's message texts; %1 is replaced by the file name.
CString FileMessage(LPCSTR lpszTemplate, const CString& strFileName)
{
    CString strName = strFileName.IsEmpty() ? CString("an unnamed file") : strFileName;
    CString s(lpszTemplate);
    int nPos = s.Find("%1");
    if (nPos >= 0)
    {
        s.Delete(nPos, 2);
        s.Insert(nPos, strName);
    }
    if (!s.IsEmpty() && s[0] == 'a' && strFileName.IsEmpty())
        s.SetAt(0, 'A');
    return s;
}

} // namespace

// ------------------------------------------------------------- CException

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}
CException::~CException() {}

void CException::Delete()
{
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

CString CException::GetErrorMessageString() const
{
    char buf[1024];
    buf[0] = '\0';
    if (!GetErrorMessage(buf, sizeof(buf)))
        return CString("An unsupported operation was attempted.");
    return CString(buf);
}

#if !defined(_WIN32)
// Native builds have no message box: the message goes to stderr. On Windows
// the window-framework layer implements ReportError in a Win32 source file.
int CException::ReportError(UINT nType, UINT nMessageID)
{
    (void)nType;
    (void)nMessageID;
    fprintf(stderr, "%s\n", GetErrorMessageString().GetString());
    return IDOK;
}
#endif

// ------------------------------------------------------- simple exceptions

CSimpleException::~CSimpleException() {}

LPCSTR CSimpleException::GetMessageText() const
{
    return "An unknown error has occurred.";
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    return CopyMessage(CString(GetMessageText()), lpszError, nMaxError);
}

CMemoryException::~CMemoryException() {}
LPCSTR CMemoryException::GetMessageText() const { return "Out of memory."; }

CNotSupportedException::~CNotSupportedException() {}
LPCSTR CNotSupportedException::GetMessageText() const { return "An unsupported operation was attempted."; }

CInvalidArgException::~CInvalidArgException() {}
LPCSTR CInvalidArgException::GetMessageText() const { return "Encountered an improper argument."; }

CResourceException::~CResourceException() {}
LPCSTR CResourceException::GetMessageText() const { return "A required resource was unavailable."; }

CUserException::~CUserException() {}

// --------------------------------------------------------- CFileException

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

CFileException::~CFileException() {}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    LPCSTR t;
    switch (m_cause)
    {
    case none:              t = "No error occurred."; break;
    case fileNotFound:      t = "%1 was not found."; break;
    case badPath:           t = "%1 contains an invalid path."; break;
    case tooManyOpenFiles:  t = "%1 could not be opened because there are too many open files."; break;
    case accessDenied:      t = "Access to %1 was denied."; break;
    case invalidFile:       t = "An incorrect file handle was associated with %1."; break;
    case removeCurrentDir:  t = "%1 could not be removed because it is the current directory."; break;
    case directoryFull:     t = "%1 could not be created because the directory is full."; break;
    case badSeek:           t = "Seek failed on %1."; break;
    case hardIO:            t = "A hardware I/O error was reported while accessing %1."; break;
    case sharingViolation:  t = "A sharing violation occurred while accessing %1."; break;
    case lockViolation:     t = "A locking violation occurred while accessing %1."; break;
    case diskFull:          t = "Disk full while accessing %1."; break;
    case endOfFile:         t = "An attempt was made to access %1 past its end."; break;
    case genericException:
    default:                t = "An unknown error occurred while accessing %1."; break;
    }
    CString strMessage = FileMessage(t, m_strFileName);
    // A message too long for the caller's buffer keeps its cause: the file
    // name gives way, shortened in the middle so that the start of the path
    // and the file's own name both stay readable.
    long long nExcess = (long long)strMessage.GetLength() - ((long long)nMaxError - 1);
    long long nKeep = (long long)m_strFileName.GetLength() - nExcess - 3;
    if (lpszError != NULL && nMaxError > 0 && nExcess > 0 && nKeep >= 2)
    {
        int nHead = (int)(nKeep / 2);
        CString strShort = m_strFileName.Left(nHead) + "..." + m_strFileName.Right((int)nKeep - nHead);
        strMessage = FileMessage(t, strShort);
    }
    return CopyMessage(strMessage, lpszError, nMaxError);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    // Win32 error codes (winerror.h), by number so that this builds anywhere.
    switch (lOsError)
    {
    case 0:    return none;                 // NO_ERROR
    case 2:    return fileNotFound;         // ERROR_FILE_NOT_FOUND
    case 3:    return badPath;              // ERROR_PATH_NOT_FOUND
    case 4:    return tooManyOpenFiles;     // ERROR_TOO_MANY_OPEN_FILES
    case 5:    return accessDenied;         // ERROR_ACCESS_DENIED
    case 6:    return fileNotFound;         // ERROR_INVALID_HANDLE
    case 11:   return invalidFile;          // ERROR_BAD_FORMAT
    case 12:   return accessDenied;         // ERROR_INVALID_ACCESS
    case 15:   return badPath;              // ERROR_INVALID_DRIVE
    case 16:   return removeCurrentDir;     // ERROR_CURRENT_DIRECTORY
    case 17:   return badPath;              // ERROR_NOT_SAME_DEVICE
    case 18:   return fileNotFound;         // ERROR_NO_MORE_FILES
    case 19:   return accessDenied;         // ERROR_WRITE_PROTECT
    case 20:   return hardIO;               // ERROR_BAD_UNIT
    case 21:   return hardIO;               // ERROR_NOT_READY
    case 22:   return hardIO;               // ERROR_BAD_COMMAND
    case 23:   return hardIO;               // ERROR_CRC
    case 24:   return badSeek;              // ERROR_BAD_LENGTH
    case 25:   return badSeek;              // ERROR_SEEK
    case 26:   return invalidFile;          // ERROR_NOT_DOS_DISK
    case 27:   return badSeek;              // ERROR_SECTOR_NOT_FOUND
    case 29:   return accessDenied;         // ERROR_WRITE_FAULT
    case 30:   return badSeek;              // ERROR_READ_FAULT
    case 32:   return sharingViolation;     // ERROR_SHARING_VIOLATION
    case 33:   return lockViolation;        // ERROR_LOCK_VIOLATION
    case 34:   return badPath;              // ERROR_WRONG_DISK
    case 36:   return tooManyOpenFiles;     // ERROR_SHARING_BUFFER_EXCEEDED
    case 38:   return endOfFile;            // ERROR_HANDLE_EOF
    case 39:   return diskFull;             // ERROR_HANDLE_DISK_FULL
    case 52:   return badPath;              // ERROR_DUP_NAME
    case 53:   return badPath;              // ERROR_BAD_NETPATH
    case 54:   return accessDenied;         // ERROR_NETWORK_BUSY
    case 55:   return badPath;              // ERROR_DEV_NOT_EXIST
    case 57:   return hardIO;               // ERROR_ADAP_HDW_ERR
    case 58:   return accessDenied;         // ERROR_BAD_NET_RESP
    case 59:   return hardIO;               // ERROR_UNEXP_NET_ERR
    case 60:   return invalidFile;          // ERROR_BAD_REM_ADAP
    case 61:   return directoryFull;        // ERROR_PRINTQ_FULL
    case 62:   return directoryFull;        // ERROR_NO_SPOOL_SPACE
    case 64:   return accessDenied;         // ERROR_NETNAME_DELETED
    case 65:   return accessDenied;         // ERROR_NETWORK_ACCESS_DENIED
    case 67:   return badPath;              // ERROR_BAD_NET_NAME
    case 80:   return accessDenied;         // ERROR_FILE_EXISTS
    case 82:   return directoryFull;        // ERROR_CANNOT_MAKE
    case 87:   return badPath;              // ERROR_INVALID_PARAMETER
    case 88:   return accessDenied;         // ERROR_NET_WRITE_FAULT
    case 108:  return lockViolation;        // ERROR_DRIVE_LOCKED
    case 110:  return fileNotFound;         // ERROR_OPEN_FAILED
    case 112:  return diskFull;             // ERROR_DISK_FULL
    case 123:  return badPath;              // ERROR_INVALID_NAME
    case 131:  return badSeek;              // ERROR_NEGATIVE_SEEK
    case 132:  return badSeek;              // ERROR_SEEK_ON_DEVICE
    case 145:  return accessDenied;         // ERROR_DIR_NOT_EMPTY
    case 158:  return lockViolation;        // ERROR_NOT_LOCKED
    case 161:  return badPath;              // ERROR_BAD_PATHNAME
    case 183:  return accessDenied;         // ERROR_ALREADY_EXISTS
    case 206:  return badPath;              // ERROR_FILENAME_EXCED_RANGE
    case 267:  return badPath;              // ERROR_DIRECTORY
    case 1117: return hardIO;               // ERROR_IO_DEVICE
    case 1295: return directoryFull;        // ERROR_NOT_ENOUGH_QUOTA (approx.)
    default:   return genericException;
    }
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno)
    {
    case 0:         return none;
    case EPERM:
    case EACCES:
    case EROFS:
    case EISDIR:
    case EEXIST:    return accessDenied;
    case ENOENT:
    case ENXIO:
    case ENODEV:    return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
#ifdef ELOOP
    case ELOOP:
#endif
    case EXDEV:     return badPath;
    case EMFILE:
    case ENFILE:    return tooManyOpenFiles;
    case EBADF:     return invalidFile;
    case ESPIPE:    return badSeek;
    case EIO:       return hardIO;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:     return diskFull;
#ifdef ETXTBSY
    case ETXTBSY:   return sharingViolation;
#endif
    case EDEADLK:   return lockViolation;
    case EINVAL:    return hardIO;
    default:        return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    if (nErrno != 0)
        AfxThrowFileException(ErrnoToException(nErrno), (LONG)nErrno, lpszFileName);
}

// ------------------------------------------------------ CArchiveException

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

CArchiveException::~CArchiveException() {}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    LPCSTR t;
    switch (m_cause)
    {
    case none:          t = "No error occurred."; break;
    case readOnly:      t = "Tried to write to %1, which is opened for reading."; break;
    case endOfFile:     t = "An attempt was made to read %1 past its end."; break;
    case writeOnly:     t = "Tried to read from %1, which is opened for writing."; break;
    case badIndex:      t = "%1 has a bad format."; break;
    case badClass:      t = "%1 contains an unexpected object."; break;
    case badSchema:     t = "%1 contains an incorrect schema."; break;
    case bufferFull:    t = "The archive buffer of %1 is full."; break;
    case genericException:
    default:            t = "An unexpected error occurred while reading %1."; break;
    }
    return CopyMessage(FileMessage(t, m_strFileName), lpszError, nMaxError);
}

// ------------------------------------------------------------ throw helpers

void AfxThrowMemoryException()
{
    // When even the exception object cannot be allocated, a static one is
    // thrown (Delete() leaves it alone).
    static CMemoryException s_outOfMemory;
    CMemoryException* pException = new (std::nothrow) CMemoryException();
    if (pException == NULL)
    {
        s_outOfMemory.m_bAutoDelete = FALSE;
        pException = &s_outOfMemory;
    }
    throw pException;
}
void AfxThrowNotSupportedException() { throw new CNotSupportedException(); }
void AfxThrowInvalidArgException() { throw new CInvalidArgException(); }
void AfxThrowResourceException() { throw new CResourceException(); }
void AfxThrowUserException() { throw new CUserException(); }

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
