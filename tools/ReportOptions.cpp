#include "ReportOptions.h"

#include "report/ReportFilter.h"
#include "report/ZipArchive.h"

#include <CLI/CLI.hpp>

#include <string>
#include <utility>

namespace calctutor::report {
namespace {

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

} // namespace

std::variant<ReportOptions, int> parseReportOptions(int argc, char** argv)
{
    CLI::App app(description(), "calctutor-report");
    app.allow_windows_style_options(false); // "/home/..." is a path, not an option
    app.get_formatter()->column_width(28);
    ReportOptions options;
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
    return options;
}

} // namespace calctutor::report
