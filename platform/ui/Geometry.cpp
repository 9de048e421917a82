#include "platform/ui/Geometry.h"

#include <cstdint>
#include <cstdlib>

int MulDiv(int a, int b, int c)
{
    if (c == 0) {
        return -1;
    }
    const std::int64_t product = std::int64_t(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c);
    return int(negative ? -magnitude : magnitude);
}
