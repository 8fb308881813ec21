// The part of Google Benchmark's interface our benchmarks use, for the Windows
// build (Debian has no MinGW build of the library). Each case runs until it
// has been timed for half a second, three times; it prints Google
// Benchmark's CSV rows for the median of the three.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace benchmark {

enum TimeUnit { kNanosecond, kMicrosecond, kMillisecond, kSecond };

class State {
public:
    State(int64_t argument, int64_t iterations) : argument_(argument), iterations_(iterations) {}

    // Marked so that "for (auto _ : state)" draws no unused-variable warning.
    struct __attribute__((unused)) Value {};
    struct Iterator {
        State* state;
        int64_t left;
        Value operator*() const { return Value(); }
        Iterator& operator++() { --left; return *this; }
        bool operator!=(const Iterator&)
        {
            if (left > 0 && !state->failed_)
                return true;
            state->PauseTiming();
            return false;
        }
    };
    Iterator begin()
    {
        ResumeTiming();
        return Iterator{ this, iterations_ };
    }
    Iterator end() { return Iterator{ this, 0 }; }

    int64_t range(int) const { return argument_; }
    int64_t iterations() const { return iterations_; }
    void PauseTiming()
    {
        if (running_)
            elapsed_ += Clock::now() - started_;
        running_ = false;
    }
    void ResumeTiming()
    {
        started_ = Clock::now();
        running_ = true;
    }
    void SkipWithError(const char* message)
    {
        failed_ = true;
        error_ = message;
    }
    void SetBytesProcessed(int64_t) {}

    double Seconds() const { return std::chrono::duration<double>(elapsed_).count(); }
    bool Failed() const { return failed_; }
    const std::string& Error() const { return error_; }

private:
    using Clock = std::chrono::steady_clock;
    int64_t argument_;
    int64_t iterations_;
    bool running_ = false;
    bool failed_ = false;
    std::string error_;
    Clock::time_point started_;
    Clock::duration elapsed_{};
};

namespace internal {

struct Case {
    std::string name;
    void (*function)(State&);
    std::vector<int64_t> arguments;
    TimeUnit unit = kNanosecond;

    Case* Arg(int64_t argument)
    {
        arguments.push_back(argument);
        return this;
    }
    Case* Unit(TimeUnit u)
    {
        unit = u;
        return this;
    }
};

inline std::vector<Case*>& Cases()
{
    static std::vector<Case*> cases;
    return cases;
}

inline Case* Register(const char* name, void (*function)(State&))
{
    Case* c = new Case{ name, function, {}, kNanosecond };
    Cases().push_back(c);
    return c;
}

inline int RunAll()
{
    const char* unitNames[] = { "ns", "us", "ms", "s" };
    const double unitScale[] = { 1e9, 1e6, 1e3, 1 };
    std::printf("name,iterations,real_time,cpu_time,time_unit,bytes_per_second,items_per_second,"
                "label,error_occurred,error_message\n");
    int failures = 0;
    for (Case* c : Cases()) {
        for (int64_t argument : c->arguments) {
            std::string name = c->name + "/" + std::to_string(argument);
            std::vector<double> perIteration;
            int64_t iterations = 1;
            std::string error;
            for (int repetition = 0; repetition < 3 && error.empty(); ++repetition) {
                for (;;) {
                    State state(argument, iterations);
                    c->function(state);
                    if (state.Failed()) {
                        error = state.Error();
                        break;
                    }
                    double seconds = state.Seconds();
                    if (seconds >= 0.5 || iterations >= 1000000000) {
                        perIteration.push_back(seconds / static_cast<double>(iterations));
                        break;
                    }
                    double grow = seconds > 0 ? 0.7 / seconds : 10;
                    iterations = static_cast<int64_t>(static_cast<double>(iterations) * std::min(grow, 10.0)) + 1;
                }
            }
            if (!error.empty()) {
                ++failures;
                std::printf("\"%s\",,,,,,,,true,\"%s\"\n", name.c_str(), error.c_str());
                continue;
            }
            std::sort(perIteration.begin(), perIteration.end());
            double median = perIteration[perIteration.size() / 2] * unitScale[c->unit];
            std::printf("\"%s_median\",%lld,%g,%g,%s,,,,,\n", name.c_str(), static_cast<long long>(iterations),
                median, median, unitNames[c->unit]);
        }
    }
    return failures ? 1 : 0;
}

} // namespace internal
} // namespace benchmark

#define BENCHMARK_JOIN2(a, b) a##b
#define BENCHMARK_JOIN(a, b) BENCHMARK_JOIN2(a, b)
#define BENCHMARK(function) \
    static ::benchmark::internal::Case* BENCHMARK_JOIN(benchmarkCase, __LINE__) \
        = ::benchmark::internal::Register(#function, function)
#define BENCHMARK_MAIN() \
    int main() { return ::benchmark::internal::RunAll(); }
