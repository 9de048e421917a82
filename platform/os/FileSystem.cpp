#include "platform/os/FileSystem.h"

#include <cerrno>
#include <mutex>
#include <sys/stat.h>
#include <utility>

namespace os {
namespace {

std::mutex g_observerMutex;
FileOpObserver g_observer;

// Reports one call to the test observer, keeping errno as the call left it
// so the caller still sees why it failed.
bool Report(FileOp op, const std::string& path, bool result)
{
    FileOpObserver observer;
    {
        std::lock_guard lock(g_observerMutex);
        observer = g_observer;
    }
    if (observer) {
        const int savedErrno = errno;
        observer(op, path, result);
        errno = savedErrno;
    }
    return result;
}

}  // namespace

bool IsDirectory(const std::string& path)
{
    struct stat st {};
    const bool result = stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    return Report(FileOp::IsDirectory, path, result);
}

bool PathExists(const std::string& path)
{
    struct stat st {};
    const bool result = lstat(path.c_str(), &st) == 0;
    return Report(FileOp::PathExists, path, result);
}

bool CreateDirectory(const std::string& path)
{
    const bool result = mkdir(path.c_str(), 0777) == 0;
    return Report(FileOp::CreateDirectory, path, result);
}

bool SetNormalAttributes(const std::string& path)
{
    // Linux folders carry no read-only, hidden or archive flags of that
    // kind; a folder just made by mkdir already has the plain permissions
    // the user's umask asks for, and changing them would override the user.
    // So there is nothing to set: only say whether the path is there.
    struct stat st {};
    const bool result = lstat(path.c_str(), &st) == 0;
    return Report(FileOp::SetNormalAttributes, path, result);
}

void SetFileOpObserverForTesting(FileOpObserver observer)
{
    std::lock_guard lock(g_observerMutex);
    g_observer = std::move(observer);
}

void ClearFileOpObserverForTesting()
{
    std::lock_guard lock(g_observerMutex);
    g_observer = nullptr;
}

}  // namespace os
