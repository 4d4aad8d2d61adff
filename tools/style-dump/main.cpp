// style-dump: loads a part program into the editor headless, styles every line and prints the
// component's style runs as "line start length style", one run per output line.
#include <QApplication>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>

#include "app/Application.h"
#include "base/Text8.h"
#include "base/UnattendedDialogs.h"
#include "editor/Documents.h"
#include "editor/EditorCalls.h"
#include "editor/frmEditor.h"

namespace {

// Styles are fetched in slices of this many bytes, so a very long line needs no huge buffer.
constexpr std::int32_t SliceBytes = 65536;

// Collects the output text and writes it in large blocks.
class RunWriter {
public:
    explicit RunWriter(std::FILE* out) : out_(out) { buffer_.reserve(FlushBytes + 64); }

    void Run(std::int32_t line, std::int32_t start, std::int32_t length, int style)
    {
        Number(line, ' ');
        Number(start, ' ');
        Number(length, ' ');
        Number(style, '\n');
        if (buffer_.size() >= FlushBytes)
            Flush();
    }
    // False when anything could not be written.
    bool Finish()
    {
        Flush();
        return std::fflush(out_) == 0 && !std::ferror(out_);
    }

private:
    static constexpr std::size_t FlushBytes = 1 << 20;

    void Number(std::int64_t value, char separator)
    {
        char digits[24];
        const auto result = std::to_chars(digits, digits + sizeof digits, value);
        buffer_.append(digits, result.ptr);
        buffer_.push_back(separator);
    }
    void Flush()
    {
        std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
        buffer_.clear();
    }

    std::FILE* out_;
    std::string buffer_;
};

// The style of every byte from start to end (end within the document), as the component holds it.
void FetchStyles(const EditorSession& editor, std::int32_t start, std::int32_t end, std::string& styled)
{
    styled.resize(std::size_t(end - start) * 2 + 2);
    SciTextRange range{start, end, styled.data()};
    EditorCalls(editor).GetStyledText(range);
}

void WriteLineRuns(const EditorSession& editor, std::int32_t line, std::int32_t start, std::int32_t end,
                   RunWriter& writer, std::string& styled)
{
    std::int32_t runStart = start;
    int runStyle = -1;
    for (std::int32_t slice = start; slice < end; slice += SliceBytes) {
        const std::int32_t sliceEnd = std::min(end, slice + SliceBytes);
        FetchStyles(editor, slice, sliceEnd, styled);
        for (std::int32_t position = slice; position < sliceEnd; ++position) {
            const int style = static_cast<unsigned char>(styled[std::size_t(position - slice) * 2 + 1]);
            if (style == runStyle)
                continue;
            if (runStyle >= 0)
                writer.Run(line, runStart, position - runStart, runStyle);
            runStart = position;
            runStyle = style;
        }
    }
    if (runStyle >= 0)
        writer.Run(line, runStart, end - runStart, runStyle);
}

bool WriteStyleRuns(const EditorSession& editor, std::FILE* out)
{
    const EditorCalls calls(editor);
    const std::int32_t lineCount = calls.LineCount();
    const std::int32_t length = calls.Length();
    RunWriter writer(out);
    std::string styled;
    std::int32_t start = 0;
    for (std::int32_t line = 0; line < lineCount; ++line) {
        const std::int32_t end = line + 1 < lineCount ? calls.PositionFromLine(line + 1) : length;
        WriteLineRuns(editor, line, start, std::clamp(end, start, length), writer, styled);
        start = std::clamp(end, start, length);
    }
    return writer.Finish();
}

// The editor window alone, with the style set of the program folder; no main window.
int DumpStyles(const std::string& path)
{
    // Nobody can answer a box here: each one goes to stderr.
    Application application(std::make_unique<UnattendedDialogs>([](const MessageBoxRequest& request) {
        std::string prompt = request.prompt;
        std::erase(prompt, '\r');
        std::fprintf(stderr, "style-dump: %s: %s\n", request.title.c_str(), prompt.c_str());
    }));
    application.app.ProgramFolder = ToLocal8(QCoreApplication::applicationDirPath());
    application.forms.Get<frmEditor>().EnsureLoaded();
    EditorSession& editor = application.editor;
    if (!LoadDocument(editor, path)) {
        std::fprintf(stderr, "style-dump: cannot load %s\n", path.c_str());
        return 1;
    }
    application.styling.StyleLines(0, EditorCalls(editor).LineCount() - 1);
    if (!WriteStyleRuns(editor, stdout)) {
        std::fprintf(stderr, "style-dump: cannot write the output\n");
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: style-dump FILE\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string path = argv[1];
    // The editor takes its arguments as a file to open later; the file is loaded here instead.
    int appArgc = 1;
    QApplication app(appArgc, argv);
    return DumpStyles(path);
}
