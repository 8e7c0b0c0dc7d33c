#pragma once

// Scratch folder for the data-file tests: created fresh for each test and
// removed with everything in it afterwards.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace kvtest {

// A path on a device that accepts the open but fails every write for lack
// of space. Wine maps drive Z: to the Linux root.
#ifdef _WIN32
inline const char* FullDiskPath() { return "Z:\\dev\\full"; }
#else
inline const char* FullDiskPath() { return "/dev/full"; }
#endif

// A file that opens but fails every read with an I/O error: the memory of
// the process that opened it, read at address 0 (under Wine that process is
// the wineserver, which opens files on the program's behalf).
#ifdef _WIN32
inline const char* UnreadablePath() { return "Z:\\proc\\self\\mem"; }
#else
inline const char* UnreadablePath() { return "/proc/self/mem"; }
#endif

class TempDir
{
public:
    TempDir()
    {
        std::random_device rd;
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path p = std::filesystem::temp_directory_path() /
                                      ("kvvx-data-" + std::to_string(rd()) + std::to_string(attempt));
            std::error_code ec;
            if (std::filesystem::create_directory(p, ec)) {
                m_dir = p;
                return;
            }
        }
        ADD_FAILURE() << "cannot create a scratch folder";
    }
    ~TempDir()
    {
        std::error_code ec;
        if (!m_dir.empty())
            std::filesystem::remove_all(m_dir, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    // Writes bytes exactly as given (binary) and returns the path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        std::string p = Path(name);
        std::ofstream f(p, std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return p;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream f(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_dir;
};

} // namespace kvtest
