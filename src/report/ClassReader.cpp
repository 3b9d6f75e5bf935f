#include "report/ClassReader.h"

#include "platform/NativeFiles.h"
#include "report/StudentMerger.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <thread>

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
        // The file as it was when opened: what a tutor appends meanwhile is
        // for the next report, and knowing the end spares asking for more.
        if (m_size > 0 && m_offset >= m_size)
            return std::nullopt;
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

// Students read ahead of the sink, per thread: enough to keep every thread
// busy while the sink is slow on one student, few enough to hold.
constexpr std::size_t kAheadPerThread = 4;

} // namespace

ClassReader::ClassReader(ClassInput& input, const CourseIndex& course, ReadLimits limits, unsigned threads)
    : m_input(input), m_course(course), m_limits(limits),
      m_threads(threads > 0 ? threads : std::max(1u, std::thread::hardware_concurrency()))
{
}

FileReading ClassReader::readFile(const ClassInput::File& file, std::size_t& filesRead, ReadBuffers& buffers)
{
    std::uint64_t member = 0;
    ZipArchive* archive = m_input.archive(file, member);
    const std::string onDisk = archive ? std::string() : m_input.pathOf(file);
    const std::string path = archive ? m_input.displayPath(file) : displayText(onDisk);
    const std::string name = m_input.displayName(file);
    std::unique_ptr<ByteSource> source;
    std::string why;
    if (archive) {
        source = archive->member(member, why);
    } else {
        native::File opened;
        if (auto fault = native::File::openForReading(pathFromText(onDisk), opened))
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
    ++filesRead;
    return readRecordFile(*source, path, name, m_course, m_limits, buffers);
}

ClassReader::StudentReading ClassReader::readStudent(const ClassInput::Student& student, ReadBuffers& buffers)
{
    std::unique_lock<std::mutex> archives(m_archives, std::defer_lock);
    std::uint64_t member = 0;
    for (std::size_t at = student.first; at < student.end && !archives.owns_lock(); ++at) {
        if (m_input.archive(m_input.file(at), member))
            archives.lock();
    }
    StudentReading reading;
    std::vector<FileReading> files;
    files.reserve(student.end - student.first);
    for (std::size_t at = student.first; at < student.end; ++at) {
        files.push_back(readFile(m_input.file(at), reading.filesRead, buffers));
        for (ReportProblem& problem : files.back().problems)
            reading.problems.push_back(std::move(problem));
        files.back().problems.clear();
    }
    reading.record = mergeStudent(m_input.studentName(m_input.file(student.first)), files, reading.problems);
    return reading;
}

void ClassReader::deliver(StudentReading reading, StudentSink& sink)
{
    m_filesRead += reading.filesRead;
    std::move(reading.problems.begin(), reading.problems.end(), std::back_inserter(m_problems));
    sink.student(reading.record);
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
    const std::size_t count = studentCount(); // groups the files by student, once
    const unsigned threads = static_cast<unsigned>(std::min<std::size_t>(m_threads, count));
    if (threads > 1) {
        readInTurn(sink, progress, threads);
        return;
    }
    ReadBuffers buffers;
    for (std::size_t index = 0; index < count; ++index) {
        deliver(readStudent((*m_students)[index], buffers), sink);
        if (progress)
            progress(index + 1, count);
    }
}

void ClassReader::readInTurn(StudentSink& sink, const std::function<void(std::size_t, std::size_t)>& progress,
                             unsigned threads)
{
    const std::vector<ClassInput::Student>& students = *m_students;
    const std::size_t count = students.size();
    const std::size_t window = kAheadPerThread * threads;
    struct Slot {
        std::optional<StudentReading> reading;
        std::exception_ptr failure;
    };
    std::vector<Slot> slots(window); // student i waits in slot i % window
    std::mutex mutex;
    std::condition_variable ready; // a slot was filled
    std::condition_variable roomy; // a slot was emptied, or the reading stops
    std::size_t next = 0;          // the next student a thread takes
    std::size_t delivered = 0;     // students handed to the sink
    bool stopping = false;

    auto claimable = [&] { return next < count && next < delivered + window; };
    // Takes the next student, reads it with the lock let go and puts it in its slot.
    auto readNext = [&](std::unique_lock<std::mutex>& lock, ReadBuffers& buffers) {
        const std::size_t index = next++;
        lock.unlock();
        Slot done;
        try {
            done.reading = readStudent(students[index], buffers);
        } catch (...) {
            done.failure = std::current_exception();
        }
        lock.lock();
        slots[index % window] = std::move(done);
        ready.notify_all();
    };
    auto work = [&] {
        ReadBuffers buffers;
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            roomy.wait(lock, [&] { return stopping || next >= count || claimable(); });
            if (stopping || next >= count)
                return;
            readNext(lock, buffers);
        }
    };
    // This thread is one of the readers: it reads whenever the student next
    // in turn is not ready yet, and hands students over otherwise.
    std::vector<std::jthread> pool;
    pool.reserve(threads - 1);
    for (unsigned i = 1; i < threads; ++i)
        pool.emplace_back(work);
    auto stop = [&] {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
        roomy.notify_all();
    };

    ReadBuffers buffers;
    try {
        for (std::size_t index = 0; index < count; ++index) {
            Slot taken;
            {
                std::unique_lock<std::mutex> lock(mutex);
                Slot& slot = slots[index % window];
                while (!slot.reading && !slot.failure) {
                    if (claimable())
                        readNext(lock, buffers);
                    else
                        ready.wait(lock);
                }
                taken = std::move(slot);
                slot = Slot{};
                delivered = index + 1;
                roomy.notify_all();
            }
            if (taken.failure)
                std::rethrow_exception(taken.failure);
            deliver(std::move(*taken.reading), sink);
            if (progress)
                progress(index + 1, count);
        }
    } catch (...) {
        stop();
        throw; // the pool's threads finish the students they hold and end
    }
}

} // namespace calctutor::report
