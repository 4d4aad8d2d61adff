// Set-up shared by the editor benchmarks.
#include "EditorBench.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <fstream>

#include "CncProgram.h"
#include "app/Application.h"
#include "app/MDIForm1.h"
#include "app/QtDialogService.h"

namespace {
QTemporaryDir* scratch = nullptr;
Application* application = nullptr;
}  // namespace

Application& BenchApp() { return *application; }

std::string BenchFile(const char* name) { return scratch->filePath(QString::fromLatin1(name)).toStdString(); }

std::string BenchProgramPath() { return BenchFile("program.nc"); }

int RunEditorBenchmarks(int argc, char** argv, const std::function<std::string(const std::string&)>& setUp,
                        std::unique_ptr<DialogService> dialogs)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    scratch = &dir;
    {
        std::ofstream out(BenchProgramPath(), std::ios::binary);
        out.write(CncProgram().data(), std::streamsize(CncProgram().size()));
        if (!out)
            return 1;
    }
    Application bench(dialogs ? std::move(dialogs) : std::make_unique<QtDialogService>());
    application = &bench;
    bench.app.ProgramFolder = setUp(dir.path().toStdString());
    if (bench.app.ProgramFolder.empty())
        return 1;
    bench.forms.Get<MDIForm1>().Show();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
