#pragma once
// The record files of a class, found in the paths named on the command line:
// files, folders searched recursively (a link back into a folder being
// searched is refused, not followed round) and zip archives. Only the names
// are kept, a few bytes for a file named as the tutor names it, so that even
// a class of thousands of students costs little memory before its files are
// read one student at a time. Reading the files is left to the ClassReader.

#include "records/RecordFileNames.h"
#include "report/ReportEntry.h"
#include "report/ZipArchive.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace calctutor::report {

class ClassInput {
public:
    // One record file: its folder, the student's name part and what its name
    // adds to it. A file named just as the tutor names it (most are) needs
    // no more; others keep their name in a detail.
    struct File {
        std::uint32_t folder = 0; // an index into the folders (unused for archive members)
        std::uint32_t part = 0;   // an index into the name parts
        std::uint32_t detail = kNoDetail;
        std::uint16_t monthDay = 0; // a send file's MMDD as a number
        RecognisedRecordFile::Kind kind = RecognisedRecordFile::Kind::Master;
    };
    static_assert(sizeof(File) <= 16, "a class of thousands keeps one File for each of its files");
    static constexpr std::uint32_t kNoDetail = 0xFFFFFFFF;
    // A range of files, all of one student.
    struct Student {
        std::size_t first = 0;
        std::size_t end = 0;
    };

    // keepSkipped: remember the names of the files that are not record files
    // (for --verbose); otherwise they are only counted.
    explicit ClassInput(ZipLimits zipLimits = {}, bool keepSkipped = true);

    void add(const std::filesystem::path& path);

    // Sorts the files by student, in name order, and within a student the
    // master file, then the send files, then the notes file.
    std::vector<Student> byStudent();
    const File& file(std::size_t index) const { return m_files[index]; }

    std::string pathOf(const File& file) const;      // for opening a file on disk
    std::string displayPath(const File& file) const; // UTF-8, with "archive.zip:" before a member
    std::string displayName(const File& file) const; // the file's own name, UTF-8
    std::string studentName(const File& file) const; // UTF-8, "_" read back as spaces
    // The archive and member index of a file inside a zip archive, if it is one.
    ZipArchive* archive(const File& file, std::uint64_t& member);

    std::vector<ReportProblem>& problems() { return m_problems; }
    // Files that are not record files by their names, for --verbose.
    const std::vector<std::string>& skipped() const { return m_skipped; }
    std::size_t skippedCount() const { return m_skippedCount; }
    std::size_t fileCount() const { return m_files.size(); }

private:
    struct Detail {
        std::string name; // the file's own name, or a member's whole name in its archive
        std::int32_t archive = -1;
        std::uint64_t member = 0;
    };

    void addFile(std::uint32_t folder, std::string_view name, std::int32_t archive, std::uint64_t member, bool named);
    // A folder named in full, or within the folder of the parent index.
    std::uint32_t addFolderName(const std::filesystem::path& name, std::uint32_t parent = kNoDetail);
    std::filesystem::path folderPath(std::uint32_t folder) const;
    // real: the folder's path with every link resolved, when already known.
    void addFolder(const std::filesystem::path& folder, std::uint32_t index,
                   std::vector<std::filesystem::path>& ancestors, std::filesystem::path real = {});
    void addArchive(const std::filesystem::path& path);
    void problem(const std::filesystem::path& path, std::string reason);
    std::string fileName(const File& file) const;

    ZipLimits m_zipLimits;
    // Deques: a class's thousands of entries grow in blocks, never copied to
    // a buffer twice their size.
    std::deque<File> m_files;
    struct Folder {
        std::uint32_t parent = kNoDetail;
        std::string name; // a folder's own name is short: no memory beyond the string itself
    };
    std::deque<Folder> m_folders;
    std::deque<std::string> m_parts;
    std::unordered_map<std::string_view, std::uint32_t> m_partIndex;
    std::deque<Detail> m_details;
    std::vector<std::pair<std::string, std::unique_ptr<ZipArchive>>> m_archives;
    std::vector<ReportProblem> m_problems;
    std::vector<std::string> m_skipped;
    bool m_keepSkipped = true;
    std::size_t m_skippedCount = 0;
    void skip(std::string shown);
};

// A path's text as the system gives it (UTF-8 on Windows), and back.
std::string pathText(const std::filesystem::path& path);
std::filesystem::path pathFromText(std::string_view text);
// Bytes that are not UTF-8 are read as Windows-1252.
std::string displayText(std::string_view bytes);

} // namespace calctutor::report
