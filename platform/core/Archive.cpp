#include "platform/core/Archive.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <unordered_map>
#include <vector>

namespace {

const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;
const DWORD nMaxMapCount = 0x3FFFFFFE;

typedef std::unordered_map<const void*, DWORD> StoreMap;     // object or class -> index

struct LoadEntry
{
    void* p;
    bool bClass;
};
typedef std::vector<LoadEntry> LoadArray;                    // [0] is the NULL entry

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_nMode(nMode), m_pFile(pFile), m_lpBufStart(NULL), m_lpBufCur(NULL), m_lpBufMax(NULL),
      m_nBufSize(0), m_bUserBuf(FALSE), m_nObjectSchema((UINT)-1),
      m_pStoreMap(NULL), m_pLoadArray(NULL), m_nMapCount(0)
{
    if (pFile == NULL)
        AfxThrowInvalidArgException();
    m_strFileName = pFile->GetFilePath();
    if (lpBuf != NULL)
    {
        // The caller's buffer is used at exactly the size given.
        if (nBufSize <= 0)
            AfxThrowInvalidArgException();
        m_nBufSize = (UINT)nBufSize;
        m_lpBufStart = (BYTE*)lpBuf;
        m_bUserBuf = TRUE;
    }
    else
    {
        if (nBufSize < 128)
            nBufSize = 128;
        m_nBufSize = (UINT)nBufSize;
        m_lpBufStart = (BYTE*)malloc(m_nBufSize);
        if (m_lpBufStart == NULL)
            AfxThrowMemoryException();
    }
    m_lpBufCur = m_lpBufStart;
    // Loading: empty (cur == max). Storing: room up to max.
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive()
{
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete))
    {
        try { Close(); }
        catch (CException* e) { e->Delete(); }
    }
    FreeMaps();
    if (!m_bUserBuf)
        free(m_lpBufStart);
    m_lpBufStart = m_lpBufCur = m_lpBufMax = NULL;
}

void CArchive::FreeMaps()
{
    delete (StoreMap*)m_pStoreMap;
    m_pStoreMap = NULL;
    delete (LoadArray*)m_pLoadArray;
    m_pLoadArray = NULL;
    m_nMapCount = 0;
}

UINT CArchive::GetObjectSchema()
{
    UINT n = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;     // can be read only once, as in the framework
    return n;
}

void CArchive::CheckCanRead() const
{
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
}

void CArchive::CheckCanWrite() const
{
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

// Moves unread bytes to the front and reads more (up to a full buffer).
void CArchive::FillBuffer(UINT nAtLeast)
{
    (void)nAtLeast;
    UINT nUnused = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nUnused > 0 && m_lpBufCur != m_lpBufStart)
        memmove(m_lpBufStart, m_lpBufCur, nUnused);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nUnused;
    UINT nRead = m_pFile->Read(m_lpBufMax, m_nBufSize - nUnused);
    m_lpBufMax += nRead;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckCanRead();
    if (nMax == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    BYTE* p = (BYTE*)lpBuf;
    UINT nDone = 0;
    // First what is buffered.
    UINT nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
    UINT nTake = nAvail < nMax ? nAvail : nMax;
    memcpy(p, m_lpBufCur, nTake);
    m_lpBufCur += nTake;
    nDone += nTake;
    if (nDone == nMax)
        return nDone;
    // Large remainder: straight from the file.
    if (nMax - nDone >= m_nBufSize)
    {
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
        for (;;)
        {
            UINT n = m_pFile->Read(p + nDone, nMax - nDone);
            if (n == 0)
                break;
            nDone += n;
            if (nDone == nMax)
                break;
        }
        return nDone;
    }
    while (nDone < nMax)
    {
        FillBuffer(nMax - nDone);
        nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nAvail == 0)
            break;
        nTake = nAvail < nMax - nDone ? nAvail : nMax - nDone;
        memcpy(p + nDone, m_lpBufCur, nTake);
        m_lpBufCur += nTake;
        nDone += nTake;
    }
    return nDone;
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::FlushStoreBuffer()
{
    UINT n = (UINT)(m_lpBufCur - m_lpBufStart);
    m_lpBufCur = m_lpBufStart;      // emptied even when the write fails
    if (n > 0)
        m_pFile->Write(m_lpBufStart, n);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckCanWrite();
    if (nMax == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    const BYTE* p = (const BYTE*)lpBuf;
    UINT nSpace = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nMax <= nSpace)
    {
        memcpy(m_lpBufCur, p, nMax);
        m_lpBufCur += nMax;
        return;
    }
    FlushStoreBuffer();
    if (nMax >= m_nBufSize)
    {
        m_pFile->Write(p, nMax);
        return;
    }
    memcpy(m_lpBufCur, p, nMax);
    m_lpBufCur += nMax;
}

void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsLoading())
    {
        // Give back what was read ahead, so the file is positioned after the
        // last byte the archive consumed.
        UINT nUnused = (UINT)(m_lpBufMax - m_lpBufCur);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
        if (nUnused > 0)
        {
            try { m_pFile->Seek(-(LONGLONG)nUnused, CFile::current); }
            catch (CException* e) { e->Delete(); }
        }
    }
    else
    {
        FlushStoreBuffer();
    }
}

void CArchive::Close()
{
    if (m_pFile == NULL)
        return;
    try { Flush(); }
    catch (...)
    {
        m_pFile = NULL;
        FreeMaps();
        throw;
    }
    m_pFile = NULL;
    FreeMaps();
}

void CArchive::Abort()
{
    m_lpBufCur = IsLoading() ? m_lpBufMax : m_lpBufStart;
    m_pFile = NULL;
    FreeMaps();
}

CArchive& CArchive::operator<<(LPCSTR lpsz)
{
    return ::operator<<(*this, CString(lpsz));
}

// ------------------------------------------------------------------ text

void CArchive::WriteString(LPCTSTR lpsz)
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

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == NULL || nMax == 0)
        AfxThrowInvalidArgException();
    UINT n = 0;
    BOOL bEnd = FALSE;
    while (n + 1 < nMax)
    {
        char ch;
        if (Read(&ch, 1) != 1)
        {
            bEnd = TRUE;
            break;
        }
        lpsz[n++] = ch;
        if (ch == '\n')
            break;
    }
    lpsz[n] = '\0';
    if (n == 0 && bEnd)
        return NULL;
    return lpsz;
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    BOOL bAny = FALSE;
    for (;;)
    {
        char ch;
        if (Read(&ch, 1) != 1)
            break;
        bAny = TRUE;
        if (ch == '\n')
            break;
        rString.AppendChar(ch);
    }
    int n = rString.GetLength();
    if (n > 0 && rString[n - 1] == '\r')
        rString.Truncate(n - 1);
    return bAny;
}

// ---------------------------------------------------------------- counts

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    ULONGLONG n = (ULONGLONG)dwCount;
    if (n < 0xFFFF)
    {
        *this << (WORD)n;
        return;
    }
    *this << (WORD)0xFFFF;
    if (n < 0xFFFFFFFFull)
    {
        *this << (DWORD)n;
        return;
    }
    *this << (DWORD)0xFFFFFFFF;
    *this << (ULONGLONG)n;
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    if (dwCount != 0xFFFFFFFF)
        return dwCount;
    ULONGLONG qwCount;
    *this >> qwCount;
    if (qwCount > (ULONGLONG)(DWORD_PTR)-1)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    return (DWORD_PTR)qwCount;
}

// ---------------------------------------------------------------- strings

ULONGLONG AfxReadStringLength(CArchive& ar, int& nCharSize)
{
    nCharSize = 1;
    BYTE bLength;
    ar >> bLength;
    if (bLength < 0xFF)
        return bLength;
    WORD wLength;
    ar >> wLength;
    if (wLength == 0xFFFE)
    {
        nCharSize = 2;      // a Unicode string follows
        ar >> bLength;
        if (bLength < 0xFF)
            return bLength;
        ar >> wLength;
    }
    if (wLength < 0xFFFF)
        return wLength;
    DWORD dwLength;
    ar >> dwLength;
    if (dwLength < 0xFFFFFFFF)
        return dwLength;
    ULONGLONG qwLength;
    ar >> qwLength;
    return qwLength;
}

void AfxWriteStringLength(CArchive& ar, ULONGLONG nLength, BOOL bUnicode)
{
    if (bUnicode)
    {
        ar << (BYTE)0xFF;
        ar << (WORD)0xFFFE;
    }
    if (nLength < 0xFF)
    {
        ar << (BYTE)nLength;
        return;
    }
    ar << (BYTE)0xFF;
    if (nLength < 0xFFFE)
    {
        ar << (WORD)nLength;
        return;
    }
    ar << (WORD)0xFFFF;
    if (nLength < 0xFFFFFFFFull)
    {
        ar << (DWORD)nLength;
        return;
    }
    ar << (DWORD)0xFFFFFFFF;
    ar << (ULONGLONG)nLength;
}

CArchive& operator<<(CArchive& ar, const CString& string)
{
    AfxWriteStringLength(ar, (ULONGLONG)string.GetLength(), FALSE);
    ar.Write(string.GetString(), (UINT)string.GetLength());
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& string)
{
    int nCharSize = 1;
    ULONGLONG nLength = AfxReadStringLength(ar, nCharSize);
    if (nLength > (ULONGLONG)(INT_MAX - 1))
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    // Read in pieces that double, starting small, so that a corrupt length
    // fails with endOfFile at the end of the data after work in proportion
    // to the data really there, instead of allocating the claimed size.
    CString result;
    ULONGLONG nLeft = nLength;
    if (nCharSize == 1)
    {
        while (nLeft > 0)
        {
            int nOld = result.GetLength();
            const UINT nChunk = nOld < 256 ? 256 : (UINT)nOld;
            UINT n = nLeft < nChunk ? (UINT)nLeft : nChunk;
            char* p = result.GetBuffer(nOld + (int)n);
            try { ar.EnsureRead(p + nOld, n); }
            catch (...) { result.ReleaseBuffer(nOld); throw; }
            result.ReleaseBuffer(nOld + (int)n);
            nLeft -= n;
        }
    }
    else
    {
        // Narrow each UTF-16 unit: Latin-1 passes, anything else becomes '?'.
        BYTE buf[2 * 4096];
        while (nLeft > 0)
        {
            UINT n = nLeft < 4096 ? (UINT)nLeft : 4096;
            ar.EnsureRead(buf, n * 2);
            for (UINT i = 0; i < n; ++i)
            {
                unsigned w = (unsigned)buf[2 * i] | ((unsigned)buf[2 * i + 1] << 8);
                result.AppendChar(w < 0x100 ? (char)w : '?');
            }
            nLeft -= n;
        }
    }
    string = std::move(result);
    return ar;
}

// ------------------------------------------------------ classes, objects

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLen = (WORD)strlen(m_lpszClassName);
    ar << (WORD)m_wSchema << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema, nLen;
    ar >> wSchema >> nLen;
    char szClassName[64];
    if (nLen >= (WORD)sizeof(szClassName))
        return NULL;
    ar.EnsureRead(szClassName, nLen);
    szClassName[nLen] = '\0';
    if (pwSchemaNum != NULL)
        *pwSchemaNum = wSchema;
    return FromName(szClassName);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (pClassRef == NULL)
        AfxThrowInvalidArgException();
    CheckCanWrite();
    if (pClassRef->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();    // not declared with DECLARE_SERIAL
    if (m_pStoreMap == NULL)
    {
        m_pStoreMap = new StoreMap();
        m_nMapCount = 1;
    }
    StoreMap& map = *(StoreMap*)m_pStoreMap;
    StoreMap::iterator it = map.find(pClassRef);
    if (it != map.end())
    {
        DWORD nClassIndex = it->second;
        if (nClassIndex < wBigObjectTag)
            *this << (WORD)(wClassTag | nClassIndex);
        else
        {
            *this << wBigObjectTag;
            *this << (DWORD)(dwBigClassTag | nClassIndex);
        }
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    if (m_nMapCount >= nMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    map[pClassRef] = m_nMapCount++;
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckCanWrite();
    if (pOb == NULL)
    {
        *this << wNullTag;
        return;
    }
    if (m_pStoreMap == NULL)
    {
        m_pStoreMap = new StoreMap();
        m_nMapCount = 1;
    }
    StoreMap& map = *(StoreMap*)m_pStoreMap;
    StoreMap::iterator it = map.find(pOb);
    if (it != map.end())
    {
        DWORD nObIndex = it->second;
        if (nObIndex < wBigObjectTag)
            *this << (WORD)nObIndex;
        else
        {
            *this << wBigObjectTag;
            *this << nObIndex;
        }
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    if (m_nMapCount >= nMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    map[pOb] = m_nMapCount++;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    CheckCanRead();
    if (m_pLoadArray == NULL)
    {
        LoadArray* pArray = new LoadArray();
        pArray->push_back(LoadEntry{ NULL, false });    // index 0: NULL
        m_pLoadArray = pArray;
        m_nMapCount = 1;
    }
    LoadArray& arr = *(LoadArray*)m_pLoadArray;

    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    CRuntimeClass* pClassRef;
    UINT nSchema = 0;
    if (wTag == wNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == NULL)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema)
        {
            if (!(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
                AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        }
        if (m_nMapCount >= nMaxMapCount)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        arr.push_back(LoadEntry{ pClassRef, true });
        ++m_nMapCount;
    }
    else if ((obTag & dwBigClassTag) == 0)
    {
        // An object reference (or NULL): the caller resolves it.
        if (pObTag != NULL)
            *pObTag = obTag;
        if (pSchema != NULL)
            *pSchema = 0;
        return NULL;
    }
    else
    {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= arr.size() || !arr[nClassIndex].bClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClassRef = (CRuntimeClass*)arr[nClassIndex].p;
        nSchema = pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA;
    }

    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (pSchema != NULL)
        *pSchema = nSchema;
    if (pObTag != NULL)
        *pObTag = obTag;
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    LoadArray& arr = *(LoadArray*)m_pLoadArray;
    if (pClassRef == NULL)
    {
        if (obTag == 0)
            return NULL;
        if (obTag >= arr.size() || arr[obTag].bClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        CObject* pOb = (CObject*)arr[obTag].p;
        if (pOb == NULL)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        if (pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        return pOb;
    }
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (m_nMapCount >= nMaxMapCount)
    {
        delete pOb;
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    }
    size_t nIndex = arr.size();
    arr.push_back(LoadEntry{ pOb, false });
    ++m_nMapCount;
    UINT nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try
    {
        pOb->Serialize(*this);
    }
    catch (...)
    {
        // The half-read object is not handed out: delete it (objects that
        // referred to it are being abandoned by the same exception).
        LoadArray* pArr = (LoadArray*)m_pLoadArray;
        if (pArr != NULL && nIndex < pArr->size())
            (*pArr)[nIndex].p = NULL;
        delete pOb;
        m_nObjectSchema = nSchemaSave;
        throw;
    }
    m_nObjectSchema = nSchemaSave;
    return pOb;
}
