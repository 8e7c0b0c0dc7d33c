#include "platform/core/SmallBlock.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#  define KVVX_SMALLBLOCK_POOL 0
#elif defined(__has_feature)
#  if __has_feature(address_sanitizer)
#    define KVVX_SMALLBLOCK_POOL 0
#  endif
#endif
#ifndef KVVX_SMALLBLOCK_POOL
#  define KVVX_SMALLBLOCK_POOL 1
#endif

namespace kvvx_detail
{
#if KVVX_SMALLBLOCK_POOL
namespace
{
const size_t kGranule = 16;
const int kClasses = 4;                         // 16, 32, 48, 64 bytes
const size_t kLargest = kGranule * kClasses;
const size_t kChunkBytes = 64 * 1024;

struct Chunk
{
    Chunk* pNext;
    void* pad;                                  // keeps the blocks 16-byte aligned
};

struct SizeClass
{
    void* pFree;            // free blocks, linked through their first bytes
    Chunk* pChunks;
    size_t nChunks;
    size_t nLive;           // blocks handed out
};

// A size class keeps up to this many chunks when its last block is freed, so
// a string that is made and freed over and over does not allocate and
// release a chunk each time.
const size_t kKeptChunks = 16;

// Plain data, ready before any constructor runs, never destroyed: strings
// freed during static destruction still find it.
SizeClass g_classes[kClasses];
std::atomic_flag g_lock = ATOMIC_FLAG_INIT;

struct Lock
{
    Lock()
    {
        while (g_lock.test_and_set(std::memory_order_acquire))
            std::this_thread::yield();
    }
    ~Lock() { g_lock.clear(std::memory_order_release); }
};

inline int ClassOf(size_t nBytes)
{
    return nBytes == 0 || nBytes > kLargest ? -1 : (int)((nBytes - 1) / kGranule);
}

void* PoolAlloc(int nClass)
{
    Lock lock;
    SizeClass& sc = g_classes[nClass];
    if (sc.pFree == NULL)
    {
        Chunk* pChunk = (Chunk*)malloc(kChunkBytes);
        if (pChunk == NULL)
            return NULL;
        pChunk->pNext = sc.pChunks;
        sc.pChunks = pChunk;
        sc.nChunks++;
        const size_t nBlock = kGranule * (size_t)(nClass + 1);
        char* pFirst = (char*)pChunk + sizeof(Chunk);
        size_t nBlocks = (kChunkBytes - sizeof(Chunk)) / nBlock;
        for (size_t i = nBlocks; i-- > 0;)
        {
            void* pBlock = pFirst + i * nBlock;
            *(void**)pBlock = sc.pFree;
            sc.pFree = pBlock;
        }
    }
    void* p = sc.pFree;
    sc.pFree = *(void**)p;
    sc.nLive++;
    return p;
}

void PoolFree(void* p, int nClass)
{
    Lock lock;
    SizeClass& sc = g_classes[nClass];
    *(void**)p = sc.pFree;
    sc.pFree = p;
    if (--sc.nLive == 0 && sc.nChunks > kKeptChunks)
    {
        Chunk* pChunk = sc.pChunks;
        while (pChunk != NULL)
        {
            Chunk* pNext = pChunk->pNext;
            free(pChunk);
            pChunk = pNext;
        }
        sc.pChunks = NULL;
        sc.pFree = NULL;
        sc.nChunks = 0;
    }
}
} // namespace
#endif // KVVX_SMALLBLOCK_POOL

void* SmallBlockAlloc(size_t nBytes)
{
#if KVVX_SMALLBLOCK_POOL
    int nClass = ClassOf(nBytes);
    if (nClass >= 0)
        return PoolAlloc(nClass);
#endif
    return malloc(nBytes);
}

void* SmallBlockRealloc(void* p, size_t nOldBytes, size_t nNewBytes)
{
    if (p == NULL)
        return SmallBlockAlloc(nNewBytes);
#if KVVX_SMALLBLOCK_POOL
    int nOld = ClassOf(nOldBytes);
    int nNew = ClassOf(nNewBytes);
    if (nOld < 0 && nNew < 0)
        return realloc(p, nNewBytes);
    if (nOld == nNew)
        return p;
    void* pNew = SmallBlockAlloc(nNewBytes);
    if (pNew == NULL)
        return NULL;
    memcpy(pNew, p, nOldBytes < nNewBytes ? nOldBytes : nNewBytes);
    SmallBlockFree(p, nOldBytes);
    return pNew;
#else
    (void)nOldBytes;
    return realloc(p, nNewBytes);
#endif
}

void SmallBlockFree(void* p, size_t nBytes)
{
    if (p == NULL)
        return;
#if KVVX_SMALLBLOCK_POOL
    int nClass = ClassOf(nBytes);
    if (nClass >= 0)
    {
        PoolFree(p, nClass);
        return;
    }
#else
    (void)nBytes;
#endif
    free(p);
}
} // namespace kvvx_detail
