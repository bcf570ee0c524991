// SPDX-License-Identifier: MIT
#include "bench_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace sorvane::bench {

double medianMilliseconds(int runs, const std::function<void()>& work) {
    return medianMilliseconds(
        runs, [] {}, work);
}

double medianMilliseconds(int runs, const std::function<void()>& setup,
                          const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        setup();
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

namespace {

double timed(const std::function<void()>& setup, const std::function<void()>& work) {
    setup();
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

Alternated alternate(int rounds, const std::function<void()>& setupOurs,
                     const std::function<void()>& ours, const std::function<void()>& setupTheirs,
                     const std::function<void()>& theirs) {
    Alternated times;
    for (int i = 0; i < rounds; ++i) {
        times.ours.push_back(timed(setupOurs, ours));
        times.theirs.push_back(timed(setupTheirs, theirs));
    }
    return times;
}

void report(const std::string& what, const std::string& reference, const Alternated& times) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < times.ours.size(); ++i)
        ratios.push_back(times.ours[i] / times.theirs[i]);
    std::printf("%-44s %9.1f ms   %-26s %9.1f ms   ratio min %.2f median %.2f max %.2f\n",
                what.c_str(), median(times.ours), reference.c_str(), median(times.theirs),
                *std::min_element(ratios.begin(), ratios.end()), median(ratios),
                *std::max_element(ratios.begin(), ratios.end()));
}

void runQuietly(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0)
        throw std::runtime_error("failed: " + command);
}

void report(const std::string& what, double oursMs, const std::string& reference, double theirsMs) {
    std::printf("%-40s %9.2f ms   %-28s %9.2f ms   ratio %.2f\n", what.c_str(), oursMs,
                reference.c_str(), theirsMs, oursMs / theirsMs);
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void reportSpread(const std::string& what, std::vector<double> milliseconds) {
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("%-40s min %8.2f ms   median %8.2f ms   max %8.2f ms\n", what.c_str(),
                milliseconds.front(), milliseconds[milliseconds.size() / 2], milliseconds.back());
}

} // namespace sorvane::bench
