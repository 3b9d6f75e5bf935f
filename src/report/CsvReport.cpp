#include "report/CsvReport.h"

#include "report/ClassInput.h"

#include <filesystem>

namespace calctutor::report {

namespace {

std::string count(long long value)
{
    return std::to_string(value);
}

std::string csvMean(const RatingMean& ratings)
{
    return csvNumber(ratings.mean(), !ratings.empty());
}

std::string joinFiles(const std::vector<std::string>& files)
{
    std::string joined;
    for (const std::string& file : files)
        joined += (joined.empty() ? "" : ";") + file;
    return joined;
}

} // namespace

const std::vector<std::string_view>& entryColumns()
{
    static const std::vector<std::string_view> columns = {"student", "date",   "time", "assignment", "question",
                                                          "kind",    "rating", "text", "files"};
    return columns;
}

const std::vector<std::string_view>& studentColumns()
{
    static const std::vector<std::string_view> columns = {
        "student",        "assignments started", "questions answered", "critiques",        "notes",
        "entries",        "mean confidence",     "mean self-critique", "confident misses", "ratings not 0 to 3",
        "last day active"};
    return columns;
}

const std::vector<std::string_view>& problemColumns()
{
    static const std::vector<std::string_view> columns = {"file", "line", "problem"};
    return columns;
}

const std::vector<std::string_view>& questionColumns()
{
    static const std::vector<std::string_view> columns = [] {
        std::vector<std::string_view> list = {"assignment", "question", "students answering", "mean confidence",
                                              "mean self-critique"};
        static const std::vector<std::string> cross = [] {
            std::vector<std::string> names;
            for (int confidence = 0; confidence < 4; ++confidence)
                for (int critique = 0; critique < 4; ++critique)
                    names.push_back("confidence " + std::to_string(confidence) + " self-critique "
                                    + std::to_string(critique));
            return names;
        }();
        list.insert(list.end(), cross.begin(), cross.end());
        list.insert(list.end(), {"confident misses", "notes", "share of self-critiques rated 3"});
        return list;
    }();
    return columns;
}

std::vector<std::string> studentRow(const StudentSummary& student)
{
    return {student.name,
            count(student.assignmentsStarted),
            count(student.questionsAnswered),
            count(student.critiques),
            count(student.notes),
            count(student.entries),
            csvMean(student.confidence),
            csvMean(student.selfCritique),
            count(student.confidentMisses),
            count(student.otherRatings),
            student.lastDay};
}

std::vector<std::string> questionRow(const QuestionSummary& question)
{
    std::vector<std::string> row = {count(question.assignment), question.question == 0 ? "" : count(question.question),
                                    count(question.studentsAnswering), csvMean(question.confidence),
                                    csvMean(question.selfCritique)};
    for (const auto& byCritique : question.counts)
        for (const int cell : byCritique)
            row.push_back(count(cell));
    row.push_back(count(question.confidentMisses));
    row.push_back(count(question.notes));
    row.push_back(csvNumber(question.shareRatedThree(), !question.selfCritique.empty()));
    return row;
}

std::vector<std::string> entryRow(const std::string& student, const ReportEntry& entry)
{
    return {student,
            entry.date,
            entry.time,
            count(entry.assignment),
            entry.question == 0 ? "" : count(entry.question),
            std::string(kindName(entry.kind)),
            entry.rating,
            entry.text,
            joinFiles(entry.files)};
}

CsvReport::CsvReport(const std::string& folder) : m_folder(folder)
{
    std::error_code error;
    std::filesystem::create_directories(pathFromText(folder), error);
    const std::string path = pathText(pathFromText(folder) / "entries.csv");
    m_entries = std::make_unique<CsvWriter>(path, entryColumns());
    if (!m_entries->ok())
        m_problem = path + " cannot be written" + (error ? ": " + error.message() : "");
}

void CsvReport::student(const StudentRecord& record)
{
    CsvWriter& out = *m_entries;
    for (const ReportEntry& entry : record.entries) {
        out.cell(record.name);
        out.cell(entry.date);
        out.cell(entry.time);
        out.cell(std::to_string(entry.assignment));
        out.cell(entry.question == 0 ? std::string() : std::to_string(entry.question));
        out.cell(kindName(entry.kind));
        out.cell(entry.rating);
        out.cell(entry.text);
        m_files.clear();
        for (const std::string& file : entry.files)
            m_files.append(m_files.empty() ? "" : ";").append(file);
        out.cell(m_files);
        out.endRow();
    }
}

std::optional<std::string> CsvReport::finish(const ClassStatistics& statistics,
                                             const std::vector<ReportProblem>& problems)
{
    const std::filesystem::path folder = pathFromText(m_folder);
    if (!m_entries->close())
        return pathText(folder / "entries.csv") + " could not be written completely";

    const std::string studentsPath = pathText(folder / "students.csv");
    CsvWriter students(studentsPath, studentColumns());
    for (const StudentSummary& student : statistics.students())
        students.row(studentRow(student));
    if (!students.close())
        return studentsPath + " could not be written";

    const std::string questionsPath = pathText(folder / "questions.csv");
    CsvWriter questions(questionsPath, questionColumns());
    for (const QuestionSummary& question : statistics.questions())
        questions.row(questionRow(question));
    if (!questions.close())
        return questionsPath + " could not be written";

    const std::string problemsPath = pathText(folder / "problems.csv");
    CsvWriter problemRows(problemsPath, problemColumns());
    for (const ReportProblem& problem : problems)
        problemRows.row(
            {problem.file, problem.line == 0 ? "" : count(static_cast<long long>(problem.line)), problem.reason});
    if (!problemRows.close())
        return problemsPath + " could not be written";
    return std::nullopt;
}

} // namespace calctutor::report
