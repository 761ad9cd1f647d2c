// Maths helpers with the engine's conventions: degrees, screen y downwards.
#include <cmath>
#include <numbers>

#include "engine/omega.h"

namespace {
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
}

// The default rounding mode rounds halves to even; values beyond int saturate.
int M_Round(double value) {
    const double r = std::nearbyint(value);
    if (!(r > -2147483648.0)) return r != r ? 0 : -2147483647 - 1;
    if (r > 2147483647.0) return 2147483647;
    return static_cast<int>(r);
}

float M_Sin(float degrees) { return static_cast<float>(std::sin(degrees * kRadiansPerDegree)); }

float M_Cos(float degrees) { return static_cast<float>(std::cos(degrees * kRadiansPerDegree)); }

float M_Distance(float x1, float y1, float x2, float y2) {
    const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

float M_FindAngle(float x1, float y1, float x2, float y2) {
    double degrees = std::atan2(static_cast<double>(y1) - y2, static_cast<double>(x1) - x2) / kRadiansPerDegree;
    if (degrees < 0) degrees += 360.0;
    if (degrees >= 360.0) degrees -= 360.0;
    return static_cast<float>(degrees);
}

bool Col_PointInCircle(float x, float y, const OE_Circle& circle) {
    const float dx = x - circle.x, dy = y - circle.y;
    return dx * dx + dy * dy < circle.radius * circle.radius;
}

std::string U_IntToStr(int value) { return std::to_string(value); }
