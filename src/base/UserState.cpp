// Notices are small files named after the process that left them, so a start does not take
// the notice of another editor that is still running.
#include "base/UserState.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "base/TextFile.h"

namespace {

constexpr const char* kNoticePrefix = "notice-";

// A private folder of the user's, made if missing (one level, its parents as mkdir -p would).
bool PrivateFolder(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    ::mkdir(path.c_str(), 0700);
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & 077) == 0;
}

// The process that left the notice named name is still running (another editor's, not ours).
bool LeftByRunningProcess(const std::string& name)
{
    const long pid = std::strtol(name.c_str() + std::char_traits<char>::length(kNoticePrefix), nullptr, 10);
    if (pid <= 0 || pid == ::getpid())
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

}  // namespace

std::string UserStateFolder()
{
    std::string base;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        base = state;
    else if (const char* home = std::getenv("HOME"); home && *home == '/')
        base = std::string(home) + "/.local/state";
    else
        return {};
    const std::string folder = base + "/varnotek";
    return PrivateFolder(folder) ? folder : std::string();
}

std::string LeaveNotice(const std::string& text)
{
    const std::string folder = UserStateFolder();
    if (folder.empty())
        return {};
    static std::atomic<unsigned> counter{0};
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    // The time first after the process makes names sort in the order they were left.
    char name[96];
    std::snprintf(name, sizeof name, "%s%d-%020lld%09ld-%u.txt", kNoticePrefix, static_cast<int>(::getpid()),
                  static_cast<long long>(now.tv_sec), now.tv_nsec, counter++);
    // Written beside its name and renamed when whole: a start never reads half a notice.
    const std::string path = folder + "/" + name;
    return WriteTextFile(path, text, true) ? path : std::string();
}

void WithdrawNotice(const std::string& path)
{
    if (!path.empty())
        ::unlink(path.c_str());
}

std::vector<std::string> TakeNotices()
{
    const std::string folder = UserStateFolder();
    if (folder.empty())
        return {};
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return {};
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name.starts_with(kNoticePrefix) && name.ends_with(".txt") && !LeftByRunningProcess(name))
            names.push_back(name);
    }
    // Sorted by the time in the name, whichever process left them.
    const auto timeOf = [](const std::string& name) {
        return name.substr(name.find('-', std::char_traits<char>::length(kNoticePrefix)) + 1);
    };
    std::sort(names.begin(), names.end(), [&](const auto& a, const auto& b) { return timeOf(a) < timeOf(b); });
    std::vector<std::string> notices;
    for (const std::string& name : names) {
        const std::string path = folder + "/" + name;
        std::string text = ReadTextFile(path).value_or(std::string());
        if (::unlink(path.c_str()) == 0 && !text.empty())
            notices.push_back(std::move(text));
    }
    return notices;
}
