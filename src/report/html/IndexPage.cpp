#include "report/html/IndexPage.h"

#include "core/NumberText.h"
#include "report/html/StudentFileNames.h"
#include "report/html/SvgCharts.h"

#include <algorithm>
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

void setScatter(data& page, const std::vector<StudentSummary>& students)
{
    std::vector<ScatterPoint> points;
    data rows{data::type::list};
    for (const StudentSummary& student : students) {
        if (student.confidence.empty() || student.selfCritique.empty())
            continue;
        const double share = static_cast<double>(student.critiquesRatedThree)
            / static_cast<double>(student.selfCritique.count);
        points.push_back({student.name, student.confidence.mean(), share});
        data row;
        row.set("name", student.name);
        row.set("meanConfidence", fixedNumber(student.confidence.mean(), 2));
        row.set("shareOfThree", percentText(share));
        row.set("shareOfThreeValue", fixedNumber(share, 4));
        appendMoved(rows, std::move(row));
    }
    setMoved(page, "scatter", scatterPlot(points));
    setMoved(page, "scatterRows", std::move(rows));
}

// Every ask of the class, newest first.
std::vector<std::pair<const StudentOverview*, const StudentAsk*>>
newestAsks(const std::vector<StudentOverview>& students)
{
    std::vector<std::pair<const StudentOverview*, const StudentAsk*>> asks;
    for (const StudentOverview& student : students) {
        for (const StudentAsk& ask : student.asks)
            asks.push_back({&student, &ask});
    }
    std::stable_sort(asks.begin(), asks.end(), [](const auto& a, const auto& b) {
        return std::tie(a.second->date, a.second->time) > std::tie(b.second->date, b.second->time);
    });
    return asks;
}

// The flag bits of the templates.
constexpr unsigned kHasLink = 1;
constexpr unsigned kStarted = 1;
constexpr unsigned kHasWord = 2;

// Rows go where their mark stands, on a line of its own.
void replaceMark(std::string& page, std::string_view mark, std::string_view rows)
{
    const std::size_t at = page.find(mark);
    if (at != std::string::npos)
        page.replace(at, mark.size(), rows);
}

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
    const auto last = dayNumber(studentLastDate);
    const auto newest = dayNumber(classLastDate);
    if (last && newest && *newest - *last >= kStalledDays)
        return "stalled";
    return "progress";
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
      m_ask(templates, "index-ask.html", {"date", "time", "name", "link", "assignment", "question", "kind", "text"})
{
}

std::string IndexPage::render(const ClassIndex& index)
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
    setScatter(page, index.statistics.students());
    const auto asks = newestAsks(index.students);
    page.set("askCount", std::to_string(asks.size()));
    page.set("hasAsks", data(!asks.empty()));
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
    std::string whole = m_templates.render("index.html", std::move(page));

    // The long tables are put together from their pieces, as the student pages are.
    std::string rows;
    for (const auto& [student, ask] : asks) {
        m_ask.append(rows,
                     {ask->date, ask->time, student->name,
                      "students/" + stemInLink(student->fileStem) + ".html#e" + std::to_string(ask->entryIndex),
                      ask->assignment == 0 ? std::string() : countText(ask->assignment),
                      ask->question == 0 ? std::string() : countText(ask->question),
                      ask->kind == EntryKind::Note ? "note" : "critique", ask->text});
    }
    replaceMark(whole, "<!--asks-->\n", rows);
    rows.clear();
    std::map<std::string_view, const StudentSummary*> figures;
    for (const StudentSummary& student : index.statistics.students())
        figures.emplace(student.name, &student);
    for (const StudentOverview& student : index.students) {
        auto found = figures.find(student.name);
        appendGridRow(rows, student, found == figures.end() ? nullptr : found->second, lastDate);
    }
    for (const std::string& name : index.missingFromRoster) {
        m_gridRow.append(rows, {name}, 0, 0);
        for (std::size_t cell = 0; cell < index.course.assignments().size(); ++cell)
            m_gridCell.append(rows, {"none", "0"});
        m_gridRow.append(rows, {name, "", "0", ""}, 0, 1); // not the class's last day, which a missing value would show
    }
    replaceMark(whole, "<!--gridRows-->\n", rows);
    return whole;
}

void IndexPage::appendGridRow(std::string& rows, const StudentOverview& student, const StudentSummary* figures,
                              const std::string& classLastDate)
{
    const std::string link = "students/" + stemInLink(student.fileStem) + ".html";
    m_gridRow.append(rows, {student.name, link}, kHasLink, 0);
    for (const AssignmentProgress& progress : student.assignments) {
        const std::string_view status = progressStatus(progress, student.lastDate, classLastDate);
        const std::string_view word = status == "finished" ? "done" : status == "stalled" ? "stalled" : "";
        m_gridCell.append(rows,
                          {status == "not started" ? "none" : status, countText(progress.answered),
                           countText(progress.questions), word},
                          (progress.started ? kStarted : 0) | (word.empty() ? 0 : kHasWord));
    }
    m_gridRow.append(rows,
                     {student.name, link, countText(student.daysWorked), figures ? figures->lastDay : std::string()},
                     kHasLink, 1);
}

} // namespace calctutor::report
