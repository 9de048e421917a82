#include "platform/os/Locale.h"

#include <clocale>

namespace os {

void SetLocaleFromEnvironment()
{
    if (std::setlocale(LC_ALL, "") == nullptr) {
        std::setlocale(LC_ALL, "C.UTF-8");
    }
}

}  // namespace os
