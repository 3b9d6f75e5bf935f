#pragma once
// The report as one JSON file for scripts: the entries, written student by
// student as the reader hands them over, then the students, the questions,
// the class's totals, the roster's findings and the problems.

#include "report/ClassStatistics.h"

#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace calctutor::report {

class JsonReport : public StudentSink {
public:
    explicit JsonReport(const std::string& path);

    const std::optional<std::string>& problem() const { return m_problem; }
    void student(const StudentRecord& record) override;
    std::optional<std::string> finish(const ClassStatistics& statistics, const std::vector<ReportProblem>& problems,
                                      const std::vector<std::string>* notStarted,
                                      const std::vector<std::string>* notOnRoster);

private:
    std::string m_path;
    std::ofstream m_out;
    std::optional<std::string> m_problem;
    bool m_firstEntry = true;
};

} // namespace calctutor::report
