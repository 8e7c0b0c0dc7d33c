#pragma once

// Writes fuzzer input to a scratch file that the readers under test open by
// name. One file per process, rewritten on every run, in TMPDIR when set
// (scripts/fuzz.sh points it at memory) and /tmp otherwise.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace kvfuzz {

inline const std::string& ScratchPath()
{
    static const std::string path = [] {
        const char* dir = std::getenv("TMPDIR");
        return std::string(dir && *dir ? dir : "/tmp") + "/kvvx-fuzz-" + std::to_string(getpid()) + ".dat";
    }();
    return path;
}

inline const char* WriteScratch(const uint8_t* data, size_t size)
{
    const std::string& p = ScratchPath();
    std::FILE* f = std::fopen(p.c_str(), "wb");
    if (!f)
        return nullptr;
    if (size)
        std::fwrite(data, 1, size, f);
    std::fclose(f);
    return p.c_str();
}

} // namespace kvfuzz
