#pragma once

// Measuring and reporting helpers shared by the benchmark programs.

#include <QElapsedTimer>
#include <QSize>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

// For report(): a figure printed with as many decimals as its size needs.
constexpr int Adaptive = -1;

// One line of a benchmark's output, "NAME: VALUE UNIT (floor VALUE UNIT, ratio R)"; a floor
// of 0 means there is none to compare with.
inline void report(const char *name, const char *unit, double value, double floor, int decimals = 2)
{
    const auto places = [decimals](double figure) {
        if (decimals != Adaptive)
            return decimals;
        return figure >= 100 ? 0 : figure >= 10 ? 1 : figure >= 1 ? 2 : 3;
    };
    std::printf("%s: %.*f %s (floor %.*f %s, ratio %.2f)\n", name, places(value), value, unit,
                places(floor), floor, unit, floor > 0 ? value / floor : 0.0);
    std::fflush(stdout);
}

// The same, for a figure measured at a size: "NAME_SIZE: ...".
inline void report(const char *name, int size, const char *unit, double value, double floor,
                   int decimals = 2)
{
    report((std::string(name) + '_' + std::to_string(size)).c_str(), unit, value, floor, decimals);
}

// The main window's size where a benchmark shows it.
inline const QSize WindowSize(1280, 1000);

inline double milliseconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// CPU time of the whole process, user and system, in seconds.
inline double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Resident memory after handing freed heap back, in MB.
inline double residentMegabytes()
{
    malloc_trim(0);
    long pages = 0, resident = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

} // namespace bench
