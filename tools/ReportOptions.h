#pragma once
// calctutor-report's command line: its options, their help text, and the
// checks of their values.

#include "report/ReportFilter.h"

#include <string>
#include <variant>
#include <vector>

namespace calctutor::report {

inline constexpr int kUsageError = 2;

struct ReportOptions {
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

// The options, or the exit status to end with at once: after --help or
// --version (0), or a usage error, told on the terminal (kUsageError).
std::variant<ReportOptions, int> parseReportOptions(int argc, char** argv);

} // namespace calctutor::report
