#pragma once
// Reads a class: the files that ClassInput found, one student at a time. Each
// student's files are read, their entries joined (each once, in time order)
// and handed to the sink, then let go, so the memory used depends on the
// largest students, not on the size of the class. Students are read on
// several threads a few ahead of the sink, which still gets them one at a
// time, in order, on the calling thread: the report is the same however many
// threads read it.

#include "report/ClassInput.h"
#include "report/RecordFileReader.h"

#include <functional>
#include <mutex>
#include <optional>

namespace calctutor::report {

class ClassReader {
public:
    // threads: how many read at once; 0 for one per processor.
    ClassReader(ClassInput& input, const CourseIndex& course, ReadLimits limits = {}, unsigned threads = 0);

    // How many students the files belong to.
    std::size_t studentCount();
    // progress(students done, students in all) after each student.
    void read(StudentSink& sink, const std::function<void(std::size_t, std::size_t)>& progress = {});

    // The input's problems first, then those met while reading.
    const std::vector<ReportProblem>& problems() const { return m_problems; }
    std::size_t filesRead() const { return m_filesRead; }

private:
    // One student read and joined, with what went wrong on the way.
    struct StudentReading {
        StudentRecord record;
        std::vector<ReportProblem> problems;
        std::size_t filesRead = 0;
    };
    StudentReading readStudent(const ClassInput::Student& student, ReadBuffers& buffers);
    FileReading readFile(const ClassInput::File& file, std::size_t& filesRead, ReadBuffers& buffers);
    void deliver(StudentReading reading, StudentSink& sink);
    void readInTurn(StudentSink& sink, const std::function<void(std::size_t, std::size_t)>& progress, unsigned threads);

    ClassInput& m_input;
    const CourseIndex& m_course;
    ReadLimits m_limits;
    unsigned m_threads;
    std::optional<std::vector<ClassInput::Student>> m_students;
    std::vector<ReportProblem> m_problems;
    std::size_t m_filesRead = 0;
    // libzip reads one archive from one thread at a time.
    std::mutex m_archives;
};

} // namespace calctutor::report
