// SIGTERM, SIGINT and SIGHUP end the editor as closing its window would, so that nothing it holds
// outside the process (its message endpoint's socket file) is left behind, and nothing typed is
// lost: unsaved text goes to a recovery file first. The end of the desktop session asks as
// closing does, or keeps the text the same way when the session manager allows no questions.
#pragma once

#include <QObject>

class EditorSession;

// Lives for the whole event loop; quits it when a termination signal arrives.
class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(EditorSession& editor, QObject* parent = nullptr);

private:
    void Terminate();

    EditorSession& editor_;
    bool ending_ = false;
};
