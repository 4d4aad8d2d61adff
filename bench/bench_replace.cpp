// Replace All of 100,000 matches in a 1,000,000-line part program, through the dialog and through
// the primitive alone, with the real component and the main window shown as in use.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

#include "CncProgram.h"
#include "EditorBench.h"
#include "app/Application.h"
#include "base/UnattendedDialogs.h"
#include "component/SciMessages.h"
#include "search/SearchPrimitives.h"
#include "search/frmReplace.h"

namespace {

using namespace sci;

constexpr int Matches = 100000;

// The shared program with " M8" at the end of every tenth line: exactly 100,000 occurrences.
const std::string& ProgramWithMatches()
{
    static const std::string text = [] {
        const std::string& program = CncProgram();
        std::string t;
        t.reserve(program.size() + 3 * Matches);
        std::size_t line = 0;
        for (std::size_t start = 0; start < program.size(); ++line) {
            const std::size_t end = program.find("\r\n", start);
            t.append(program, start, end - start);
            if (line % 10 == 0)
                t += " M8";
            t += "\r\n";
            start = end + 2;
        }
        return t;
    }();
    return text;
}

// The last box's prompt, where Replace All reports its count.
std::string lastPrompt;

// A fresh copy of the program with the caret at the start of the given line and no undo history.
void LoadProgram(int caretLine)
{
    const std::string& text = ProgramWithMatches();
    BenchApp().editor.SendEditor(SCI_SETTEXT, 0, std::string_view());
    BenchApp().editor.SendEditor(SCI_EMPTYUNDOBUFFER, 0, 0);
    BenchApp().editor.SendEditor(SCI_ADDTEXT, std::int32_t(text.size()), text);
    BenchApp().editor.SendEditor(SCI_EMPTYUNDOBUFFER, 0, 0);
    BenchApp().editor.SendEditor(SCI_GOTOLINE, caretLine, 0);
}

void BM_ReplaceAllDialog(benchmark::State& state)
{
    frmReplace& dialog = BenchApp().forms.Get<frmReplace>();
    dialog.Show();
    dialog.findChildren<QRadioButton*>(QStringLiteral("Option1")).at(1)->click();
    dialog.findChild<QComboBox*>(QStringLiteral("cboText"))->setCurrentText(QStringLiteral("M8"));
    dialog.findChild<QComboBox*>(QStringLiteral("cboReplace"))->setCurrentText(QStringLiteral("M9"));
    auto* replaceAll = dialog.findChild<QPushButton*>(QStringLiteral("cmdReplaceAll"));
    const std::string expected =
        "The specified region has been searched. " + std::to_string(Matches) + " replacements were made.";
    for (auto _ : state) {
        state.PauseTiming();
        LoadProgram(500000);  // the wrapped second pass does the first half
        state.ResumeTiming();
        replaceAll->click();
        if (lastPrompt != expected)
            state.SkipWithError(lastPrompt.c_str());
    }
    state.counters["replacements"] = benchmark::Counter(Matches, benchmark::Counter::kIsIterationInvariantRate);
    BenchApp().forms.Unload<frmReplace>();
}

// The primitive with the view held still as Replace All holds it (argument 1), and live (0),
// scrolling to every match.
void BM_ReplaceAllInDirection(benchmark::State& state)
{
    const bool held = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        LoadProgram(0);
        state.ResumeTiming();
        std::optional<HeldView> view;
        if (held)
            view.emplace(BenchApp().editor);
        if (ReplaceAllInDirection(BenchApp().editor, "M8", "M9", false, false, false, false) != Matches)
            state.SkipWithError("wrong number of replacements");
    }
    state.counters["replacements"] = benchmark::Counter(Matches, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_ReplaceAllDialog)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ReplaceAllInDirection)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return RunEditorBenchmarks(
        argc, argv, [](const std::string&) { return std::string(VARNOTEK_PROGRAM_DIR); },
        std::make_unique<UnattendedDialogs>([](const MessageBoxRequest& box) { lastPrompt = box.prompt; }));
}
