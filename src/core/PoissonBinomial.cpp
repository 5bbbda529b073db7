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
        if (g.count == 1) {
            // One trial: in place, the commonest step when every chance differs.
            dist.push_back(0.0);
            for (std::size_t j = dist.size() - 1; j > 0; --j)
                dist[j] = dist[j] * (1.0 - g.p) + dist[j - 1] * g.p;
            dist[0] *= 1.0 - g.p;
        } else {
            const std::vector<double> pmf = binomialBand(g, first);
            next.assign(dist.size() + pmf.size() - 1, 0.0);
            for (std::size_t k = 0; k < pmf.size(); ++k) {
                const double w = pmf[k];
                double* out = next.data() + k;
                for (std::size_t j = 0; j < dist.size(); ++j)
                    out[j] += dist[j] * w;
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
