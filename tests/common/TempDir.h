#pragma once
// The temporary folder of every test: a fresh folder under the system's
// temporary folder, removed with all it holds when the object goes, even
// where a test left files or folders read-only.

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace testing_support {

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lumivane-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder from " + pattern);
        // Open to others as an ordinary folder is: cases that drop root's
        // privileges hand a folder inside to another user.
        ::chmod(pattern.c_str(), 0755);
        m_path = pattern;
    }
    ~TempDir()
    {
        std::error_code ignored;
        ::chmod(m_path.c_str(), 0700);
        for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            if (!it->is_symlink(ignored))
                ::chmod(it->path().c_str(), 0700);
        }
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Host path of a file or folder inside, relative with '/'.
    std::string File(const std::string& relative) const { return (m_path / relative).string(); }

private:
    std::filesystem::path m_path;
};

}  // namespace testing_support
