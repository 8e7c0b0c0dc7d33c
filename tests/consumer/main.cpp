// Built against the installed package only: proves the headers, the import
// library and the DLL work together for a host application.
#include "platform/core/kvExport.h"
#include "datafiles/EnvHelpers.h"
#include "datafiles/ReadText.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

int Fail(const char* what)
{
    std::printf("consumer: FAILED: %s\n", what);
    return 1;
}

} // namespace

int main()
{
    CString name = kvGetFileNameWithoutPath("C:\\data\\img01.bmp");
    if (std::strcmp(name.GetString(), "img01") != 0)
        return Fail("kvGetFileNameWithoutPath");

    // A CReadText round trip on a small file written here.
    const std::string path = (std::filesystem::temp_directory_path() / "kvvx-consumer-table.txt").string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return Fail("cannot write the table file");
    std::fputs("name,value,\nalpha,1,\nbeta,2,\n", f);
    std::fclose(f);

    tagBaseTextFormatStrcT fmt = {};
    fmt.sep.bComma = 1;
    fmt.nStartCol = 1;
    fmt.nStartLine = 2;   // one header line
    fmt.nColCount = 2;
    CReadText reader;
    short rows = 0;
    char cell[256] = "";
    const bool ok = reader.BeginReadText(path.c_str(), fmt, 2, rows) == 1 && rows == 2 &&
                    reader.GetTextData(1, 0, cell) == 1 && std::strcmp(cell, "beta") == 0 &&
                    reader.GetTextData(0, 1, cell) == 1 && std::strcmp(cell, "1") == 0 &&
                    reader.GetTextData(2, 0, cell) == 0;
    reader.EndReadText();
    std::remove(path.c_str());
    if (!ok)
        return Fail("CReadText round trip");

    std::printf("consumer: ok\n");
    return 0;
}
