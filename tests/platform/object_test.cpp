// CObject / CRuntimeClass: kind tests, dynamic creation, look-up by name,
// and exceptions of the library's classes caught through their base class.
#include "test_util.h"

#include <gtest/gtest.h>

namespace {

class CShapeBase : public CObject
{
    DECLARE_DYNAMIC(CShapeBase)
public:
    int m_nBase = 1;
};
IMPLEMENT_DYNAMIC(CShapeBase, CObject)

class CCircleTest : public CShapeBase
{
    DECLARE_DYNCREATE(CCircleTest)
public:
    int m_nRadius = 5;
};
IMPLEMENT_DYNCREATE(CCircleTest, CShapeBase)

class CSquareTest : public CShapeBase
{
    DECLARE_SERIAL(CSquareTest)
public:
    int m_nSide = 3;
};
IMPLEMENT_SERIAL(CSquareTest, CShapeBase, 2)

} // namespace

TEST(CObjectTest, RuntimeClassRecords)
{
    CRuntimeClass* pClass = RUNTIME_CLASS(CCircleTest);
    EXPECT_STREQ(pClass->m_lpszClassName, "CCircleTest");
    EXPECT_EQ(pClass->m_nObjectSize, (int)sizeof(CCircleTest));
    EXPECT_EQ(pClass->m_wSchema, 0xFFFFu);
    EXPECT_EQ(pClass->GetBaseClass(), RUNTIME_CLASS(CShapeBase));
    EXPECT_EQ(RUNTIME_CLASS(CShapeBase)->GetBaseClass(), RUNTIME_CLASS(CObject));
    EXPECT_EQ(RUNTIME_CLASS(CObject)->GetBaseClass(), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CSquareTest)->m_wSchema, 2u);

    EXPECT_TRUE(pClass->IsDerivedFrom(RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(pClass->IsDerivedFrom(RUNTIME_CLASS(CShapeBase)));
    EXPECT_TRUE(pClass->IsDerivedFrom(pClass));
    EXPECT_FALSE(pClass->IsDerivedFrom(RUNTIME_CLASS(CSquareTest)));
    EXPECT_FALSE(RUNTIME_CLASS(CShapeBase)->IsDerivedFrom(pClass));
    EXPECT_FALSE(pClass->IsDerivedFrom(NULL));
}

TEST(CObjectTest, IsKindOfAndDowncast)
{
    CCircleTest circle;
    CObject* pOb = &circle;
    EXPECT_EQ(pOb->GetRuntimeClass(), RUNTIME_CLASS(CCircleTest));
    EXPECT_TRUE(pOb->IsKindOf(RUNTIME_CLASS(CCircleTest)));
    EXPECT_TRUE(pOb->IsKindOf(RUNTIME_CLASS(CShapeBase)));
    EXPECT_TRUE(pOb->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(pOb->IsKindOf(RUNTIME_CLASS(CSquareTest)));
    EXPECT_FALSE(pOb->IsKindOf(RUNTIME_CLASS(CFile)));
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShapeBase, pOb), &circle);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CSquareTest, pOb), nullptr);
    EXPECT_FALSE(pOb->IsSerializable());
    CSquareTest square;
    EXPECT_TRUE(square.IsSerializable());
}

TEST(CObjectTest, DynamicCreation)
{
    CObject* p = RUNTIME_CLASS(CCircleTest)->CreateObject();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CCircleTest)));
    EXPECT_EQ(static_cast<CCircleTest*>(p)->m_nRadius, 5);
    delete p;

    EXPECT_FALSE(RUNTIME_CLASS(CShapeBase)->IsDynamicCreatable());
    EXPECT_EQ(RUNTIME_CLASS(CShapeBase)->CreateObject(), nullptr);

    // By name, through the registry.
    EXPECT_EQ(CRuntimeClass::FromName("CSquareTest"), RUNTIME_CLASS(CSquareTest));
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
    EXPECT_EQ(CRuntimeClass::FromName("CFileException"), RUNTIME_CLASS(CFileException));
    EXPECT_EQ(CRuntimeClass::FromName("NoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(NULL), nullptr);
    CObject* q = CRuntimeClass::CreateObject("CSquareTest");
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(static_cast<CSquareTest*>(q)->m_nSide, 3);
    delete q;
    EXPECT_EQ(CRuntimeClass::CreateObject("CShapeBase"), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("NoSuchClass"), nullptr);
}

TEST(CObjectTest, LibraryClassesAcrossTheModuleBoundary)
{
    CFileException* pFileEx = new CFileException(CFileException::diskFull, 112, "x.dat");
    EXPECT_TRUE(pFileEx->IsKindOf(RUNTIME_CLASS(CException)));
    EXPECT_TRUE(pFileEx->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(pFileEx->IsKindOf(RUNTIME_CLASS(CArchiveException)));
    EXPECT_STREQ(pFileEx->GetRuntimeClass()->m_lpszClassName, "CFileException");
    pFileEx->Delete();

    CMemFile mem;
    EXPECT_TRUE(mem.IsKindOf(RUNTIME_CLASS(CFile)));
    CStdioFile sf;
    EXPECT_TRUE(sf.IsKindOf(RUNTIME_CLASS(CFile)));
    EXPECT_FALSE(sf.IsKindOf(RUNTIME_CLASS(CMemFile)));
}

TEST(CExceptionTest, ThrownInLibraryCaughtAsBase)
{
    bool caught = false;
    try
    {
        AfxThrowFileException(CFileException::accessDenied, 5, "secret.txt");
    }
    catch (CException* e)
    {
        caught = true;
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        CFileException* fe = static_cast<CFileException*>(e);
        EXPECT_EQ(fe->m_cause, CFileException::accessDenied);
        EXPECT_EQ(fe->m_lOsError, 5);
        EXPECT_STREQ(fe->m_strFileName, "secret.txt");
        char msg[128];
        UINT help = 99;
        EXPECT_TRUE(e->GetErrorMessage(msg, sizeof(msg), &help));
        EXPECT_STREQ(msg, "Access to secret.txt was denied.");
        EXPECT_EQ(help, 0u);
        char tiny[8];
        EXPECT_TRUE(e->GetErrorMessage(tiny, sizeof(tiny)));
        EXPECT_STREQ(tiny, "Access ");              // truncated, terminated
        e->Delete();
    }
    EXPECT_TRUE(caught);

    EXPECT_TRUE(kvvx_test::Throws<CMemoryException>([] { AfxThrowMemoryException(); }));
    EXPECT_TRUE(kvvx_test::Throws<CNotSupportedException>([] { AfxThrowNotSupportedException(); }));
    EXPECT_TRUE(kvvx_test::Throws<CResourceException>([] { AfxThrowResourceException(); }));
    EXPECT_TRUE(kvvx_test::Throws<CInvalidArgException>([] { AfxThrowInvalidArgException(); }));
    EXPECT_EQ(kvvx_test::CauseOf<CArchiveException>([] { AfxThrowArchiveException(CArchiveException::badIndex); }),
              CArchiveException::badIndex);

    CMemoryException mem;
    char msg[64];
    EXPECT_TRUE(mem.GetErrorMessage(msg, sizeof(msg)));
    EXPECT_STREQ(msg, "Out of memory.");
    CFileException unnamed(CFileException::fileNotFound);
    EXPECT_STREQ(unnamed.GetErrorMessageString(), "An unnamed file was not found.");
}

TEST(CExceptionTest, CauseMappings)
{
    EXPECT_EQ(CFileException::OsErrorToException(0), CFileException::none);
    EXPECT_EQ(CFileException::OsErrorToException(2), CFileException::fileNotFound);
    EXPECT_EQ(CFileException::OsErrorToException(3), CFileException::badPath);
    EXPECT_EQ(CFileException::OsErrorToException(4), CFileException::tooManyOpenFiles);
    EXPECT_EQ(CFileException::OsErrorToException(5), CFileException::accessDenied);
    EXPECT_EQ(CFileException::OsErrorToException(32), CFileException::sharingViolation);
    EXPECT_EQ(CFileException::OsErrorToException(33), CFileException::lockViolation);
    EXPECT_EQ(CFileException::OsErrorToException(38), CFileException::endOfFile);
    EXPECT_EQ(CFileException::OsErrorToException(39), CFileException::diskFull);
    EXPECT_EQ(CFileException::OsErrorToException(112), CFileException::diskFull);
    EXPECT_EQ(CFileException::OsErrorToException(131), CFileException::badSeek);
    EXPECT_EQ(CFileException::OsErrorToException(99999), CFileException::genericException);
    EXPECT_EQ(CFileException::ErrnoToException(0), CFileException::none);
    EXPECT_EQ(CFileException::ErrnoToException(ENOENT), CFileException::fileNotFound);
    EXPECT_EQ(CFileException::ErrnoToException(ENOSPC), CFileException::diskFull);
    EXPECT_EQ(CFileException::ErrnoToException(EACCES), CFileException::accessDenied);
    EXPECT_EQ(CFileException::ErrnoToException(EMFILE), CFileException::tooManyOpenFiles);
    EXPECT_EQ(CFileException::ErrnoToException(EBADF), CFileException::invalidFile);
    EXPECT_EQ(kvvx_test::CauseOf<CFileException>([] { CFileException::ThrowOsError(112, "f"); }),
              CFileException::diskFull);
    EXPECT_EQ(kvvx_test::CauseOf<CFileException>([] { CFileException::ThrowErrno(ENOENT, "f"); }),
              CFileException::fileNotFound);
    // Error 0 is no error: nothing thrown.
    EXPECT_EQ(kvvx_test::CauseOf<CFileException>([] { CFileException::ThrowOsError(0); }), -1000);
}
