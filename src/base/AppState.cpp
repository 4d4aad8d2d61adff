// Paths inside the program folder, and where that folder is.
#include "base/AppState.h"

#include <QCoreApplication>
#include <QFile>

#include <climits>
#include <unistd.h>

std::string AppState::ProgramFile(const std::string& name) const { return ProgramFolder + "/" + name; }

std::string ExecutableFolder()
{
    // Qt gives the folder as text, which cannot hold every byte a file name may have.
    char target[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", target, sizeof target);
    std::string path = length > 0 && std::size_t(length) < sizeof target
                           ? std::string(target, std::size_t(length))
                           : QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    path.erase(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/'));
    return path;
}
