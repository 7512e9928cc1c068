#include "walldesign/calc/earthpressure.h"

#include "platform/error.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace wd {

namespace {

constexpr double kPi = std::numbers::pi;

// Passive coefficients over phi (degrees, rows) and delta/phi (columns, descending).
constexpr int kPhiCount = 17;
constexpr int kRatioCount = 6;
constexpr double kPhiAxis[kPhiCount] = {0, 10, 12.5, 15, 17.5, 20, 22.5, 25, 27.5, 30, 32.5, 35, 37.5, 40, 42.5, 45, 47.5};
constexpr double kRatioAxis[kRatioCount] = {0, -1.0 / 3.0, -0.5, -2.0 / 3.0, -1.0, -1.1};
constexpr float kKph[kPhiCount][kRatioCount] = {
    {1.00f, 1.00f, 1.00f, 1.00f, 1.00f, 1.00f},       // 0
    {1.42f, 1.51f, 1.56f, 1.60f, 1.65f, 1.65f},       // 10
    {1.55f, 1.69f, 1.75f, 1.82f, 1.90f, 1.90f},       // 12.5
    {1.70f, 1.89f, 1.99f, 2.09f, 2.20f, 2.20f},       // 15
    {1.86f, 2.13f, 2.27f, 2.40f, 2.58f, 2.58f},       // 17.5
    {2.05f, 2.41f, 2.59f, 2.79f, 3.04f, 3.04f},       // 20
    {2.24f, 2.74f, 2.99f, 3.26f, 3.61f, 3.61f},       // 22.5
    {2.46f, 3.13f, 3.47f, 3.85f, 4.34f, 4.34f},       // 25
    {2.72f, 3.59f, 4.07f, 4.58f, 5.28f, 5.28f},       // 27.5
    {3.00f, 4.16f, 4.80f, 5.51f, 6.50f, 6.50f},       // 30
    {3.32f, 4.85f, 5.72f, 6.70f, 8.14f, 8.14f},       // 32.5
    {3.69f, 5.71f, 6.89f, 8.26f, 10.36f, 10.36f},     // 35
    {4.11f, 6.77f, 8.41f, 10.34f, 13.44f, 13.44f},    // 37.5
    {4.60f, 8.12f, 10.40f, 13.18f, 17.85f, 17.85f},   // 40
    {5.17f, 9.90f, 13.09f, 17.13f, 24.34f, 24.34f},   // 42.5
    {5.83f, 12.21f, 16.78f, 22.77f, 34.23f, 34.23f},  // 45
    {5.83f, 12.21f, 16.78f, 22.77f, 34.23f, 34.23f},  // 47.5
};

} // namespace

float ActiveCoefficient(float phi, float delta, float beta)
{
    const double p = phi, d = delta, b = beta;
    const double arg = std::max(0.0, std::sin(p + d) * std::sin(p - b) / (std::cos(d) * std::cos(b)));
    const double root = 1.0 + std::sqrt(arg);
    return static_cast<float>(std::cos(p) * std::cos(p) / (root * root));
}

double PassiveRootArgument(float phi, float delta, float beta)
{
    const double p = phi, d = delta, b = beta;
    return std::sin(p - d) * std::sin(p + b) / (std::cos(d) * std::cos(b));
}

float PassiveCoefficient(float phi, float delta, float beta)
{
    const double arg = PassiveRootArgument(phi, delta, beta);
    if (!(arg < 1.0))
        sps::Raise("Passive earth pressure coefficient cannot be calculated! Reduce Phi, Delta or the inclination.");
    const double root = 1.0 - std::sqrt(std::max(0.0, arg));
    const double p = phi;
    return static_cast<float>(std::cos(p) * std::cos(p) / (root * root));
}

float LookupKph(float phi, float delta)
{
    double p = phi * 180.0 / kPi;
    const double d = delta * 180.0 / kPi;
    if (p > 45.0)
        p = 45.0;
    if (!(p >= 0.0))
        p = 0.0;
    double r = (d != 0.0 && p > 0.0) ? d / p : 0.0;
    if (!(r <= 0.0))
        r = 0.0;

    int i = 0;
    while (i < kPhiCount - 2 && !(kPhiAxis[i] <= p && p < kPhiAxis[i + 1]))
        ++i;
    const double fphi = (p - kPhiAxis[i]) / (kPhiAxis[i + 1] - kPhiAxis[i]);
    auto along_phi = [&](int j) { return kKph[i][j] + (kKph[i + 1][j] - kKph[i][j]) * fphi; };

    // At or beyond the last ratio the last column holds.
    if (r <= kRatioAxis[kRatioCount - 1])
        return static_cast<float>(along_phi(kRatioCount - 1));
    int j = 0;
    while (j < kRatioCount - 2 && !(kRatioAxis[j + 1] < r && r <= kRatioAxis[j]))
        ++j;
    const double a = along_phi(j);
    const double b = along_phi(j + 1);
    return static_cast<float>(a + (b - a) * (r - kRatioAxis[j]) / (kRatioAxis[j + 1] - kRatioAxis[j]));
}

float SurchargeFactor(float beta)
{
    const double b = beta;
    return static_cast<float>(std::cos(b) * std::cos(0.0) / std::cos(0.0 + b));
}

float PassivePressure(float sigma, float k, float cohesion)
{
    return static_cast<float>(double(k) * sigma + 2.0 * cohesion * std::sqrt(double(k)));
}

float ActivePressure(float sigma, float k, float cohesion)
{
    return static_cast<float>(double(k) * sigma - 2.0 * cohesion * std::sqrt(double(k)));
}

float BoussinesqPressure(const TBousq& strip, float z, float k)
{
    double d = double(z) - strip.Depth;
    if (d == 0.0)
        d = 0.01;
    const double t1 = std::atan(strip.Distance / d);
    const double t2 = std::atan((double(strip.Distance) + strip.Width) / d);
    const double dt = t2 - t1;
    return static_cast<float>(2.0 * (strip.Surcharge / kPi) * (dt + std::sin(dt) * std::cos(t1 + t2)) * k);
}

} // namespace wd
