#pragma once
// Timing for the benchmark programs: the performance counter in milliseconds and percentiles.
#include <windows.h>
#include <algorithm>
#include <vector>

namespace bench {

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The value below which the fraction of the values lies (0.5 the median, 1.0 the worst).
inline double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    size_t index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

}  // namespace bench
