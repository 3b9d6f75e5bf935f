#pragma once
// The test binary's own fsync: it notes which files were flushed and can make
// one flush fail, as a disk that reports an I/O error would.

#include <string>
#include <vector>

// Flushes are watched by taking the place of the C library's fsync, which a
// POSIX system allows; on Windows the tests that need it skip and say why.
#ifdef _WIN32
#define SKIP_WITHOUT_SYNC_FAULTS()                                                                                     \
    GTEST_SKIP() << "flushes cannot be watched or failed here: Windows has no fsync for the test to replace, and "     \
                    "FlushFileBuffers comes from kernel32"
#else
#define SKIP_WITHOUT_SYNC_FAULTS() static_cast<void>(0)
#endif

namespace calctutor::testing {

struct SyncFaults {
    std::vector<std::string> synced; // the paths flushed, in order
    std::string failFor;             // the next flush of a path ending so fails...
    int failWith = 0;                // ...with this error,
    int failTimes = 1;               // ...this many times
};

// Cleared at the start of each test that uses it.
SyncFaults& syncFaults();
// The first flush of a path ending so ends the process there, as a kill
// would; for a forked child only.
std::string& exitAtSyncOf();

} // namespace calctutor::testing
