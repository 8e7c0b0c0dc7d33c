#pragma once

// The framework's collection classes (header-only templates, not exported):
//
//   CArray<TYPE, ARG_TYPE>            growable array of values
//   CByteArray CWordArray CDWordArray CUIntArray CPtrArray CObArray CStringArray
//   CTypedPtrArray<BASE, TYPE>        typed view over CPtrArray / CObArray
//   CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>  hash map
//   CMapStringToString CMapStringToPtr CMapStringToOb CMapPtrToPtr
//   CMapPtrToWord CMapWordToPtr CMapWordToOb
//   CList<TYPE, ARG_TYPE>             doubly linked list
//   CPtrList CObList CStringList CTypedPtrList<BASE, TYPE>
//
// CArray: elements are value-initialised when the array grows (numbers and
// pointers are 0). Growth is geometric (at least half the current capacity,
// or growBy when that is larger), so Add is amortised O(1) whatever growBy
// is. Indexing out of range (GetAt, SetAt, ElementAt, operator[], RemoveAt
// past the end, negative sizes) throws CInvalidArgException* instead of
// overrunning. An element passed by reference may live in the same array
// (a.Add(a[0]) is safe).
//
// CMap: a hash table of chained nodes; the table doubles when the number of
// entries exceeds its size, so Lookup/SetAt/RemoveKey are O(1) on average.
// HashKey<ARG_KEY>(key) gives a 32-bit hash (integral keys up to 32 bits:
// the key itself; 64-bit keys and pointers: all 64 bits mixed and folded, so
// (row << 32) | col keys spread; char*/CString keys by content); the map
// mixes it further before taking the bucket, so weak
// hashes (sequential integers, keys differing in high bits only) still
// spread. Iteration: POSITION pos = map.GetStartPosition(); while (pos)
// map.GetNextAssoc(pos, key, value); the order is unspecified. Removing the
// entry just returned by GetNextAssoc (RemoveKey(key)) during the iteration
// is safe and the iteration still visits every other entry once; inserting
// new keys during an iteration is not (it may rehash).
//
// Serialize (CArray/CMap/CList): the framework's format, WriteCount then the
// elements; SerializeElements<TYPE> stores CString element-wise, CObject*
// as objects, other trivially copyable types as raw bytes (specialise it for
// other types).

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Archive.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

// ------------------------------------------------------------- helpers

template<class TYPE>
inline void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    if constexpr (std::is_same<TYPE, CString>::value)
    {
        for (INT_PTR i = 0; i < nCount; ++i)
        {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    }
    else if constexpr (std::is_pointer<TYPE>::value
                       && std::is_base_of<CObject, typename std::remove_cv<typename std::remove_pointer<TYPE>::type>::type>::value)
    {
        typedef typename std::remove_cv<typename std::remove_pointer<TYPE>::type>::type OBJ;
        for (INT_PTR i = 0; i < nCount; ++i)
        {
            if (ar.IsStoring())
                ar.WriteObject(pElements[i]);
            else
                pElements[i] = static_cast<TYPE>(ar.ReadObject(RUNTIME_CLASS(OBJ)));
        }
    }
    else
    {
        static_assert(std::is_trivially_copyable<TYPE>::value,
                      "SerializeElements: specialise it for this element type");
        // In pieces: a byte count never overflows UINT.
        BYTE* p = (BYTE*)(void*)pElements;
        ULONGLONG nBytes = (ULONGLONG)nCount * sizeof(TYPE);
        while (nBytes > 0)
        {
            UINT n = nBytes > 0x40000000ull ? 0x40000000u : (UINT)nBytes;
            if (ar.IsStoring())
                ar.Write(p, n);
            else
                ar.EnsureRead(p, n);
            p += n;
            nBytes -= n;
        }
    }
}

template<class TYPE, class ARG_TYPE>
inline BOOL CompareElements(const TYPE* pElement1, const typename std::remove_reference<ARG_TYPE>::type* pElement2)
{
    return *pElement1 == *pElement2;
}

template<class TYPE>
inline void CopyElements(TYPE* pDest, const TYPE* pSrc, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i)
        pDest[i] = pSrc[i];
}

namespace kvvx_detail {

inline UINT HashBytes(const char* p)
{
    // FNV-1a over the bytes up to the terminating zero.
    UINT h = 2166136261u;
    if (p != NULL)
    {
        for (; *p != '\0'; ++p)
        {
            h ^= (BYTE)*p;
            h *= 16777619u;
        }
    }
    return h;
}

// 64 bits to 32 with every input bit affecting the result (murmur3
// fmix64), so keys such as (row << 32) | col do not collide when folded.
inline UINT Fold64(unsigned long long v)
{
    v ^= v >> 33;
    v *= 0xff51afd7ed558ccdull;
    v ^= v >> 33;
    v *= 0xc4ceb9fe1a85ec53ull;
    v ^= v >> 33;
    return (UINT)v;
}

// Final avalanche (murmur3 fmix32): spreads any 32-bit hash over all bits.
inline UINT MixHash(UINT h)
{
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    h ^= h >> 16;
    return h;
}

inline void* AllocArray(size_t nElements, size_t nElementSize)
{
    if (nElements != 0 && nElementSize > ((size_t)-1) / nElements)
        AfxThrowMemoryException();
    void* p = malloc(nElements * nElementSize != 0 ? nElements * nElementSize : 1);
    if (p == NULL)
        AfxThrowMemoryException();
    return p;
}

template<class T> struct IsCStringLike
{
    typedef typename std::remove_cv<typename std::remove_reference<T>::type>::type D;
    static const bool value = std::is_same<D, CString>::value || std::is_same<D, char*>::value
                           || std::is_same<D, const char*>::value;
};

} // namespace kvvx_detail

// The hash of a key (the framework's customisation point: specialise it for
// key types of your own, e.g. template<> UINT HashKey<const CPoint&>(const CPoint& k)).
template<class ARG_KEY>
inline UINT HashKey(ARG_KEY key)
{
    typedef typename std::remove_cv<typename std::remove_reference<ARG_KEY>::type>::type K;
    if constexpr (kvvx_detail::IsCStringLike<ARG_KEY>::value)
    {
        return kvvx_detail::HashBytes((const char*)key);
    }
    else if constexpr (std::is_integral<K>::value || std::is_enum<K>::value)
    {
        if constexpr (sizeof(K) <= sizeof(UINT))
            return (UINT)key;
        else
            return kvvx_detail::Fold64((unsigned long long)key);
    }
    else if constexpr (std::is_pointer<K>::value)
    {
        return kvvx_detail::Fold64((unsigned long long)(uintptr_t)key);
    }
    else
    {
        static_assert(std::is_integral<K>::value, "HashKey: specialise HashKey for this key type");
        return 0;
    }
}

// ================================================================ CArray

template<class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    virtual ~CArray() { DestroyAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        if (nNewSize == 0)
        {
            DestroyAll();
            return;
        }
        if (nNewSize > m_nMaxSize)
            Reallocate(GrownCapacity(nNewSize));
        if (nNewSize > m_nSize)
        {
            INT_PTR i = m_nSize;
            try
            {
                for (; i < nNewSize; ++i)
                    ::new ((void*)(m_pData + i)) TYPE();
            }
            catch (...)
            {
                for (INT_PTR j = m_nSize; j < i; ++j)
                    m_pData[j].~TYPE();
                throw;
            }
        }
        else
        {
            for (INT_PTR i = nNewSize; i < m_nSize; ++i)
                m_pData[i].~TYPE();
        }
        m_nSize = nNewSize;
    }

    void FreeExtra()
    {
        if (m_nSize == m_nMaxSize)
            return;
        if (m_nSize == 0)
        {
            DestroyAll();
            return;
        }
        Reallocate(m_nSize);
    }

    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { CheckIndex(nIndex); m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& ElementAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if (nIndex >= m_nSize)
        {
            TYPE tmp(newElement);       // newElement may live in this array
            SetSize(nIndex + 1, -1);
            m_pData[nIndex] = std::move(tmp);
        }
        else
            m_pData[nIndex] = newElement;
    }

    INT_PTR Add(ARG_TYPE newElement)
    {
        INT_PTR nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }

    INT_PTR Append(const CArray& src)
    {
        INT_PTR nOldSize = m_nSize;
        INT_PTR nCount = src.m_nSize;   // read first: src may be *this
        SetSize(m_nSize + nCount);
        for (INT_PTR i = 0; i < nCount; ++i)
            m_pData[nOldSize + i] = src.m_pData[i];
        return nOldSize;
    }

    void Copy(const CArray& src)
    {
        if (this == &src)
            return;
        SetSize(src.m_nSize);
        for (INT_PTR i = 0; i < m_nSize; ++i)
            m_pData[i] = src.m_pData[i];
    }

    // Inserts nCount copies of newElement at nIndex (past the end: the array
    // grows to nIndex + nCount).
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0)
            AfxThrowInvalidArgException();
        if (nCount == 0)
            return;
        TYPE tmp(newElement);           // newElement may live in this array
        if (nIndex >= m_nSize)
        {
            SetSize(nIndex + nCount, -1);
        }
        else
        {
            INT_PTR nOldSize = m_nSize;
            SetSize(m_nSize + nCount, -1);
            // Shift [nIndex, nOldSize) up by nCount.
            for (INT_PTR i = nOldSize - 1; i >= nIndex; --i)
                m_pData[i + nCount] = std::move(m_pData[i]);
        }
        for (INT_PTR i = 0; i < nCount; ++i)
            m_pData[nIndex + i] = tmp;
    }

    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
    {
        if (pNewArray == NULL || nStartIndex < 0)
            AfxThrowInvalidArgException();
        if (pNewArray->GetSize() <= 0)
            return;
        if (pNewArray == this)
        {
            CArray copy;
            copy.Copy(*this);
            InsertAt(nStartIndex, &copy);
            return;
        }
        InsertAt(nStartIndex, pNewArray->GetAt(0), pNewArray->GetSize());
        for (INT_PTR i = 1; i < pNewArray->GetSize(); ++i)
            m_pData[nStartIndex + i] = pNewArray->m_pData[i];
    }

    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex > m_nSize || nCount > m_nSize - nIndex)
            AfxThrowInvalidArgException();
        if (nCount == 0)
            return;
        for (INT_PTR i = nIndex + nCount; i < m_nSize; ++i)
            m_pData[i - nCount] = std::move(m_pData[i]);
        for (INT_PTR i = m_nSize - nCount; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        m_nSize -= nCount;
    }

    virtual void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring())
        {
            ar.WriteCount((DWORD_PTR)m_nSize);
            SerializeElements<TYPE>(ar, m_pData, m_nSize);
            return;
        }
        DWORD_PTR nCount = ar.ReadCount();
        if (nCount > (DWORD_PTR)(((size_t)-1 >> 1) / sizeof(TYPE)))
            AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        // Grow in pieces that double, starting small, so that a corrupt
        // count ends in endOfFile after work in proportion to the data really
        // there, rather than one huge allocation; a true count costs at most
        // twice the copying of one allocation.
        RemoveAll();
        INT_PTR nDone = 0;
        while ((DWORD_PTR)nDone < nCount)
        {
            const INT_PTR nPiece = nDone < 64 ? 64 : nDone;
            INT_PTR n = (INT_PTR)nCount - nDone < nPiece ? (INT_PTR)nCount - nDone : nPiece;
            SetSize(nDone + n, -1);
            SerializeElements<TYPE>(ar, m_pData + nDone, n);
            nDone += n;
        }
    }

protected:
    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;

private:
    void CheckIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
    }

    INT_PTR GrownCapacity(INT_PTR nNewSize) const
    {
        INT_PTR nGrowBy = m_nGrowBy;
        if (nGrowBy == 0)
        {
            nGrowBy = m_nSize / 8;
            nGrowBy = nGrowBy < 4 ? 4 : (nGrowBy > 1024 ? 1024 : nGrowBy);
        }
        if (m_pData == NULL)
            return nNewSize > nGrowBy ? nNewSize : nGrowBy;
        INT_PTR nNewMax = m_nMaxSize + nGrowBy;
        INT_PTR nGeometric = m_nMaxSize + m_nMaxSize / 2;
        if (nGeometric > nNewMax)
            nNewMax = nGeometric;
        if (nNewMax < nNewSize)
            nNewMax = nNewSize;
        return nNewMax;
    }

    void Reallocate(INT_PTR nNewMax)
    {
        TYPE* pNew = (TYPE*)kvvx_detail::AllocArray((size_t)nNewMax, sizeof(TYPE));
        if constexpr (std::is_trivially_copyable<TYPE>::value)
        {
            if (m_nSize > 0)
                memcpy((void*)pNew, (const void*)m_pData, (size_t)m_nSize * sizeof(TYPE));
        }
        else
        {
            INT_PTR i = 0;
            try
            {
                for (; i < m_nSize; ++i)
                    ::new ((void*)(pNew + i)) TYPE(std::move_if_noexcept(m_pData[i]));
            }
            catch (...)
            {
                for (INT_PTR j = 0; j < i; ++j)
                    pNew[j].~TYPE();
                free((void*)pNew);
                throw;
            }
            for (INT_PTR j = 0; j < m_nSize; ++j)
                m_pData[j].~TYPE();
        }
        free((void*)m_pData);
        m_pData = pNew;
        m_nMaxSize = nNewMax;
    }

    void DestroyAll()
    {
        if (m_pData != NULL)
        {
            for (INT_PTR i = 0; i < m_nSize; ++i)
                m_pData[i].~TYPE();
            free((void*)m_pData);
        }
        m_pData = NULL;
        m_nSize = 0;
        m_nMaxSize = 0;
    }
};

class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CPtrArray : public CArray<void*, void*> {};
class CObArray : public CArray<CObject*, CObject*> {};
class CStringArray : public CArray<CString, const CString&>
{
public:
    INT_PTR Add(LPCTSTR newElement) { return CArray<CString, const CString&>::Add(CString(newElement)); }
    INT_PTR Add(const CString& newElement) { return CArray<CString, const CString&>::Add(newElement); }
};

// A typed view of CPtrArray / CObArray: elements are TYPE (a pointer type).
template<class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return (TYPE&)BASE_CLASS::ElementAt(nIndex); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray<BASE_CLASS, TYPE>& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray<BASE_CLASS, TYPE>& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1) { BASE_CLASS::InsertAt(nIndex, newElement, nCount); }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray<BASE_CLASS, TYPE>* pNewArray) { BASE_CLASS::InsertAt(nStartIndex, pNewArray); }
    TYPE operator[](INT_PTR nIndex) const { return (TYPE)BASE_CLASS::operator[](nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return (TYPE&)BASE_CLASS::operator[](nIndex); }
    const TYPE* GetData() const { return (const TYPE*)BASE_CLASS::GetData(); }
    TYPE* GetData() { return (TYPE*)BASE_CLASS::GetData(); }
};

// ================================================================== CMap

template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
public:
    // One entry (the newer framework's CPair): what PLookup returns.
    struct CPair
    {
        const KEY key;
        VALUE value;
    };

protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;    // full (mixed) hash of the key
        CPair pair;
    };
    struct CPlex            // a block of nodes, chained for release
    {
        CPlex* pNext;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10)
        : m_pHashTable(NULL), m_nHashTableSize(17), m_nInitialSize(17), m_nCount(0),
          m_pFreeList(NULL), m_pBlocks(NULL), m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
    {
    }
    virtual ~CMap() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        UINT nHash;
        CAssoc* pAssoc = GetAssocAt(key, nHash);
        if (pAssoc == NULL)
            return FALSE;
        rValue = pAssoc->pair.value;
        return TRUE;
    }

    // The entry for key, or NULL.
    const CPair* PLookup(ARG_KEY key) const
    {
        UINT nHash;
        return AsPair(GetAssocAt(key, nHash));
    }
    CPair* PLookup(ARG_KEY key)
    {
        UINT nHash;
        return AsPair(GetAssocAt(key, nHash));
    }

    // The value for key, inserted (value-initialised) when missing.
    VALUE& operator[](ARG_KEY key)
    {
        UINT nHash;
        CAssoc* pAssoc = GetAssocAt(key, nHash);
        if (pAssoc != NULL)
            return pAssoc->pair.value;
        if (m_pHashTable == NULL || (UINT)(m_nCount + 1) > m_nHashTableSize)
            GrowTable();
        pAssoc = NewAssoc(key);
        pAssoc->nHashValue = nHash;
        UINT nBucket = nHash & (m_nHashTableSize - 1);
        pAssoc->pNext = m_pHashTable[nBucket];
        m_pHashTable[nBucket] = pAssoc;
        return pAssoc->pair.value;
    }

    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_pHashTable == NULL)
            return FALSE;
        UINT nHash = HashOf(key);
        CAssoc** ppAssocPrev = &m_pHashTable[nHash & (m_nHashTableSize - 1)];
        for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != NULL; pAssoc = pAssoc->pNext)
        {
            if (pAssoc->nHashValue == nHash && CompareElements<KEY, ARG_KEY>(&pAssoc->pair.key, &key))
            {
                *ppAssocPrev = pAssoc->pNext;
                FreeAssoc(pAssoc);
                return TRUE;
            }
            ppAssocPrev = &pAssoc->pNext;
        }
        return FALSE;
    }

    void RemoveAll()
    {
        if (m_pHashTable != NULL)
        {
            for (UINT i = 0; i < m_nHashTableSize; ++i)
            {
                for (CAssoc* p = m_pHashTable[i]; p != NULL; p = p->pNext)
                    p->pair.~CPair();
            }
            free(m_pHashTable);
            m_pHashTable = NULL;
        }
        m_nCount = 0;
        m_nHashTableSize = m_nInitialSize;  // a big table is not kept once empty
        m_pFreeList = NULL;
        while (m_pBlocks != NULL)
        {
            CPlex* pNext = m_pBlocks->pNext;
            free(m_pBlocks);
            m_pBlocks = pNext;
        }
    }

    POSITION GetStartPosition() const
    {
        return m_nCount == 0 ? NULL : BEFORE_START_POSITION;
    }

    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        CAssoc* pAssocRet = (CAssoc*)rNextPosition;
        if (pAssocRet == NULL || m_pHashTable == NULL)
            AfxThrowInvalidArgException();
        if (pAssocRet == (CAssoc*)BEFORE_START_POSITION)
        {
            pAssocRet = FirstFrom(0);
            if (pAssocRet == NULL)
                AfxThrowInvalidArgException();
        }
        CAssoc* pAssocNext = pAssocRet->pNext;
        if (pAssocNext == NULL)
            pAssocNext = FirstFrom((pAssocRet->nHashValue & (m_nHashTableSize - 1)) + 1);
        rNextPosition = (POSITION)pAssocNext;
        rKey = pAssocRet->pair.key;
        rValue = pAssocRet->pair.value;
    }

    // Sizes the table for about hashSize entries (rounded up to a power of
    // two); existing entries are rehashed. bAllocNow FALSE: only remembered.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        UINT n = 16;
        while (n < hashSize && n < 0x40000000u)
            n <<= 1;
        m_nInitialSize = n;
        if (m_pHashTable == NULL && !bAllocNow)
        {
            m_nHashTableSize = n;
            return;
        }
        Rehash(n);
    }

protected:
    static UINT HashOf(ARG_KEY key) { return kvvx_detail::MixHash(HashKey<ARG_KEY>(key)); }

    static CPair* AsPair(CAssoc* p) { return p == NULL ? NULL : &p->pair; }

    CAssoc* FirstFrom(UINT nBucket) const
    {
        for (UINT i = nBucket; i < m_nHashTableSize; ++i)
        {
            if (m_pHashTable[i] != NULL)
                return m_pHashTable[i];
        }
        return NULL;
    }

    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const
    {
        nHash = HashOf(key);
        if (m_pHashTable == NULL)
            return NULL;
        for (CAssoc* pAssoc = m_pHashTable[nHash & (m_nHashTableSize - 1)]; pAssoc != NULL; pAssoc = pAssoc->pNext)
        {
            if (pAssoc->nHashValue == nHash && CompareElements<KEY, ARG_KEY>(&pAssoc->pair.key, &key))
                return pAssoc;
        }
        return NULL;
    }

    void GrowTable()
    {
        UINT n = m_nHashTableSize;
        if (m_pHashTable == NULL)
        {
            // First allocation: the remembered size, a power of two >= 16.
            UINT p = 16;
            while (p < n && p < 0x40000000u)
                p <<= 1;
            Rehash(p);
            return;
        }
        if (n < 0x40000000u)
            Rehash(n * 2);
    }

    void Rehash(UINT nNewSize)
    {
        CAssoc** pNew = (CAssoc**)kvvx_detail::AllocArray(nNewSize, sizeof(CAssoc*));
        memset(pNew, 0, sizeof(CAssoc*) * nNewSize);
        if (m_pHashTable != NULL)
        {
            for (UINT i = 0; i < m_nHashTableSize; ++i)
            {
                CAssoc* p = m_pHashTable[i];
                while (p != NULL)
                {
                    CAssoc* pNext = p->pNext;
                    UINT nBucket = p->nHashValue & (nNewSize - 1);
                    p->pNext = pNew[nBucket];
                    pNew[nBucket] = p;
                    p = pNext;
                }
            }
            free(m_pHashTable);
        }
        m_pHashTable = pNew;
        m_nHashTableSize = nNewSize;
    }

    CAssoc* NewAssoc(ARG_KEY key)
    {
        if (m_pFreeList == NULL)
        {
            // A new block of m_nBlockSize raw nodes.
            size_t nNodes = (size_t)m_nBlockSize;
            size_t nHeader = (sizeof(CPlex) + alignof(CAssoc) - 1) / alignof(CAssoc) * alignof(CAssoc);
            if (nNodes > (((size_t)-1) - nHeader) / sizeof(CAssoc))
                AfxThrowMemoryException();
            CPlex* pBlock = (CPlex*)malloc(nHeader + nNodes * sizeof(CAssoc));
            if (pBlock == NULL)
                AfxThrowMemoryException();
            pBlock->pNext = m_pBlocks;
            m_pBlocks = pBlock;
            CAssoc* pNodes = (CAssoc*)((BYTE*)pBlock + nHeader);
            for (size_t i = nNodes; i-- > 0;)
            {
                pNodes[i].pNext = m_pFreeList;  // raw memory: only pNext is used
                m_pFreeList = &pNodes[i];
            }
        }
        CAssoc* pAssoc = m_pFreeList;
        CAssoc* pNextFree = pAssoc->pNext;
        ::new ((void*)&pAssoc->pair) CPair{ KEY(key), VALUE() };
        m_pFreeList = pNextFree;
        ++m_nCount;
        return pAssoc;
    }

    void FreeAssoc(CAssoc* pAssoc)
    {
        pAssoc->pair.~CPair();
        pAssoc->pNext = m_pFreeList;
        m_pFreeList = pAssoc;
        --m_nCount;
        if (m_nCount == 0)
            RemoveAll();    // release the blocks, as the framework does
    }

public:
    virtual void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring())
        {
            ar.WriteCount((DWORD_PTR)m_nCount);
            if (m_nCount == 0)
                return;
            for (UINT i = 0; i < m_nHashTableSize; ++i)
            {
                for (CAssoc* p = m_pHashTable[i]; p != NULL; p = p->pNext)
                {
                    SerializeElements<KEY>(ar, const_cast<KEY*>(&p->pair.key), 1);
                    SerializeElements<VALUE>(ar, &p->pair.value, 1);
                }
            }
            return;
        }
        DWORD_PTR nNewCount = ar.ReadCount();
        while (nNewCount--)
        {
            KEY newKey{};
            VALUE newValue{};
            SerializeElements<KEY>(ar, &newKey, 1);
            SerializeElements<VALUE>(ar, &newValue, 1);
            SetAt(newKey, newValue);
        }
    }

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;      // a power of two once allocated
    UINT m_nInitialSize;        // what the table starts with (InitHashTable)
    INT_PTR m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;
    INT_PTR m_nBlockSize;
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR>
{
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*>
{
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*>
{
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapPtrToWord : public CMap<void*, void*, WORD, WORD>
{
public:
    explicit CMapPtrToWord(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

// ================================================================= CList

template<class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0) { (void)nBlockSize; }
    virtual ~CList() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { CheckNonEmpty(); return m_pNodeHead->data; }
    const TYPE& GetHead() const { CheckNonEmpty(); return m_pNodeHead->data; }
    TYPE& GetTail() { CheckNonEmpty(); return m_pNodeTail->data; }
    const TYPE& GetTail() const { CheckNonEmpty(); return m_pNodeTail->data; }

    TYPE RemoveHead()
    {
        CheckNonEmpty();
        CNode* pOld = m_pNodeHead;
        TYPE returnValue(std::move(pOld->data));
        Unlink(pOld);
        return returnValue;
    }
    TYPE RemoveTail()
    {
        CheckNonEmpty();
        CNode* pOld = m_pNodeTail;
        TYPE returnValue(std::move(pOld->data));
        Unlink(pOld);
        return returnValue;
    }

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(NULL, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(NULL, newElement); }
    void AddHead(CList* pNewList)
    {
        if (pNewList == NULL) AfxThrowInvalidArgException();
        CList tmp; tmp.AddTail(pNewList);
        for (POSITION pos = tmp.GetTailPosition(); pos != NULL;) AddHead(tmp.GetPrev(pos));
    }
    void AddTail(CList* pNewList)
    {
        if (pNewList == NULL) AfxThrowInvalidArgException();
        INT_PTR n = pNewList->m_nCount;   // pNewList may be this
        CNode* p = pNewList->m_pNodeHead;
        for (INT_PTR i = 0; i < n; ++i, p = p->pNext) AddTail(p->data);
    }

    void RemoveAll()
    {
        CNode* p = m_pNodeHead;
        while (p != NULL)
        {
            CNode* pNext = p->pNext;
            delete p;
            p = pNext;
        }
        m_pNodeHead = m_pNodeTail = NULL;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    TYPE& GetNext(POSITION& rPosition) { CNode* p = NodeOf(rPosition); rPosition = (POSITION)p->pNext; return p->data; }
    const TYPE& GetNext(POSITION& rPosition) const { CNode* p = NodeOf(rPosition); rPosition = (POSITION)p->pNext; return p->data; }
    TYPE& GetPrev(POSITION& rPosition) { CNode* p = NodeOf(rPosition); rPosition = (POSITION)p->pPrev; return p->data; }
    const TYPE& GetPrev(POSITION& rPosition) const { CNode* p = NodeOf(rPosition); rPosition = (POSITION)p->pPrev; return p->data; }
    TYPE& GetAt(POSITION position) { return NodeOf(position)->data; }
    const TYPE& GetAt(POSITION position) const { return NodeOf(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { NodeOf(pos)->data = newElement; }
    void RemoveAt(POSITION position) { Unlink(NodeOf(position)); }

    // NULL position: at the head (InsertBefore) / tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        CNode* pOld = position == NULL ? m_pNodeHead : NodeOf(position);
        CNode* pNew = new CNode{ NULL, NULL, TYPE(newElement) };
        pNew->pNext = pOld;
        pNew->pPrev = pOld != NULL ? pOld->pPrev : NULL;
        if (pNew->pPrev != NULL) pNew->pPrev->pNext = pNew; else m_pNodeHead = pNew;
        if (pOld != NULL) pOld->pPrev = pNew; else m_pNodeTail = pNew;
        ++m_nCount;
        return (POSITION)pNew;
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        CNode* pOld = position == NULL ? m_pNodeTail : NodeOf(position);
        CNode* pNew = new CNode{ NULL, NULL, TYPE(newElement) };
        pNew->pPrev = pOld;
        pNew->pNext = pOld != NULL ? pOld->pNext : NULL;
        if (pNew->pNext != NULL) pNew->pNext->pPrev = pNew; else m_pNodeTail = pNew;
        if (pOld != NULL) pOld->pNext = pNew; else m_pNodeHead = pNew;
        ++m_nCount;
        return (POSITION)pNew;
    }

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const
    {
        CNode* p = startAfter == NULL ? m_pNodeHead : NodeOf(startAfter)->pNext;
        for (; p != NULL; p = p->pNext)
            if (CompareElements<TYPE, ARG_TYPE>(&p->data, &searchValue))
                return (POSITION)p;
        return NULL;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount) return NULL;
        CNode* p = m_pNodeHead;
        while (nIndex--) p = p->pNext;
        return (POSITION)p;
    }

    virtual void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring())
        {
            ar.WriteCount((DWORD_PTR)m_nCount);
            for (CNode* p = m_pNodeHead; p != NULL; p = p->pNext)
                SerializeElements<TYPE>(ar, &p->data, 1);
            return;
        }
        DWORD_PTR nNewCount = ar.ReadCount();
        while (nNewCount--)
        {
            TYPE newData{};
            SerializeElements<TYPE>(ar, &newData, 1);
            AddTail(newData);
        }
    }

protected:
    CNode* NodeOf(POSITION pos) const
    {
        if (pos == NULL || pos == BEFORE_START_POSITION) AfxThrowInvalidArgException();
        return (CNode*)pos;
    }
    void CheckNonEmpty() const { if (m_pNodeHead == NULL) AfxThrowInvalidArgException(); }
    void Unlink(CNode* p)
    {
        if (p->pPrev != NULL) p->pPrev->pNext = p->pNext; else m_pNodeHead = p->pNext;
        if (p->pNext != NULL) p->pNext->pPrev = p->pPrev; else m_pNodeTail = p->pPrev;
        delete p;
        --m_nCount;
    }

    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
};

class CPtrList : public CList<void*, void*>
{
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};
class CObList : public CList<CObject*, CObject*>
{
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};
class CStringList : public CList<CString, const CString&>
{
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
    using CList::AddHead;
    using CList::AddTail;
    POSITION AddHead(LPCTSTR newElement) { return CList::AddHead(CString(newElement)); }
    POSITION AddHead(const CString& newElement) { return CList::AddHead(newElement); }
    POSITION AddTail(LPCTSTR newElement) { return CList::AddTail(CString(newElement)); }
    POSITION AddTail(const CString& newElement) { return CList::AddTail(newElement); }
};

template<class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS
{
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}
    TYPE& GetHead() { return (TYPE&)BASE_CLASS::GetHead(); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return (TYPE&)BASE_CLASS::GetTail(); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    TYPE& GetNext(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetNext(rPosition); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetPrev(rPosition); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return (TYPE&)BASE_CLASS::GetAt(position); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
};
