#pragma once

// CArchive: the framework's binary serialisation stream over a CFile
// (CFile, CStdioFile opened with typeBinary, or CMemFile).
//
// Encoding (the framework's, little-endian): each value is stored with the
// size of its C++ type (BYTE 1, WORD/short 2, DWORD/LONG/int/UINT/float 4,
// double/LONGLONG 8; bool as one byte). CString: length prefix
// (< 255: one byte; else 0xFF + WORD; >= 0xFFFE: 0xFF 0xFFFF + DWORD; then
// 64-bit) followed by the bytes; wide strings written by Unicode builds
// (prefix 0xFF 0xFFFE) are read and narrowed. Counts (WriteCount/ReadCount):
// WORD, or 0xFFFF + DWORD (+ 0xFFFFFFFF + ULONGLONG). Objects
// (WriteObject/ReadObject, ar << pObj / ar >> pObj): the framework's class
// tags (0xFFFF new class: schema WORD, name length WORD, name; 0x8000|index
// a known class; index an object already stored; 0 NULL).
//
// Errors: reading past the end throws CArchiveException*(endOfFile) and
// never stores partial values; a bad class/object tag throws badIndex,
// an unknown or unexpected class badClass, a schema mismatch badSchema;
// writing to a loading archive readOnly, reading a storing one writeOnly.
// Errors of the file itself arrive as CFileException*.
//
// Close() (or the destructor, which swallows errors) writes what is
// buffered; after an exception call Abort() to drop the buffer.

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/Exceptions.h"
#include "platform/core/File.h"

class KVVX_API CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // The schema of the object being loaded (valid inside its Serialize).
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Raw bytes. Read returns what it got (less only at the end of file);
    // EnsureRead throws endOfFile when it cannot get all nCount bytes.
    UINT Read(void* lpBuf, UINT nMax);
    void EnsureRead(void* lpBuf, UINT nCount);
    void Write(const void* lpBuf, UINT nMax);

    void Flush();
    void Close();
    void Abort();   // closes without writing what is buffered; never throws

    // Text lines: WriteString writes the text as it is; ReadString reads up
    // to '\n' (the CString form drops "\r\n" / "\n").
    void WriteString(LPCTSTR lpsz);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    // Objects and classes.
    void WriteObject(const CObject* pOb);
    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL,
                             UINT* pSchema = NULL, DWORD* pObTag = NULL);

    CArchive& operator<<(const CObject* pOb) { WriteObject(pOb); return *this; }
    CArchive& operator>>(CObject*& pOb) { pOb = ReadObject(NULL); return *this; }
    CArchive& operator>>(const CObject*& pOb) { pOb = ReadObject(NULL); return *this; }
    // A text pointer is stored as a CString (not as a bool); other pointers
    // cannot be stored.
    CArchive& operator<<(LPCSTR lpsz);
    CArchive& operator<<(const void* p) = delete;

    // Values.
    CArchive& operator<<(bool b)                { BYTE by = b ? 1 : 0; return WriteValue(by); }
    CArchive& operator<<(char ch)               { return WriteValue(ch); }
    CArchive& operator<<(signed char ch)        { return WriteValue(ch); }
    CArchive& operator<<(unsigned char by)      { return WriteValue(by); }
    CArchive& operator<<(short w)               { return WriteValue(w); }
    CArchive& operator<<(unsigned short w)      { return WriteValue(w); }
    CArchive& operator<<(int i)                 { return WriteValue(i); }
    CArchive& operator<<(unsigned int u)        { return WriteValue(u); }
    CArchive& operator<<(long l)                { return WriteValue(l); }
    CArchive& operator<<(unsigned long ul)      { return WriteValue(ul); }
    CArchive& operator<<(long long ll)          { return WriteValue(ll); }
    CArchive& operator<<(unsigned long long ull){ return WriteValue(ull); }
    CArchive& operator<<(float f)               { return WriteValue(f); }
    CArchive& operator<<(double d)              { return WriteValue(d); }

    CArchive& operator>>(bool& b)               { BYTE by = 0; ReadValue(by); b = by != 0; return *this; }
    CArchive& operator>>(char& ch)              { return ReadValue(ch); }
    CArchive& operator>>(signed char& ch)       { return ReadValue(ch); }
    CArchive& operator>>(unsigned char& by)     { return ReadValue(by); }
    CArchive& operator>>(short& w)              { return ReadValue(w); }
    CArchive& operator>>(unsigned short& w)     { return ReadValue(w); }
    CArchive& operator>>(int& i)                { return ReadValue(i); }
    CArchive& operator>>(unsigned int& u)       { return ReadValue(u); }
    CArchive& operator>>(long& l)               { return ReadValue(l); }
    CArchive& operator>>(unsigned long& ul)     { return ReadValue(ul); }
    CArchive& operator>>(long long& ll)         { return ReadValue(ll); }
    CArchive& operator>>(unsigned long long& ull){ return ReadValue(ull); }
    CArchive& operator>>(float& f)              { return ReadValue(f); }
    CArchive& operator>>(double& d)             { return ReadValue(d); }

    CString m_strFileName;  // used in the exceptions it throws

private:
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    template<class T> CArchive& WriteValue(const T& v) { Write(&v, (UINT)sizeof(T)); return *this; }
    template<class T> CArchive& ReadValue(T& v)
    {
        T tmp;
        EnsureRead(&tmp, (UINT)sizeof(T));
        v = tmp;
        return *this;
    }

    void FillBuffer(UINT nAtLeast);
    void FlushStoreBuffer();
    void CheckCanRead() const;
    void CheckCanWrite() const;
    void FreeMaps();

    UINT m_nMode;
    CFile* m_pFile;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    UINT m_nBufSize;
    BOOL m_bUserBuf;
    UINT m_nObjectSchema;

    // Object and class maps (store: pointer -> index; load: index -> entry).
    void* m_pStoreMap;
    void* m_pLoadArray;
    DWORD m_nMapCount;
};

KVVX_API CArchive& operator<<(CArchive& ar, const CString& string);
KVVX_API CArchive& operator>>(CArchive& ar, CString& string);

// Reads/writes the length prefix of a serialised string; nCharSize is 1 or
// 2 (a wide string). Public for code that stores texts of its own.
KVVX_API ULONGLONG AfxReadStringLength(CArchive& ar, int& nCharSize);
KVVX_API void AfxWriteStringLength(CArchive& ar, ULONGLONG nLength, BOOL bUnicode);
