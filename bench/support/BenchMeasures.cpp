#include "BenchMeasures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace quorvex::bench {

double CpuSeconds()
{
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long long ProcStatusKiB(std::string_view key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(key))
            return std::atoll(line.c_str() + key.size());
    }
    return -1;
}

long long MaxRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss; // KiB on Linux
}

bool ResetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    return static_cast<bool>(clear.flush());
}

TStopwatch::TStopwatch()
    : m_start(std::chrono::steady_clock::now())
    , m_cpu(CpuSeconds())
{
}

TTime TStopwatch::Elapsed() const
{
    return {SecondsSince(m_start), CpuSeconds() - m_cpu};
}

TTime Median(std::vector<TTime> times)
{
    const auto middle = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values.empty() ? 0.0 : values[values.size() / 2];
    };
    std::vector<double> wall;
    std::vector<double> cpu;
    for (const TTime& time : times) {
        wall.push_back(time.Wall);
        cpu.push_back(time.Cpu);
    }
    return {middle(wall), middle(cpu)};
}

const char* Verdict(bool pass)
{
    return pass ? "PASS" : "FAIL";
}

bool PrintTime(const char* caption, const TTime& time, double targetMs)
{
    const double wallMs = time.Wall * 1e3;
    const bool pass = wallMs <= targetMs;
    std::printf("%-34s %9.2f ms (CPU %9.2f ms)  target <= %6.0f ms  %s\n", caption, wallMs,
                time.Cpu * 1e3, targetMs, Verdict(pass));
    return pass;
}

} // namespace quorvex::bench
