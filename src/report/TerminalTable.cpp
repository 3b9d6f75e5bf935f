#include "report/TerminalTable.h"

#include "core/NumberText.h"

namespace calctutor::report {

namespace {

constexpr std::size_t kNameWidth = 24;

std::string fitted(std::string_view text, std::size_t width)
{
    std::string result;
    std::size_t shown = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool starts = (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
        if (starts && ++shown > width)
            break;
        result.push_back(text[at]);
    }
    if (displayWidth(text) > width) { // mark the cut
        while (!result.empty() && displayWidth(result) >= width)
            result.pop_back();
        result += "~";
    }
    return result + std::string(width - std::min(width, displayWidth(result)), ' ');
}

std::string right(const std::string& text, std::size_t width)
{
    return std::string(width - std::min(width, text.size()), ' ') + text;
}

std::string tableMean(const RatingMean& ratings)
{
    return ratings.empty() ? "-" : fixedNumber(ratings.mean(), 2);
}

void printRow(std::ostream& out, const std::string& name, const std::vector<std::string>& cells)
{
    static const std::size_t widths[] = {12, 9, 10, 6, 11, 11, 8, 12};
    out << fitted(name, kNameWidth);
    for (std::size_t i = 0; i < cells.size(); ++i)
        out << right(cells[i], widths[i]);
    out << '\n';
}

void printNames(std::ostream& out, const std::string& heading, const std::vector<std::string>& names)
{
    if (names.empty())
        return;
    out << heading << " (" << names.size() << "):";
    for (std::size_t i = 0; i < names.size(); ++i)
        out << (i == 0 ? " " : ", ") << names[i];
    out << '\n';
}

} // namespace

std::size_t displayWidth(std::string_view text)
{
    std::size_t width = 0;
    for (const char c : text)
        width += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return width;
}

void printTable(std::ostream& out, const ClassStatistics& statistics, const std::vector<ReportProblem>& problems,
                const TableExtras& extras)
{
    printRow(out, "student",
             {"assignments", "answered", "critiques", "notes", "confidence", "self-crit.", "misses", "last active"});
    for (const StudentSummary& student : statistics.students()) {
        printRow(out, student.name,
                 {std::to_string(student.assignmentsStarted), std::to_string(student.questionsAnswered),
                  std::to_string(student.critiques), std::to_string(student.notes), tableMean(student.confidence),
                  tableMean(student.selfCritique), std::to_string(student.confidentMisses),
                  student.lastDay.empty() ? "not started" : student.lastDay});
    }
    const ClassTotals& totals = statistics.totals();
    out << "class: " << totals.students << " students, " << totals.studentsStarted << " started; " << totals.answers
        << " answers, " << totals.critiques << " critiques, " << totals.notes << " notes, " << totals.responses
        << " responses without a rating\n       mean confidence " << tableMean(totals.confidence)
        << ", mean self-critique " << tableMean(totals.selfCritique) << ", " << totals.confidentMisses
        << " confident misses";
    if (!totals.firstDay.empty())
        out << "; active " << totals.firstDay << " to " << totals.lastDay;
    out << '\n';
    if (extras.roster) {
        printNames(out, "on the roster, not started", extras.notStarted);
        printNames(out, "not on the roster", extras.notOnRoster);
    }
    out << "data quality: " << extras.filesRead << " files read, ";
    if (extras.filesSkipped > 0)
        out << extras.filesSkipped << " other files skipped, ";
    if (totals.otherRatings > 0)
        out << totals.otherRatings << " ratings typed as something other than 0 to 3, ";
    out << problems.size() << (problems.size() == 1 ? " problem" : " problems") << '\n';
    for (std::size_t i = 0; i < problems.size() && i < extras.problemsShown; ++i) {
        const ReportProblem& problem = problems[i];
        out << "  " << problem.file;
        if (problem.line > 0)
            out << ":" << problem.line;
        out << ": " << problem.reason << '\n';
    }
    if (problems.size() > extras.problemsShown)
        out << "  ... and " << problems.size() - extras.problemsShown
            << " more (all of them in problems.csv, or with --verbose)\n";
}

} // namespace calctutor::report
