// Paths inside the program folder, and where that folder is.
#include "base/AppState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <climits>
#include <unistd.h>

#include "base/FileAttributes.h"

namespace {

bool MayWrite(const std::string& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

// name in the user's own folder of that kind, the folder made (mode 0700) when make is set; a
// folder that cannot be made shows when the file is written.
std::string UserFile(QStandardPaths::StandardLocation kind, const std::string& name, bool make)
{
    const QString folder = QStandardPaths::writableLocation(kind) + QStringLiteral("/varnotek");
    if (make && QDir().mkpath(folder))
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return QFile::encodeName(folder).toStdString() + "/" + name;
}

}  // namespace

std::string AppState::ProgramFile(const std::string& name) const { return ProgramFolder + "/" + name; }

std::string AppState::SettingsFileToRead(const std::string& name) const
{
    if (MayWrite(ProgramFolder))
        return ProgramFile(name);
    const std::string own = UserFile(QStandardPaths::GenericConfigLocation, name, false);
    return RegularFileExists(own) ? own : ProgramFile(name);
}

std::string AppState::SettingsFileToWrite(const std::string& name) const
{
    return MayWrite(ProgramFolder) ? ProgramFile(name) : UserFile(QStandardPaths::GenericConfigLocation, name, true);
}

std::string AppState::HandOffFile(const std::string& name) const
{
    return MayWrite(ProgramFolder) ? ProgramFile(name) : UserFile(QStandardPaths::GenericCacheLocation, name, true);
}

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
