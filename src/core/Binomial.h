#pragma once

// C(n, k) as a double; 0 outside 0 <= k <= n. Exact for the small arguments the method needs.
constexpr double binomial(int n, int k) {
    if (k < 0 || k > n)
        return 0.0;
    double r = 1.0;
    for (int i = 1; i <= k; ++i)
        r = r * (n - k + i) / i;
    return r;
}
