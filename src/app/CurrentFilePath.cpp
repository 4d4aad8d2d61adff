// CurrentFilePath lives in rt1 so that the user always sees it.
#include "app/CurrentFilePath.h"

#include <QLineEdit>

#include "app/MDIForm1.h"

std::string CurrentFilePath()
{
    const QByteArray bytes = Forms::Instance().Get<MDIForm1>().rt1()->text().toLocal8Bit();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

void SetCurrentFilePath(const std::string& path)
{
    Forms::Instance().Get<MDIForm1>().rt1()->setText(QString::fromLocal8Bit(path.data(), qsizetype(path.size())));
}
