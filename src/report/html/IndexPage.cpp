#include "report/html/IndexPage.h"

#include "core/NumberText.h"
#include "report/html/StudentFileNames.h"
#include "report/html/SvgCharts.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace calctutor::report {

namespace {

using kainjow::mustache::data;

std::string optionalNumber(std::optional<double> value, int decimals)
{
    return value ? fixedNumber(*value, decimals) : std::string();
}

std::string countText(int count)
{
    return std::to_string(count);
}

std::optional<double> meanOf(const RatingMean& ratings)
{
    return ratings.empty() ? std::nullopt : std::optional<double>(ratings.mean());
}

std::optional<double> shareOfThree(const QuestionSummary& question)
{
    return question.selfCritique.empty() ? std::nullopt : std::optional<double>(question.shareRatedThree());
}

struct QuestionLine {
    int assignment;
    int question;
    QuestionSummary figures;
};

// Hardest first: the smallest share of critiques rated 3 (questions without
// critiques last), then the most confident misses, then course order.
bool harder(const QuestionLine& a, const QuestionLine& b)
{
    const auto shareA = shareOfThree(a.figures);
    const auto shareB = shareOfThree(b.figures);
    if (shareA.has_value() != shareB.has_value())
        return shareA.has_value();
    if (shareA && *shareA != *shareB)
        return *shareA < *shareB;
    if (a.figures.confidentMisses != b.figures.confidentMisses)
        return a.figures.confidentMisses > b.figures.confidentMisses;
    return std::pair(a.assignment, a.question) < std::pair(b.assignment, b.question);
}

data questionRows(const ClassIndex& index)
{
    std::map<std::pair<int, int>, QuestionSummary> figures;
    for (const QuestionSummary& question : index.statistics.questions())
        figures[{question.assignment, question.question}] = question;
    std::vector<QuestionLine> lines;
    for (const CourseAssignment& assignment : index.course.assignments()) {
        for (int question : assignment.questions) {
            auto found = figures.find({assignment.number, question});
            lines.push_back({assignment.number, question, found == figures.end() ? QuestionSummary{} : found->second});
        }
    }
    std::stable_sort(lines.begin(), lines.end(), harder);
    data rows{data::type::list};
    for (const QuestionLine& line : lines) {
        const std::string key = questionKey(line.assignment, line.question);
        data row;
        row.set("key", key);
        row.set("label",
                "Assignment " + std::to_string(line.assignment) + ", question " + std::to_string(line.question));
        row.set("link", "questions/" + key + ".html");
        row.set("studentsAnswering", countText(line.figures.studentsAnswering));
        row.set("meanConfidence", optionalNumber(meanOf(line.figures.confidence), 2));
        row.set("meanConfidenceValue", optionalNumber(meanOf(line.figures.confidence), 4));
        row.set("shareOfThree", percentText(shareOfThree(line.figures)));
        row.set("shareOfThreeValue", optionalNumber(shareOfThree(line.figures), 4));
        row.set("confidentMisses", countText(line.figures.confidentMisses));
        row.set("notes", countText(line.figures.notes));
        appendMoved(rows, std::move(row));
    }
    return rows;
}

void setCalibration(data& page, const Calibration& calibration)
{
    data rows{data::type::list};
    for (int confidence = 0; confidence < 4; ++confidence) {
        data row;
        row.set("confidence", countText(confidence));
        data counts{data::type::list};
        for (int critique = 0; critique < 4; ++critique)
            counts.push_back(countText(calibration.counts[confidence][critique]));
        setMoved(row, "counts", std::move(counts));
        appendMoved(rows, std::move(row));
    }
    setMoved(page, "calibrationRows", std::move(rows));
    page.set("pairs", countText(calibration.pairs));
    page.set("confidentMisses", countText(calibration.confidentMisses));
    page.set("underConfident", countText(calibration.underConfident));
    const auto share = [&](int count) {
        return calibration.pairs == 0 ? std::optional<double>()
                                      : std::optional<double>(static_cast<double>(count) / calibration.pairs);
    };
    page.set("confidentMissShare", percentText(share(calibration.confidentMisses), 1));
    page.set("underConfidentShare", percentText(share(calibration.underConfident), 1));
}

// The flag bits of the templates.
constexpr unsigned kHasLink = 1;
constexpr unsigned kStarted = 1;
constexpr unsigned kHasWord = 2;

// Rows are written out in pieces of about this size.
constexpr std::size_t kFlushSize = 1 << 16;

} // namespace

std::string_view progressStatus(const AssignmentProgress& progress, const std::string& studentLastDate,
                                const std::string& classLastDate)
{
    if (!progress.started)
        return "not started";
    if (progress.questions > 0 && progress.answered >= progress.questions)
        return "finished";
    if (progress.lastDate < studentLastDate)
        return "partial";
    return hasStalled(studentLastDate, classLastDate) ? "stalled" : "progress";
}

bool hasStalled(const std::string& studentLastDate, const std::string& classLastDate)
{
    const auto last = dayNumber(studentLastDate);
    const auto newest = dayNumber(classLastDate);
    return last && newest && *newest - *last >= kStalledDays;
}

Calibration classCalibration(const ClassStatistics& statistics)
{
    Calibration calibration;
    for (const QuestionSummary& question : statistics.questions()) {
        for (int confidence = 0; confidence < 4; ++confidence) {
            for (int critique = 0; critique < 4; ++critique) {
                const int count = question.counts[confidence][critique];
                calibration.counts[confidence][critique] += count;
                calibration.pairs += count;
                calibration.confidentMisses += isConfidentMiss(confidence, critique) ? count : 0;
                calibration.underConfident += confidence <= 1 && critique == 3 ? count : 0;
            }
        }
    }
    return calibration;
}

std::string questionKey(int assignment, int question)
{
    if (assignment < 0 || assignment > 999 || question < 0 || question > 999) {
        char key[32];
        std::snprintf(key, sizeof key, "%03d-%03d", assignment, question);
        return key;
    }
    // Without snprintf, which costs more than the rest of a page's pieces.
    std::string key = "000-000";
    for (int digit = 2; digit >= 0; --digit, assignment /= 10, question /= 10) {
        key[static_cast<std::size_t>(digit)] = static_cast<char>('0' + assignment % 10);
        key[static_cast<std::size_t>(digit) + 4] = static_cast<char>('0' + question % 10);
    }
    return key;
}

std::string percentText(std::optional<double> share, int decimals)
{
    return share ? fixedNumber(*share * 100, decimals) + "%" : std::string();
}

IndexPage::IndexPage(PageTemplates& templates)
    : m_templates(templates),
      m_gridRow(templates, "index-grid-row.html", {"name", "link", "daysWorked", "lastDate"}, {"hasLink"}, {"cells"}),
      m_gridCell(templates, "index-grid-cell.html", {"status", "answered", "questions", "word"}, {"started", "hasWord"},
                 {"end"}),
      m_point(templates, "index-point.html", {"x", "y", "name", "xText", "yText"}, {}, {"end"}),
      m_scatterRow(templates, "index-scatter-row.html", {"name", "meanConfidence", "shareOfThree", "shareOfThreeValue"})
{
}

void IndexPage::write(const ClassIndex& index, std::ostream& out)
{
    data page;
    const std::string firstDate = index.entriesPerDay.empty() ? std::string() : index.entriesPerDay.begin()->first;
    const std::string lastDate = index.entriesPerDay.empty() ? std::string() : index.entriesPerDay.rbegin()->first;
    int entries = 0;
    data activity{data::type::list};
    for (const auto& [date, count] : index.entriesPerDay) {
        entries += count;
        data row;
        row.set("date", date);
        row.set("count", countText(count));
        appendMoved(activity, std::move(row));
    }
    page.set("studentCount", std::to_string(index.students.size()));
    page.set("entryCount", countText(entries));
    page.set("hasDates", data(!firstDate.empty()));
    page.set("firstDate", firstDate);
    page.set("lastDate", lastDate);
    page.set("stalledDays", std::to_string(kStalledDays));

    data columns{data::type::list};
    for (const CourseAssignment& assignment : index.course.assignments()) {
        data column;
        column.set("label", std::to_string(assignment.number));
        column.set("title", assignment.title);
        appendMoved(columns, std::move(column));
    }
    setMoved(page, "assignmentColumns", std::move(columns));
    page.set("hasMissing", data(!index.missingFromRoster.empty()));
    page.set("missingCount", std::to_string(index.missingFromRoster.size()));

    setMoved(page, "questionRows", questionRows(index));
    setCalibration(page, classCalibration(index.statistics));
    setMoved(page, "scatter", scatterPlot());
    page.set("askCount", std::to_string(index.asks.size()));
    page.set("hasAsks", data(index.asks.size() > 0));
    setMoved(page, "bars", activityBars(index.entriesPerDay));
    setMoved(page, "activityRows", std::move(activity));

    data problems{data::type::list};
    for (const ReportProblem& problem : index.problems) {
        data row;
        row.set("file", problem.file);
        row.set("line", problem.line == 0 ? std::string() : std::to_string(problem.line));
        row.set("reason", problem.reason);
        appendMoved(problems, std::move(row));
    }
    page.set("problemCount", std::to_string(index.problems.size()));
    page.set("hasProblems", data(!index.problems.empty()));
    setMoved(page, "problems", std::move(problems));
    const std::string frame = m_templates.render("index.html", std::move(page));

    // The tables with a row per student or per ask are written out in pieces
    // where their marks stand, so that the page is never held whole.
    std::size_t from = 0;
    const auto upTo = [&](std::string_view mark) {
        const std::size_t at = frame.find(mark, from);
        if (at == std::string::npos)
            return false; // a table the page leaves out
        out.write(frame.data() + from, static_cast<std::streamsize>(at - from));
        from = at + mark.size();
        return true;
    };
    if (upTo("<!--gridRows-->\n"))
        writeGrid(index, lastDate, out);
    if (upTo("<!--points-->"))
        writeScatter(index, out, true);
    if (upTo("<!--scatterRows-->\n"))
        writeScatter(index, out, false);
    if (upTo("<!--asks-->\n"))
        index.asks.write(out);
    out.write(frame.data() + from, static_cast<std::streamsize>(frame.size() - from));
}

void IndexPage::flush(std::ostream& out, std::size_t atLeast)
{
    if (m_rows.size() < atLeast)
        return;
    out.write(m_rows.data(), static_cast<std::streamsize>(m_rows.size()));
    m_rows.clear();
}

void IndexPage::writeGrid(const ClassIndex& index, const std::string& classLastDate, std::ostream& out)
{
    const auto& assignments = index.course.assignments();
    for (std::size_t student = 0; student < index.students.size(); ++student) {
        const ClassGrid::Row& line = index.students.row(student);
        const StudentSummary& figures = index.statistics.students().at(line.figures);
        const std::string link = "students/" + stemInLink(line.fileStem) + ".html";
        m_gridRow.append(m_rows, {figures.name, link}, kHasLink, 0);
        for (std::size_t at = 0; at < assignments.size(); ++at) {
            std::string_view status = index.students.state(student, at);
            if (status == "progress" && hasStalled(line.lastDate, classLastDate))
                status = "stalled";
            const std::string_view word = status == "finished" ? "done" : status == "stalled" ? "stalled" : "";
            m_gridCell.append(m_rows,
                              {status == "not started" ? "none" : status,
                               countText(index.students.answered(student, at)),
                               countText(static_cast<int>(assignments[at].questions.size())), word},
                              (status == "not started" ? 0 : kStarted) | (word.empty() ? 0 : kHasWord));
        }
        m_gridRow.append(m_rows, {figures.name, link, countText(line.daysWorked), figures.lastDay}, kHasLink, 1);
        flush(out, kFlushSize);
    }
    for (const std::string& name : index.missingFromRoster) {
        m_gridRow.append(m_rows, {name}, 0, 0);
        for (std::size_t cell = 0; cell < assignments.size(); ++cell)
            m_gridCell.append(m_rows, {"none", "0"});
        m_gridRow.append(m_rows, {name, "", "0", ""}, 0,
                         1); // not the class's last day, which a missing value would show
        flush(out, kFlushSize);
    }
    flush(out, 0);
}

void IndexPage::writeScatter(const ClassIndex& index, std::ostream& out, bool points)
{
    for (const StudentSummary& student : index.statistics.students()) {
        if (student.confidence.empty() || student.selfCritique.empty())
            continue;
        const double mean = student.confidence.mean();
        const double share = static_cast<double>(student.critiquesRatedThree)
            / static_cast<double>(student.selfCritique.count);
        if (points) {
            const ScatterPlace place = scatterPlace(mean, share);
            m_point.append(m_rows, {place.x, place.y, student.name, fixedNumber(mean, 2), percentText(share)});
        } else {
            m_scatterRow.append(m_rows,
                                {student.name, fixedNumber(mean, 2), percentText(share), fixedNumber(share, 4)});
        }
        flush(out, kFlushSize);
    }
    flush(out, 0);
}

} // namespace calctutor::report
