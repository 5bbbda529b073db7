#include "core/PoissonBinomial.h"

#include <cmath>
#include <gtest/gtest.h>
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

TEST(UpperTail, EdgesAreExact) {
    const std::vector<double> ps{0.0, 1.0, 0.5, 0.25};
    EXPECT_EQ(poissonBinomialUpperTail(ps, 0), 1.0);
    EXPECT_EQ(poissonBinomialUpperTail(ps, 1), 1.0); // the certain trial
    EXPECT_DOUBLE_EQ(poissonBinomialUpperTail(ps, 2), 1.0 - 0.5 * 0.75);
    EXPECT_DOUBLE_EQ(poissonBinomialUpperTail(ps, 3), 0.125);
    EXPECT_EQ(poissonBinomialUpperTail(ps, 4), 0.0);
    EXPECT_EQ(poissonBinomialUpperTail({}, 0), 1.0);
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
