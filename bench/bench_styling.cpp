// Styling a 1,000,000-line part program through the editor's routines and the real component,
// with the main window shown and the built-in style set: line styling, the whole-document pass
// and its time spent yielding, peak memory, and the first styled screen after a load.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "CncProgram.h"
#include "EditorBench.h"
#include "app/Application.h"
#include "component/SciMessages.h"
#include "editor/ComponentModule.h"
#include "editor/Documents.h"
#include "highlight/Styling.h"

namespace {

constexpr std::uint32_t SCI_LINESONSCREEN = 2370;

QElapsedTimer benchClock;

// Time inside QCoreApplication::processEvents, as the editor's code calls it.
struct YieldClock {
    std::int64_t calls = 0;
    std::int64_t nanoseconds = 0;
    std::int64_t lastEnd = 0;  // benchClock time when the last call returned
};
YieldClock yields;

}  // namespace

// A definition in the executable takes the place of the library's for every call from the
// editor's code, so each yield of the pass is timed directly; the library's routine does the work.
void QCoreApplication::processEvents(QEventLoop::ProcessEventsFlags flags)
{
    using Real = void (*)(QEventLoop::ProcessEventsFlags);
    static const auto real = reinterpret_cast<Real>(
        dlsym(RTLD_NEXT, "_ZN16QCoreApplication13processEventsE6QFlagsIN10QEventLoop17ProcessEventsFlagEE"));
    if (!real) {
        std::fputs("bench_styling: the library's processEvents cannot be found\n", stderr);
        std::abort();
    }
    const std::int64_t start = benchClock.nsecsElapsed();
    real(flags);
    yields.lastEnd = benchClock.nsecsElapsed();
    yields.nanoseconds += yields.lastEnd - start;
    ++yields.calls;
}

namespace {

bool EnsureLoaded()
{
    return BenchApp().editor.SendEditor(sci::SCI_GETLENGTH, 0, 0) == std::int32_t(CncProgram().size()) ||
           LoadDocument(BenchApp().editor, BenchProgramPath());
}

std::int32_t LineCount() { return BenchApp().editor.SendEditor(sci::SCI_GETLINECOUNT, 0, 0); }

// A value of /proc/self/status in kB, 0 when absent.
std::int64_t StatusKilobytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string field; status >> field;) {
        std::int64_t value = 0;
        if (field == key + ":" && status >> value)
            return value;
    }
    return 0;
}

// Starts the peak anew from what is resident now; false when the kernel does not allow it.
bool ResetPeakMemory() { return bool(std::ofstream("/proc/self/clear_refs") << "5"); }

double PerFile(std::int64_t kilobytes) { return double(kilobytes) * 1024.0 / double(CncProgram().size()); }

// Loads and styles the program; the peak and what stays resident afterwards, over base (kB).
struct LoadMemory {
    bool loaded = false;
    bool fromStart = false;  // the peak could not be started anew and counts from the process start
    double peak = 0;
    double held = 0;
};

LoadMemory LoadAndStyle(std::int64_t base)
{
    LoadMemory memory;
    memory.fromStart = !ResetPeakMemory();
    memory.loaded = LoadDocument(BenchApp().editor, BenchProgramPath());
    BenchApp().styling.StyleLines(0, LineCount() - 1);
    memory.peak = PerFile(StatusKilobytes("VmHWM") - base);
    memory.held = PerFile(StatusKilobytes("VmRSS") - base);
    return memory;
}

// Against the resident size with an empty document: the first load, then a second load that
// replaces the first document, as opening the next file does.
void BM_PeakMemory(benchmark::State& state)
{
    for (auto _ : state) {
        ClearDocument(BenchApp().editor);
        const std::int64_t base = StatusKilobytes("VmRSS");
        const LoadMemory first = LoadAndStyle(base);
        const std::int64_t processPeak = StatusKilobytes("VmHWM");
        const LoadMemory replacing = LoadAndStyle(base);
        if (!first.loaded || !replacing.loaded)
            state.SkipWithError("load failed");
        state.counters["first_peak_x_file"] = first.peak;
        state.counters["first_held_x_file"] = first.held;
        state.counters["replace_peak_x_file"] = replacing.peak;
        state.counters["replace_held_x_file"] = replacing.held;
        state.counters["process_peak_x_file"] = PerFile(processPeak);
        state.counters["peak_since_start"] = first.fromStart || replacing.fromStart;
    }
}

void BM_StyleLine(benchmark::State& state)
{
    if (!EnsureLoaded())
        state.SkipWithError("load failed");
    const std::int32_t lines = LineCount();
    for (auto _ : state) {
        for (std::int32_t line = 0; line < lines; ++line)
            BenchApp().styling.StyleLine(line);
    }
    state.counters["lines_per_s"] =
        benchmark::Counter(double(lines) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_RestyleDocument(benchmark::State& state)
{
    if (!EnsureLoaded())
        state.SkipWithError("load failed");
    double yieldMs = 0;
    double share = 0;
    double calls = 0;
    for (auto _ : state) {
        const YieldClock startYields = yields;
        const std::int64_t start = benchClock.nsecsElapsed();
        BenchApp().styling.RestyleDocument();
        const std::int64_t pass = benchClock.nsecsElapsed() - start;
        const std::int64_t yielded = yields.nanoseconds - startYields.nanoseconds;
        yieldMs += double(yielded) / 1e6;
        share += double(yielded) / double(pass);
        calls += double(yields.calls - startYields.calls);
        if (BenchApp().editor.SendEditor(sci::SCI_GETENDSTYLED, 0, 0) !=
            BenchApp().editor.SendEditor(sci::SCI_GETLENGTH, 0, 0))
            state.SkipWithError("the pass left text unstyled");
    }
    const auto average = benchmark::Counter::kAvgIterations;
    state.counters["yield_ms"] = benchmark::Counter(yieldMs, average);
    state.counters["yield_share"] = benchmark::Counter(share, average);
    state.counters["yields"] = benchmark::Counter(calls, average);
}

// Chained in front of the editor window's procedure while a load is timed.
struct RequestWatch {
    KelpoCallback previous = nullptr;
    void* previousContext = nullptr;
    std::int64_t firstRequest = -1;
    std::int64_t firstStyled = -1;
};

void WatchRequests(void* context, const KelpoNotification* notification)
{
    auto& watch = *static_cast<RequestWatch*>(context);
    const bool first = watch.firstRequest < 0 && notification && notification->code == sci::SCN_STYLENEEDED;
    if (first)
        watch.firstRequest = benchClock.nsecsElapsed();
    if (watch.previous)
        watch.previous(watch.previousContext, notification);
    if (first)
        watch.firstStyled = benchClock.nsecsElapsed();
}

// Whether the styled text reaches the line after the last one on screen.
bool ScreenStyled()
{
    const std::int32_t below = BenchApp().editor.SendEditor(sci::SCI_GETFIRSTVISIBLELINE, 0, 0) +
                               BenchApp().editor.SendEditor(SCI_LINESONSCREEN, 0, 0);
    const std::int32_t needed = below < LineCount() ? BenchApp().editor.SendEditor(sci::SCI_POSITIONFROMLINE, below, 0)
                                                    : BenchApp().editor.SendEditor(sci::SCI_GETLENGTH, 0, 0);
    return BenchApp().editor.SendEditor(sci::SCI_GETENDSTYLED, 0, 0) >= needed;
}

void BM_FirstScreen(benchmark::State& state)
{
    const ComponentModule& module = BenchApp().editor.Module;
    const std::int32_t handle = BenchApp().editor.EditorHandle;
    double loadMs = 0;
    double toRequestMs = 0;
    double stylingMs = 0;
    for (auto _ : state) {
        ClearDocument(BenchApp().editor);
        QCoreApplication::processEvents();
        RequestWatch watch;
        module.SetCallback(handle, WatchRequests, &watch, &watch.previous, &watch.previousContext);
        const std::int64_t start = benchClock.nsecsElapsed();
        const bool loaded = LoadDocument(BenchApp().editor, BenchProgramPath());
        const std::int64_t end = benchClock.nsecsElapsed();
        module.SetCallback(handle, watch.previous, watch.previousContext, nullptr, nullptr);
        if (!loaded || watch.firstRequest < 0) {
            state.SkipWithError(loaded ? "no styling request during the load" : "load failed");
            break;
        }
        if (!ScreenStyled())
            state.SkipWithError("the first screen is not styled");
        state.counters["screen_lines"] = BenchApp().editor.SendEditor(SCI_LINESONSCREEN, 0, 0);
        // The request comes while the load lets the window paint; that paint ends the wait.
        state.SetIterationTime(double(yields.lastEnd - watch.firstRequest) / 1e9);
        loadMs += double(end - start) / 1e6;
        toRequestMs += double(watch.firstRequest - start) / 1e6;
        stylingMs += double(watch.firstStyled - watch.firstRequest) / 1e6;
    }
    const auto average = benchmark::Counter::kAvgIterations;
    state.counters["load_ms"] = benchmark::Counter(loadMs, average);
    state.counters["to_request_ms"] = benchmark::Counter(toRequestMs, average);
    state.counters["styling_ms"] = benchmark::Counter(stylingMs, average);
}

BENCHMARK(BM_PeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_StyleLine)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_RestyleDocument)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_FirstScreen)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

}  // namespace

int main(int argc, char** argv)
{
    benchClock.start();
    // A program folder of its own holds no style set file, so the built-in set applies.
    return RunEditorBenchmarks(argc, argv, [](const std::string& scratch) {
        const QString folder = QString::fromStdString(scratch);
        if (!QFile::copy(QStringLiteral(VARNOTEK_PROGRAM_DIR "/Kelpo.so"), folder + QStringLiteral("/Kelpo.so")))
            return std::string();
        return scratch;
    });
}
