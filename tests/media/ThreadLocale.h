#pragma once
// Switches the calling thread's C library locale for the lifetime of the
// object, so a test can pick the narrow code page without touching others.

#include <clocale>
#include <locale.h>

class ThreadLocale {
 public:
  explicit ThreadLocale(const char* name) : locale_(newlocale(LC_ALL_MASK, name, nullptr)) {
    if (locale_) previous_ = uselocale(locale_);
  }
  ~ThreadLocale() {
    if (!locale_) return;
    uselocale(previous_);
    freelocale(locale_);
  }
  ThreadLocale(const ThreadLocale&) = delete;
  ThreadLocale& operator=(const ThreadLocale&) = delete;

  bool ok() const { return locale_ != nullptr; }

 private:
  locale_t locale_;
  locale_t previous_ = nullptr;
};
