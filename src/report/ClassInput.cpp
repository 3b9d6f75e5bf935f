#include "report/ClassInput.h"

#include "core/Windows1252.h"
#include "report/RecordText.h"

#include <algorithm>
#include <system_error>

namespace calctutor::report {

namespace fs = std::filesystem;

std::string pathText(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

fs::path pathFromText(std::string_view text)
{
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string displayText(std::string_view bytes)
{
    return isUtf8Prefix(bytes) ? std::string(bytes) : windows1252ToUtf8(bytes);
}

namespace {

bool isZipName(const fs::path& path)
{
    std::string extension = pathText(path.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return extension == ".zip";
}

std::string_view fileNameOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string describe(fs::file_type type)
{
    switch (type) {
    case fs::file_type::fifo: return "a named pipe (FIFO)";
    case fs::file_type::block:
    case fs::file_type::character: return "a device";
    case fs::file_type::socket: return "a socket";
    default: return "not a file";
    }
}

} // namespace

ClassInput::ClassInput(ZipLimits zipLimits) : m_zipLimits(zipLimits) {}

void ClassInput::problem(const fs::path& path, std::string reason)
{
    m_problems.push_back({displayText(pathText(path)), 0, std::move(reason)});
}

void ClassInput::addFile(std::string_view path, std::int32_t archive, std::uint64_t member, bool named)
{
    const std::string_view name = fileNameOf(path);
    const auto recognised = recogniseRecordFileName(name);
    if (!recognised) {
        if (named)
            m_problems.push_back({displayText(path), 0,
                                  "not a record file by its name (masterFile_<name>.txt, send_<MMDD><name>.txt or "
                                  "notes_<name>.txt); skipped"});
        else
            m_skipped.push_back(archive >= 0
                                    ? m_archives[static_cast<std::size_t>(archive)].first + ":" + displayText(path)
                                    : displayText(path));
        return;
    }
    File file;
    file.pathAt = static_cast<std::uint32_t>(m_text.size());
    file.pathSize = static_cast<std::uint32_t>(path.size());
    file.nameAt = file.pathAt + static_cast<std::uint32_t>(path.size() - name.size());
    // The name part ends the stem; find where it starts in the file's own name.
    const std::size_t partInName = name.find(recognised->namePart, name.find(recognised->monthDay));
    file.partAt = file.nameAt + static_cast<std::uint32_t>(partInName == std::string_view::npos ? 0 : partInName);
    file.partSize = static_cast<std::uint32_t>(recognised->namePart.size());
    file.kind = recognised->kind;
    file.archive = archive;
    file.member = member;
    m_text.append(path);
    m_files.push_back(file);
}

void ClassInput::add(const fs::path& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) {
        problem(path, error ? "cannot be read: " + error.message() : "does not exist");
        return;
    }
    if (fs::is_directory(status)) {
        std::vector<fs::path> ancestors;
        addFolder(path, ancestors);
    } else if (!fs::is_regular_file(status)) {
        problem(path, "it is " + describe(status.type()) + ", not a file; skipped");
    } else if (isZipName(path)) {
        addArchive(path);
    } else {
        addFile(pathText(path), -1, 0, true);
    }
}

void ClassInput::addFolder(const fs::path& folder, std::vector<fs::path>& ancestors)
{
    std::error_code error;
    const fs::path real = fs::canonical(folder, error);
    if (!error) {
        if (std::find(ancestors.begin(), ancestors.end(), real) != ancestors.end()) {
            problem(folder, "a link back into a folder that is being searched (a loop); not followed");
            return;
        }
        ancestors.push_back(real);
    }
    fs::directory_iterator entries(folder, fs::directory_options::none, error);
    if (error) {
        problem(folder, "the folder cannot be read: " + error.message());
        if (!ancestors.empty() && ancestors.back() == real)
            ancestors.pop_back();
        return;
    }
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error) {
            problem(folder, "the folder cannot be read to its end: " + error.message());
            break;
        }
        const fs::directory_entry& entry = *entries;
        std::error_code typeError;
        const fs::file_status status = entry.status(typeError); // follows links
        if (fs::is_directory(status))
            addFolder(entry.path(), ancestors);
        else if (fs::is_regular_file(status) && isZipName(entry.path()))
            addArchive(entry.path());
        else if (!typeError && fs::exists(status))
            addFile(pathText(entry.path()), -1, 0, false); // opening refuses pipes and devices
        else
            m_skipped.push_back(displayText(pathText(entry.path())));
    }
    if (!ancestors.empty() && ancestors.back() == real)
        ancestors.pop_back();
}

void ClassInput::addArchive(const fs::path& path)
{
    std::string why;
    const std::string text = pathText(path);
    std::unique_ptr<ZipArchive> archive = ZipArchive::open(text, m_zipLimits, why);
    if (!archive) {
        problem(path, why);
        return;
    }
    const auto index = static_cast<std::int32_t>(m_archives.size());
    m_archives.emplace_back(displayText(text), std::move(archive));
    std::vector<std::string> refused;
    for (const ZipArchive::Member& member : m_archives.back().second->members(refused))
        addFile(member.name, index, member.index, false);
    for (std::string& reason : refused)
        problem(path, std::move(reason));
}

std::string_view ClassInput::pathOf(const File& file) const
{
    return std::string_view(m_text).substr(file.pathAt, file.pathSize);
}

std::string ClassInput::displayPath(const File& file) const
{
    const std::string path = displayText(pathOf(file));
    return file.archive < 0 ? path : m_archives[static_cast<std::size_t>(file.archive)].first + ":" + path;
}

std::string ClassInput::displayName(const File& file) const
{
    return displayText(std::string_view(m_text).substr(file.nameAt, file.pathAt + file.pathSize - file.nameAt));
}

std::string ClassInput::studentName(const File& file) const
{
    return displayText(studentNameOf(std::string_view(m_text).substr(file.partAt, file.partSize)));
}

std::vector<std::vector<ClassInput::File>> ClassInput::byStudent() const
{
    auto nameOf = [this](const File& file) { return std::string_view(m_text).substr(file.partAt, file.partSize); };
    // Byte order, as a sorted list of UTF-8 names has it.
    auto sameStudentChar = [](char c) { return static_cast<unsigned char>(c == '_' ? ' ' : c); };
    std::vector<File> files = m_files;
    std::stable_sort(files.begin(), files.end(), [&](const File& a, const File& b) {
        const std::string_view nameA = nameOf(a);
        const std::string_view nameB = nameOf(b);
        const auto [atA, atB] = std::mismatch(nameA.begin(), nameA.end(), nameB.begin(), nameB.end(),
                                              [&](char x, char y) { return sameStudentChar(x) == sameStudentChar(y); });
        if (atA != nameA.end() || atB != nameB.end()) {
            if (atA == nameA.end() || atB == nameB.end())
                return atA == nameA.end();
            return sameStudentChar(*atA) < sameStudentChar(*atB);
        }
        if (a.kind != b.kind)
            return a.kind < b.kind;
        return pathOf(a) < pathOf(b);
    });
    std::vector<std::vector<File>> groups;
    for (const File& file : files) {
        const bool sameAsLast = !groups.empty() && studentName(groups.back().front()) == studentName(file);
        if (!sameAsLast)
            groups.emplace_back();
        groups.back().push_back(file);
    }
    return groups;
}

} // namespace calctutor::report
