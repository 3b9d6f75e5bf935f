#pragma once
// One zip archive read in memory with libzip, never unpacked to disk: its
// members' names and sizes, and a member's bytes as a ByteSource. Caps on the
// number of members and on the bytes they unpack to keep a zip bomb from
// filling memory or taking hours. Builds without libzip (the Windows cross
// build) have none of this; the reader says so for every archive it meets.

#include "report/RecordFileReader.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace calctutor::report {

struct ZipLimits {
    std::uint64_t members = 100000;
    std::uint64_t unpackedBytes = std::uint64_t{4} << 30;
};

bool zipSupported();

class ZipArchive {
public:
    struct Member {
        std::uint64_t index = 0;
        std::string name; // UTF-8, as stored in the archive
    };

    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Nothing, and why in problem, when the archive cannot be opened or is refused.
    static std::unique_ptr<ZipArchive> open(const std::string& path, const ZipLimits& limits, std::string& problem);

    // The members that are files, with their names; unsafe names (".." or an
    // absolute path) are left out and named in problems.
    std::vector<Member> members(std::vector<std::string>& problems) const;
    // A member's bytes; reading fails once the archive has unpacked more than its cap.
    std::unique_ptr<ByteSource> member(std::uint64_t index, std::string& problem);

private:
    ZipArchive() = default;
    struct State;
    std::unique_ptr<State> m_state;
};

// A member name that would lead out of a folder it was unpacked into.
bool isUnsafeMemberName(std::string_view name);

} // namespace calctutor::report
