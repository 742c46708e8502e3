// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The CPU time of the calling thread: what a benchmark's own work costs, whatever else the
// machine runs meanwhile.

#include <ctime>

inline double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}
