#pragma once
// The spreadsheet files of a class in one folder: entries.csv written student
// by student as the reader hands them over, then students.csv, questions.csv
// and problems.csv from the statistics at the end.

#include "report/ClassStatistics.h"
#include "report/CsvWriter.h"

#include <memory>
#include <optional>
#include <string>

namespace calctutor::report {

class CsvReport : public StudentSink {
public:
    // Creates the folder if needed; check problem() before reading.
    explicit CsvReport(const std::string& folder);

    const std::optional<std::string>& problem() const { return m_problem; }
    void student(const StudentRecord& record) override;
    // Writes the other three files; a message naming the file that failed.
    std::optional<std::string> finish(const ClassStatistics& statistics, const std::vector<ReportProblem>& problems);

private:
    std::string m_folder;
    std::unique_ptr<CsvWriter> m_entries;
    std::optional<std::string> m_problem;
    std::string m_files;
};

// Rows of the class's students and questions, shared by the CSV and JSON outputs.
std::vector<std::string> studentRow(const StudentSummary& student);
std::vector<std::string> questionRow(const QuestionSummary& question);
std::vector<std::string> entryRow(const std::string& student, const ReportEntry& entry);

const std::vector<std::string_view>& entryColumns();
const std::vector<std::string_view>& studentColumns();
const std::vector<std::string_view>& questionColumns();
const std::vector<std::string_view>& problemColumns();

} // namespace calctutor::report
