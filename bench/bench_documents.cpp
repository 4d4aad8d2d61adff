// Loading and saving a 1,000,000-line part program through the editor's own routines and the
// real component, with the main window shown as in use.
#include <benchmark/benchmark.h>

#include "CncProgram.h"
#include "EditorBench.h"
#include "app/Application.h"
#include "component/SciMessages.h"
#include "editor/Documents.h"

namespace {

void BM_LoadDocument(benchmark::State& state)
{
    for (auto _ : state) {
        if (!LoadDocument(BenchApp().editor, BenchProgramPath()))
            state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(CncProgram().size()));
    state.counters["lines"] = BenchApp().editor.SendEditor(sci::SCI_GETLINECOUNT, 0, 0);
}

void BM_SaveDocument(benchmark::State& state)
{
    if (BenchApp().editor.SendEditor(sci::SCI_GETLENGTH, 0, 0) == 0)
        LoadDocument(BenchApp().editor, BenchProgramPath());
    for (auto _ : state) {
        if (!SaveDocument(BenchApp().editor, BenchFile("saved.nc")))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(CncProgram().size()));
}

BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return RunEditorBenchmarks(argc, argv, [](const std::string&) { return std::string(VARNOTEK_PROGRAM_DIR); });
}
