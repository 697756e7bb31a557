#include "TestWaitScale.h"

#include <cstdlib>

namespace {

constexpr int kDecimal = 10;
// More would make a hung test wait for hours before it fails.
constexpr long kLargestFactor = 100;

} // namespace

int TestWaitScale()
{
    const char* text = std::getenv(kTestWaitScaleVariable);
    if (text == nullptr || *text == '\0')
        return 1;
    char* end = nullptr;
    const long factor = std::strtol(text, &end, kDecimal);
    if (*end != '\0' || factor < 1)
        return 1;
    return static_cast<int>(factor < kLargestFactor ? factor : kLargestFactor);
}

int ScaledWaitMs(int ms)
{
    return ms * TestWaitScale();
}
