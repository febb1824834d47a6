#pragma once

#include <chrono>
#include <string_view>
#include <vector>

// Time and memory figures the benchmark programs print, read from the process itself.
namespace quorvex::bench {

// The process's CPU time in seconds: on a busy machine it varies far less than the wall clock.
double CpuSeconds();
// A monotonic wall clock in seconds.
double WallSeconds();
double SecondsSince(std::chrono::steady_clock::time_point start);

// A "VmXXX:" line of /proc/self/status ("VmRSS:", "VmHWM:"), in KiB; -1 when it cannot be read.
long long ProcStatusKiB(std::string_view key);
// The peak resident size as getrusage reports it, in KiB.
long long MaxRssKiB();
// Sets the peak resident size (VmHWM) back to the current resident size; false when the
// kernel refuses.
bool ResetPeak();

// Wall and CPU time of one stretch of work, in seconds.
struct TTime {
    double Wall = 0;
    double Cpu = 0;
};

class TStopwatch {
public:
    TStopwatch();
    TTime Elapsed() const;

private:
    std::chrono::steady_clock::time_point m_start;
    double m_cpu;
};

// The median wall time and the median CPU time, each taken over all the times.
TTime Median(std::vector<TTime> times);

const char* Verdict(bool pass);
// Prints a time in milliseconds against its target with PASS or FAIL; passes on the wall clock.
bool PrintTime(const char* caption, const TTime& time, double targetMs);

} // namespace quorvex::bench
