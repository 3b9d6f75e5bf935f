#pragma once
// The record files of a class, found in the paths named on the command line:
// files, folders searched recursively (a link back into a folder being
// searched is refused, not followed round) and zip archives. Only the names
// are kept, packed into one block of text, so that even a class of thousands
// of students costs little memory before its files are read one student at a
// time. Reading the files is left to the ClassReader.

#include "records/RecordFileNames.h"
#include "report/ReportEntry.h"
#include "report/ZipArchive.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor::report {

class ClassInput {
public:
    struct File {
        std::uint32_t pathAt = 0; // the path as the system gives it, in m_text
        std::uint32_t pathSize = 0;
        std::uint32_t nameAt = 0; // the file's own name within that path
        std::uint32_t partAt = 0; // the student's name part within that name
        std::uint32_t partSize = 0;
        RecognisedRecordFile::Kind kind = RecognisedRecordFile::Kind::Master;
        std::int32_t archive = -1; // an index into archives(), or -1 for a file on disk
        std::uint64_t member = 0;
    };

    explicit ClassInput(ZipLimits zipLimits = {});

    void add(const std::filesystem::path& path);

    // The files grouped by student: in name order, and within a student the
    // master file, then the send files, then the notes file.
    std::vector<std::vector<File>> byStudent() const;

    std::string_view pathOf(const File& file) const; // for opening
    std::string displayPath(const File& file) const; // UTF-8, with "archive.zip:" before a member
    std::string displayName(const File& file) const; // the file's own name, UTF-8
    std::string studentName(const File& file) const; // UTF-8, "_" read back as spaces
    ZipArchive& archive(const File& file) { return *m_archives[static_cast<std::size_t>(file.archive)].second; }

    std::vector<ReportProblem>& problems() { return m_problems; }
    // Files that are not record files by their names, for --verbose.
    const std::vector<std::string>& skipped() const { return m_skipped; }
    std::size_t fileCount() const { return m_files.size(); }

private:
    void addFile(std::string_view path, std::int32_t archive, std::uint64_t member, bool named);
    void addFolder(const std::filesystem::path& folder, std::vector<std::filesystem::path>& ancestors);
    void addArchive(const std::filesystem::path& path);
    void problem(const std::filesystem::path& path, std::string reason);

    ZipLimits m_zipLimits;
    std::string m_text;
    std::vector<File> m_files;
    std::vector<std::pair<std::string, std::unique_ptr<ZipArchive>>> m_archives;
    std::vector<ReportProblem> m_problems;
    std::vector<std::string> m_skipped;
};

// A path's text as the system gives it (UTF-8 on Windows), and back.
std::string pathText(const std::filesystem::path& path);
std::filesystem::path pathFromText(std::string_view text);
// Bytes that are not UTF-8 are read as Windows-1252.
std::string displayText(std::string_view bytes);

} // namespace calctutor::report
