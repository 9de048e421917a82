#pragma once
// Where the running program lives. The recorder keeps its recordings under
// the program's own folder, so this has to name that folder exactly, however
// long its path is and whatever characters its names hold.

#include <string>
#include <string_view>

namespace os {

// Full path of the running program, read from /proc/self/exe (or the path
// set for tests). Never cut at a fixed length. "" when it cannot be read.
std::string ProgramFilePath();

// Makes ProgramFilePath() report `path` until cleared, so tests can put the
// program anywhere without moving the test executable.
void SetProgramFilePathForTesting(const std::string& path);
void ClearProgramFilePathForTesting();

// Position of the last '/' in `path`, or npos when there is none. The walk
// steps over multibyte characters of the C library's current locale, so a
// byte inside a character (the second byte of a double-byte character) is
// never taken for a separator. A byte that does not start a valid, complete
// character counts as one character of its own. Only '/' separates folders:
// a backslash is an ordinary character in a name.
std::string::size_type FindLastSeparator(std::string_view path);

// The program's folder: ProgramFilePath() before its last separator, with no
// trailing separator; "" when the path holds no separator.
std::string ProgramFolder();

}  // namespace os
