// Varnotek: an editor for CNC part programs.
#include <QApplication>

#include <memory>

#include "about/Form2.h"
#include "app/Application.h"
#include "app/QtDialogService.h"
#include "app/TerminationSignals.h"
#include "app/WindowIcon.h"

int main(int argc, char* argv[])
{
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnotek"));
    // The task bar groups the windows under the desktop entry, whose icon they also carry.
    QGuiApplication::setDesktopFileName(QStringLiteral("varnotek"));
    QApplication::setWindowIcon(ApplicationIcon());
    Application application(std::make_unique<QtDialogService>());
    const TerminationSignals termination(application.editor);
    // QApplication has taken its own options out of argv; the rest may name a file in any bytes.
    application.app.Arguments.assign(argv + 1, argv + argc);
    application.forms.Get<Form2>().Show();
    return QApplication::exec();
}
