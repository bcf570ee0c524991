// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace sorvane::bench {

/// Runs `work` `runs` times and gives the median wall-clock time in milliseconds.
double medianMilliseconds(int runs, const std::function<void()>& work);

/// As above, running the untimed `setup` before each timed `work`.
double medianMilliseconds(int runs, const std::function<void()>& setup,
                          const std::function<void()>& work);

/// Runs a shell command with its output thrown away; throws when it fails.
void runQuietly(const std::string& command);

/// Times of ours and of a reference, measured in turns (ours, theirs, ours, theirs…) so that
/// a machine busy for a while slows both alike.
struct Alternated {
    std::vector<double> ours;
    std::vector<double> theirs;
};

/// Runs `rounds` turns of each, each timed run after its untimed setup.
Alternated alternate(int rounds, const std::function<void()>& setupOurs,
                     const std::function<void()>& ours, const std::function<void()>& setupTheirs,
                     const std::function<void()>& theirs);

/// Prints the medians of both and the min/median/max of the ratios of each turn.
void report(const std::string& what, const std::string& reference, const Alternated& times);

/// Prints one result line: our time, the reference's, and their ratio.
void report(const std::string& what, double oursMs, const std::string& reference, double theirsMs);

/// Milliseconds from `start` until now.
double millisecondsSince(std::chrono::steady_clock::time_point start);

/// Prints the least, median and greatest of `milliseconds`.
void reportSpread(const std::string& what, std::vector<double> milliseconds);

} // namespace sorvane::bench
