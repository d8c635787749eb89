#include "LogoSettings.h"

#include <algorithm>

int ClampLogoPos(long long value) {
    return static_cast<int>(std::clamp<long long>(value, LOGO_POS_MIN, LOGO_POS_MAX));
}

int ClampLogoSize(long long value) {
    return static_cast<int>(std::clamp<long long>(value, LOGO_SIZE_MIN, LOGO_SIZE_MAX));
}

int ClampLogoLevel(long long value) {
    return static_cast<int>(std::clamp<long long>(value, LOGO_LEVEL_MIN, LOGO_LEVEL_MAX));
}

int ClampLogoTolerance(long long value) {
    return static_cast<int>(std::clamp<long long>(value, LOGO_TOLERANCE_MIN, LOGO_TOLERANCE_MAX));
}

int LogoThreshold(int level) {
    return (100 - level) * 255 / 100;
}
