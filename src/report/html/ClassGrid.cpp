#include "report/html/ClassGrid.h"

#include "report/html/IndexPage.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace calctutor::report {

namespace {

constexpr std::array<std::string_view, 4> kStates = {"not started", "finished", "partial", "progress"};
constexpr int kStateShift = 14;
constexpr int kMostAnswered = (1 << kStateShift) - 1;

} // namespace

void ClassGrid::add(const StudentOverview& student, std::size_t figures)
{
    if (m_rows.empty())
        m_width = student.assignments.size();
    if (student.assignments.size() != m_width)
        throw std::logic_error("every row of the class grid has a cell per assignment of the course");
    m_rows.push_back({static_cast<std::uint32_t>(figures), student.daysWorked, student.fileStem, student.lastDate});
    for (const AssignmentProgress& progress : student.assignments) {
        const std::string_view state = progressStatus(progress, student.lastDate, {});
        const auto stateIndex = static_cast<unsigned>(std::find(kStates.begin(), kStates.end(), state)
                                                      - kStates.begin());
        m_cells.push_back(static_cast<std::uint16_t>(
            stateIndex << kStateShift | static_cast<unsigned>(std::min(progress.answered, kMostAnswered))));
    }
}

std::string_view ClassGrid::state(std::size_t row, std::size_t assignment) const
{
    return kStates.at(m_cells.at(row * m_width + assignment) >> kStateShift);
}

int ClassGrid::answered(std::size_t row, std::size_t assignment) const
{
    return m_cells.at(row * m_width + assignment) & kMostAnswered;
}

} // namespace calctutor::report
