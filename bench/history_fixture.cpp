// SPDX-License-Identifier: MIT
// Writes a full history (60 runs of 1,000 items) into the folder given, for the benchmarks
// that run the program as a whole.
#include "full_history.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: sorvane_history_fixture FOLDER\n", stderr);
        return 2;
    }
    sorvane::bench::writeFullHistory(argv[1]);
    return 0;
}
