#pragma once

// Writes fuzzer input to a scratch file that the readers under test open by
// name. One file per process, rewritten on every run.

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace kvfuzz {

inline const std::string& ScratchPath()
{
    static const std::string path = "/tmp/kvvx-fuzz-" + std::to_string(getpid()) + ".dat";
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
