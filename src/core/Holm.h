#pragma once

#include <span>
#include <vector>

// Holm's adjustment of p-values for the number of tests made: the i-th smallest of m values (from 0) is
// multiplied by m - i, capped at 1, and the adjusted values never decrease in that order. Returned in the
// order given; equal p-values get equal adjusted values.
std::vector<double> holmAdjusted(std::span<const double> p);
