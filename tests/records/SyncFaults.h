#pragma once
// The test binary's own fsync: it notes which files were flushed and can make
// one flush fail, as a disk that reports an I/O error would.

#include <string>
#include <vector>

namespace calctutor::testing {

struct SyncFaults {
    std::vector<std::string> synced; // the paths flushed, in order
    std::string failFor;             // the next flush of a path ending so fails...
    int failWith = 0;                // ...with this error, once
};

// Cleared at the start of each test that uses it.
SyncFaults& syncFaults();

} // namespace calctutor::testing
