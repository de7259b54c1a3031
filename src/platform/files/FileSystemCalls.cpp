// The calls of FileApi.h that go to the file system in use, the same in the
// Linux and the Windows build; each build has its own system folders.

#include "platform/files/FileApi.h"

#include "platform/files/FileSystem.h"

namespace platform {

DWORD GetFileAttributesA(const std::string& path)
{
    return CurrentFileSystem().GetAttributes(path);
}

BOOL SetFileAttributesA(const std::string& path, DWORD attributes)
{
    return CurrentFileSystem().SetAttributes(path, attributes) ? TRUE : FALSE;
}

BOOL CopyFileA(const std::string& source, const std::string& target, BOOL failIfExists)
{
    return CurrentFileSystem().Copy(source, target, failIfExists != FALSE) ? TRUE : FALSE;
}

BOOL DeleteFileA(const std::string& path)
{
    return CurrentFileSystem().Delete(path) ? TRUE : FALSE;
}

std::optional<std::string> ResolveHostPath(const std::string& path)
{
    return CurrentFileSystem().Resolve(path);
}

void ReadAheadFiles(const std::vector<std::string>& paths)
{
    CurrentFileSystem().ReadAhead(paths);
}

bool HostPathIsTheFile(const std::string& path)
{
    return CurrentFileSystem().ResolvesToTheFile(path);
}

FileChangeBatch::FileChangeBatch()
{
    CurrentFileSystem().BeginBatch();
}

FileChangeBatch::~FileChangeBatch()
{
    Finish();
}

bool FileChangeBatch::Finish()
{
    if (finished_)
        return true;
    finished_ = true;
    return CurrentFileSystem().EndBatch();
}

}  // namespace platform
