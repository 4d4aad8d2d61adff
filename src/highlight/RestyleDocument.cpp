// The whole-document pass. It gives pending events their turn at most every few milliseconds
// rather than after every line: a yield costs about as much as styling a line, and a few
// milliseconds between turns is well below what a user notices.
#include "highlight/Styling.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include "editor/EditorCalls.h"
#include "editor/EditorSession.h"
#include "highlight/RestyleProgress.h"

namespace {

constexpr qint64 YieldIntervalMs = 8;

class EventTurns {
public:
    // Lets pending events run on the first call and then whenever the interval has passed.
    void Give()
    {
        if (clock_.isValid() && clock_.elapsed() < YieldIntervalMs)
            return;
        QCoreApplication::processEvents();
        clock_.start();
    }

private:
    QElapsedTimer clock_;
};

}  // namespace

void Styling::ShowProgress(const std::string& text) const
{
    if (ShowStatusText)
        ShowStatusText(text);
}

void Styling::RestyleDocument()
{
    const AppState& app = editor_.App();
    if (!StylingEnabled || RestyleBusy)
        return;
    const EditorCalls calls(editor_);
    EventTurns turns;
    bool restart = true;
    while (restart) {
        restart = false;
        const std::int32_t lastLine = calls.LineCount() - 1;
        if (lastLine < 1)
            break;
        const std::int32_t step = RestyleStep(lastLine);
        StyleRestartRequested = false;
        RestyleBusy = true;
        std::int32_t shownBar = -1;
        for (std::int32_t line = 0; line <= lastLine; ++line) {
            turns.Give();
            line = std::max(line, calls.FirstVisibleLine());
            StyleLine(line);
            if (StyleRestartRequested) {
                restart = true;
                break;
            }
            const std::int32_t bar = RestyleBarLength(line, step);
            if (app.AppClosing)
                return;
            if (bar != shownBar) {
                ShowProgress(std::string(std::size_t(std::max(bar, 0)), '|'));
                shownBar = bar;
            }
        }
    }
    ShowProgress({});
    RestyleBusy = false;
}
