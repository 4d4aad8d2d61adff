// Varnotek: an editor for CNC part programs.
#include <QApplication>

#include "about/Form2.h"
#include "app/Forms.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnotek"));
    Forms::Instance().Get<Form2>().Show();
    return QApplication::exec();
}
