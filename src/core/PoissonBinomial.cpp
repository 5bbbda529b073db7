#include "core/PoissonBinomial.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {
// Half-width of the bands of sums the programme keeps, in standard deviations, plus a few units for laws
// too narrow for a normal picture. What falls outside is below 1e-15 of the result.
constexpr double BandDeviations = 8.5;
constexpr double BandMargin = 16.0;

// Trials that share one probability: their successes follow a binomial law.
struct Group {
    double p;
    std::int64_t count;
};

double tiltedP(double p, double e) {
    return p * e / (1.0 - p + p * e);
}

// The tilt theta that moves the mean of the law to x (x above the mean, below the number of trials).
double solveTilt(const std::vector<Group>& groups, double x) {
    auto meanAt = [&](double theta) {
        const double e = std::exp(theta);
        double m = 0.0;
        double v = 0.0;
        for (const Group& g : groups) {
            const double q = tiltedP(g.p, e);
            m += g.count * q;
            v += g.count * q * (1.0 - q);
        }
        return std::pair{m, v};
    };
    double lo = 0.0;
    double hi = 1.0;
    while (meanAt(hi).first < x)
        hi *= 2.0;
    double theta = 0.5 * hi;
    for (int iter = 0; iter < 200; ++iter) {
        const auto [m, v] = meanAt(theta);
        if (std::abs(m - x) < 1e-10 * std::max(1.0, x))
            return theta;
        if (m < x)
            lo = theta;
        else
            hi = theta;
        double next = v > 0.0 ? theta - (m - x) / v : 0.5 * (lo + hi);
        if (!(next > lo && next < hi))
            next = 0.5 * (lo + hi);
        if (hi - lo < 1e-15 * std::max(1.0, hi))
            return next;
        theta = next;
    }
    return theta;
}

// The binomial law of `count` trials of probability p over the successes [first, first + size), where it
// is not negligible; built outwards from the mode by the ratio of neighbouring terms, then normalised.
std::vector<double> binomialBand(const Group& g, std::int64_t& first) {
    const double mean = g.count * g.p;
    const double reach = BandDeviations * std::sqrt(mean * (1.0 - g.p)) + BandMargin;
    first = std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(mean - reach)));
    const std::int64_t last =
        std::min<std::int64_t>(g.count, static_cast<std::int64_t>(std::ceil(mean + reach)));
    const std::int64_t mode =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(std::floor((g.count + 1) * g.p)), first, last);
    std::vector<double> pmf(static_cast<std::size_t>(last - first + 1), 0.0);
    const double odds = g.p / (1.0 - g.p);
    pmf[static_cast<std::size_t>(mode - first)] = 1.0;
    for (std::int64_t k = mode; k < last; ++k)
        pmf[static_cast<std::size_t>(k + 1 - first)] = pmf[static_cast<std::size_t>(k - first)] * odds *
                                                       static_cast<double>(g.count - k) /
                                                       static_cast<double>(k + 1);
    for (std::int64_t k = mode; k > first; --k)
        pmf[static_cast<std::size_t>(k - 1 - first)] = pmf[static_cast<std::size_t>(k - first)] / odds *
                                                       static_cast<double>(k) /
                                                       static_cast<double>(g.count - k + 1);
    double sum = 0.0;
    for (double v : pmf)
        sum += v;
    for (double& v : pmf)
        v /= sum;
    return pmf;
}

// The tail of a law given by its groups, sorted by probability, each probability in (0, 1), with
// 0 < x < the number of trials.
double groupedUpperTail(std::vector<Group> groups, std::int64_t x, double mean) {
    const double theta = static_cast<double>(x) > mean ? solveTilt(groups, static_cast<double>(x)) : 0.0;

    // Under the tilted law P'[S = j] = P[S = j] e^(theta j) / M(theta), and x lies in its middle.
    const double e = std::exp(theta);
    double logM = 0.0;
    double variance = 0.0;
    for (Group& g : groups) {
        if (theta > 0.0) {
            logM += g.count * std::log(1.0 - g.p + g.p * e);
            g.p = tiltedP(g.p, e);
        }
        variance += g.count * g.p * (1.0 - g.p);
    }
    const double band = BandDeviations * std::sqrt(variance) + BandMargin;

    // dist[j] = P'[sum so far = lo + j], kept within the band around the mean so far.
    std::vector<double> dist{1.0};
    std::vector<double> next;
    std::int64_t lo = 0;
    double partialMean = 0.0;
    for (const Group& g : groups) {
        partialMean += g.count * g.p;
        std::int64_t first = 0;
        // The inner loops run on plain pointers: they are the whole cost of a sweep's exact p-values.
        if (g.count == 1) {
            // One trial: in place, the commonest step when every chance differs.
            dist.push_back(0.0);
            double* d = dist.data();
            const double q = 1.0 - g.p;
            for (std::size_t j = dist.size() - 1; j > 0; --j)
                d[j] = d[j] * q + d[j - 1] * g.p;
            d[0] *= q;
        } else {
            const std::vector<double> pmf = binomialBand(g, first);
            next.assign(dist.size() + pmf.size() - 1, 0.0);
            const double* d = dist.data();
            const std::size_t size = dist.size();
            for (std::size_t k = 0; k < pmf.size(); ++k) {
                const double w = pmf[k];
                double* out = next.data() + k;
                for (std::size_t j = 0; j < size; ++j)
                    out[j] += d[j] * w;
            }
            dist.swap(next);
        }
        const std::int64_t newLo = lo + first;
        const std::int64_t keepLo =
            std::max(newLo, static_cast<std::int64_t>(std::floor(partialMean - band)));
        const std::int64_t keepHi =
            std::min<std::int64_t>(newLo + static_cast<std::int64_t>(dist.size()) - 1,
                                   static_cast<std::int64_t>(std::ceil(partialMean + band)));
        dist.erase(dist.begin() + (keepHi - newLo) + 1, dist.end());
        dist.erase(dist.begin(), dist.begin() + (keepLo - newLo));
        lo = keepLo;
    }
    double tail = 0.0;
    for (std::size_t j = 0; j < dist.size(); ++j) {
        const std::int64_t s = lo + static_cast<std::int64_t>(j);
        if (s >= x)
            tail += dist[j] * std::exp(-theta * static_cast<double>(s - x));
    }
    if (theta == 0.0)
        return std::min(1.0, tail);
    return std::min(1.0, std::exp(logM - theta * static_cast<double>(x)) * tail);
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
    // Cases of a back-test share few distinct chances: each group is one binomial law.
    std::sort(ps.begin(), ps.end());
    std::vector<Group> groups;
    double mean = 0.0;
    for (double p : ps) {
        if (groups.empty() || groups.back().p != p)
            groups.push_back({p, 0});
        ++groups.back().count;
        mean += p;
    }
    return groupedUpperTail(std::move(groups), x, mean);
}

double poissonBinomialUpperTail(std::span<const ChanceCount> chances, std::int64_t x) {
    std::vector<Group> groups;
    std::int64_t n = 0;
    for (const ChanceCount& c : chances) {
        if (c.count <= 0)
            continue;
        if (c.p >= 1.0)
            x -= c.count;
        else if (c.p > 0.0) {
            groups.push_back({c.p, c.count});
            n += c.count;
        }
    }
    if (x <= 0)
        return 1.0;
    if (x > n)
        return 0.0;
    std::sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) { return a.p < b.p; });
    std::vector<Group> merged;
    for (const Group& g : groups) {
        if (merged.empty() || merged.back().p != g.p)
            merged.push_back({g.p, 0});
        merged.back().count += g.count;
    }
    double logP = 0.0;
    double mean = 0.0;
    for (const Group& g : merged) {
        logP += static_cast<double>(g.count) * std::log(g.p);
        mean += static_cast<double>(g.count) * g.p;
    }
    if (x == n)
        return std::exp(logP);
    return groupedUpperTail(std::move(merged), x, mean);
}

namespace {
// Below this variance the exact tail costs little, and the approximation is least accurate.
constexpr double ExactBelowVariance = 30.0;

// The upper tail of the standard normal law divided by its density (Mills' ratio): directly where both
// are far from underflow, by its continued fraction beyond.
double millsRatio(double w) {
    if (w < 5.0)
        return 0.5 * std::erfc(w / std::numbers::sqrt2) * std::sqrt(2.0 * std::numbers::pi) *
               std::exp(0.5 * w * w);
    double f = w;
    for (int k = 60; k >= 1; --k)
        f = w + k / f;
    return 1.0 / f;
}

// The cumulant generating function K(s) = sum of c log(1 - p + p e^s) and its first two derivatives.
struct Cumulants {
    double k0 = 0.0;
    double k1 = 0.0;
    double k2 = 0.0;
};

Cumulants cumulantsAt(const std::vector<Group>& groups, double s, bool withK0) {
    Cumulants c;
    const double e = std::exp(s);
    const double em1 = std::expm1(s);
    for (const Group& g : groups) {
        const double q = tiltedP(g.p, e);
        const auto n = static_cast<double>(g.count);
        c.k1 += n * q;
        c.k2 += n * q * (1.0 - q);
        if (withK0)
            c.k0 += n * std::log1p(g.p * em1);
    }
    return c;
}
} // namespace

double saddlepointUpperTail(std::span<const ChanceCount> chances, std::int64_t x) {
    std::vector<Group> groups;
    std::int64_t n = 0;
    std::int64_t certain = 0;
    double mean = 0.0;
    double variance = 0.0;
    double third = 0.0;
    for (const ChanceCount& c : chances) {
        if (c.count <= 0)
            continue;
        if (c.p >= 1.0)
            certain += c.count;
        else if (c.p > 0.0) {
            groups.push_back({c.p, c.count});
            n += c.count;
            const auto k = static_cast<double>(c.count);
            mean += k * c.p;
            variance += k * c.p * (1.0 - c.p);
            third += k * c.p * (1.0 - c.p) * (1.0 - 2.0 * c.p);
        }
    }
    const std::int64_t y = x - certain;
    if (y <= 0)
        return 1.0;
    if (y >= n || variance < ExactBelowVariance)
        return poissonBinomialUpperTail(chances, x);

    // The saddlepoint s where the tilted mean K'(s) is y - 1/2, by Newton's steps kept inside a bracket.
    const double target = static_cast<double>(y) - 0.5;
    const double sigma = std::sqrt(variance);
    if (std::abs(target - mean) < 1e-3 * sigma) {
        // At the mean the formula below is 0/0; its limit.
        return 0.5 - third / (6.0 * std::sqrt(2.0 * std::numbers::pi) * variance * sigma);
    }
    double lo = 0.0;
    double hi = 0.0;
    double step = 1.0;
    if (target > mean) {
        while (cumulantsAt(groups, hi = step, false).k1 < target)
            step *= 2.0;
    } else {
        while (cumulantsAt(groups, lo = -step, false).k1 > target)
            step *= 2.0;
    }
    double s = (target - mean) / variance;
    if (!(s > lo && s < hi))
        s = 0.5 * (lo + hi);
    for (int iter = 0; iter < 100; ++iter) {
        const Cumulants c = cumulantsAt(groups, s, false);
        if (c.k1 < target)
            lo = s;
        else
            hi = s;
        double next = s - (c.k1 - target) / c.k2;
        if (!(next > lo && next < hi))
            next = 0.5 * (lo + hi);
        const bool done = std::abs(next - s) <= 1e-14 * std::max(1.0, std::abs(s));
        s = next;
        if (done || hi - lo <= 1e-15 * std::max(1.0, std::abs(s)))
            break;
    }
    const Cumulants c = cumulantsAt(groups, s, true);
    const double w = std::copysign(std::sqrt(std::max(0.0, 2.0 * (s * target - c.k0))), s);
    const double u = 2.0 * std::sinh(0.5 * s) * std::sqrt(c.k2);
    const double density = std::exp(-0.5 * w * w) / std::sqrt(2.0 * std::numbers::pi);
    const double tail = w > 0.0 ? density * (millsRatio(w) + 1.0 / u - 1.0 / w)
                                : 0.5 * std::erfc(w / std::numbers::sqrt2) + density * (1.0 / u - 1.0 / w);
    return std::clamp(tail, 0.0, 1.0);
}

double refinedNormalUpperTail(const PoissonBinomialMoments& m, std::int64_t x) {
    if (m.variance <= 0.0)
        return static_cast<double>(x) <= m.mean + 0.5 ? 1.0 : 0.0;
    const double sigma = std::sqrt(m.variance);
    const double gamma = m.third / (sigma * sigma * sigma);
    const double t = (static_cast<double>(x) - 0.5 - m.mean) / sigma;
    const double upper = 0.5 * std::erfc(t / std::numbers::sqrt2);
    const double density = std::exp(-0.5 * t * t) / std::sqrt(2.0 * std::numbers::pi);
    const double refined = upper - gamma * (1.0 - t * t) * density / 6.0;
    // Far in a thin tail the skewness term can overshoot below zero; the plain normal tail is then the
    // safer (larger) figure.
    return refined > 0.0 ? std::min(refined, 1.0) : upper;
}
