#pragma once
// The few file-system questions and changes the recording folders need.
// Each call reports success as a bool and leaves errno as the failing system
// call set it.

#include <functional>
#include <string>

namespace os {

// True when `path` names a folder (a symbolic link to a folder counts).
bool IsDirectory(const std::string& path);

// True when anything stands under `path`: a file, a folder, or a symbolic
// link, even one whose target is missing, since a folder could not be
// created there either.
bool PathExists(const std::string& path);

// Creates one folder (not its parents), mode 0777 under the umask.
bool CreateDirectory(const std::string& path);

// Gives a folder or file plain attributes. True when `path` exists.
bool SetNormalAttributes(const std::string& path);

// Tests can watch every call above, in order, with its path and result.
enum class FileOp { IsDirectory, PathExists, CreateDirectory, SetNormalAttributes };
using FileOpObserver = std::function<void(FileOp op, const std::string& path, bool result)>;
void SetFileOpObserverForTesting(FileOpObserver observer);
void ClearFileOpObserverForTesting();

}  // namespace os
