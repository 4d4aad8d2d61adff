// Measures loading a 1,000,000-line CNC program into the component, and one keystroke plus its
// repaint with the caret at the start and at the end of it.
//
// KELPO_BENCH_ALL_MODEVENTS=1 sends SCI_SETMODEVENTMASK with every event after creation, to show
// what a keystroke costs without the module's narrow mask (its light accessibility interface
// cannot be switched off from outside).
#include "CncProgram.h"
#include "component/KelpoApi.h"
#include "component/SciMessages.h"

#include <benchmark/benchmark.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLibrary>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr std::uint32_t SciSetModEventMask = 2359;
constexpr std::intptr_t AllModEvents = 0x3FFFFF;

struct Module {
    KelpoCreateFn create = nullptr;
    KelpoSendFn send = nullptr;
};

Module module;

class LoadedComponent;
std::unique_ptr<LoadedComponent> keystrokeComponent;  // released before the application object

// A shown component under its own parent, holding the program.
class LoadedComponent {
public:
    LoadedComponent() : parent_(std::make_unique<QWidget>())
    {
        parent_->resize(1000, 800);
        handle_ = module.create(parent_.get());
        view_ = parent_->findChild<QAbstractScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
        if (view_) {
            view_->resize(parent_->size());
        }
        if (std::getenv("KELPO_BENCH_ALL_MODEVENTS")) {
            send(SciSetModEventMask, AllModEvents);
        }
        parent_->show();
        QCoreApplication::processEvents();
    }

    bool valid() const { return handle_ != 0 && view_; }

    std::intptr_t send(std::uint32_t msg, std::intptr_t wParam = 0, std::intptr_t lParam = 0) const
    {
        return module.send(handle_, msg, static_cast<std::uintptr_t>(wParam), lParam);
    }

    void load(const std::string& text) const
    {
        send(sci::SCI_ADDTEXT, static_cast<std::intptr_t>(text.size()), reinterpret_cast<std::intptr_t>(text.data()));
    }

    void key(int key, const QString& text) const
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(view_, &press);
    }

    void repaint() const { view_->viewport()->repaint(); }

private:
    std::unique_ptr<QWidget> parent_;
    std::intptr_t handle_ = 0;
    QAbstractScrollArea* view_ = nullptr;
};

const char* remedyLabel()
{
    return std::getenv("KELPO_BENCH_ALL_MODEVENTS") ? "all modification events" : "module defaults";
}

void BM_LoadProgram(benchmark::State& state)
{
    const std::string& text = CncProgram();
    for (auto _ : state) {
        LoadedComponent component;
        if (!component.valid()) {
            state.SkipWithError("component not created");
            return;
        }
        QElapsedTimer timer;
        timer.start();
        component.load(text);
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.SetLabel(std::to_string(text.size() / 1000000) + " MB, " + remedyLabel());
}

// One typed character and its repaint; a Backspace outside the timing keeps the text unchanged.
void BM_Keystroke(benchmark::State& state)
{
    if (!keystrokeComponent) {
        keystrokeComponent = std::make_unique<LoadedComponent>();
        if (keystrokeComponent->valid()) {
            keystrokeComponent->load(CncProgram());
        }
    }
    const LoadedComponent* component = keystrokeComponent.get();
    if (!component->valid()) {
        state.SkipWithError("component not created");
        return;
    }
    const bool atEnd = state.range(0) != 0;
    const std::intptr_t length = component->send(sci::SCI_GETLENGTH);
    component->send(sci::SCI_GOTOPOS, atEnd ? length : 0);
    component->repaint();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        component->key(Qt::Key_A, QStringLiteral("a"));
        component->repaint();
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        component->key(Qt::Key_Backspace, QString());
        component->repaint();
    }
    if (component->send(sci::SCI_GETLENGTH) != length) {
        state.SkipWithError("the keystrokes did not reach the component");
    }
    state.SetLabel(std::string(atEnd ? "caret at the end, " : "caret at the start, ") + remedyLabel());
}

}  // namespace

BENCHMARK(BM_LoadProgram)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_Keystroke)->ArgName("at_end")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QLibrary library(QStringLiteral(VARNOTEK_PROGRAM_DIR "/Kelpo.so"));
    module.create = reinterpret_cast<KelpoCreateFn>(library.resolve(KelpoCreateName));
    module.send = reinterpret_cast<KelpoSendFn>(library.resolve(KelpoSendName));
    if (!module.create || !module.send) {
        std::fprintf(stderr, "cannot load %s\n", qPrintable(library.fileName()));
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    keystrokeComponent.reset();
    return 0;
}
