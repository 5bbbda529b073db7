#pragma once

#include <thread>
#include <vector>

// Runs `work` on the calling thread and on threads - 1 helpers, and returns when every one has: each
// takes its own share of the job (from an atomic counter, say) until none is left.
template <typename Work> void runOnThreads(int threads, Work&& work) {
    std::vector<std::jthread> helpers;
    for (int h = 1; h < threads; ++h)
        helpers.emplace_back(work);
    work();
}
