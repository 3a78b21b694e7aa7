#pragma once
// The measured time of a benchmark's iterations and its ratio to a baseline
// measured earlier in the same run, so that results compare across machines.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace benchsupport {

// Sums the wall time of the measured part of each iteration.
class Stopwatch {
public:
    template <class F>
    void time(F&& measured)
    {
        const auto start = std::chrono::steady_clock::now();
        measured();
        FSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    double seconds() const { return FSeconds; }
    // Seconds per iteration, or per unit when each iteration does `units`.
    double perIteration(const benchmark::State& state, double units = 1) const
    {
        return FSeconds / (double(state.iterations()) * units);
    }

private:
    double FSeconds = 0;
};

// The time of the baseline case, once it has run: with repetitions, the
// median of its repetitions so far, so that one disturbed run of the
// baseline does not move every ratio measured against it.
class Baseline {
public:
    void set(double seconds)
    {
        if (seconds > 0)
            FRuns.push_back(seconds);
    }
    bool known() const { return !FRuns.empty(); }
    double seconds() const
    {
        std::vector<double> runs = FRuns;
        std::sort(runs.begin(), runs.end());
        const std::size_t n = runs.size();
        return n % 2 ? runs[n / 2] : (runs[n / 2 - 1] + runs[n / 2]) / 2;
    }
    // Reports seconds / baseline as `counter`; nothing while no baseline ran.
    void report(benchmark::State& state, const char* counter, double seconds) const
    {
        if (known())
            state.counters[counter] = seconds / this->seconds();
    }

private:
    std::vector<double> FRuns;
};

} // namespace benchsupport
