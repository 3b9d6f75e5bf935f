#pragma once
// Reads a class: the files that ClassInput found, one student at a time. Each
// student's files are read, their entries joined (each once, in time order)
// and handed to the sink, then let go, so the memory used depends on the
// largest student, not on the size of the class.

#include "report/ClassInput.h"
#include "report/RecordFileReader.h"

#include <functional>
#include <optional>

namespace calctutor::report {

class ClassReader {
public:
    ClassReader(ClassInput& input, const CourseIndex& course, ReadLimits limits = {});

    // How many students the files belong to.
    std::size_t studentCount();
    // progress(students done, students in all) after each student.
    void read(StudentSink& sink, const std::function<void(std::size_t, std::size_t)>& progress = {});

    // The input's problems first, then those met while reading.
    const std::vector<ReportProblem>& problems() const { return m_problems; }
    std::size_t filesRead() const { return m_filesRead; }

private:
    FileReading readFile(const ClassInput::File& file);

    ClassInput& m_input;
    const CourseIndex& m_course;
    ReadLimits m_limits;
    std::optional<std::vector<ClassInput::Student>> m_students;
    std::vector<ReportProblem> m_problems;
    std::size_t m_filesRead = 0;
};

} // namespace calctutor::report
