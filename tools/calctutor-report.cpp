// calctutor-report: the instructor's program. Reads a class's record files
// from folders, files and zip archives, and reports on the terminal, as
// spreadsheet files and as JSON. Exit status: 0 when everything was read
// cleanly, 1 when the report was made but problems were found, 2 for a usage
// error.

#include "platform/DesktopOpen.h"
#include "platform/NativeFiles.h"
#include "report/ClassReader.h"
#include "report/ClassStatistics.h"
#include "report/CsvReport.h"
#include "report/JsonReport.h"
#include "report/ReportFilter.h"
#include "report/Roster.h"
#include "report/TerminalTable.h"
#include "report/ZipArchive.h"
#include "report/html/HtmlSite.h"

#include "ReportOptions.h"

#include <chrono>
#include <iostream>
#include <limits>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace {

using namespace calctutor::report;

constexpr int kClean = 0;
constexpr int kProblemsFound = 1;

class Progress {
public:
    explicit Progress(bool enabled) : m_enabled(enabled && calctutor::native::standardErrorIsTerminal()) {}
    void operator()(std::size_t done, std::size_t total)
    {
        if (!m_enabled)
            return;
        // Shown only when reading takes over a second.
        if (std::chrono::steady_clock::now() - m_start < std::chrono::seconds(1))
            return;
        std::cerr << "\rreading: " << done << " of " << total << " students" << std::flush;
        m_shown = true;
    }
    ~Progress()
    {
        if (m_shown)
            std::cerr << "\r\033[K" << std::flush;
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

private:
    bool m_enabled;
    bool m_shown = false;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

int run(const ReportOptions& options)
{
    std::optional<Roster> roster;
    if (!options.rosterFile.empty()) {
        std::string why;
        roster = Roster::load(options.rosterFile, why);
        if (!roster) {
            std::cerr << "calctutor-report: " << why << '\n';
            return kUsageError;
        }
    }

    ClassInput input({}, options.verbose);
    for (const std::string& path : options.paths)
        input.add(calctutor::report::pathFromText(path));
    if (options.verbose)
        for (const std::string& skipped : input.skipped())
            std::cerr << "skipped, not a record file: " << skipped << '\n';

    ClassStatistics statistics;
    FanOutSink outputs;
    outputs.add(statistics);
    std::unique_ptr<CsvReport> csv;
    std::unique_ptr<JsonReport> json;
    if (!options.csvFolder.empty()) {
        csv = std::make_unique<CsvReport>(options.csvFolder);
        if (csv->problem()) {
            std::cerr << "calctutor-report: " << *csv->problem() << '\n';
            return kUsageError;
        }
        outputs.add(*csv);
    }
    if (!options.jsonFile.empty()) {
        json = std::make_unique<JsonReport>(options.jsonFile);
        if (json->problem()) {
            std::cerr << "calctutor-report: " << *json->problem() << '\n';
            return kUsageError;
        }
        outputs.add(*json);
    }
    // After the statistics: the pages take each student's figures from them.
    std::unique_ptr<HtmlSite> html;
    if (!options.htmlFolder.empty()) {
        html = std::make_unique<HtmlSite>(options.htmlFolder, statistics);
        outputs.add(*html);
    }
    FilteringSink filtered(options.filter, outputs);

    ClassReader reader(input, CourseIndex::builtIn(), {}, options.threads);
    statistics.reserve(reader.studentCount() + (roster ? roster->names().size() : 0));
    {
        Progress progress(!options.quiet);
        reader.read(filtered, [&progress](std::size_t done, std::size_t total) { progress(done, total); });
    }

    TableExtras extras;
    extras.filesRead = reader.filesRead();
    extras.filesSkipped = input.skippedCount();
    if (roster) {
        std::vector<std::string> names;
        for (const StudentSummary& student : statistics.students())
            names.push_back(student.name);
        extras.roster = true;
        extras.notStarted = roster->missing(names);
        extras.notOnRoster = roster->unlisted(names);
        for (const std::string& name : extras.notStarted)
            statistics.student(StudentRecord{name, {}, {}}); // a row that says "not started"
    }
    std::vector<std::string> failures;
    if (csv)
        if (auto failure = csv->finish(statistics, reader.problems()))
            failures.push_back(*failure);
    if (json)
        if (auto failure = json->finish(statistics, reader.problems(), roster ? &extras.notStarted : nullptr,
                                        roster ? &extras.notOnRoster : nullptr))
            failures.push_back(*failure);
    if (html) {
        if (auto failure = html->finish(reader.problems(), extras.notStarted))
            failures.push_back(*failure);
        else if (options.open)
            if (auto notOpened = calctutor::native::openWithDesktop(html->indexPath()))
                failures.push_back(*notOpened);
    }
    if (!options.quiet) {
        if (options.verbose)
            extras.problemsShown = std::numeric_limits<std::size_t>::max();
        printTable(std::cout, statistics, reader.problems(), extras);
    }
    for (const std::string& failure : failures)
        std::cerr << "calctutor-report: " << failure << '\n';
    return reader.problems().empty() && failures.empty() ? kClean : kProblemsFound;
}

} // namespace

int main(int argc, char** argv)
{
    const std::variant<ReportOptions, int> options = parseReportOptions(argc, argv);
    if (const int* exitStatus = std::get_if<int>(&options))
        return *exitStatus;
    return run(std::get<ReportOptions>(options));
}
