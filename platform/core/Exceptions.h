#pragma once

// The framework's exception classes.
//
// Convention (the framework's): exceptions are thrown as heap pointers and
// caught as pointers; the catcher releases them with Delete():
//
//     try { file.Write(p, n); }
//     catch (CFileException* e) { if (e->m_cause == CFileException::diskFull) ...; e->Delete(); }
//     catch (CException* e) { e->Delete(); }
//
// Throw them with the AfxThrow... helpers or with `throw new CXxxException(...)`.
// Never throw or catch them by value. A handler that re-throws uses `throw;`
// (and then does not Delete).
//
// GetErrorMessage is portable. ReportError (a message box) is Win32: on
// Windows it is implemented by the window-framework layer; in native builds
// it writes the message to stderr and returns IDOK.

#include "platform/core/Object.h"
#include "platform/core/String.h"

class KVVX_API CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE);
    virtual ~CException();

    // Releases a heap exception (deletes it when m_bAutoDelete).
    void Delete();

    // Copies a text describing the error into lpszError (at most nMaxError
    // bytes including the zero; truncated if longer). FALSE when there is no
    // text (the buffer then holds an empty string).
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
    // Shows the error message to the user: a message box on Windows.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    // The message of GetErrorMessage as a string (portable convenience).
    CString GetErrorMessageString() const;

    BOOL m_bAutoDelete;
};

class KVVX_API CSimpleException : public CException
{
    DECLARE_DYNAMIC(CSimpleException)
public:
    explicit CSimpleException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    virtual ~CSimpleException();
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;
protected:
    virtual LPCSTR GetMessageText() const;
};

class KVVX_API CMemoryException : public CSimpleException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() {}
    virtual ~CMemoryException();
protected:
    virtual LPCSTR GetMessageText() const override;
};

class KVVX_API CNotSupportedException : public CSimpleException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() {}
    virtual ~CNotSupportedException();
protected:
    virtual LPCSTR GetMessageText() const override;
};

class KVVX_API CInvalidArgException : public CSimpleException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException() {}
    virtual ~CInvalidArgException();
protected:
    virtual LPCSTR GetMessageText() const override;
};

class KVVX_API CResourceException : public CSimpleException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() {}
    virtual ~CResourceException();
protected:
    virtual LPCSTR GetMessageText() const override;
};

class KVVX_API CUserException : public CSimpleException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() {}
    virtual ~CUserException();
};

class KVVX_API CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum
    {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = CFileException::none, LONG lOsError = -1,
                            LPCTSTR lpszArchiveName = NULL);
    virtual ~CFileException();

    // Empties the record (used by CFile::Open's optional out argument).
    void Reset() { m_cause = none; m_lOsError = -1; m_strFileName.Empty(); }

    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    int m_cause;            // one of the causes above
    LONG m_lOsError;        // Win32 error code (Windows) or errno (native); -1 if none
    CString m_strFileName;  // the file concerned (may be empty)

    // Win32 error code (ERROR_...) to cause; the numbers are Windows' own and
    // the mapping works on every platform.
    static int PASCAL OsErrorToException(LONG lOsError);
    // C runtime errno (ENOENT, ENOSPC, ...) to cause.
    static int PASCAL ErrnoToException(int nErrno);
    // Throw a CFileException* for the error (nothing for error 0).
    static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);
    static void PASCAL ThrowErrno(int nErrno, LPCTSTR lpszFileName = NULL);
};

class KVVX_API CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum
    {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        bufferFull
    };

    explicit CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);
    virtual ~CArchiveException();

    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const override;

    int m_cause;
    CString m_strFileName;
};

// Throw helpers (never return).
[[noreturn]] KVVX_API void AfxThrowMemoryException();
[[noreturn]] KVVX_API void AfxThrowNotSupportedException();
[[noreturn]] KVVX_API void AfxThrowInvalidArgException();
[[noreturn]] KVVX_API void AfxThrowResourceException();
[[noreturn]] KVVX_API void AfxThrowUserException();
[[noreturn]] KVVX_API void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = NULL);
[[noreturn]] KVVX_API void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);
