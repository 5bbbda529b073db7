#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The fuzzer's input as a file, since the readers take paths: one file per process, rewritten for each
// input, in a folder of its own under TMPDIR (removed at exit).
class FuzzFile {
public:
    explicit FuzzFile(const std::string& name);
    ~FuzzFile();
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;

    // Writes the bytes and returns the file's path.
    const std::string& write(const std::uint8_t* data, std::size_t size);

private:
    std::string m_folder;
    std::string m_path;
};
