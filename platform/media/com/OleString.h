#pragma once
// Wide strings as property bags hand them out, the VARIANT that carries them,
// and the conversion to the narrow code page.

#include <string>
#include <string_view>

#include "platform/media/com/Unknown.h"

using BSTR = wchar_t*;

// A copy of `text` that the receiver frees with SysFreeString; null for null.
BSTR SysAllocString(const wchar_t* text);
void SysFreeString(BSTR text);  // null is allowed

using VARTYPE = unsigned short;
inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_BSTR = 8;

struct VARIANT {
  VARTYPE vt;
  union {
    BSTR bstrVal;
    long lVal;
  };
};

void VariantInit(VARIANT* value);
// Frees what the value owns and leaves it VT_EMPTY.
HRESULT VariantClear(VARIANT* value);

// The system's narrow code page: the C library's current locale (LC_CTYPE).
inline constexpr unsigned int CP_ACP = 0;

// Converts `wideChars` characters of `wide` (-1: up to and including its
// terminating NUL) to the narrow code page. With outBytes 0, returns the bytes
// needed and writes nothing. Otherwise writes at most outBytes bytes, whole
// characters only; a character the code page cannot represent becomes the
// first byte of `defaultChar` ('?' when null), so "" makes it a NUL. Returns
// the bytes written, or 0 when they did not all fit: the output then ends with
// a NUL within outBytes all the same, so it is always a terminated string.
// Only CP_ACP with flags 0 is handled.
int WideCharToMultiByte(unsigned int codePage, unsigned long flags, const wchar_t* wide,
                        int wideChars, char* out, int outBytes, const char* defaultChar,
                        bool* usedDefault);

namespace media {
// Device names come as UTF-8; bytes that are not valid UTF-8 become U+FFFD.
std::wstring WideFromUtf8(std::string_view utf8);
}  // namespace media
