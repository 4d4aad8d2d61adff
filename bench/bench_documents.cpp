// Loading and saving a 1,000,000-line part program through the editor's own routines and the
// real component, with the main window shown as in use.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <fstream>

#include "CncProgram.h"
#include "app/AppState.h"
#include "app/MDIForm1.h"
#include "editor/Documents.h"
#include "editor/SciMessages.h"
#include "editor/SendEditor.h"

namespace {

QTemporaryDir* folder = nullptr;

std::string FilePath(const char* name) { return folder->filePath(QString::fromLatin1(name)).toStdString(); }

void WriteProgram()
{
    std::ofstream out(FilePath("program.nc"), std::ios::binary);
    out.write(CncProgram().data(), std::streamsize(CncProgram().size()));
}

void BM_LoadDocument(benchmark::State& state)
{
    for (auto _ : state) {
        if (!LoadDocument(FilePath("program.nc")))
            state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(CncProgram().size()));
    state.counters["lines"] = SendEditor(sci::SCI_GETLINECOUNT, 0, 0);
}

void BM_SaveDocument(benchmark::State& state)
{
    if (SendEditor(sci::SCI_GETLENGTH, 0, 0) == 0)
        LoadDocument(FilePath("program.nc"));
    for (auto _ : state) {
        if (!SaveDocument(FilePath("saved.nc")))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(CncProgram().size()));
}

BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    folder = &dir;
    ProgramFolder = VARNOTEK_PROGRAM_DIR;
    Forms::Instance().Get<MDIForm1>().Show();
    WriteProgram();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Forms::Instance().DestroyAll();
    return 0;
}
