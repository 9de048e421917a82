#pragma once

namespace os {

// Takes the C library's locale from the environment (LANG, LC_*), so byte
// strings are read in the user's character set. When the environment names a
// locale this system does not have, falls back to C.UTF-8 rather than staying
// in the plain C locale, where every byte above 0x7F would be invalid.
void SetLocaleFromEnvironment();

}  // namespace os
