#include "report/JsonReport.h"

#include "report/ClassInput.h"

#include <nlohmann/json.hpp>

namespace calctutor::report {

namespace {

using Json = nlohmann::ordered_json;

std::string dumped(const Json& value)
{
    // Text that is not UTF-8 after all is written with replacement characters.
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json jsonMean(const RatingMean& ratings)
{
    return ratings.empty() ? Json(nullptr) : Json(ratings.mean());
}

Json studentJson(const StudentSummary& student)
{
    return {{"name", student.name},
            {"assignmentsStarted", student.assignmentsStarted},
            {"questionsAnswered", student.questionsAnswered},
            {"critiques", student.critiques},
            {"notes", student.notes},
            {"entries", student.entries},
            {"meanConfidence", jsonMean(student.confidence)},
            {"meanSelfCritique", jsonMean(student.selfCritique)},
            {"confidentMisses", student.confidentMisses},
            {"ratingsNotOnScale", student.otherRatings},
            {"lastDayActive", student.lastDay.empty() ? Json(nullptr) : Json(student.lastDay)}};
}

Json questionJson(const QuestionSummary& question)
{
    Json counts = Json::array();
    for (const auto& row : question.counts)
        counts.push_back(row);
    return {{"assignment", question.assignment},
            {"question", question.question == 0 ? Json(nullptr) : Json(question.question)},
            {"studentsAnswering", question.studentsAnswering},
            {"meanConfidence", jsonMean(question.confidence)},
            {"meanSelfCritique", jsonMean(question.selfCritique)},
            {"confidenceBySelfCritique", counts},
            {"confidentMisses", question.confidentMisses},
            {"notes", question.notes},
            {"shareOfSelfCritiquesRated3",
             question.selfCritique.empty() ? Json(nullptr) : Json(question.shareRatedThree())}};
}

} // namespace

JsonReport::JsonReport(const std::string& path)
    : m_path(path), m_out(pathFromText(path), std::ios::binary | std::ios::trunc)
{
    m_out << "{\"entries\":[";
    if (!m_out)
        m_problem = path + " cannot be written";
}

void JsonReport::student(const StudentRecord& record)
{
    for (const ReportEntry& entry : record.entries) {
        const Json row = {{"student", record.name},
                          {"date", entry.date},
                          {"time", entry.time},
                          {"assignment", entry.assignment},
                          {"question", entry.question == 0 ? Json(nullptr) : Json(entry.question)},
                          {"kind", kindName(entry.kind)},
                          {"rating", entry.rating},
                          {"text", entry.text},
                          {"context", std::string(entry.context())},
                          {"files", entry.files}};
        m_out << (m_firstEntry ? "\n" : ",\n") << dumped(row);
        m_firstEntry = false;
    }
}

std::optional<std::string> JsonReport::finish(const ClassStatistics& statistics,
                                              const std::vector<ReportProblem>& problems,
                                              const std::vector<std::string>* notStarted,
                                              const std::vector<std::string>* notOnRoster)
{
    Json students = Json::array();
    for (const StudentSummary& student : statistics.students())
        students.push_back(studentJson(student));
    Json questions = Json::array();
    for (const QuestionSummary& question : statistics.questions())
        questions.push_back(questionJson(question));
    const ClassTotals& totals = statistics.totals();
    const Json classTotals = {{"students", totals.students},
                              {"studentsStarted", totals.studentsStarted},
                              {"entries", totals.entries},
                              {"answers", totals.answers},
                              {"critiques", totals.critiques},
                              {"responses", totals.responses},
                              {"notes", totals.notes},
                              {"meanConfidence", jsonMean(totals.confidence)},
                              {"meanSelfCritique", jsonMean(totals.selfCritique)},
                              {"confidentMisses", totals.confidentMisses},
                              {"ratingsNotOnScale", totals.otherRatings}};
    Json problemRows = Json::array();
    for (const ReportProblem& problem : problems)
        problemRows.push_back({{"file", problem.file},
                               {"line", problem.line == 0 ? Json(nullptr) : Json(problem.line)},
                               {"problem", problem.reason}});
    m_out << "\n],\n\"students\":" << dumped(students) << ",\n\"questions\":" << dumped(questions)
          << ",\n\"class\":" << dumped(classTotals);
    if (notStarted && notOnRoster)
        m_out << ",\n\"roster\":" << dumped(Json{{"notStarted", *notStarted}, {"notOnRoster", *notOnRoster}});
    m_out << ",\n\"problems\":" << dumped(problemRows) << "}\n";
    m_out.flush();
    if (!m_out)
        return m_path + " could not be written completely";
    m_out.close();
    return std::nullopt;
}

} // namespace calctutor::report
