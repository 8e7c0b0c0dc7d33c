#include "platform/core/Object.h"
#include "platform/core/Exceptions.h"

#include <cstring>

// CObject's class record: no base, not creatable, not serialisable.
CRuntimeClass CObject::classCObject = {
    "CObject", sizeof(CObject), 0xFFFF, NULL, NULL, NULL };

static const AFX_CLASSINIT _kvvx_init_CObject(&CObject::classCObject);

namespace {

// Head of the registry list; a function-local static so that registrations
// from any translation unit's static initialisers find it ready.
CRuntimeClass*& RegistryHead()
{
    static CRuntimeClass* s_pFirstClass = NULL;
    return s_pFirstClass;
}

} // namespace

void AfxClassInit(CRuntimeClass* pNewClass)
{
    if (pNewClass == NULL)
        return;
    CRuntimeClass*& head = RegistryHead();
    for (CRuntimeClass* p = head; p != NULL; p = p->m_pNextClass)
    {
        if (p == pNewClass)
            return;
    }
    pNewClass->m_pNextClass = head;
    head = pNewClass;
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    AfxClassInit(pNewClass);
}

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (pBaseClass == NULL)
        return FALSE;
    const CRuntimeClass* pClassThis = this;
    while (pClassThis != NULL)
    {
        if (pClassThis == pBaseClass)
            return TRUE;
        pClassThis = pClassThis->GetBaseClass();
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    for (CRuntimeClass* p = RegistryHead(); p != NULL; p = p->m_pNextClass)
    {
        if (strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return p;
    }
    return NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != NULL ? pClass->CreateObject() : NULL;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::classCObject;
}

CRuntimeClass* PASCAL CObject::GetThisClass()
{
    return &CObject::classCObject;
}

CObject::~CObject() {}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive& ar)
{
    (void)ar;
}

void CObject::AssertValid() const
{
}

CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    if (pObject != NULL && pObject->IsKindOf(pClass))
        return pObject;
    return NULL;
}
