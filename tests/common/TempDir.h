#pragma once
// The temporary folder of every test: a fresh folder under the system's
// temporary folder, removed with all it holds when the object goes, even
// where a test left files or folders read-only. Builds for Windows too (the
// logo tests run under Wine), where there is no mkdtemp and no mode bits.

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#ifdef _WIN32
#include <random>
#endif

namespace testing_support {

class TempDir {
public:
#ifdef _WIN32
    TempDir()
    {
        // A random name, taken only when the folder is new.
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::filesystem::path candidate =
                std::filesystem::temp_directory_path() / ("lumivane-test-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                m_path = candidate;
                return;
            }
        }
        throw std::runtime_error("cannot make a temporary folder");
    }
    ~TempDir()
    {
        std::error_code ignored;
        for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(m_path, ignored);
    }
#else
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
#endif
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Host path of a file or folder inside, relative with '/'.
    std::string File(const std::string& relative) const { return (m_path / relative).string(); }

private:
    std::filesystem::path m_path;
};

}  // namespace testing_support
