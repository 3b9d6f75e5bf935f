#include "report/EntryParser.h"

#include "records/RecordEntries.h"
#include "report/EntryLines.h"

#include <algorithm>

namespace calctutor::report {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Enough lines after any position to tell what starts there.
constexpr std::size_t kLookahead = kStartHeaderLines + 1;

std::string lineName(std::size_t line)
{
    return "line " + std::to_string(line);
}

} // namespace

EntryParser::EntryParser(FileReading& into, const CourseIndex& course, const RecordText& text)
    : m_into(into), m_course(course), m_text(text)
{
}

void EntryParser::problem(std::size_t line, std::string reason)
{
    m_into.problems.push_back({m_into.path, line, std::move(reason)});
}

void EntryParser::closeUnreadable()
{
    if (m_unreadableFrom == 0)
        return;
    std::string reason = m_unreadableFrom == m_unreadableTo
        ? lineName(m_unreadableFrom) + " is"
        : "lines " + std::to_string(m_unreadableFrom) + " to " + std::to_string(m_unreadableTo) + " are";
    reason += " not part of any entry";
    if (m_unreadableHasNul)
        reason += " (they hold NUL bytes: binary data, not text)";
    problem(m_unreadableFrom, reason + "; skipped");
    m_unreadableFrom = m_unreadableTo = 0;
    m_unreadableHasNul = false;
}

void EntryParser::skipped(std::size_t firstLine, std::size_t lastLine, const std::string& why)
{
    closeUnreadable();
    problem(firstLine, "lines " + std::to_string(firstLine) + " to " + std::to_string(lastLine) + " skipped: " + why);
}

void EntryParser::finish()
{
    closeUnreadable();
    if (m_unplaced > 0)
        problem(m_firstUnplacedLine,
                std::to_string(m_unplaced)
                    + " entries answer lines that are not in their assignment in the course "
                      "(the first at this line); their question is left empty");
}

namespace {

// Lines as they stand in the file, line ends between them: they lie one after
// another in the reader's buffer.
std::string_view block(const std::vector<std::string_view>& lines, std::size_t from, std::size_t to)
{
    if (from >= to)
        return {};
    const char* begin = lines[from].data();
    const char* end = lines[to - 1].data() + lines[to - 1].size();
    return {begin, static_cast<std::size_t>(end - begin)};
}

} // namespace

std::string EntryParser::joined(const std::vector<std::string_view>& lines, std::size_t from, std::size_t to)
{
    std::string text;
    if (from < to && m_text.appendLines(std::span(lines).subspan(from, to - from), text)) {
        std::erase(text, '\0');
        problem(m_firstLine + from, "NUL bytes removed from the text that starts at this line");
    }
    return text;
}

bool EntryParser::startsSomething(const std::vector<std::string_view>& lines, std::size_t at) const
{
    if (lines[at] == kOpeningLine)
        return at + 1 < lines.size() && timeLineSeconds(lines[at + 1]).has_value();
    return startHeaderAt(lines, at).has_value();
}

bool EntryParser::endsEntry(const std::vector<std::string_view>& lines, std::size_t closing, bool more,
                            bool& needMore) const
{
    const std::size_t next = closing + 1;
    if (more && next + kLookahead > lines.size()) {
        needMore = true;
        return false;
    }
    return next == lines.size() || startsSomething(lines, next);
}

std::size_t EntryParser::parse(const std::vector<std::string_view>& lines, std::size_t firstLine, bool more)
{
    m_firstLine = firstLine;
    std::size_t at = 0;
    while (at < lines.size()) {
        if (more && at + kLookahead > lines.size())
            return at;
        if (lines[at] == kOpeningLine && at + 1 < lines.size() && timeLineSeconds(lines[at + 1])) {
            closeUnreadable();
            const Step step = entryAt(lines, at, more);
            if (step.outcome == Outcome::NeedMore)
                return at;
            at = step.next;
            continue;
        }
        if (const auto start = startHeaderAt(lines, at)) {
            closeUnreadable();
            m_assignment = start->assignment;
            // A start on the day of the work before it follows that work in
            // time, so its entries are later still: an earlier time of day
            // means past midnight here too.
            if (!m_day || *m_day != start->day)
                m_lastTime = -1;
            m_day = start->day;
            m_into.starts.push_back(
                {{isoDate(start->day), start->assignment}, std::string(start->codeLine), start->day});
            at += kStartHeaderLines;
            continue;
        }
        if (m_unreadableFrom == 0)
            m_unreadableFrom = firstLine + at;
        m_unreadableTo = firstLine + at;
        if (lines[at].find('\0') != std::string_view::npos)
            m_unreadableHasNul = true;
        ++at;
    }
    return at;
}

EntryParser::Step EntryParser::entryAt(const std::vector<std::string_view>& lines, std::size_t at, bool more)
{
    const std::size_t count = lines.size();
    const std::size_t line = m_firstLine + at;
    const int timeOfDay = *timeLineSeconds(lines[at + 1]);
    std::size_t next = at + 2;
    std::optional<DateTime> noteStamp;
    std::optional<long long> number;
    if (more && next + kLookahead > count)
        return {Outcome::NeedMore, at};
    if (next < count && (noteStamp = dateTimeLine(lines[next]))) {
        ++next;
    } else if (next + 2 < count && lines[next].empty() && lines[next + 1].empty()
               && (number = numberLineValue(lines[next + 2]))) {
        next += 3;
    }
    const bool note = noteStamp.has_value();

    // The context: the course's lines up to the second opening line.
    const std::size_t contextFrom = next;
    for (; next < count && lines[next] != kOpeningLine; ++next) {
        if (more && next + kLookahead > count)
            return {Outcome::NeedMore, at};
        if (startHeaderAt(lines, next)) {
            problem(line, "the entry breaks off at " + lineName(m_firstLine + next) + ", where a start header begins");
            return {Outcome::Broken, next};
        }
    }
    if (next >= count) {
        problem(line, "the entry is cut short at the end of the file");
        return {Outcome::Broken, count};
    }
    if (next + 1 < count && timeLineSeconds(lines[next + 1])) {
        problem(line, "the entry breaks off at " + lineName(m_firstLine + next) + ", where another entry begins");
        return {Outcome::Broken, next};
    }
    const std::size_t contextTo = next;
    std::size_t textFrom = next + 1;
    if (!note) {
        if (textFrom < count && lines[textFrom] == kResponseMarker)
            ++textFrom;
        else
            problem(line,
                    "the entry has no \"RESPONSE -->\" line; its text is read from the line after the "
                    "second opening line");
    }

    // The text runs to the closing line that is followed by another entry, a
    // start header or the end of the file: a student may type either line.
    std::size_t closing = textFrom;
    for (;; ++closing) {
        if (more && closing + kLookahead > count)
            return {Outcome::NeedMore, at};
        if (closing >= count) {
            problem(line, "the entry is cut short at the end of the file");
            return {Outcome::Broken, count};
        }
        if (lines[closing] == kClosingLine) {
            bool needMore = false;
            if (endsEntry(lines, closing, more, needMore))
                break;
            if (needMore)
                return {Outcome::NeedMore, at};
        } else if (closing > textFrom && startsSomething(lines, closing)) {
            problem(line, "the entry has no closing line before " + lineName(m_firstLine + closing));
            return {Outcome::Broken, closing};
        }
    }

    ParsedEntry parsed;
    parsed.line = line;
    ReportEntry& entry = parsed.entry;
    entry.kind = note ? EntryKind::Note : EntryKind::Response;
    std::size_t textTo = closing;
    if (!note && textTo > textFrom) {
        const std::string_view last = lines[textTo - 1];
        if (last.starts_with(kConfidenceLabel)) {
            entry.kind = EntryKind::Answer;
            entry.rating = m_text.decode(last.substr(kConfidenceLabel.size()));
            --textTo;
        } else if (last.starts_with(kSelfCritiqueLabel)) {
            entry.kind = EntryKind::Critique;
            entry.rating = m_text.decode(last.substr(kSelfCritiqueLabel.size()));
            --textTo;
        }
    }
    // Most contexts are the course's own stops: taken from the course, not decoded.
    const CourseIndex::Stop* stop = m_assignment == 0
        ? nullptr
        : m_course.stopOf(m_assignment, block(lines, contextFrom, contextTo));
    if (stop)
        entry.courseContext = stop->context;
    else
        entry.ownContext = joined(lines, contextFrom, contextTo);
    entry.text = joined(lines, textFrom, textTo);
    if (note) {
        if (entry.text.starts_with(kNotePrefix))
            entry.text.erase(0, kNotePrefix.size());
        else
            problem(line, "the note has no \"NOTES -------> \" prefix; its text is taken whole");
    }
    entry.files.reserve(2); // most entries are found in a master and a send file
    entry.files.push_back(m_into.name);
    if (number) {
        parsed.numbered = true;
        entry.question = *number >= 0 ? static_cast<int>(*number % 10000) : 0;
    }
    std::optional<std::int64_t> noteDay;
    if (noteStamp) // the date-time line is read after the time line, maybe past midnight
        noteDay = noteStamp->day - (noteStamp->seconds < timeOfDay ? 1 : 0);
    placeEntry(parsed, timeOfDay, noteDay, stop);
    m_into.heldBytes += parsed.entry.text.size() + parsed.entry.ownContext.size() + sizeof(ParsedEntry);
    m_into.entries.push_back(std::move(parsed));
    return {Outcome::Read, closing + 1};
}

void EntryParser::placeEntry(ParsedEntry& parsed, int timeOfDay, const std::optional<std::int64_t>& noteDay,
                             const CourseIndex::Stop* stop)
{
    ReportEntry& entry = parsed.entry;
    entry.time = clockTime(timeOfDay);
    entry.assignment = m_assignment;
    std::optional<std::int64_t> day;
    if (m_day) {
        if (m_lastTime >= 0 && timeOfDay < m_lastTime)
            ++*m_day; // the time of day ran backwards: past midnight
        m_lastTime = timeOfDay;
        day = m_day;
    } else if (noteDay) {
        day = noteDay; // a notes file has no start headers; its notes carry their date
    } else {
        problem(parsed.line, "the entry comes before any start header, so its date and assignment are unknown");
    }
    if (day) {
        entry.date = isoDate(*day);
        parsed.instant = *day * kSecondsPerDay + timeOfDay;
    }
    // A notes file's notes have no start header: their copies in the master
    // or send file place them.
    if (!parsed.numbered && m_assignment != 0) {
        if (!stop && m_unplaced++ == 0)
            m_firstUnplacedLine = parsed.line;
        entry.question = stop ? stop->question : 0;
    }
}

} // namespace calctutor::report
