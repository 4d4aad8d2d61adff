// Loading and saving a 1,000,000-line part program through the editor's own routines and the
// real component, with the main window shown as in use; loading also a 5,000,000-line one and a
// one-screen one in the same run, each up to the first styled screen, so that what a large
// program adds is read off against the one-screen program.
#include <benchmark/benchmark.h>

#include <fstream>
#include <unistd.h>

#include "CncProgram.h"
#include "EditorBench.h"
#include "app/Application.h"
#include "app/MDIForm1.h"
#include "component/SciMessages.h"
#include "editor/Documents.h"

namespace {

// The bench program written `copies` times over, once per run; no copies: its first screen only.
std::string ProgramOfCopies(std::int64_t copies)
{
    if (copies == 1)
        return BenchProgramPath();
    const std::string path = BenchFile(("program" + std::to_string(copies) + ".nc").c_str());
    std::ofstream out(path, std::ios::binary);
    std::size_t screen = 0;
    for (int line = 0; line < 40; ++line)
        screen = CncProgram().find('\n', screen) + 1;
    out.write(CncProgram().data(), std::streamsize(copies == 0 ? screen : 0));
    for (std::int64_t n = 0; n < copies; ++n)
        out.write(CncProgram().data(), std::streamsize(CncProgram().size()));
    return out ? path : std::string();
}

// Arg: millions of lines, 0 for a one-screen program. The time runs to the first screen painted
// and styled.
void BM_LoadDocument(benchmark::State& state)
{
    const std::string path = ProgramOfCopies(state.range(0));
    MDIForm1& main = BenchApp().forms.Get<MDIForm1>();
    for (auto _ : state) {
        if (!LoadDocument(BenchApp().editor, path))
            state.SkipWithError("load failed");
        main.grab();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(CncProgram().size()) * state.range(0));
    state.counters["lines"] = BenchApp().editor.SendEditor(sci::SCI_GETLINECOUNT, 0, 0);
    if (path != BenchProgramPath())
        ::unlink(path.c_str());
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

BENCHMARK(BM_LoadDocument)->Arg(0)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return RunEditorBenchmarks(argc, argv, [](const std::string&) { return std::string(VARNOTEK_PROGRAM_DIR); });
}
