#include "platform/os/ProgramPath.h"

#include <cwchar>
#include <mutex>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace os {
namespace {

std::mutex g_overrideMutex;
std::optional<std::string> g_overridePath;

// readlink() does not say whether the link text was cut short, only how many
// bytes it wrote; a result that fills the buffer may be cut, so try again
// with twice the room.
std::string ReadSelfExe()
{
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            return {};
        }
        if (static_cast<std::size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(n));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// The kernel marks the link of a program file replaced or removed while it
// runs (an update under way) with this suffix; the folder and the name are
// still those of the path before it.
std::string WithoutDeletedMark(std::string path)
{
    constexpr std::string_view kMark = " (deleted)";
    struct stat st {};
    if (path.size() > kMark.size() && path.compare(path.size() - kMark.size(), kMark.size(), kMark) == 0 &&
        stat(path.c_str(), &st) != 0) {
        path.resize(path.size() - kMark.size());
    }
    return path;
}

}  // namespace

std::string ProgramFilePath()
{
    {
        std::lock_guard lock(g_overrideMutex);
        if (g_overridePath) {
            return *g_overridePath;
        }
    }
    return WithoutDeletedMark(ReadSelfExe());
}

void SetProgramFilePathForTesting(const std::string& path)
{
    std::lock_guard lock(g_overrideMutex);
    g_overridePath = path;
}

void ClearProgramFilePathForTesting()
{
    std::lock_guard lock(g_overrideMutex);
    g_overridePath.reset();
}

std::string::size_type FindLastSeparator(std::string_view path)
{
    std::string::size_type last = std::string::npos;
    std::mbstate_t state{};
    std::size_t i = 0;
    while (i < path.size()) {
        if (path[i] == '/') {
            last = i;
        }
        const std::size_t len = std::mbrlen(path.data() + i, path.size() - i, &state);
        if (len == static_cast<std::size_t>(-1) || len == static_cast<std::size_t>(-2)) {
            // Not a character of this locale: step over the one byte and
            // start afresh, so one bad byte cannot hide the rest.
            state = std::mbstate_t{};
            i += 1;
        } else {
            // 0 is an embedded NUL, one byte long.
            i += len == 0 ? 1 : len;
        }
    }
    return last;
}

std::string ProgramFolder()
{
    const std::string path = ProgramFilePath();
    const auto pos = FindLastSeparator(path);
    if (pos == std::string::npos) {
        return {};
    }
    return path.substr(0, pos);
}

}  // namespace os
