// Word scanner throughput over a large part program, against a bare per-byte classifying loop.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "styling/StyleRunMessages.h"
#include "styling/WordScanner.h"

namespace {

constexpr int kProgramLines = 1'000'000;

// Deterministic values, so every run measures the same text.
class Lcg {
public:
    std::uint32_t Next(std::uint32_t bound)
    {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) % bound;
    }

private:
    std::uint32_t state_ = 12345u;
};

std::string Coordinate(Lcg& random, char letter)
{
    const std::uint32_t value = random.Next(2'000'000);
    std::string text(1, letter);
    if (value % 3 == 0)
        text += '-';
    const std::string fraction = std::to_string(1000 + value % 1000);  // three digits after a 1
    text += std::to_string(value / 1000) + '.' + fraction.substr(1);
    return text;
}

// A milling program: header comments, then numbered blocks of motion and machine words.
struct Program {
    std::string text;
    std::vector<std::string_view> lines;  // each with its CR LF, as the component hands them out
};

const Program& TheProgram()
{
    static const Program program = [] {
        Program p;
        static constexpr std::array<const char*, 8> kHeader{"%",
                                                            "O1001 (FACE AND POCKET - OP10)",
                                                            "(MATERIAL: AL 6061-T6)",
                                                            "(TOOL 1: 50MM FACE MILL)",
                                                            "(TOOL 2: 10MM END MILL, 3 FLUTES)",
                                                            "(ZERO: TOP CENTRE OF STOCK)",
                                                            "G21 G17 G40 G49 G80 G90",
                                                            "(REVISION 7 - 2024-03-11)"};
        for (const char* line : kHeader)
            p.text += std::string(line) + "\r\n";
        Lcg random;
        for (int n = static_cast<int>(kHeader.size()); n < kProgramLines; ++n) {
            std::string line = "N" + std::to_string(n * 10) + " ";
            switch (random.Next(20)) {
            case 0: line += "M03 S" + std::to_string(800 + random.Next(8000)); break;
            case 1: line += "(PASS " + std::to_string(random.Next(40)) + ")"; break;
            case 2: line += "G00 " + Coordinate(random, 'Z'); break;
            case 3:
            case 4:
                line += "G02 " + Coordinate(random, 'X') + " " + Coordinate(random, 'Y') + " " +
                        Coordinate(random, 'I') + " " + Coordinate(random, 'J');
                break;
            default:
                line += "G01 " + Coordinate(random, 'X') + " " + Coordinate(random, 'Y');
                if (random.Next(4) == 0)
                    line += " F" + std::to_string(100 + random.Next(2000));
                break;
            }
            p.text += line + "\r\n";
        }
        p.text += "M30\r\n%";
        std::size_t start = 0;
        while (start < p.text.size()) {
            const std::size_t lf = p.text.find('\n', start);
            const std::size_t end = lf == std::string::npos ? p.text.size() : lf + 1;
            p.lines.emplace_back(p.text.data() + start, end - start);
            start = end;
        }
        return p;
    }();
    return program;
}

// Argument 0: the built-in set (comments, M, N); 1: every entry in Style 3, the most messages.
StyleModeTable ModesFor(std::int64_t choice)
{
    StyleModeTable modes{};
    if (choice == 0) {
        modes[26] = modes[12] = modes[13] = 1;
    } else {
        modes.fill(3);
    }
    return modes;
}

// Throughput over the whole program, and what one pass produced (words, messages or the sum
// of byte classes), which also keeps the work from being optimised away.
void Finish(benchmark::State& state, const char* what, std::size_t total)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * TheProgram().text.size()));
    state.counters[what] = static_cast<double>(total) / static_cast<double>(state.iterations());
}

// Byte classes as the scanner sees them: 0 other, 1 number character, 2 closer, 3 letter,
// 4 opener.
constexpr std::array<std::uint8_t, 256> MakeClassTable()
{
    std::array<std::uint8_t, 256> table{};
    for (int c = '0'; c <= '9'; ++c)
        table[static_cast<std::size_t>(c)] = 1;
    table['-'] = table['.'] = 1;
    table[')'] = 2;
    for (int c = 'A'; c <= 'Z'; ++c)
        table[static_cast<std::size_t>(c)] = 3;
    table['('] = 4;
    return table;
}

constexpr std::array<std::uint8_t, 256> kClass = MakeClassTable();

// The floor: every byte of every line looked up in a 256-entry class table, nothing else.
void BM_ClassifyBytes(benchmark::State& state)
{
    const Program& program = TheProgram();
    std::size_t classes = 0;
    for (auto _ : state) {
        for (const std::string_view line : program.lines)
            for (const char c : line)
                classes += kClass[static_cast<unsigned char>(c)];
        benchmark::DoNotOptimize(classes);
    }
    state.SetLabel(std::to_string(program.text.size()) + " bytes, " + std::to_string(program.lines.size()) + " lines");
    Finish(state, "class_sum", classes);
}

void BM_ScanLine(benchmark::State& state)
{
    const Program& program = TheProgram();
    const StyleModeTable modes = ModesFor(state.range(0));
    std::vector<StyleRun> runs;
    std::size_t total = 0;
    for (auto _ : state) {
        for (const std::string_view line : program.lines) {
            ScanLine(line, modes, runs);
            total += runs.size();
        }
        benchmark::DoNotOptimize(runs.data());
    }
    Finish(state, "words", total);
}

// The scanner alone, each word handed on as it is found.
void BM_ScanWords(benchmark::State& state)
{
    const Program& program = TheProgram();
    const StyleModeTable modes = ModesFor(state.range(0));
    std::size_t total = 0;
    std::int64_t checksum = 0;
    for (auto _ : state) {
        for (const std::string_view line : program.lines) {
            ScanWords(line, modes, [&](const StyleRun& run) {
                ++total;
                checksum += run.position ^ run.length;
            });
        }
        benchmark::DoNotOptimize(checksum);
    }
    Finish(state, "words", total);
}

// Scanning and message generation together, each message handed on as soon as it is made.
void BM_LineMessages(benchmark::State& state)
{
    const Program& program = TheProgram();
    const StyleModeTable modes = ModesFor(state.range(0));
    std::size_t total = 0;
    std::int64_t checksum = 0;
    for (auto _ : state) {
        std::int32_t lineStart = 0;
        for (const std::string_view line : program.lines) {
            ForEachLineStyleMessage(lineStart, line, modes, [&](const SciCall& call) {
                ++total;
                checksum += call.wParam ^ call.lParam;
            });
            lineStart += static_cast<std::int32_t>(line.size());
        }
        benchmark::DoNotOptimize(checksum);
    }
    Finish(state, "messages", total);
}

// The same messages collected into a reused buffer per line.
void BM_AppendLineMessages(benchmark::State& state)
{
    const Program& program = TheProgram();
    const StyleModeTable modes = ModesFor(state.range(0));
    std::vector<SciCall> calls;
    std::size_t total = 0;
    for (auto _ : state) {
        std::int32_t lineStart = 0;
        for (const std::string_view line : program.lines) {
            calls.clear();
            AppendLineStyleMessages(lineStart, line, modes, calls);
            total += calls.size();
            lineStart += static_cast<std::int32_t>(line.size());
        }
        benchmark::DoNotOptimize(calls.data());
    }
    Finish(state, "messages", total);
}

}  // namespace

BENCHMARK(BM_ClassifyBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanWords)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineMessages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendLineMessages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
