#include "report/ZipArchive.h"

#ifdef CALCTUTOR_HAVE_ZIP
#include <zip.h>
#endif

namespace calctutor::report {

bool isUnsafeMemberName(std::string_view name)
{
    if (name.empty() || name.front() == '/' || name.front() == '\\' || (name.size() > 1 && name[1] == ':'))
        return true;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = name.find_first_of("/\\", start);
        if (name.substr(start, end - start) == "..")
            return true;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return false;
}

#ifdef CALCTUTOR_HAVE_ZIP

bool zipSupported()
{
    return true;
}

struct ZipArchive::State {
    zip_t* archive = nullptr;
    ZipLimits limits;
    std::uint64_t unpacked = 0;
};

namespace {

class MemberSource : public ByteSource {
public:
    MemberSource(zip_file_t* file, std::uint64_t& unpacked, std::uint64_t cap)
        : m_file(file), m_unpacked(unpacked), m_cap(cap)
    {
    }
    ~MemberSource() override { zip_fclose(m_file); }
    MemberSource(const MemberSource&) = delete;
    MemberSource& operator=(const MemberSource&) = delete;

    std::optional<std::string> read(std::string& into, std::size_t maxBytes) override
    {
        if (m_unpacked >= m_cap)
            return "the archive's members unpack to more than " + std::to_string(m_cap >> 20)
                + " MB (a zip bomb?); the rest is not read";
        const std::size_t before = into.size();
        into.resize(before + maxBytes);
        const zip_int64_t got = zip_fread(m_file, into.data() + before, maxBytes);
        if (got < 0) {
            into.resize(before);
            return std::string("the archive member cannot be unpacked: ") + zip_file_strerror(m_file);
        }
        into.resize(before + static_cast<std::size_t>(got));
        m_unpacked += static_cast<std::uint64_t>(got);
        return std::nullopt;
    }

private:
    zip_file_t* m_file;
    std::uint64_t& m_unpacked;
    std::uint64_t m_cap;
};

} // namespace

ZipArchive::~ZipArchive()
{
    if (m_state && m_state->archive)
        zip_discard(m_state->archive);
}

std::unique_ptr<ZipArchive> ZipArchive::open(const std::string& path, const ZipLimits& limits, std::string& problem)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive) {
        zip_error_t reason;
        zip_error_init_with_code(&reason, error);
        problem = std::string("not a readable zip archive: ") + zip_error_strerror(&reason);
        zip_error_fini(&reason);
        return nullptr;
    }
    std::unique_ptr<ZipArchive> result(new ZipArchive);
    result->m_state = std::make_unique<State>();
    result->m_state->archive = archive;
    result->m_state->limits = limits;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > limits.members) {
        problem = "the archive has " + std::to_string(count) + " members, more than the "
            + std::to_string(limits.members) + " a class can have (a zip bomb?); not read";
        return nullptr;
    }
    return result;
}

std::vector<ZipArchive::Member> ZipArchive::members(std::vector<std::string>& problems) const
{
    std::vector<Member> found;
    zip_t* archive = m_state->archive;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0 || !stat.name)
            continue;
        const std::string name = stat.name;
        if (name.ends_with('/'))
            continue; // a folder
        if (isUnsafeMemberName(name)) {
            problems.push_back("member \"" + name + "\" is named with \"..\" or an absolute path; skipped");
            continue;
        }
        found.push_back({static_cast<std::uint64_t>(index), name});
    }
    return found;
}

std::unique_ptr<ByteSource> ZipArchive::member(std::uint64_t index, std::string& problem)
{
    zip_file_t* file = zip_fopen_index(m_state->archive, index, 0);
    if (!file) {
        problem = std::string("the archive member cannot be opened: ") + zip_strerror(m_state->archive);
        return nullptr;
    }
    return std::make_unique<MemberSource>(file, m_state->unpacked, m_state->limits.unpackedBytes);
}

#else

bool zipSupported()
{
    return false;
}

struct ZipArchive::State {};

ZipArchive::~ZipArchive() = default;

std::unique_ptr<ZipArchive> ZipArchive::open(const std::string&, const ZipLimits&, std::string& problem)
{
    problem = "this build reads no zip archives (built without libzip); unpack the archive and name its folder";
    return nullptr;
}

std::vector<ZipArchive::Member> ZipArchive::members(std::vector<std::string>&) const
{
    return {};
}

std::unique_ptr<ByteSource> ZipArchive::member(std::uint64_t, std::string& problem)
{
    problem = "this build reads no zip archives";
    return nullptr;
}

#endif

} // namespace calctutor::report
