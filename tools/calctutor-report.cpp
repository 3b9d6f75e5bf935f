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

#include <CLI/CLI.hpp>

#include <chrono>
#include <iostream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace calctutor::report;

constexpr int kClean = 0;
constexpr int kProblemsFound = 1;
constexpr int kUsageError = 2;

std::string description()
{
    std::string text =
        "Reads the record files that calctutor writes for a class - masterFile_<name>.txt,\n"
        "send_<MMDD><name>.txt and notes_<name>.txt, also with a prefix or \" (1)\" in the name - from the\n"
        "files, folders (searched recursively) and zip archives named, and reports on them.\n\n"
        "Figures (ratings typed as anything but 0, 1, 2 or 3 are counted apart):\n"
        "  mean confidence: the mean of the confidence ratings typed as 0, 1, 2 or 3.\n"
        "  mean self-critique: the mean of the self-critique ratings typed as 0, 1, 2 or 3.\n"
        "  confident miss: an answer rated 2 or 3 whose critique for the same question is rated 0, 1 or 2,\n"
        "    since 3 means no critique was needed.\n"
        "  confidence against self-critique (questions.csv): how many answers had each confidence rating\n"
        "    while their critique had each self-critique rating.\n"
        "  share of self-critiques rated 3: the part of a question's critiques that found nothing to correct.\n\n"
        "Exit status: 0 when everything was read cleanly, 1 when the report was made but problems were\n"
        "found (listed in the summary and problems.csv), 2 for a usage error.";
    if (!zipSupported())
        text += "\n\nThis build reads no zip archives (it was built without libzip): unpack them and name the folder.";
    return text;
}

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

struct Options {
    std::vector<std::string> paths;
    std::string csvFolder;
    std::string htmlFolder;
    bool open = false;
    std::string jsonFile;
    std::string rosterFile;
    std::string assignments;
    ReportFilter filter;
    bool quiet = false;
    bool verbose = false;
    unsigned threads = 0;
};

int run(const Options& options)
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
    CLI::App app(description(), "calctutor-report");
    app.allow_windows_style_options(false); // "/home/..." is a path, not an option
    app.get_formatter()->column_width(28);
    Options options;
    app.add_option("PATH", options.paths, "record files, folders and zip archives of the class")->required();
    app.add_option("--csv", options.csvFolder,
                   "write entries.csv, students.csv, questions.csv and problems.csv into DIR (UTF-8 with a "
                   "byte-order mark, CR LF)")
        ->type_name("DIR");
    app.add_option("--html", options.htmlFolder,
                   "write the class's pages into DIR: index.html (progress, the hardest questions, calibration, "
                   "the students' questions to you), one page per student and one per question")
        ->type_name("DIR");
    app.add_flag("--open", options.open, "open DIR/index.html in the desktop's browser (with --html)")->needs("--html");
    app.add_option("--json", options.jsonFile, "write the same data as one JSON file")->type_name("FILE");
    app.add_option("--roster", options.rosterFile,
                   "the class list, one name a line or a CSV file whose first column is the name: lists who "
                   "has not started and who is not on it")
        ->type_name("FILE");
    app.add_option("--assignments", options.assignments, "only these assignments, e.g. 1-5,8")->type_name("LIST");
    app.add_option("--since", options.filter.since, "only work from this day on")->type_name("YYYY-MM-DD");
    app.add_option("--until", options.filter.until, "only work up to this day")->type_name("YYYY-MM-DD");
    app.add_option("--threads", options.threads, "read the files on N threads (default: one per processor)")
        ->type_name("N")
        ->check(CLI::Range(1u, 64u));
    app.add_flag("--quiet,-q", options.quiet, "print nothing on the terminal but errors");
    app.add_flag("--verbose,-v", options.verbose, "list every problem and every file skipped");
    app.set_version_flag("--version", std::string("calctutor-report ") + CALCTUTOR_VERSION);
    try {
        app.parse(argc, argv);
        if (!options.assignments.empty()) {
            const auto numbers = parseAssignmentList(options.assignments);
            if (!numbers)
                throw CLI::ValidationError("--assignments", "expects numbers and ranges such as 1-5,8");
            options.filter.assignments = *numbers;
        }
        for (const auto& [name, value] :
             {std::pair{"--since", options.filter.since}, {"--until", options.filter.until}})
            if (!value.empty() && !isIsoDate(value))
                throw CLI::ValidationError(name, "expects a date written YYYY-MM-DD, not " + value);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForVersion& version) {
        return app.exit(version);
    } catch (const CLI::ParseError& error) {
        (void)app.exit(error);
        return kUsageError;
    }
    return run(options);
}
