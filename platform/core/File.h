#pragma once

// CFile (unbuffered binary file), CStdioFile (buffered, text or binary, line
// reading) and CMemFile (a file in growable memory).
//
// Errors: Open() returns FALSE and fills the optional CFileException* with
// the cause, OS error and file name; the constructors taking a file name and
// every other operation throw CFileException* (see Exceptions.h for the
// pointer convention). On Windows the Win32 file API is used, so the real
// Windows error codes map to causes (ERROR_DISK_FULL -> diskFull,
// ERROR_FILE_NOT_FOUND -> fileNotFound ...); natively POSIX (ENOSPC ->
// diskFull, ENOENT -> fileNotFound ...).
//
// Handles: a file opened by name is closed by Close(), Abort() or the
// destructor, exactly once (Close() marks the file closed before it throws;
// destructors never throw). Close() also empties the file path, as the
// framework's does. CFile(HANDLE) attaches a handle without owning it.
//
// CStdioFile in text mode (the default, or typeText) turns CR LF into LF when
// reading and LF into CR LF when writing, on every platform, so text files
// are byte-identical everywhere; a lone CR is kept. typeBinary switches the
// translation off. ReadString(LPTSTR, nMax) reads at most nMax-1 characters
// and keeps the '\n' when it fits (fgets); ReadString(CString&) reads a whole
// line of any length without its '\n' and returns FALSE only at end of file.
// Written data is buffered: a full disk is reported by WriteString/Write when
// the buffer fills, or else by Flush()/Close().

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/Exceptions.h"

#if defined(_WIN32)
// <commdlg.h> maps GetFileTitle to GetFileTitleA. Including it here makes
// CFile::GetFileTitle the same name in every file that sees this header
// (the framework does the same).
#  include <commdlg.h>
#endif

class KVVX_API CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead         = 0x00000,
        modeWrite        = 0x00001,
        modeReadWrite    = 0x00002,
        shareCompat      = 0x00000,
        shareExclusive   = 0x00010,
        shareDenyWrite   = 0x00020,
        shareDenyRead    = 0x00030,
        shareDenyNone    = 0x00040,
        modeNoInherit    = 0x00080,
        modeCreate       = 0x01000,
        modeNoTruncate   = 0x02000,
        typeText         = 0x04000,     // CStdioFile only
        typeBinary       = 0x08000,     // CStdioFile only
        osNoBuffer       = 0x10000,
        osWriteThrough   = 0x20000,
        osRandomAccess   = 0x40000,
        osSequentialScan = 0x80000
    };

    enum Attribute
    {
        normal    = 0x00,
        readOnly  = 0x01,
        hidden    = 0x02,
        system    = 0x04,
        volume    = 0x08,
        directory = 0x10,
        archive   = 0x20
    };

    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);               // attaches; does not close it
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags); // throws CFileException*
    virtual ~CFile();

    HANDLE m_hFile;
    operator HANDLE() const { return m_hFile; }

    // Attributes
    virtual ULONGLONG GetPosition() const;
    virtual CString GetFileName() const;        // name with extension
    virtual CString GetFileTitle() const;       // name without extension
    virtual CString GetFilePath() const;        // full path
    virtual void SetFilePath(LPCTSTR lpszNewName);

    // Operations
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
    static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void PASCAL Remove(LPCTSTR lpszFileName);

    ULONGLONG SeekToEnd() { return Seek(0, CFile::end); }
    void SeekToBegin() { Seek(0, CFile::begin); }

    // Overridables
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual void SetLength(ULONGLONG dwNewLen); // leaves the position at dwNewLen
    virtual ULONGLONG GetLength() const;
    virtual UINT Read(void* lpBuf, UINT nCount); // bytes read; 0 at end of file
    virtual void Write(const void* lpBuf, UINT nCount); // all or throws
    virtual void Abort();                       // close, ignoring errors
    virtual void Flush();                       // to the device
    virtual void Close();

    BOOL m_bCloseOnDelete;
    CString m_strFileName;

protected:
    // Closes the handle (if any) without throwing; returns the OS error or 0.
    long CloseHandleNoThrow();
    void ThrowIfClosed() const;
};

class KVVX_API CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags); // throws CFileException*
    virtual ~CStdioFile();

    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;

    virtual void WriteString(LPCTSTR lpsz);
    virtual LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    virtual BOOL ReadString(CString& rString);

    BOOL IsTextMode() const { return m_bText; }

    virtual ULONGLONG GetPosition() const override;
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    virtual void SetLength(ULONGLONG dwNewLen) override;
    virtual ULONGLONG GetLength() const override;
    virtual UINT Read(void* lpBuf, UINT nCount) override;
    virtual void Write(const void* lpBuf, UINT nCount) override;
    virtual void Abort() override;
    virtual void Flush() override;
    virtual void Close() override;

private:
    enum { kBufferSize = 4096 };
    int GetChar();                  // next logical character, -1 at end
    BOOL FillBuffer();              // FALSE at end of file
    void PutRaw(const BYTE* p, UINT n);
    void FlushWriteBuffer();        // throws; the buffer is empty afterwards
    void DropReadBuffer();          // seeks the file back over unread bytes
    void EnsureBuffer();
    void FreeBuffer();

    BYTE* m_pBuf;
    UINT m_nReadPos;
    UINT m_nReadEnd;
    UINT m_nWriteLen;
    BOOL m_bText;
};

class KVVX_API CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    // A growable memory file; the memory grows in steps of at least
    // nGrowBytes (geometrically for large files).
    explicit CMemFile(UINT nGrowBytes = 1024);
    // A memory file over the caller's buffer, initially holding nBufferSize
    // bytes of data. nGrowBytes 0: fixed size (writing past the end throws
    // CMemoryException*); else the buffer must come from malloc and may be
    // reallocated (then take it back with Detach).
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    virtual ~CMemFile();

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Gives up the memory: the caller owns it afterwards (release with
    // free()); the file is empty and closed. GetLength() before Detach tells
    // how many bytes are data.
    BYTE* Detach();

    virtual ULONGLONG GetPosition() const override;
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    virtual void SetLength(ULONGLONG dwNewLen) override;
    virtual ULONGLONG GetLength() const override;
    virtual UINT Read(void* lpBuf, UINT nCount) override;
    virtual void Write(const void* lpBuf, UINT nCount) override;
    virtual void Abort() override;
    virtual void Flush() override;
    virtual void Close() override;
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;

    // Direct access to the data (not in the framework, but handy).
    const BYTE* GetData() const { return m_lpBuffer; }

protected:
    // Where the memory comes from: malloc/realloc/free here; a derived file
    // (CSharedFile) keeps it elsewhere. Alloc and Realloc return NULL when
    // out of memory. The destructor frees with free(): a derived file
    // releases its own memory in its destructor.
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    void GrowFile(SIZE_T dwNewLen);

    UINT m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;     // the memory is ours to free
};
