#include "core/PoissonBinomial.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <vector>

namespace {

// P[X >= x] from the whole distribution, built term by term in long double: slow, plain, and exact in
// relative terms down to the smallest tails, since it only adds and multiplies positive numbers.
double directUpperTail(const std::vector<double>& ps, int x) {
    std::vector<long double> dist{1.0L};
    for (double p : ps) {
        std::vector<long double> next(dist.size() + 1, 0.0L);
        for (std::size_t j = 0; j < dist.size(); ++j) {
            next[j] += dist[j] * (1.0L - p);
            next[j + 1] += dist[j] * p;
        }
        dist.swap(next);
    }
    long double tail = 0.0L;
    for (std::size_t j = static_cast<std::size_t>(std::max(x, 0)); j < dist.size(); ++j)
        tail += dist[j];
    return static_cast<double>(tail);
}

struct TailCase {
    const char* name;
    int n;
    double low; // probabilities drawn uniformly in [low, high]
    double high;
    std::vector<int> xs;
    int distinct = 0; // when above 0, only this many different probabilities, as cases of a back-test share
};

class UpperTail : public ::testing::TestWithParam<TailCase> {};

TEST_P(UpperTail, MatchesTheDirectSumToSixSignificantDigits) {
    const TailCase& c = GetParam();
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> pick(c.low, c.high);
    std::vector<double> values;
    for (int i = 0; i < c.distinct; ++i)
        values.push_back(pick(gen));
    std::uniform_int_distribution<int> which(0, std::max(c.distinct - 1, 0));
    std::vector<double> ps;
    for (int i = 0; i < c.n; ++i)
        ps.push_back(c.distinct > 0 ? values[which(gen)] : pick(gen));
    for (int x : c.xs) {
        const double expected = directUpperTail(ps, x);
        const double got = poissonBinomialUpperTail(ps, x);
        ASSERT_GT(expected, 0.0) << x;
        EXPECT_NEAR(got / expected, 1.0, 1e-7) << c.name << " x=" << x << " expected " << expected;
    }
}

INSTANTIATE_TEST_SUITE_P(
    SmallInputs, UpperTail,
    ::testing::Values(TailCase{"few", 6, 0.1, 0.9, {1, 2, 3, 4, 5, 6}},
                      TailCase{"rare", 300, 0.001, 0.03, {1, 3, 5, 10, 20, 40}},
                      TailCase{"even", 400, 0.3, 0.7, {150, 200, 230, 260, 300, 360}},
                      TailCase{"likely", 500, 0.9, 0.999, {440, 480, 490, 495, 499, 500}},
                      TailCase{"mixed", 800, 0.0, 1.0, {100, 400, 450, 500, 600, 700}},
                      TailCase{"shared", 1500, 0.2, 0.99, {700, 900, 950, 1000, 1150, 1300}, 5},
                      TailCase{"sharedRare", 2000, 0.001, 0.02, {5, 15, 25, 40, 80}, 3}),
    [](const auto& param) { return std::string(param.param.name); });

// The same trials given as counts of each distinct probability, in another order and with one
// probability split over two counts.
std::vector<ChanceCount> countsOf(const std::vector<double>& ps) {
    std::map<double, std::int64_t> counts;
    for (double p : ps)
        ++counts[p];
    std::vector<ChanceCount> chances;
    for (const auto& [p, count] : counts) {
        if (count > 1) {
            chances.push_back({p, count / 2});
            chances.push_back({p, count - count / 2});
        } else {
            chances.push_back({p, count});
        }
    }
    std::reverse(chances.begin(), chances.end());
    return chances;
}

TEST_P(UpperTail, FromCountsIsTheSameExactTail) {
    const TailCase& c = GetParam();
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> pick(c.low, c.high);
    std::vector<double> values;
    for (int i = 0; i < c.distinct; ++i)
        values.push_back(pick(gen));
    std::uniform_int_distribution<int> which(0, std::max(c.distinct - 1, 0));
    std::vector<double> ps;
    for (int i = 0; i < c.n; ++i)
        ps.push_back(c.distinct > 0 ? values[which(gen)] : pick(gen));
    const std::vector<ChanceCount> chances = countsOf(ps);
    for (int x : c.xs) {
        const double exact = poissonBinomialUpperTail(ps, x);
        EXPECT_NEAR(poissonBinomialUpperTail(chances, x) / exact, 1.0, 1e-12) << c.name << " x=" << x;
        EXPECT_NEAR(saddlepointUpperTail(chances, x) / exact, 1.0, 0.01) << c.name << " x=" << x;
    }
}

TEST(UpperTail, EdgesAreExact) {
    const std::vector<double> ps{0.0, 1.0, 0.5, 0.25};
    EXPECT_EQ(poissonBinomialUpperTail(ps, 0), 1.0);
    EXPECT_EQ(poissonBinomialUpperTail(ps, 1), 1.0); // the certain trial
    EXPECT_DOUBLE_EQ(poissonBinomialUpperTail(ps, 2), 1.0 - 0.5 * 0.75);
    EXPECT_DOUBLE_EQ(poissonBinomialUpperTail(ps, 3), 0.125);
    EXPECT_EQ(poissonBinomialUpperTail(ps, 4), 0.0);
    EXPECT_EQ(poissonBinomialUpperTail(std::vector<double>{}, 0), 1.0);
    const std::vector<ChanceCount> chances = countsOf(ps);
    for (int x = 0; x <= 4; ++x) {
        EXPECT_DOUBLE_EQ(poissonBinomialUpperTail(chances, x), poissonBinomialUpperTail(ps, x)) << x;
        EXPECT_DOUBLE_EQ(saddlepointUpperTail(chances, x), poissonBinomialUpperTail(ps, x)) << x;
    }
}

struct Law {
    const char* name;
    std::vector<ChanceCount> chances;
};

// Laws shaped like a sweep's rows: a few to hundreds of distinct chances, from rare to near-certain,
// hundreds to tens of thousands of trials.
std::vector<Law> sweepLikeLaws() {
    std::vector<Law> laws{
        {"oneRareChance", {{0.002, 20000}}},
        {"oneEvenChance", {{0.5, 300}}},
        {"nearlyCertain", {{0.97, 5000}, {0.999, 200}}},
        {"estrattoByColpi", {}},
        {"wide", {}},
        {"large", {{0.11, 15000}, {0.3, 9000}, {0.62, 4000}, {0.05, 200}}},
    };
    for (int k = 1; k <= 18; ++k)
        laws[3].chances.push_back({1.0 - std::pow(85.0 / 90.0, k), 40 + 7 * k});
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> pick(0.01, 0.95);
    for (int i = 0; i < 300; ++i)
        laws[4].chances.push_back({pick(gen), 1 + static_cast<std::int64_t>(gen() % 60)});
    return laws;
}

// From a little below the mean to tails far below anything a sweep meets, the approximation that ranks
// the sweep stays within 1% of the exact tail.
TEST(SaddlepointUpperTail, IsWithinOnePercentOfTheExactTail) {
    for (const Law& law : sweepLikeLaws()) {
        double mean = 0.0;
        double variance = 0.0;
        for (const ChanceCount& c : law.chances) {
            mean += static_cast<double>(c.count) * c.p;
            variance += static_cast<double>(c.count) * c.p * (1.0 - c.p);
        }
        const double sigma = std::sqrt(variance);
        for (double z = -3.0; z <= 12.0; z += 0.5) {
            const auto x = static_cast<std::int64_t>(std::ceil(mean + z * sigma));
            const double exact = poissonBinomialUpperTail(law.chances, x);
            if (exact < 1e-300)
                break;
            EXPECT_NEAR(saddlepointUpperTail(law.chances, x) / exact, 1.0, 0.01)
                << law.name << " x=" << x << " exact " << exact;
        }
    }
}

TEST(UpperTail, RefinedNormalApproximationIsCloseOnLargeLaws) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> pick(0.05, 0.6);
    std::vector<double> ps;
    PoissonBinomialMoments m;
    for (int i = 0; i < 3000; ++i) {
        ps.push_back(pick(gen));
        m.add(ps.back());
    }
    const auto mean = static_cast<int>(m.mean);
    for (int x : {mean - 40, mean, mean + 30, mean + 60, mean + 90}) {
        const double exact = poissonBinomialUpperTail(ps, x);
        EXPECT_NEAR(refinedNormalUpperTail(m, x) / exact, 1.0, 0.05) << x << " exact " << exact;
    }
}

} // namespace
