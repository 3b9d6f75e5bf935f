#include "report/ClassReader.h"

#include "platform/NativeFiles.h"
#include "report/StudentMerger.h"

#include <algorithm>

namespace calctutor::report {

namespace {

class DiskSource : public ByteSource {
public:
    explicit DiskSource(native::File file) : m_file(std::move(file))
    {
        if (m_file.size(m_size))
            m_size = 0;
    }
    std::optional<std::string> read(std::string& into, std::size_t maxBytes) override
    {
        // Asking for no more than the file holds spares clearing a large buffer for every small file.
        const std::uint64_t left = m_size > m_offset ? m_size - m_offset : 0;
        const std::size_t wanted = left > 0 ? static_cast<std::size_t>(std::min<std::uint64_t>(left, maxBytes))
                                            : std::min<std::size_t>(maxBytes, 1 << 16); // grown since, or unknown
        const std::size_t before = into.size();
        if (auto fault = m_file.appendAt(m_offset, wanted, into))
            return fault->reason;
        m_offset += into.size() - before;
        return std::nullopt;
    }

private:
    native::File m_file;
    std::uint64_t m_offset = 0;
    std::uint64_t m_size = 0;
};

} // namespace

ClassReader::ClassReader(ClassInput& input, const CourseIndex& course, ReadLimits limits)
    : m_input(input), m_course(course), m_limits(limits)
{
}

FileReading ClassReader::readFile(const ClassInput::File& file)
{
    const std::string path = m_input.displayPath(file);
    const std::string name = m_input.displayName(file);
    std::unique_ptr<ByteSource> source;
    std::string why;
    std::uint64_t member = 0;
    if (ZipArchive* archive = m_input.archive(file, member)) {
        source = archive->member(member, why);
    } else {
        native::File opened;
        if (auto fault = native::File::openForReading(pathFromText(m_input.pathOf(file)), opened))
            why = "cannot be read: " + fault->reason;
        else
            source = std::make_unique<DiskSource>(std::move(opened));
    }
    if (!source) {
        FileReading failed;
        failed.path = path;
        failed.name = name;
        failed.problems.push_back({path, 0, why + "; skipped"});
        return failed;
    }
    ++m_filesRead;
    return readRecordFile(*source, path, name, m_course, m_limits);
}

std::size_t ClassReader::studentCount()
{
    if (!m_students)
        m_students = m_input.byStudent();
    return m_students->size();
}

void ClassReader::read(StudentSink& sink, const std::function<void(std::size_t, std::size_t)>& progress)
{
    m_problems = std::move(m_input.problems());
    studentCount(); // groups the files by student, once
    const std::vector<ClassInput::Student>& students = *m_students;
    for (std::size_t index = 0; index < students.size(); ++index) {
        const ClassInput::Student& student = students[index];
        std::vector<FileReading> readings;
        readings.reserve(student.end - student.first);
        for (std::size_t at = student.first; at < student.end; ++at) {
            readings.push_back(readFile(m_input.file(at)));
            for (ReportProblem& problem : readings.back().problems)
                m_problems.push_back(std::move(problem));
            readings.back().problems.clear();
        }
        const StudentRecord record = mergeStudent(m_input.studentName(m_input.file(student.first)), readings,
                                                  m_problems);
        sink.student(record);
        if (progress)
            progress(index + 1, students.size());
    }
}

} // namespace calctutor::report
