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

ClassInput::ClassInput(ZipLimits zipLimits, bool keepSkipped) : m_zipLimits(zipLimits), m_keepSkipped(keepSkipped) {}

void ClassInput::skip(std::string shown)
{
    ++m_skippedCount;
    if (m_keepSkipped)
        m_skipped.push_back(std::move(shown));
}

void ClassInput::problem(const fs::path& path, std::string reason)
{
    m_problems.push_back({displayText(pathText(path)), 0, std::move(reason)});
}

std::uint32_t ClassInput::addFolderName(const fs::path& name, std::uint32_t parent)
{
    m_folders.push_back({parent, pathText(name)});
    return static_cast<std::uint32_t>(m_folders.size() - 1);
}

fs::path ClassInput::folderPath(std::uint32_t folder) const
{
    const Folder& named = m_folders[folder];
    const fs::path name = pathFromText(named.name);
    return named.parent == kNoDetail ? name : folderPath(named.parent) / name;
}

std::string ClassInput::fileName(const File& file) const
{
    if (file.detail != kNoDetail)
        return std::string(fileNameOf(m_details[file.detail].name));
    const std::string& part = m_parts[file.part];
    switch (file.kind) {
    case RecognisedRecordFile::Kind::Master: return "masterFile_" + part + ".txt";
    case RecognisedRecordFile::Kind::Notes: return "notes_" + part + ".txt";
    case RecognisedRecordFile::Kind::Send: break;
    }
    std::string monthDay = std::to_string(10000 + file.monthDay).substr(1);
    return "send_" + monthDay + part + ".txt";
}

void ClassInput::addFile(std::uint32_t folder, std::string_view name, std::int32_t archive, std::uint64_t member,
                         bool named)
{
    const auto recognised = recogniseRecordFileName(fileNameOf(name));
    if (!recognised) {
        const std::string shown = archive >= 0
            ? m_archives[static_cast<std::size_t>(archive)].first + ":" + displayText(name)
            : displayText(pathText(folderPath(folder) / pathFromText(name)));
        if (named)
            m_problems.push_back({shown, 0,
                                  "not a record file by its name (masterFile_<name>.txt, send_<MMDD><name>.txt or "
                                  "notes_<name>.txt); skipped"});
        else
            skip(shown);
        return;
    }
    File file;
    file.folder = folder;
    file.kind = recognised->kind;
    if (!recognised->monthDay.empty())
        file.monthDay = static_cast<std::uint16_t>(std::stoi(recognised->monthDay));
    auto known = m_partIndex.find(recognised->namePart);
    if (known == m_partIndex.end()) {
        const std::string& part = m_parts.emplace_back(recognised->namePart);
        known = m_partIndex.emplace(part, static_cast<std::uint32_t>(m_parts.size() - 1)).first;
    }
    file.part = known->second;
    if (archive >= 0 || fileName(file) != name) {
        m_details.push_back({std::string(name), archive, member});
        file.detail = static_cast<std::uint32_t>(m_details.size() - 1);
    }
    m_files.push_back(file);
}

void ClassInput::add(const fs::path& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        problem(path, "does not exist");
        return;
    }
    if (error) {
        problem(path, "cannot be read: " + error.message());
        return;
    }
    if (fs::is_directory(status)) {
        std::vector<fs::path> ancestors;
        addFolder(path, addFolderName(path), ancestors);
    } else if (!fs::is_regular_file(status)) {
        problem(path, "it is " + describe(status.type()) + ", not a file; skipped");
    } else if (isZipName(path)) {
        addArchive(path);
    } else {
        addFile(addFolderName(path.parent_path()), pathText(path.filename()), -1, 0, true);
    }
}

void ClassInput::addFolder(const fs::path& folder, std::uint32_t index, std::vector<fs::path>& ancestors, fs::path real)
{
    std::error_code error;
    if (real.empty())
        real = fs::canonical(folder, error);
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
        // The folder's listing tells what each name is, so only a link costs
        // the system another look (to what it leads to).
        std::error_code typeError;
        const bool linked = entry.is_symlink(typeError);
        if (entry.is_directory(typeError)) {
            // Only a link can lead back into a folder being searched: a folder
            // itself is where its parent's real path says, with no need to ask.
            const bool realKnown = !linked && !ancestors.empty() && ancestors.back() == real;
            addFolder(entry.path(), addFolderName(entry.path().filename(), index), ancestors,
                      realKnown ? real / entry.path().filename() : fs::path());
        } else if (entry.is_regular_file(typeError) && isZipName(entry.path())) {
            addArchive(entry.path());
        } else if (entry.exists(typeError) && !typeError) {
            addFile(index, pathText(entry.path().filename()), -1, 0, false); // opening refuses pipes and devices
        } else {
            skip(displayText(pathText(entry.path())));
        }
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
        addFile(0, member.name, index, member.index, false);
    for (std::string& reason : refused)
        problem(path, std::move(reason));
}

ZipArchive* ClassInput::archive(const File& file, std::uint64_t& member)
{
    if (file.detail == kNoDetail || m_details[file.detail].archive < 0)
        return nullptr;
    const Detail& detail = m_details[file.detail];
    member = detail.member;
    return m_archives[static_cast<std::size_t>(detail.archive)].second.get();
}

std::string ClassInput::pathOf(const File& file) const
{
    return pathText(folderPath(file.folder) / pathFromText(fileName(file)));
}

std::string ClassInput::displayPath(const File& file) const
{
    if (file.detail != kNoDetail && m_details[file.detail].archive >= 0) {
        const Detail& detail = m_details[file.detail];
        return m_archives[static_cast<std::size_t>(detail.archive)].first + ":" + displayText(detail.name);
    }
    return displayText(pathOf(file));
}

std::string ClassInput::displayName(const File& file) const
{
    return displayText(fileName(file));
}

std::string ClassInput::studentName(const File& file) const
{
    return displayText(studentNameOf(m_parts[file.part]));
}

std::vector<ClassInput::Student> ClassInput::byStudent()
{
    std::unordered_map<std::string_view, std::uint32_t>().swap(m_partIndex); // no more files come
    // Byte order, as a sorted list of UTF-8 names has it; "_" and " " alike.
    auto sameStudentChar = [](char c) { return static_cast<unsigned char>(c == '_' ? ' ' : c); };
    auto before = [&](std::string_view a, std::string_view b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [&](char x, char y) { return sameStudentChar(x) < sameStudentChar(y); });
    };
    std::stable_sort(m_files.begin(), m_files.end(), [&](const File& a, const File& b) {
        const std::string& nameA = m_parts[a.part];
        const std::string& nameB = m_parts[b.part];
        if (a.part != b.part && (before(nameA, nameB) || before(nameB, nameA)))
            return before(nameA, nameB);
        if (a.kind != b.kind)
            return a.kind < b.kind;
        return a.monthDay < b.monthDay;
    });
    std::vector<Student> students;
    for (std::size_t index = 0; index < m_files.size(); ++index) {
        const bool sameAsLast = !students.empty()
            && studentName(m_files[students.back().first]) == studentName(m_files[index]);
        if (!sameAsLast)
            students.push_back({index, index});
        students.back().end = index + 1;
    }
    return students;
}

} // namespace calctutor::report
