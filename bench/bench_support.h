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

/// Prints one result line: our time, the reference's, and their ratio.
void report(const std::string& what, double oursMs, const std::string& reference, double theirsMs);

/// Milliseconds from `start` until now.
double millisecondsSince(std::chrono::steady_clock::time_point start);

/// Prints the least, median and greatest of `milliseconds`.
void reportSpread(const std::string& what, std::vector<double> milliseconds);

} // namespace sorvane::bench
