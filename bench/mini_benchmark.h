// The part of Google Benchmark's interface that the panel benchmark uses,
// for the Windows build, where Debian has no Google Benchmark for MinGW.
// Each benchmark runs with doubling iteration counts until one run takes
// --benchmark_min_time seconds (0.5 by default); it prints the time per
// iteration and the counters, as the real library's console report does.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace benchmark {

class State;

struct Counter {
    double value = 0.0;
    Counter(double v = 0.0) : value(v) {}  // NOLINT: converts like the real one
};

class State {
public:
    explicit State(std::int64_t iterations) : max_(iterations) {}

    struct Iterator {
        State* state;
        std::int64_t left;
        bool operator!=(const Iterator&) const {
            if (left > 0) return true;
            state->finish();
            return false;
        }
        void operator++() { --left; }
        // Of a class type with a destructor of its own, like the real
        // library's, so `for (auto _ : state)` draws no unused-variable warning.
        struct Value {
            ~Value() {}
        };
        Value operator*() const { return {}; }
    };
    Iterator begin() {
        start_ = std::chrono::steady_clock::now();
        return {this, max_};
    }
    Iterator end() { return {this, 0}; }

    std::int64_t iterations() const { return max_; }
    void SetLabel(const std::string& label) { label_ = label; }
    void SkipWithError(const char* message) {
        error_ = message;
        max_ = 0;
    }

    std::map<std::string, Counter> counters;

    double seconds() const { return seconds_; }
    const std::string& label() const { return label_; }
    const std::string& error() const { return error_; }

private:
    void finish() { seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count(); }

    std::int64_t max_;
    std::chrono::steady_clock::time_point start_{};
    double seconds_ = 0.0;
    std::string label_;
    std::string error_;
};

template <typename T>
inline void DoNotOptimize(T&& value) {
    asm volatile("" : : "g"(value) : "memory");
}
inline void ClobberMemory() { asm volatile("" : : : "memory"); }

namespace internal {

struct Registered {
    std::string name;
    std::function<void(State&)> run;
};

inline std::vector<Registered>& registry() {
    static std::vector<Registered> all;
    return all;
}
inline double& min_time() {
    static double seconds = 0.5;
    return seconds;
}
inline std::string& filter() {
    static std::string text;
    return text;
}

inline int enrol(std::string name, std::function<void(State&)> run) {
    registry().push_back({std::move(name), std::move(run)});
    return 0;
}

}  // namespace internal

inline void Initialize(int* argc, char** argv) {
    for (int i = 1; i < *argc; ++i) {
        const char* a = argv[i];
        if (std::strncmp(a, "--benchmark_min_time=", 21) == 0) internal::min_time() = std::atof(a + 21);
        if (std::strncmp(a, "--benchmark_filter=", 19) == 0) internal::filter() = a + 19;
    }
}

inline std::size_t RunSpecifiedBenchmarks() {
    std::printf("%-44s %14s %12s\n", "Benchmark", "Time", "Iterations");
    std::size_t ran = 0;
    for (const auto& b : internal::registry()) {
        if (!internal::filter().empty() && b.name.find(internal::filter()) == std::string::npos) continue;
        std::int64_t n = 1;
        for (;;) {
            State state(n);
            b.run(state);
            if (!state.error().empty()) {
                std::printf("%-44s ERROR: %s\n", b.name.c_str(), state.error().c_str());
                break;
            }
            if (state.seconds() >= internal::min_time() || n >= (std::int64_t{1} << 40)) {
                std::printf("%-44s %11.1f ns %12lld", b.name.c_str(), 1e9 * state.seconds() / double(n),
                            static_cast<long long>(n));
                for (const auto& [name, counter] : state.counters) std::printf(" %s=%g", name.c_str(), counter.value);
                if (!state.label().empty()) std::printf(" %s", state.label().c_str());
                std::printf("\n");
                break;
            }
            n *= state.seconds() < internal::min_time() / 20 ? 10 : 2;
        }
        ++ran;
    }
    std::fflush(stdout);
    return ran;
}

inline void Shutdown() {}

}  // namespace benchmark

#define KORVEL_BENCH_JOIN2(a, b) a##b
#define KORVEL_BENCH_JOIN(a, b) KORVEL_BENCH_JOIN2(a, b)
#define BENCHMARK(fn) static const int KORVEL_BENCH_JOIN(registered_, __LINE__) = ::benchmark::internal::enrol(#fn, fn)
#define BENCHMARK_CAPTURE(fn, label, ...)                       \
    static const int KORVEL_BENCH_JOIN(registered_, __LINE__) = \
        ::benchmark::internal::enrol(#fn "/" #label, [](::benchmark::State& s) { fn(s, __VA_ARGS__); })
