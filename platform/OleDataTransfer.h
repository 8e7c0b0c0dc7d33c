#pragma once
// OLE data transfer: the clipboard and drag-and-drop through data objects.
//
//   CSharedFile     a growable memory file in global memory, the block a
//                   clipboard or a drop hands over.
//   COleDataSource  offers data (global memory blocks, rendered at once) as
//                   an IDataObject; it goes onto the clipboard or is dragged.
//   COleDataObject  reads a format from an IDataObject: the clipboard's, or
//                   the one a drop brings.
//   COleDropTarget  makes a window accept drops: it implements IDropTarget
//                   and calls its virtual OnDragEnter/OnDragOver/OnDragLeave/
//                   OnDrop/OnDragScroll with the point in the window's
//                   client coordinates.
//   COleDropSource  decides when a drag ends (button released: drop;
//                   Escape: cancel).
//
// OLE must be initialised on the calling thread (AfxOleInit, or OleInitialize
// by the control that needs it). Everything runs on that thread.
#include <windows.h>
#include <ole2.h>
#include "platform/core/kvExport.h"
#include "platform/core/File.h"
#include "platform/CmdTarget.h"
#include "platform/Geometry.h"

#include <vector>

class CWnd;
class COleDropSource;

typedef DWORD DROPEFFECT;

// ------------------------------------------------------------------ COleInterfaceMember

// The IUnknown part of an OLE interface that an object implements through a
// member: it answers IUnknown and the interface's own id with itself and
// counts references with the owner's InternalAddRef / InternalRelease.
template <class I, class OWNER, const IID& riidThis>
class COleInterfaceMember : public I
{
public:
    OWNER* m_pOwner = nullptr;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, riidThis))
        {
            *ppv = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return (ULONG)m_pOwner->InternalAddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return (ULONG)m_pOwner->InternalRelease(); }
};

// ------------------------------------------------------------------ CSharedFile

// A CMemFile whose memory is one global memory block, locked while the file
// holds it; reading, writing, seeking and growth are CMemFile's.
class KVVX_API CSharedFile : public CMemFile
{
public:
    // The memory grows in steps of at least nGrowBytes (geometrically for
    // large files, so writing n bytes costs time linear in n).
    explicit CSharedFile(UINT nAllocFlags = GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // Takes over hGlobal; its GlobalSize() bytes are the file's data. With
    // bAllowGrow writes past the end reallocate the block; without, they
    // throw CMemoryException*. The file frees the block unless detached.
    void SetHandle(HGLOBAL hGlobal, BOOL bAllowGrow = TRUE);
    // Gives up the block, shrunk to exactly GetLength() bytes; the caller
    // owns it (GlobalFree). The file is empty afterwards. NULL when empty.
    HGLOBAL Detach();

    // Frees the block; the file stays usable (and growable as before).
    void Close() override;

protected:
    BYTE* Alloc(SIZE_T nBytes) override;
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    void Free(BYTE* lpMem) override;

private:
    UINT m_nAllocFlags;
    UINT m_nGrowStep;       // m_nGrowBytes while growing is allowed
    HGLOBAL m_hGlobal;
};

// ------------------------------------------------------------------ COleDataSource

class KVVX_API COleDataSource : public CCmdTarget
{
public:
    COleDataSource();
    // Frees the cached blocks. Prefer InternalRelease: the clipboard or a
    // drop target may still hold the object.
    ~COleDataSource() override;

    // Offers hGlobal in cfFormat (as TYMED_HGLOBAL, aspect content). The
    // source owns the block from now on; each request gets a copy. A format
    // offered again replaces the earlier block.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = NULL);
    // Drops every cached block.
    void Empty();

    // Puts the source on the clipboard. The clipboard takes the object over
    // in every case: the caller's reference is given up, and the object is
    // deleted when the clipboard lets it go (or at once when it cannot be put
    // there). FALSE when the clipboard refused it.
    BOOL SetClipboard();
    // Renders what the clipboard holds from a data source into the
    // clipboard itself, so it outlives the source and OLE on this thread.
    static void FlushClipboard();
    // The data source of this process on the clipboard, or NULL.
    static COleDataSource* GetClipboardOwner();

    // Runs the modal drag loop with this data; dwEffects are the effects
    // offered. The effect the drop target performed, DROPEFFECT_NONE when
    // the drag was cancelled or the target refused it.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE,
                          LPCRECT lpRectStartDrag = NULL, COleDropSource* pDropSource = NULL);

    // The data object interface (with a new reference for the caller).
    LPDATAOBJECT GetDataObject();

    // Reference counting of the object: it starts with one reference, the
    // creator's; the last release deletes it.
    DWORD InternalAddRef();
    DWORD InternalRelease();

private:
    struct Entry
    {
        FORMATETC fmt;
        HGLOBAL hGlobal;
    };
    const Entry* Find(const FORMATETC* pFmt) const;

    class XDataObject : public COleInterfaceMember<IDataObject, COleDataSource, IID_IDataObject>
    {
    public:
        STDMETHODIMP GetData(FORMATETC* pFmt, STGMEDIUM* pMedium) override;
        STDMETHODIMP GetDataHere(FORMATETC* pFmt, STGMEDIUM* pMedium) override;
        STDMETHODIMP QueryGetData(FORMATETC* pFmt) override;
        STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* pIn, FORMATETC* pOut) override;
        STDMETHODIMP SetData(FORMATETC* pFmt, STGMEDIUM* pMedium, BOOL fRelease) override;
        STDMETHODIMP EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override;
        STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
        STDMETHODIMP DUnadvise(DWORD) override;
        STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override;
    };

    XDataObject m_xDataObject;
    std::vector<Entry> m_entries;
    LONG m_dwRef;
};

// ------------------------------------------------------------------ COleDataObject

class KVVX_API COleDataObject
{
public:
    COleDataObject();
    ~COleDataObject();

    // Wraps lpDataObject; with bAutoRelease the wrapper releases it.
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    // Wraps the clipboard's current data object; FALSE when there is none.
    BOOL AttachClipboard();
    BOOL IsAttached() const { return m_lpDataObject != NULL; }

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);
    // The data in cfFormat as a global memory block the caller owns
    // (GlobalFree), or NULL. GlobalSize of the block may exceed the data.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL);

private:
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    LPDATAOBJECT m_lpDataObject;
    BOOL m_bAutoRelease;
};

// ------------------------------------------------------------------ COleDropSource

class KVVX_API COleDropSource : public CCmdTarget
{
public:
    COleDropSource();
    ~COleDropSource() override;

    // S_OK to go on, DRAGDROP_S_DROP to drop (the button went up),
    // DRAGDROP_S_CANCEL to cancel (Escape, or the other button pressed).
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    // DRAGDROP_S_USEDEFAULTCURSORS: the system's drag cursors.
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);

    IDropSource* GetInterface() { return &m_xDropSource; }

    // The drop source lives as long as its owner (on the stack of the drag):
    // the count is kept for the interface's sake only.
    DWORD InternalAddRef() { return (DWORD)::InterlockedIncrement(&m_dwRef); }
    DWORD InternalRelease() { return (DWORD)::InterlockedDecrement(&m_dwRef); }

private:
    class XDropSource : public COleInterfaceMember<IDropSource, COleDropSource, IID_IDropSource>
    {
    public:
        STDMETHODIMP QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
        STDMETHODIMP GiveFeedback(DWORD dwEffect) override;
    };
    XDropSource m_xDropSource;
    LONG m_dwRef;
};

// ------------------------------------------------------------------ COleDropTarget

class KVVX_API COleDropTarget : public CCmdTarget
{
public:
    COleDropTarget();
    // Revokes a registration still in place.
    ~COleDropTarget() override;

    // Registers the object as drop target of pWnd's window; FALSE when the
    // window has none or the system refuses.
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    // The drop-target notifications; point is in pWnd's client coordinates,
    // dwKeyState holds the MK_ bits. The defaults refuse (none / FALSE).
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // Asked first on every move: an answer with DROPEFFECT_SCROLL is the
    // effect (OnDragOver is then not called). The default: DROPEFFECT_NONE.
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    HWND GetRegisteredHwnd() const { return m_hWnd; }

    // The target is a member of its window's object and lives as long as
    // that: the count is kept for the interface's sake only.
    DWORD InternalAddRef() { return (DWORD)::InterlockedIncrement(&m_dwRef); }
    DWORD InternalRelease() { return (DWORD)::InterlockedDecrement(&m_dwRef); }

private:
    CWnd* TargetWnd() const;
    CPoint ToClient(POINTL pt) const;

    class XDropTarget : public COleInterfaceMember<IDropTarget, COleDropTarget, IID_IDropTarget>
    {
    public:
        STDMETHODIMP DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHODIMP DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHODIMP DragLeave() override;
        STDMETHODIMP Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    };
    XDropTarget m_xDropTarget;
    LONG m_dwRef;
    HWND m_hWnd;
    COleDataObject m_dataObject;   // the data of the drag in progress
};
