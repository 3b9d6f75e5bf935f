#include "report/StudentMerger.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>
#include <tuple>

namespace calctutor::report {

namespace {

struct Copy {
    ParsedEntry* parsed;
    std::size_t file;
};

struct Kept {
    ParsedEntry* parsed;
    std::size_t firstFile;
    // The files it was found in: a bit for each of a student's first 64
    // files, which is every file of nearly every student, and a list beyond.
    std::uint64_t firstFiles = 0;
    std::vector<std::size_t> laterFiles;

    bool foundIn(std::size_t file) const
    {
        if (file < 64)
            return (firstFiles >> file) & 1U;
        return std::find(laterFiles.begin(), laterFiles.end(), file) != laterFiles.end();
    }
    void add(std::size_t file)
    {
        if (file < 64)
            firstFiles |= std::uint64_t{1} << file;
        else
            laterFiles.push_back(file);
    }
};

std::int64_t sortInstant(const ParsedEntry& entry)
{
    return entry.instant < 0 ? std::numeric_limits<std::int64_t>::max() : entry.instant;
}

std::string ratingText(const ReportEntry& entry)
{
    if (entry.kind == EntryKind::Response || entry.kind == EntryKind::Note)
        return "no rating line";
    return std::string(kindName(entry.kind)) + " rating \"" + entry.rating + "\"";
}

void merge(Kept& kept, const Copy& copy, const std::vector<FileReading>& files, std::vector<ReportProblem>& problems)
{
    ReportEntry& first = kept.parsed->entry;
    const ReportEntry& other = copy.parsed->entry;
    if (first.kind != other.kind || first.rating != other.rating) {
        const FileReading& keptFile = files[kept.firstFile];
        problems.push_back({files[copy.file].path, copy.parsed->line,
                            "conflict: this entry has " + ratingText(other) + ", its copy in " + keptFile.path
                                + " at line " + std::to_string(kept.parsed->line) + " has " + ratingText(first)
                                + "; the report uses that copy"});
    }
    kept.add(copy.file);
    first.files.push_back(other.files.front());
    if (first.assignment == 0)
        first.assignment = other.assignment;
    // The tutor's own record number places an entry better than its context line.
    if ((copy.parsed->numbered && !kept.parsed->numbered) || first.question == 0) {
        if (other.question != 0 || copy.parsed->numbered) {
            first.question = other.question;
            kept.parsed->numbered = kept.parsed->numbered || copy.parsed->numbered;
        }
    }
}

bool sameEntry(const ParsedEntry& a, const ParsedEntry& b)
{
    const bool sameCourseStop = a.entry.courseContext && a.entry.courseContext == b.entry.courseContext;
    return (sameCourseStop || a.entry.context() == b.entry.context()) && a.entry.text == b.entry.text;
}

} // namespace

StudentRecord mergeStudent(std::string name, std::vector<FileReading>& files, std::vector<ReportProblem>& problems)
{
    StudentRecord record;
    record.name = std::move(name);

    std::vector<std::pair<std::size_t, const ParsedStart*>> starts;
    std::vector<Copy> copies;
    for (std::size_t file = 0; file < files.size(); ++file) {
        for (const ParsedStart& start : files[file].starts)
            starts.emplace_back(file, &start);
        for (ParsedEntry& parsed : files[file].entries)
            copies.push_back({&parsed, file});
    }

    // One start writes the same header, code line included, to two files.
    std::stable_sort(starts.begin(), starts.end(),
                     [](const auto& a, const auto& b) { return a.second->day < b.second->day; });
    std::set<std::tuple<std::int64_t, int, std::string_view>> seen;
    for (const auto& [file, start] : starts) {
        if (seen.emplace(start->day, start->start.assignment, start->codeLine).second)
            record.starts.push_back(start->start);
    }

    std::stable_sort(copies.begin(), copies.end(),
                     [](const Copy& a, const Copy& b) { return sortInstant(*a.parsed) < sortInstant(*b.parsed); });
    std::vector<Kept> kept;
    kept.reserve(copies.size());
    for (const Copy& copy : copies) {
        Kept* match = nullptr;
        if (copy.parsed->instant >= 0) {
            for (auto at = kept.rbegin(); at != kept.rend() && at->parsed->instant >= copy.parsed->instant - 1; ++at) {
                if (!at->foundIn(copy.file) && sameEntry(*at->parsed, *copy.parsed)) {
                    match = &*at;
                    break;
                }
            }
        }
        if (match)
            merge(*match, copy, files, problems);
        else {
            kept.push_back({copy.parsed, copy.file, 0, {}});
            kept.back().add(copy.file);
        }
    }
    record.entries.reserve(kept.size());
    for (Kept& entry : kept) {
        std::vector<std::string>& names = entry.parsed->entry.files;
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
        record.entries.push_back(std::move(entry.parsed->entry));
    }
    return record;
}

} // namespace calctutor::report
