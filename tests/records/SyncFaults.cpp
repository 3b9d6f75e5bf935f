#include "records/SyncFaults.h"

#include <cerrno>
#include <climits>
#include <string>
#ifndef _WIN32
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace calctutor::testing {

SyncFaults& syncFaults()
{
    static SyncFaults faults;
    return faults;
}

std::string& exitAtSyncOf()
{
    static std::string suffix;
    return suffix;
}

} // namespace calctutor::testing

#ifndef _WIN32
// Takes the place of the C library's fsync for everything linked into the
// test binary, the record writer included.
extern "C" int fsync(int fd)
{
    using calctutor::testing::syncFaults;
    char target[PATH_MAX] = {};
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target - 1);
    const std::string path(target, length > 0 ? static_cast<std::size_t>(length) : 0);
    syncFaults().synced.push_back(path);
    if (!calctutor::testing::exitAtSyncOf().empty() && path.ends_with(calctutor::testing::exitAtSyncOf()))
        ::_exit(0);
    const std::string& failFor = syncFaults().failFor;
    if (syncFaults().failWith != 0 && !failFor.empty() && path.ends_with(failFor)) {
        errno = syncFaults().failWith;
        if (--syncFaults().failTimes <= 0)
            syncFaults().failWith = 0;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}
#endif
