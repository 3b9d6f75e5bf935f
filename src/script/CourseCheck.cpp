#include "script/CourseCheck.h"

#include "core/TutorState.h"
#include "script/GraphData.h"
#include "script/ScriptFormat.h"

#include <cstdio>

namespace calctutor {

namespace {

std::string threeDigits(int number)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%03d", number);
    return buffer;
}

class Checker {
public:
    explicit Checker(const ParsedCourse& course) : m_entries(course.entries), m_problems(course.problems) {}

    std::vector<CourseProblem> run()
    {
        if (m_entries.empty()) {
            m_problems.push_back({"", 0, "the course has no entries"});
            return m_problems;
        }
        if (m_entries.size() > static_cast<std::size_t>(kLastScriptIndex))
            report(m_entries.back(), "the course has more entries than the tutor can hold (5000)");
        checkHeaders();
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            checkEntry(i);
        return m_problems;
    }

private:
    void report(const CourseEntry& entry, const std::string& message)
    {
        m_problems.push_back({entry.file, entry.line, message});
    }

    static int indexOf(std::size_t position) { return static_cast<int>(position) + 1; }

    void checkHeaders()
    {
        int expected = 1;
        std::string currentFile;
        std::size_t lastHeader = 0;
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            const CourseEntry& entry = m_entries[i];
            const bool header = classifyEntry(entry.text) == EntryKind::Header;
            if (entry.file != currentFile) {
                currentFile = entry.file;
                if (!header)
                    report(entry, "a course file must begin with its assignment's header entry");
            } else if (header) {
                report(entry,
                       "a header entry must begin its own file (entry " + std::to_string(indexOf(i))
                           + " would end the assignment here)");
            }
            if (!header)
                continue;
            const std::string number = threeDigits(expected);
            if (entry.text.substr(0, 3) != number)
                report(entry, "header " + entry.text.substr(0, 3) + " found where " + number + " was expected");
            if (entry.file.substr(0, 3) != entry.text.substr(0, 3))
                report(entry, "the header does not match the file name");
            if (i + 1 < m_entries.size() && !m_entries[i + 1].text.empty()
                && classifyEntry(m_entries[i + 1].text) != EntryKind::Header)
                report(m_entries[i + 1], "the first entry after a header must be a separator");
            if (i > 0 && !hasStopBetween(lastHeader, i))
                report(m_entries[lastHeader],
                       "assignment " + m_entries[lastHeader].text.substr(0, 3) + " has no stops");
            lastHeader = i;
            ++expected;
        }
        if (hasStopBetween(lastHeader, m_entries.size()))
            report(m_entries[lastHeader],
                   "the last assignment must be closed by a header of its own (the closing header)");
    }

    bool hasStopBetween(std::size_t header, std::size_t end) const
    {
        for (std::size_t i = header + 1; i < end; ++i) {
            if (classifyEntry(m_entries[i].text) != EntryKind::Separator)
                return true;
        }
        return false;
    }

    void checkEntry(std::size_t i)
    {
        const CourseEntry& entry = m_entries[i];
        const std::string& text = entry.text;
        const std::string where = " (entry " + std::to_string(indexOf(i)) + ")";
        if (text.size() > kLongestEntry)
            report(entry,
                   "the entry has " + std::to_string(text.size()) + " characters, more than "
                       + std::to_string(kLongestEntry) + where);
        switch (classifyEntry(text)) {
        case EntryKind::Answer:
            if (isHeaderEntry(text.substr(kAnswerMarker.size())))
                report(entry,
                       "an answer must not begin with three digits and a full stop: the tutor would end the assignment "
                       "there"
                           + where);
            break;
        case EntryKind::Routine: checkRoutine(i, where); break;
        case EntryKind::Text:
            if (text.starts_with('`'))
                report(entry, "a backquote at the start of an entry must begin \"`q\", \"`a\" or \"`routine\"" + where);
            break;
        case EntryKind::EndMarker: report(entry, "the end marker \"####.#\" would end the program here" + where); break;
        default: break;
        }
    }

    void checkRoutine(std::size_t i, const std::string& where)
    {
        const CourseEntry& entry = m_entries[i];
        const std::string name = routineName(entry.text);
        if (name != "exitprog" && graphForRoutine(courseGraphs(), name) == nullptr)
            report(entry, "unknown routine \"" + name + "\": it would end the program" + where);
        const bool separated = i >= 2 && m_entries[i - 1].text.empty()
            && classifyEntry(m_entries[i - 2].text) == EntryKind::Answer && i + 1 < m_entries.size()
            && m_entries[i + 1].text.empty();
        if (!separated)
            report(entry, "a routine entry must stand between two separators, two entries after an answer" + where);
    }

    const std::vector<CourseEntry>& m_entries;
    std::vector<CourseProblem> m_problems;
};

} // namespace

std::vector<CourseProblem> checkCourse(const ParsedCourse& course)
{
    return Checker(course).run();
}

} // namespace calctutor
