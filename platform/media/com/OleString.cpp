#include "platform/media/com/OleString.h"

#include <climits>
#include <cstring>
#include <cwchar>
#include <new>

BSTR SysAllocString(const wchar_t* text) {
  if (!text) return nullptr;
  const size_t chars = std::wcslen(text) + 1;
  auto* copy = new (std::nothrow) wchar_t[chars];
  if (copy) std::wmemcpy(copy, text, chars);
  return copy;
}

void SysFreeString(BSTR text) { delete[] text; }

void VariantInit(VARIANT* value) {
  if (!value) return;
  value->vt = VT_EMPTY;
  value->bstrVal = nullptr;
}

HRESULT VariantClear(VARIANT* value) {
  if (!value) return E_POINTER;
  if (value->vt == VT_BSTR) SysFreeString(value->bstrVal);
  VariantInit(value);
  return S_OK;
}

int WideCharToMultiByte(unsigned int codePage, unsigned long flags, const wchar_t* wide,
                        int wideChars, char* out, int outBytes, const char* defaultChar,
                        bool* usedDefault) {
  if (usedDefault) *usedDefault = false;
  if (codePage != CP_ACP || flags != 0 || !wide || wideChars < -1 || wideChars == 0 ||
      outBytes < 0 || (outBytes > 0 && !out))
    return 0;
  const size_t count = wideChars < 0 ? std::wcslen(wide) + 1 : size_t(wideChars);
  const char fallback = defaultChar ? defaultChar[0] : '?';

  std::mbstate_t state{};
  size_t written = 0;
  size_t lastStart = 0;  // where the last whole character written begins
  for (size_t i = 0; i < count; ++i) {
    char bytes[MB_LEN_MAX];
    size_t n = std::wcrtomb(bytes, wide[i], &state);
    if (n == size_t(-1)) {
      state = std::mbstate_t{};
      bytes[0] = fallback;
      n = 1;
      if (usedDefault) *usedDefault = true;
    }
    if (outBytes == 0) {
      written += n;
      continue;
    }
    if (written + n > size_t(outBytes)) {
      // Too long for the buffer: keep whole characters and end within it.
      out[written < size_t(outBytes) ? written : lastStart] = '\0';
      return 0;
    }
    std::memcpy(out + written, bytes, n);
    lastStart = written;
    written += n;
  }
  return written > size_t(INT_MAX) ? 0 : int(written);
}

namespace media {

std::wstring WideFromUtf8(std::string_view utf8) {
  std::wstring wide;
  wide.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    int extra = -1;
    char32_t cp = 0;
    if (lead < 0x80) {
      extra = 0, cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, cp = lead & 0x07;
    }
    bool valid = extra >= 0 && i + size_t(extra) < utf8.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + size_t(k)]);
      valid = (next & 0xC0) == 0x80;
      cp = (cp << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (valid) valid = cp >= kLeast[extra] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    if (valid) {
      wide.push_back(static_cast<wchar_t>(cp));
      i += size_t(extra) + 1;
    } else {
      wide.push_back(L'\uFFFD');
      ++i;
    }
  }
  return wide;
}

}  // namespace media
