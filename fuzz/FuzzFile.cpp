#include "FuzzFile.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

FuzzFile::FuzzFile(const std::string& name) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/veltrano-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_folder = pattern;
    m_path = m_folder + "/" + name;
}

FuzzFile::~FuzzFile() {
    ::unlink(m_path.c_str());
    ::rmdir(m_folder.c_str());
}

const std::string& FuzzFile::write(const std::uint8_t* data, std::size_t size) {
    std::FILE* out = std::fopen(m_path.c_str(), "wb");
    if (!out)
        throw std::runtime_error("cannot write " + m_path);
    if (size > 0)
        std::fwrite(data, 1, size, out);
    std::fclose(out);
    return m_path;
}
