// The file information list reader and line parser on arbitrary bytes.

#include "datafiles/FileInfoList.h"
#include "platform/core/Exceptions.h"

#include "FuzzFile.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const long maxRecords = static_cast<long>(data[0] % 64) - 4;
    std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
    TransFileInfo one;
    kvParseFileInfoLine(line.c_str(), &one);

    const char* path = kvfuzz::WriteScratch(data + 1, size - 1);
    if (!path)
        return 0;
    std::vector<TransFileInfo> recs(64);
    try {
        if (!kvGetFileInfo(CString(path), recs.data(), maxRecords))
            __builtin_trap();   // the file exists
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}
