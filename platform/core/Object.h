#pragma once

// CObject, the root of the framework's class tree, and CRuntimeClass, its
// run-time type record: class name, object size, schema number, base class,
// optional dynamic creation, and a registry of every class declared with
// IMPLEMENT_DYNAMIC / IMPLEMENT_DYNCREATE / IMPLEMENT_SERIAL (so a class can be
// found and created by name: CRuntimeClass::FromName, CreateObject(name)).
//
//   class CShape : public CObject { DECLARE_SERIAL(CShape) ... };
//   IMPLEMENT_SERIAL(CShape, CObject, 1)            // in one .cpp file
//   pObj->IsKindOf(RUNTIME_CLASS(CShape));
//
// RUNTIME_CLASS(X) calls X::GetThisClass(), so it also works for classes of
// the DLL seen from a program that uses it.

#include "platform/core/WinTypes.h"

class CObject;
class CArchive;

struct KVVX_API CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                         // 0xFFFF: not serialisable
    CObject* (PASCAL* m_pfnCreateObject)(); // NULL: no dynamic creation
    CRuntimeClass* (PASCAL* m_pfnGetBaseClass)();
    CRuntimeClass* m_pNextClass;            // registry link (set at start-up)

    CRuntimeClass* GetBaseClass() const
    {
        return m_pfnGetBaseClass != NULL ? (*m_pfnGetBaseClass)() : NULL;
    }
    // A new object of this class, or NULL when the class has no CreateObject.
    // Out of memory throws CMemoryException*.
    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    BOOL IsDynamicCreatable() const { return m_pfnCreateObject != NULL; }

    // Registry look-up by exact (case-sensitive) class name; NULL if unknown.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    // FromName(name)->CreateObject(), or NULL.
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);

    // Class tags of archives (used by CArchive::WriteObject/ReadObject).
    void Store(CArchive& ar) const;
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Registers a class with the registry (used by the IMPLEMENT_ macros).
struct KVVX_API AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};
KVVX_API void AfxClassInit(CRuntimeClass* pNewClass);

#define VERSIONABLE_SCHEMA (0x80000000)

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name) \
protected: \
    static CRuntimeClass* PASCAL _GetBaseClass(); \
public: \
    static CRuntimeClass class##class_name; \
    static CRuntimeClass* PASCAL GetThisClass(); \
    virtual CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass* PASCAL class_name::_GetBaseClass() \
        { return RUNTIME_CLASS(base_class_name); } \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class class_name), (UINT)(wSchema), pfnNew, \
        &class_name::_GetBaseClass, NULL }; \
    CRuntimeClass* PASCAL class_name::GetThisClass() \
        { return &class_name::class##class_name; } \
    CRuntimeClass* class_name::GetRuntimeClass() const \
        { return &class_name::class##class_name; } \
    static const AFX_CLASSINIT _kvvx_init_##class_name(&class_name::class##class_name);

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& pOb) \
        { pOb = (class_name*)ar.ReadObject(RUNTIME_CLASS(class_name)); return ar; }

class KVVX_API CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

public:
    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    // Overridables. The base Serialize does nothing.
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;

    static CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL GetThisClass();
};

// Dynamic down-cast: the pointer when pObject is a class_name, else NULL.
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
KVVX_API CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
