// OLE data transfer: shared memory files, data sources, data objects, drop
// sources and drop targets.

#include "platform/OleDataTransfer.h"
#include "platform/Wnd.h"
#include "platform/core/Exceptions.h"

#include <shlobj.h>
#include <string.h>

// ================================================================== CSharedFile

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes == 0 ? 4096 : nGrowBytes), m_nAllocFlags(nAllocFlags),
      m_nGrowStep(nGrowBytes == 0 ? 4096 : nGrowBytes), m_hGlobal(NULL)
{
}

// The base destructor frees with free(): the block goes back here.
CSharedFile::~CSharedFile()
{
    Close();
}

void CSharedFile::SetHandle(HGLOBAL hGlobal, BOOL bAllowGrow)
{
    Close();
    m_nGrowBytes = bAllowGrow ? m_nGrowStep : 0;
    if (hGlobal == NULL)
        return;
    BYTE* p = (BYTE*)::GlobalLock(hGlobal);
    if (p == NULL)
    {
        // A block that cannot be locked is no file: give it back untouched.
        AfxThrowMemoryException();
    }
    m_hGlobal = hGlobal;
    m_lpBuffer = p;
    m_nBufferSize = m_nFileSize = ::GlobalSize(hGlobal);
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
}

HGLOBAL CSharedFile::Detach()
{
    if (m_hGlobal != NULL && m_lpBuffer != NULL)
        ::GlobalUnlock(m_hGlobal);
    HGLOBAL h = m_hGlobal;
    if (h != NULL && m_nFileSize < m_nBufferSize && m_nFileSize > 0)
    {
        HGLOBAL hShrunk = ::GlobalReAlloc(h, m_nFileSize, GMEM_MOVEABLE);
        if (hShrunk != NULL)
            h = hShrunk;
    }
    if (h != NULL && m_nFileSize == 0)
    {
        ::GlobalFree(h);
        h = NULL;
    }
    m_hGlobal = NULL;
    m_lpBuffer = NULL;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    return h;
}

void CSharedFile::Close()
{
    UINT nGrowBytes = m_nGrowBytes;
    CMemFile::Close();
    m_nGrowBytes = nGrowBytes;
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    if (m_hGlobal != NULL)
        return Realloc(m_lpBuffer, nBytes);
    HGLOBAL h = ::GlobalAlloc(m_nAllocFlags, nBytes);
    if (h == NULL)
        return NULL;
    BYTE* p = (BYTE*)::GlobalLock(h);
    if (p == NULL)
    {
        ::GlobalFree(h);
        return NULL;
    }
    m_hGlobal = h;
    return p;
}

// A moveable block is unlocked while it is reallocated and locked again
// afterwards, also when reallocating fails (the data stays where it was).
BYTE* CSharedFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    if (m_hGlobal == NULL)
        return lpMem == NULL ? Alloc(nBytes) : NULL;
    ::GlobalUnlock(m_hGlobal);
    HGLOBAL h = ::GlobalReAlloc(m_hGlobal, nBytes, GMEM_MOVEABLE);
    if (h != NULL)
        m_hGlobal = h;
    BYTE* p = (BYTE*)::GlobalLock(m_hGlobal);
    if (p == NULL)
    {
        // The block cannot be reached any more: the file is empty.
        ::GlobalFree(m_hGlobal);
        m_hGlobal = NULL;
        m_lpBuffer = NULL;
        m_nBufferSize = m_nFileSize = m_nPosition = 0;
        return NULL;
    }
    if (h == NULL)
    {
        m_lpBuffer = p;
        return NULL;
    }
    return p;
}

void CSharedFile::Free(BYTE* lpMem)
{
    (void)lpMem;
    if (m_hGlobal == NULL)
        return;
    ::GlobalUnlock(m_hGlobal);
    ::GlobalFree(m_hGlobal);
    m_hGlobal = NULL;
}

// ================================================================== helpers

// A copy of a global memory block (same size), or NULL.
static HGLOBAL CopyGlobal(HGLOBAL hSrc)
{
    SIZE_T n = ::GlobalSize(hSrc);
    HGLOBAL hDst = ::GlobalAlloc(GMEM_MOVEABLE, n == 0 ? 1 : n);
    if (hDst == NULL)
        return NULL;
    void* pSrc = ::GlobalLock(hSrc);
    void* pDst = ::GlobalLock(hDst);
    if (pSrc == NULL || pDst == NULL)
    {
        if (pSrc != NULL)
            ::GlobalUnlock(hSrc);
        if (pDst != NULL)
            ::GlobalUnlock(hDst);
        ::GlobalFree(hDst);
        return NULL;
    }
    memcpy(pDst, pSrc, n);
    ::GlobalUnlock(hSrc);
    ::GlobalUnlock(hDst);
    return hDst;
}

static void FillFormatEtc(FORMATETC& fmt, CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (lpFormatEtc != NULL)
    {
        fmt = *lpFormatEtc;
        fmt.cfFormat = cfFormat;
        return;
    }
    fmt.cfFormat = cfFormat;
    fmt.ptd = NULL;
    fmt.dwAspect = DVASPECT_CONTENT;
    fmt.lindex = -1;
    fmt.tymed = TYMED_HGLOBAL;
}

// The data source on the clipboard put there by this process (one process,
// one clipboard: a plain static is enough).
static COleDataSource* g_pClipboardOwner = NULL;

// ================================================================== COleDataSource

COleDataSource::COleDataSource() : m_dwRef(1)
{
    m_xDataObject.m_pOwner = this;
}

COleDataSource::~COleDataSource()
{
    if (g_pClipboardOwner == this)
        g_pClipboardOwner = NULL;
    Empty();
}

void COleDataSource::Empty()
{
    for (Entry& e : m_entries)
        if (e.hGlobal != NULL)
            ::GlobalFree(e.hGlobal);
    m_entries.clear();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    FORMATETC fmt;
    FillFormatEtc(fmt, cfFormat, lpFormatEtc);
    fmt.tymed = TYMED_HGLOBAL;
    for (Entry& e : m_entries)
    {
        if (e.fmt.cfFormat == cfFormat && e.fmt.dwAspect == fmt.dwAspect)
        {
            if (e.hGlobal != NULL && e.hGlobal != hGlobal)
                ::GlobalFree(e.hGlobal);
            e.hGlobal = hGlobal;
            return;
        }
    }
    m_entries.push_back(Entry{ fmt, hGlobal });
}

const COleDataSource::Entry* COleDataSource::Find(const FORMATETC* pFmt) const
{
    if (pFmt == NULL)
        return NULL;
    for (const Entry& e : m_entries)
    {
        if (e.fmt.cfFormat == pFmt->cfFormat && (pFmt->tymed & TYMED_HGLOBAL) &&
            (pFmt->dwAspect == e.fmt.dwAspect || pFmt->dwAspect == 0))
            return &e;
    }
    return NULL;
}

DWORD COleDataSource::InternalAddRef()
{
    return (DWORD)::InterlockedIncrement(&m_dwRef);
}

DWORD COleDataSource::InternalRelease()
{
    LONG n = ::InterlockedDecrement(&m_dwRef);
    if (n == 0)
        delete this;
    return (DWORD)n;
}

LPDATAOBJECT COleDataSource::GetDataObject()
{
    InternalAddRef();
    return &m_xDataObject;
}

BOOL COleDataSource::SetClipboard()
{
    HRESULT hr = ::OleSetClipboard(&m_xDataObject);
    if (SUCCEEDED(hr))
        g_pClipboardOwner = this;
    InternalRelease();
    return SUCCEEDED(hr);
}

void COleDataSource::FlushClipboard()
{
    if (g_pClipboardOwner != NULL)
        ::OleFlushClipboard();
}

COleDataSource* COleDataSource::GetClipboardOwner()
{
    if (g_pClipboardOwner != NULL && ::OleIsCurrentClipboard(&g_pClipboardOwner->m_xDataObject) != S_OK)
        return NULL;
    return g_pClipboardOwner;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT /*lpRectStartDrag*/, COleDropSource* pDropSource)
{
    COleDropSource defaultSource;
    if (pDropSource == NULL)
        pDropSource = &defaultSource;
    DWORD dwEffect = DROPEFFECT_NONE;
    // Hold a reference of our own while the loop runs: a target may release
    // the data object more often than the system balances.
    InternalAddRef();
    HRESULT hr = ::DoDragDrop(&m_xDataObject, pDropSource->GetInterface(), dwEffects, &dwEffect);
    InternalRelease();
    // A drag that ends over a window that refused it still reports a drop
    // on some systems, with no effect: only the effect counts.
    if (hr != DRAGDROP_S_DROP)
        return DROPEFFECT_NONE;
    return dwEffect & dwEffects;
}

// ---- IDataObject

STDMETHODIMP COleDataSource::XDataObject::GetData(FORMATETC* pFmt, STGMEDIUM* pMedium)
{
    if (pFmt == NULL || pMedium == NULL)
        return E_INVALIDARG;
    const Entry* e = m_pOwner->Find(pFmt);
    if (e == NULL || e->hGlobal == NULL)
        return DV_E_FORMATETC;
    HGLOBAL hCopy = CopyGlobal(e->hGlobal);
    if (hCopy == NULL)
        return E_OUTOFMEMORY;
    pMedium->tymed = TYMED_HGLOBAL;
    pMedium->hGlobal = hCopy;
    pMedium->pUnkForRelease = NULL;
    return S_OK;
}

STDMETHODIMP COleDataSource::XDataObject::GetDataHere(FORMATETC* pFmt, STGMEDIUM* pMedium)
{
    if (pFmt == NULL || pMedium == NULL)
        return E_INVALIDARG;
    const Entry* e = m_pOwner->Find(pFmt);
    if (e == NULL || e->hGlobal == NULL || pMedium->tymed != TYMED_HGLOBAL || pMedium->hGlobal == NULL)
        return DV_E_FORMATETC;
    SIZE_T n = ::GlobalSize(e->hGlobal);
    if (::GlobalSize(pMedium->hGlobal) < n)
        return STG_E_MEDIUMFULL;
    void* pSrc = ::GlobalLock(e->hGlobal);
    void* pDst = ::GlobalLock(pMedium->hGlobal);
    if (pSrc != NULL && pDst != NULL)
        memcpy(pDst, pSrc, n);
    if (pSrc != NULL)
        ::GlobalUnlock(e->hGlobal);
    if (pDst != NULL)
        ::GlobalUnlock(pMedium->hGlobal);
    return (pSrc != NULL && pDst != NULL) ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP COleDataSource::XDataObject::QueryGetData(FORMATETC* pFmt)
{
    return m_pOwner->Find(pFmt) != NULL ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::GetCanonicalFormatEtc(FORMATETC* /*pIn*/, FORMATETC* pOut)
{
    if (pOut != NULL)
        pOut->ptd = NULL;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleDataSource::XDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum)
{
    if (ppEnum == NULL)
        return E_POINTER;
    *ppEnum = NULL;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> fmts;
    for (const Entry& e : m_pOwner->m_entries)
        fmts.push_back(e.fmt);
    return ::SHCreateStdEnumFmtEtc((UINT)fmts.size(), fmts.empty() ? NULL : fmts.data(), ppEnum);
}

STDMETHODIMP COleDataSource::XDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::XDataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::XDataObject::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

// ================================================================== COleDataObject

COleDataObject::COleDataObject() : m_lpDataObject(NULL), m_bAutoRelease(TRUE)
{
}

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT p = m_lpDataObject;
    m_lpDataObject = NULL;
    return p;
}

void COleDataObject::Release()
{
    if (m_lpDataObject != NULL && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = NULL;
}

BOOL COleDataObject::AttachClipboard()
{
    LPDATAOBJECT p = NULL;
    if (FAILED(::OleGetClipboard(&p)) || p == NULL)
        return FALSE;
    Attach(p, TRUE);
    return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC fmt;
    FillFormatEtc(fmt, cfFormat, lpFormatEtc);
    return m_lpDataObject->QueryGetData(&fmt) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return NULL;
    FORMATETC fmt;
    FillFormatEtc(fmt, cfFormat, lpFormatEtc);
    fmt.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium;
    memset(&medium, 0, sizeof(medium));
    if (FAILED(m_lpDataObject->GetData(&fmt, &medium)))
        return NULL;
    if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == NULL)
    {
        ::ReleaseStgMedium(&medium);
        return NULL;
    }
    if (medium.pUnkForRelease == NULL)
        return medium.hGlobal;   // ours to keep
    HGLOBAL hCopy = CopyGlobal(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    return hCopy;
}

// ================================================================== COleDropSource

COleDropSource::COleDropSource() : m_dwRef(1)
{
    m_xDropSource.m_pOwner = this;
}

COleDropSource::~COleDropSource()
{
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed)
        return DRAGDROP_S_CANCEL;
    const DWORD dwButtons = dwKeyState & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
    if (dwButtons == 0)
        return DRAGDROP_S_DROP;
    // A second button pressed during the drag cancels it.
    if (dwButtons != MK_LBUTTON && dwButtons != MK_RBUTTON && dwButtons != MK_MBUTTON)
        return DRAGDROP_S_CANCEL;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT /*dropEffect*/)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

STDMETHODIMP COleDropSource::XDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState)
{
    return m_pOwner->QueryContinueDrag(fEscapePressed, grfKeyState);
}

STDMETHODIMP COleDropSource::XDropSource::GiveFeedback(DWORD dwEffect)
{
    return m_pOwner->GiveFeedback(dwEffect);
}

// ================================================================== COleDropTarget

COleDropTarget::COleDropTarget() : m_dwRef(1), m_hWnd(NULL)
{
    m_xDropTarget.m_pOwner = this;
}

COleDropTarget::~COleDropTarget()
{
    if (m_hWnd != NULL)
        COleDropTarget::Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || m_hWnd != NULL)
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->GetSafeHwnd(), &m_xDropTarget)))
        return FALSE;
    m_hWnd = pWnd->GetSafeHwnd();
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd == NULL)
        return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = NULL;
    m_dataObject.Release();
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*)
{
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

CWnd* COleDropTarget::TargetWnd() const
{
    return m_hWnd != NULL ? CWnd::FromHandle(m_hWnd) : NULL;
}

CPoint COleDropTarget::ToClient(POINTL pt) const
{
    POINT p = { pt.x, pt.y };
    if (m_hWnd != NULL)
        ::ScreenToClient(m_hWnd, &p);
    return CPoint(p.x, p.y);
}

STDMETHODIMP COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                                    DWORD* pdwEffect)
{
    if (pdwEffect == NULL)
        return E_INVALIDARG;
    COleDropTarget* t = m_pOwner;
    CWnd* pWnd = t->TargetWnd();
    if (pWnd == NULL)
    {
        *pdwEffect = DROPEFFECT_NONE;
        return S_OK;
    }
    if (pDataObj != NULL)
        pDataObj->AddRef();
    t->m_dataObject.Attach(pDataObj, TRUE);
    DROPEFFECT e = t->OnDragEnter(pWnd, &t->m_dataObject, grfKeyState, t->ToClient(pt));
    *pdwEffect &= e;
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == NULL)
        return E_INVALIDARG;
    COleDropTarget* t = m_pOwner;
    CWnd* pWnd = t->TargetWnd();
    if (pWnd == NULL)
    {
        *pdwEffect = DROPEFFECT_NONE;
        return S_OK;
    }
    CPoint point = t->ToClient(pt);
    DROPEFFECT e = t->OnDragScroll(pWnd, grfKeyState, point);
    if (e & DROPEFFECT_SCROLL)
        *pdwEffect &= (e | DROPEFFECT_SCROLL);
    else
        *pdwEffect &= t->OnDragOver(pWnd, &t->m_dataObject, grfKeyState, point);
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragLeave()
{
    COleDropTarget* t = m_pOwner;
    CWnd* pWnd = t->TargetWnd();
    if (pWnd != NULL)
        t->OnDragLeave(pWnd);
    t->m_dataObject.Release();
    return S_OK;
}

// The drop is offered to OnDragOver once more (with the keys held at the
// drop) and then to OnDrop; the effect reported back is none unless both
// accept it, so a source never acts (a move never empties it) on a drop
// that did not happen.
STDMETHODIMP COleDropTarget::XDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                               DWORD* pdwEffect)
{
    if (pdwEffect == NULL)
        return E_INVALIDARG;
    COleDropTarget* t = m_pOwner;
    CWnd* pWnd = t->TargetWnd();
    if (pWnd == NULL)
    {
        *pdwEffect = DROPEFFECT_NONE;
        return S_OK;
    }
    if (pDataObj != NULL)
        pDataObj->AddRef();
    t->m_dataObject.Attach(pDataObj, TRUE);
    CPoint point = t->ToClient(pt);
    DROPEFFECT e = t->OnDragOver(pWnd, &t->m_dataObject, grfKeyState, point) & *pdwEffect;
    // One effect only: a move when both are possible and nothing asks for a
    // copy.
    if ((e & DROPEFFECT_MOVE) && (e & DROPEFFECT_COPY))
        e = (grfKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    if (e == DROPEFFECT_NONE)
        t->OnDragLeave(pWnd);
    else if (!t->OnDrop(pWnd, &t->m_dataObject, e, point))
        e = DROPEFFECT_NONE;
    *pdwEffect = e;
    t->m_dataObject.Release();
    return S_OK;
}
