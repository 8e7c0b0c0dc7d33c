// The application profile in both stores: the registry (read back with the
// system's reg tool) and an INI file (read back as a file).
#include <gtest/gtest.h>
#include "fw_test_support.h"
#include <stdio.h>

namespace {


std::string ReadFileText(const std::string& path)
{
    std::string s;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return s;
    char buf[512];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
        s.append(buf, n);
    fclose(f);
    return s;
}

std::string TempPath(const char* name)
{
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

class CProfileApp : public CWinApp
{
public:
    CProfileApp() : CWinApp("KvVXProfileTest") {}
};

}  // namespace

TEST(Profile, RegistryStoreIsTheRealRegistry)
{
    CProfileApp app;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KvVXTestCompany");
    app.SetRegistryKey("KvVXTestCompany");
    EXPECT_STREQ(app.m_pszProfileName, "KvVXProfileTest");

    EXPECT_TRUE(app.WriteProfileInt("Bars", "Width", 321));
    EXPECT_TRUE(app.WriteProfileInt("Bars", "Negative", -5));
    EXPECT_TRUE(app.WriteProfileString("Bars", "Title", "Region list"));
    BYTE blob[5] = {0x00, 0x01, 0xAB, 0xFF, 0x10};
    EXPECT_TRUE(app.WriteProfileBinary("Bars", "State", blob, sizeof(blob)));

    EXPECT_EQ(app.GetProfileInt("Bars", "Width", 0), 321u);
    EXPECT_EQ((int)app.GetProfileInt("Bars", "Negative", 0), -5);
    EXPECT_EQ(app.GetProfileInt("Bars", "Missing", 17), 17u);
    EXPECT_EQ(app.GetProfileInt("Bars", "Title", 9), 9u);  // a string is not a number
    EXPECT_STREQ((LPCSTR)app.GetProfileString("Bars", "Title"), "Region list");
    EXPECT_STREQ((LPCSTR)app.GetProfileString("Bars", "Nope", "dflt"), "dflt");
    LPBYTE p = nullptr;
    UINT n = 0;
    ASSERT_TRUE(app.GetProfileBinary("Bars", "State", &p, &n));
    ASSERT_EQ(n, 5u);
    EXPECT_EQ(memcmp(p, blob, 5), 0);
    delete[] p;
    EXPECT_FALSE(app.GetProfileBinary("Bars", "Width", &p, &n));  // not binary
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(n, 0u);
    EXPECT_FALSE(app.GetProfileBinary("Bars", "State", nullptr, &n));

    std::string out = RunAndCapture("reg query HKCU\\Software\\KvVXTestCompany\\KvVXProfileTest\\Bars");
    EXPECT_NE(out.find("Width"), std::string::npos) << out;
    EXPECT_NE(out.find("REG_DWORD"), std::string::npos) << out;
    EXPECT_NE(out.find("0x141"), std::string::npos) << out;  // 321
    EXPECT_NE(out.find("Region list"), std::string::npos) << out;
    EXPECT_NE(out.find("REG_BINARY"), std::string::npos) << out;
    EXPECT_NE(out.find("0001ABFF10"), std::string::npos) << out;

    // Deleting an entry, then the section.
    EXPECT_TRUE(app.WriteProfileString("Bars", "Title", nullptr));
    EXPECT_STREQ((LPCSTR)app.GetProfileString("Bars", "Title", "gone"), "gone");
    EXPECT_TRUE(app.WriteProfileString("Bars", nullptr, nullptr));
    EXPECT_EQ(app.GetProfileInt("Bars", "Width", 0), 0u);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KvVXTestCompany");
}

TEST(Profile, IniStoreIsAFile)
{
    CProfileApp app;
    std::string path = TempPath("kvvx_profile_test.ini");
    ::DeleteFileA(path.c_str());
    app.SetProfileName(path.c_str());

    EXPECT_TRUE(app.WriteProfileInt("ListCtrls", "Col0", 120));
    EXPECT_TRUE(app.WriteProfileString("ListCtrls", "Name", "Mean red"));
    BYTE blob[4] = {0xDE, 0xAD, 0x00, 0x7F};
    EXPECT_TRUE(app.WriteProfileBinary("ListCtrls", "Widths", blob, sizeof(blob)));

    std::string text = ReadFileText(path);
    EXPECT_NE(text.find("[ListCtrls]"), std::string::npos) << text;
    EXPECT_NE(text.find("Col0=120"), std::string::npos) << text;
    EXPECT_NE(text.find("Name=Mean red"), std::string::npos) << text;
    EXPECT_NE(text.find("Widths=DEAD007F"), std::string::npos) << text;

    EXPECT_EQ(app.GetProfileInt("ListCtrls", "Col0", 0), 120u);
    EXPECT_EQ(app.GetProfileInt("ListCtrls", "Col9", 33), 33u);
    EXPECT_STREQ((LPCSTR)app.GetProfileString("ListCtrls", "Name"), "Mean red");
    LPBYTE p = nullptr;
    UINT n = 0;
    ASSERT_TRUE(app.GetProfileBinary("ListCtrls", "Widths", &p, &n));
    ASSERT_EQ(n, 4u);
    EXPECT_EQ(memcmp(p, blob, 4), 0);
    delete[] p;

    // Values damaged by hand are refused, not half-read.
    FILE* f = fopen(path.c_str(), "ab");
    ASSERT_NE(f, nullptr);
    fputs("[Broken]\r\nOdd=ABC\r\nBad=ZZ11\r\n", f);
    fclose(f);
    EXPECT_FALSE(app.GetProfileBinary("Broken", "Odd", &p, &n));
    EXPECT_FALSE(app.GetProfileBinary("Broken", "Bad", &p, &n));
    EXPECT_EQ(p, nullptr);
    EXPECT_FALSE(app.GetProfileBinary("Broken", "Missing", &p, &n));

    // A long value comes back whole.
    std::string longValue(3000, 'x');
    EXPECT_TRUE(app.WriteProfileString("Long", "Value", longValue.c_str()));
    EXPECT_EQ(std::string((LPCSTR)app.GetProfileString("Long", "Value")), longValue);
    ::DeleteFileA(path.c_str());
}

TEST(Profile, ApplicationObjects)
{
    // Without a host application the library's own object answers.
    ASSERT_NE(AfxGetLibraryApp(), nullptr);
    EXPECT_EQ(AfxGetApp(), AfxGetLibraryApp());
    EXPECT_STREQ(AfxGetApp()->m_pszAppName, "kvVXComBase");
    {
        CProfileApp host;
        EXPECT_EQ(AfxGetApp(), &host);
        EXPECT_STREQ(AfxGetAppName(), "KvVXProfileTest");
        EXPECT_EQ(AfxGetInstanceHandle(), ::GetModuleHandleA(nullptr));
        EXPECT_NE(AfxGetLibraryInstance(), AfxGetInstanceHandle());
    }
    EXPECT_EQ(AfxGetApp(), AfxGetLibraryApp());
}
