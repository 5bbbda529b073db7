#include "PoissonBinomial.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {
// Half-width of the band of partial sums the programme keeps, in standard deviations of the tilted law,
// plus a few units for laws too narrow for a normal picture. What falls outside is below 1e-20 of the
// result.
constexpr double BandDeviations = 10.0;
constexpr double BandMargin = 24.0;

double tilted(double p, double theta) {
    const double e = std::exp(theta);
    return p * e / (1.0 - p + p * e);
}

// The tilt that moves the mean of the law to x (x above the mean, below the number of trials).
double solveTilt(std::span<const double> ps, double x) {
    double lo = 0.0;
    double hi = 1.0;
    auto meanAt = [&](double theta) {
        double m = 0.0;
        for (double p : ps)
            m += tilted(p, theta);
        return m;
    };
    while (meanAt(hi) < x)
        hi *= 2.0;
    double theta = 0.5 * (lo + hi);
    for (int iter = 0; iter < 200; ++iter) {
        double m = 0.0;
        double v = 0.0;
        for (double p : ps) {
            const double q = tilted(p, theta);
            m += q;
            v += q * (1.0 - q);
        }
        if (m < x)
            lo = theta;
        else
            hi = theta;
        double next = v > 0.0 ? theta - (m - x) / v : 0.5 * (lo + hi);
        if (!(next > lo && next < hi))
            next = 0.5 * (lo + hi);
        if (std::abs(next - theta) < 1e-14 * std::max(1.0, theta) || hi - lo < 1e-15)
            return next;
        theta = next;
    }
    return theta;
}
} // namespace

double poissonBinomialUpperTail(std::span<const double> probabilities, std::int64_t x) {
    std::vector<double> ps;
    ps.reserve(probabilities.size());
    for (double p : probabilities) {
        if (p >= 1.0)
            --x; // a certain success
        else if (p > 0.0)
            ps.push_back(p);
    }
    if (x <= 0)
        return 1.0;
    const auto n = static_cast<std::int64_t>(ps.size());
    if (x > n)
        return 0.0;
    if (x == n) {
        double logP = 0.0;
        for (double p : ps)
            logP += std::log(p);
        return std::exp(logP);
    }
    double mean = 0.0;
    for (double p : ps)
        mean += p;
    const double theta = static_cast<double>(x) > mean ? solveTilt(ps, static_cast<double>(x)) : 0.0;

    // Under the tilted law P'[S = j] = P[S = j] e^(theta j) / M(theta).
    double logM = 0.0;
    double variance = 0.0;
    const double e = std::exp(theta);
    for (double& p : ps) {
        if (theta > 0.0) {
            logM += std::log(1.0 - p + p * e);
            p = tilted(p, theta);
        }
        variance += p * (1.0 - p);
    }
    const double band = BandDeviations * std::sqrt(variance) + BandMargin;

    // a[j] = P'[partial sum = j]; entries above hi are still zero, entries below lo have left the band.
    std::vector<double> a(static_cast<std::size_t>(n) + 1, 0.0);
    a[0] = 1.0;
    std::int64_t lo = 0;
    std::int64_t hi = 0;
    double partialMean = 0.0;
    for (std::int64_t i = 0; i < n; ++i) {
        const double p = ps[static_cast<std::size_t>(i)];
        partialMean += p;
        const std::int64_t newHi =
            std::min<std::int64_t>(i + 1, static_cast<std::int64_t>(std::ceil(partialMean + band)));
        const std::int64_t newLo =
            std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(partialMean - band)));
        for (std::int64_t j = newHi; j >= std::max<std::int64_t>(lo, 1); --j)
            a[j] = a[j] * (1.0 - p) + a[j - 1] * p;
        if (lo == 0)
            a[0] *= 1.0 - p;
        for (std::int64_t j = lo; j < newLo; ++j)
            a[j] = 0.0; // left the band
        lo = std::max(lo, newLo);
        hi = newHi;
    }
    double tail = 0.0;
    for (std::int64_t j = std::max(x, lo); j <= hi; ++j)
        tail += a[j] * std::exp(-theta * static_cast<double>(j - x));
    if (theta == 0.0)
        return std::min(1.0, tail);
    return std::min(1.0, std::exp(logM - theta * static_cast<double>(x)) * tail);
}

double refinedNormalUpperTail(const PoissonBinomialMoments& m, std::int64_t x) {
    if (m.variance <= 0.0)
        return static_cast<double>(x) <= m.mean + 0.5 ? 1.0 : 0.0;
    const double sigma = std::sqrt(m.variance);
    const double gamma = m.third / (sigma * sigma * sigma);
    const double t = (static_cast<double>(x) - 0.5 - m.mean) / sigma;
    const double upper = 0.5 * std::erfc(t / std::numbers::sqrt2);
    const double density = std::exp(-0.5 * t * t) / std::sqrt(2.0 * std::numbers::pi);
    return std::clamp(upper - gamma * (1.0 - t * t) * density / 6.0, 0.0, 1.0);
}
