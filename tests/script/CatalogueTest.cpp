// The built-in course held against its catalogue: where each assignment sits
// in the script entries, what it is made of, the deliberately irregular
// stretches a student meets, and a walk through every assignment with the
// "Next Question / Answer" button from its header to the next one.

#include "core/AssignmentNumber.h"
#include "core/NumberText.h"
#include "core/TutorState.h"
#include "script/Navigation.h"
#include "script/QuestionBank.h"
#include "script/ScriptFormat.h"
#include "startup/AssignmentEntry.h"

#include "Fakes.h"

#include <gtest/gtest.h>

#include <optional>

namespace calctutor {
namespace {

using testing::RecordedGraphs;

constexpr int kCourseEnd = 508;

const TutorState& course()
{
    static const TutorState loaded = [] {
        TutorState state;
        loadQuestionBank(state);
        return state;
    }();
    return loaded;
}

const std::string& entryAt(int index)
{
    return course().scriptLines[static_cast<std::size_t>(index)];
}

// How the first question entry tells the student the number of questions.
enum class Announcement {
    None,            // "`q001.  " straight away
    OwnEntry,        // "`qNote that there are N questions ...", blank line, "`q001.  "
    OwnEntryBareQ,   // the same with "q001.  " after the blank line
    InFirstQuestion, // "`q001.  Note that there are 5 questions in thie assignment."
};

struct AssignmentRow {
    const char* name;
    const char* number;
    const char* header;
    int first;
    int last;
    int entries;
    int stops;
    int questions;
    int answers;
    int routines;
    int texts;
    int graph; // the graph its routine entries show, 0 for none
    const char* announced;
    Announcement form;
};

// clang-format off
const AssignmentRow kCatalogue[] = {
    {"A001", "001", "001.  Depth vs. Clock Time and Rate of Depth Change", 1, 18, 18, 8, 4, 4, 0, 0, 0, "four", Announcement::OwnEntry},
    {"A002", "002", "002.  ", 19, 38, 20, 9, 4, 4, 1, 0, 2, "four", Announcement::OwnEntry},
    {"A003", "003", "003.", 39, 57, 19, 9, 4, 4, 1, 0, 3, "four", Announcement::OwnEntry},
    {"A004", "004", "004.", 58, 78, 21, 10, 4, 5, 1, 0, 3, "four", Announcement::OwnEntryBareQ},
    {"A005", "005", "005.  ", 79, 116, 38, 18, 9, 9, 0, 0, 0, "9", Announcement::OwnEntry},
    {"A006", "006", "006.  goin' the other way", 117, 146, 30, 14, 7, 7, 0, 0, 0, "7", Announcement::OwnEntry},
    {"A007", "007", "007.  Depth functions and rate functions.", 147, 184, 38, 18, 9, 9, 0, 0, 0, "9", Announcement::OwnEntry},
    {"A008", "008", "008.  Approximate depth graph from the rate function", 185, 207, 23, 10, 5, 5, 0, 0, 0, "5", Announcement::InFirstQuestion},
    {"A009", "009", "009.  Finding the average value of the rate using a predicted point", 208, 246, 39, 18, 9, 9, 0, 0, 0, "9", Announcement::OwnEntry},
    {"A010", "010", "010.  Income Streams", 247, 294, 48, 23, 11, 12, 0, 0, 0, "11", Announcement::OwnEntry},
    {"A011", "011", "011.  Rules for calculating derivatives of some functions.", 295, 333, 39, 19, 9, 10, 0, 0, 0, "9", Announcement::OwnEntry},
    {"A012", "012", "012.  The Chain Rule", 334, 383, 50, 24, 12, 12, 0, 0, 0, "12", Announcement::OwnEntry},
    {"A013", "013", "013.  Applications of the Chain Rule", 384, 401, 18, 8, 4, 4, 0, 0, 0, "4", Announcement::OwnEntry},
    {"A014", "014", "014.  Tangent Lines and Tangent Line Approximations", 402, 434, 33, 16, 8, 8, 0, 0, 0, nullptr, Announcement::None},
    {"A015", "015", "015.  The differential and the tangent line", 435, 468, 34, 16, 8, 8, 0, 0, 0, nullptr, Announcement::None},
    {"A016", "016", "016.  Implicit differentiation.", 469, 507, 39, 21, 9, 7, 0, 5, 0, nullptr, Announcement::None},
    {"A017", "017", "017.  ", 508, 508, 1, 0, 0, 0, 0, 0, 0, nullptr, Announcement::None},
};
// clang-format on

std::string expectedFirstQuestionStart(const AssignmentRow& row)
{
    const std::string note = std::string("`qNote that there are ") + (row.announced ? row.announced : "")
        + " questions in this assignment.  \r\n\r\n";
    switch (row.form) {
    case Announcement::None: return "`q001.  ";
    case Announcement::OwnEntry: return note + "`q001.  ";
    case Announcement::OwnEntryBareQ: return note + "q001.  ";
    case Announcement::InFirstQuestion:
        return std::string("`q001.  Note that there are ") + row.announced + " questions in thie assignment.";
    }
    return {};
}

int announcedCount(const char* announced)
{
    return std::string_view(announced) == "four" ? 4 : static_cast<int>(leadingNumber(announced));
}

// Three digits and a full stop at the start of a text.
std::optional<int> numberAtStart(std::string_view text)
{
    if (!isHeaderEntry(text))
        return std::nullopt;
    return (text[0] - '0') * 100 + (text[1] - '0') * 10 + (text[2] - '0');
}

// The number a question entry carries: right after "`q", or in an announcement
// on the line after the blank line, behind "`q" or a bare "q".
std::optional<int> ownNumber(std::string_view question)
{
    const std::string_view body = question.substr(kQuestionMarker.size());
    if (auto number = numberAtStart(body))
        return number;
    const std::size_t blank = body.find("\r\n\r\n");
    if (blank == std::string_view::npos)
        return std::nullopt;
    std::string_view line = body.substr(blank + 4);
    if (line.starts_with(kQuestionMarker))
        line.remove_prefix(kQuestionMarker.size());
    else if (line.starts_with('q'))
        line.remove_prefix(1);
    return numberAtStart(line);
}

class Assignment : public ::testing::TestWithParam<AssignmentRow> {};

TEST_P(Assignment, MatchesItsCatalogueRow)
{
    const AssignmentRow& row = GetParam();
    EXPECT_EQ(entryAt(row.first), row.header);
    EXPECT_EQ(row.last - row.first + 1, row.entries);

    // The assignment runs to the entry before the next header, the last one
    // to the end of the course.
    int end = row.first + 1;
    while (end <= kCourseEnd && classifyEntry(entryAt(end)) != EntryKind::Header)
        ++end;
    EXPECT_EQ(end - 1, row.last);

    int stops = 0, questions = 0, answers = 0, routines = 0, texts = 0, others = 0;
    std::optional<int> firstQuestion;
    for (int index = row.first + 1; index <= row.last; ++index) {
        const std::string& entry = entryAt(index);
        if (!entry.empty())
            ++stops;
        switch (classifyEntry(entry)) {
        case EntryKind::Separator: others += entry.empty() ? 0 : 1; break;
        case EntryKind::Question:
            ++questions;
            if (!firstQuestion)
                firstQuestion = index;
            break;
        case EntryKind::Answer: ++answers; break;
        case EntryKind::Routine:
            ++routines;
            EXPECT_EQ(routineName(entry), "graph" + std::to_string(row.graph)) << "index " << index;
            break;
        case EntryKind::Text: ++texts; break;
        default: ++others;
        }
    }
    EXPECT_EQ(stops, row.stops);
    EXPECT_EQ(questions, row.questions);
    EXPECT_EQ(answers, row.answers);
    EXPECT_EQ(routines, row.routines);
    EXPECT_EQ(texts, row.texts);
    EXPECT_EQ(others, 0) << "entries of no listed kind";

    if (row.questions == 0)
        return;
    ASSERT_TRUE(firstQuestion);
    const std::string start = expectedFirstQuestionStart(row);
    EXPECT_TRUE(entryAt(*firstQuestion).starts_with(start))
        << "index " << *firstQuestion << " begins \"" << leftOf(entryAt(*firstQuestion), start.size() + 10) << "\"";
    if (row.announced != nullptr) {
        EXPECT_EQ(announcedCount(row.announced), row.questions) << "the announcement miscounts";
        return;
    }
    for (int index = row.first + 1; index <= row.last; ++index)
        EXPECT_EQ(entryAt(index).find("Note that there are"), std::string::npos) << "index " << index;
}

// Presses "Next Question / Answer" from the header to the next header and
// checks every stop the student sees on the way.
class AssignmentWalk : public ::testing::TestWithParam<AssignmentRow> {};

TEST_P(AssignmentWalk, GoesFromItsHeaderToTheNextOne)
{
    const AssignmentRow& row = GetParam();

    TutorState state = course();
    state.assignmentNumber = row.number;
    state.nextAssignmentNumber = nextAssignmentNumber(row.number);
    const std::optional<int> header = findAssignmentHeader(state.scriptLines, row.number);
    ASSERT_EQ(header, row.first);
    EXPECT_TRUE(assignmentHasContent(state.scriptLines, *header));
    state.lineIndex = *header;

    std::vector<int> expectedStops;
    for (int index = row.first + 1; index <= row.last; ++index) {
        if (!entryAt(index).empty() && classifyEntry(entryAt(index)) != EntryKind::Routine)
            expectedStops.push_back(index);
    }
    ASSERT_EQ(static_cast<int>(expectedStops.size()), row.stops - row.routines);

    RecordedGraphs graphs;
    const double assignment = leadingNumber(row.number);
    std::optional<int> questionNumber;
    std::string lastKind;
    int scanned = row.first;
    for (const int expectedStop : expectedStops) {
        const NextQuestionOutcome outcome = nextQuestion(state, graphs);
        ASSERT_EQ(outcome.flow, Flow::Continue) << "before index " << expectedStop;
        ASSERT_EQ(state.lineIndex, expectedStop);

        // What the reader passed on its way here, separators and routines included.
        while (scanned < expectedStop) {
            const std::string& entry = entryAt(++scanned);
            if (classifyEntry(entry) == EntryKind::Answer)
                lastKind = "answer";
            if (classifyEntry(entry) != EntryKind::Question)
                continue;
            lastKind = "question";
            if (const std::optional<int> own = ownNumber(entry)) {
                // Questions are numbered 1, 2, 3... in the order they come.
                EXPECT_EQ(*own, questionNumber.value_or(0) + 1) << "index " << scanned;
                questionNumber = own;
            }
        }
        EXPECT_EQ(state.lineKind, lastKind) << "index " << expectedStop;
        if (questionNumber && lastKind == "question") {
            const double record = leadingNumber(state.assignmentNumber) * 10000 + leadingNumber(state.questionNumber);
            EXPECT_EQ(record, assignment * 10000 + *questionNumber) << "index " << expectedStop;
        }
    }

    const NextQuestionOutcome end = nextQuestion(state, graphs);
    EXPECT_EQ(end.flow, Flow::EndProgram);
    EXPECT_EQ(state.lineIndex, row.last + 1);
    EXPECT_EQ(graphs.shown, std::vector<int>(static_cast<std::size_t>(row.routines), row.graph));
}

INSTANTIATE_TEST_SUITE_P(Catalogue, Assignment, ::testing::ValuesIn(kCatalogue),
                         [](const auto& rowInfo) { return std::string(rowInfo.param.name); });

// The closing header has nothing to walk; RefusesTheClosingHeader covers it.
INSTANTIATE_TEST_SUITE_P(Catalogue, AssignmentWalk,
                         ::testing::ValuesIn(std::begin(kCatalogue), std::end(kCatalogue) - 1),
                         [](const auto& rowInfo) { return std::string(rowInfo.param.name); });

TEST(CatalogueTotals, CountEveryKindOfEntry)
{
    int headers = 0, questions = 0, answers = 0, routines = 0, texts = 0, separators = 0, stops = 0, others = 0;
    for (int index = 1; index <= kCourseEnd; ++index) {
        const std::string& entry = entryAt(index);
        if (entry.empty())
            ++separators;
        else if (classifyEntry(entry) != EntryKind::Header)
            ++stops;
        switch (classifyEntry(entry)) {
        case EntryKind::Header: ++headers; break;
        case EntryKind::Question: ++questions; break;
        case EntryKind::Answer: ++answers; break;
        case EntryKind::Routine: ++routines; break;
        case EntryKind::Text: ++texts; break;
        case EntryKind::Separator: others += entry.empty() ? 0 : 1; break;
        case EntryKind::EndMarker: ++others; break;
        }
    }
    EXPECT_EQ(headers, 17);
    EXPECT_EQ(questions, 116);
    EXPECT_EQ(answers, 117);
    EXPECT_EQ(routines, 3);
    EXPECT_EQ(texts, 5);
    EXPECT_EQ(separators, 250);
    EXPECT_EQ(stops, 241);
    EXPECT_EQ(others, 0);
}

TEST(CatalogueTotals, LeavesEveryIndexOutsideTheCourseEmpty)
{
    EXPECT_EQ(entryAt(0), "");
    for (int index = kCourseEnd + 1; index <= kLastScriptIndex; ++index)
        ASSERT_EQ(entryAt(index), "") << "index " << index;
}

// Entries are stored as single-byte text with CR LF line breaks; anything else
// would show wrongly in the question box and in the record files.
TEST(CatalogueTotals, KeepsEntriesShortPrintableAndInCrLfLines)
{
    for (int index = 1; index <= kCourseEnd; ++index) {
        const std::string& entry = entryAt(index);
        EXPECT_LE(entry.size(), 1600u) << "index " << index;
        for (std::size_t i = 0; i < entry.size(); ++i) {
            const char c = entry[i];
            if (c == '\r') {
                EXPECT_TRUE(i + 1 < entry.size() && entry[i + 1] == '\n') << "lone CR at index " << index;
            } else if (c == '\n') {
                EXPECT_TRUE(i > 0 && entry[i - 1] == '\r') << "lone LF at index " << index;
            } else {
                EXPECT_TRUE(c >= ' ' && c <= '~') << "character " << int(c) << " at index " << index;
            }
        }
    }
}

TEST(CatalogueTotals, KeepsLineBreakMarksToAssignment014)
{
    std::vector<int> marked;
    for (int index = 1; index <= kCourseEnd; ++index) {
        if (entryAt(index).find(kLineBreakMark) != std::string::npos)
            marked.push_back(index);
    }
    EXPECT_EQ(marked, (std::vector<int>{426, 434}));
}

TEST(CatalogueTotals, RefusesTheClosingHeader)
{
    const std::optional<int> header = findAssignmentHeader(course().scriptLines, "017");
    ASSERT_EQ(header, 508);
    EXPECT_FALSE(assignmentHasContent(course().scriptLines, *header));
}

// The stretches that break the usual question, separator, answer, separator
// rhythm. The tutor must take each of them as it stands.
enum class Match { KindOnly, Exactly, StartsWith, EndsWith, Contains, Lacks };

struct EntryRow {
    const char* name;
    int index;
    EntryKind kind;
    Match match;
    const char* text;
};

// clang-format off
const EntryRow kIrregularEntries[] = {
    {"A002_AnswerPointsToTheGraph", 23, EntryKind::Answer, Match::EndsWith, "Click on 'Next Picture' to see the graph."},
    {"A002_SeparatorBeforeRoutine", 24, EntryKind::Separator, Match::Exactly, ""},
    {"A002_Graph2Routine", 25, EntryKind::Routine, Match::Exactly, "`routine graph2"},
    {"A002_SeparatorAfterRoutine", 26, EntryKind::Separator, Match::Exactly, ""},
    {"A003_AnswerPointsToTheGraph", 43, EntryKind::Answer, Match::EndsWith, "Click on 'Next Picture' to see graph. "},
    {"A003_Graph3Routine", 45, EntryKind::Routine, Match::Exactly, "`routine graph3"},
    {"A003_LastAnswer", 57, EntryKind::Answer, Match::KindOnly, ""},
    {"A003_NextHeaderWithoutSeparator", 58, EntryKind::Header, Match::Exactly, "004."},
    {"A004_SeparatorAfterHeader", 59, EntryKind::Separator, Match::Exactly, ""},
    {"A004_AnswerBeforeAnyQuestion", 60, EntryKind::Answer, Match::KindOnly, ""},
    {"A004_AnswerWithoutPointer", 64, EntryKind::Answer, Match::Lacks, "Next Picture"},
    {"A004_Graph3Routine", 66, EntryKind::Routine, Match::Exactly, "`routine graph3"},
    {"A004_LastAnswer", 78, EntryKind::Answer, Match::KindOnly, ""},
    {"A004_NextHeaderWithoutSeparator", 79, EntryKind::Header, Match::Exactly, "005.  "},
    {"A008_Question2", 191, EntryKind::Question, Match::StartsWith, "`q002."},
    {"A008_FirstOfDoubledSeparator", 192, EntryKind::Separator, Match::Exactly, ""},
    {"A008_SecondOfDoubledSeparator", 193, EntryKind::Separator, Match::Exactly, ""},
    {"A008_AnswerAfterDoubledSeparator", 194, EntryKind::Answer, Match::KindOnly, ""},
    {"A009_AnswerTo7", 236, EntryKind::Answer, Match::KindOnly, ""},
    {"A009_FirstOfDoubledSeparator", 237, EntryKind::Separator, Match::Exactly, ""},
    {"A009_SecondOfDoubledSeparator", 238, EntryKind::Separator, Match::Exactly, ""},
    {"A009_QuestionAfterDoubledSeparator", 239, EntryKind::Question, Match::StartsWith, "`q008."},
    {"A010_AnswerTo11", 291, EntryKind::Answer, Match::KindOnly, ""},
    {"A010_SeparatorBetweenAnswers", 292, EntryKind::Separator, Match::Exactly, ""},
    {"A010_SecondAnswer", 293, EntryKind::Answer, Match::KindOnly, ""},
    {"A010_SeparatorBeforeHeader", 294, EntryKind::Separator, Match::Exactly, ""},
    {"A010_NextHeader", 295, EntryKind::Header, Match::StartsWith, "011.  "},
    {"A011_Answer", 327, EntryKind::Answer, Match::KindOnly, ""},
    {"A011_AnswerWithoutSeparator", 328, EntryKind::Answer, Match::KindOnly, ""},
    {"A014_FirstLineBreakMarks", 426, EntryKind::Answer, Match::Contains, "{}"},
    {"A014_LastLineBreakMarks", 434, EntryKind::Answer, Match::Contains, "{}"},
    {"A014_NextHeaderWithoutSeparator", 435, EntryKind::Header, Match::StartsWith, "015."},
    {"A016_Question7", 495, EntryKind::Question, Match::StartsWith, "`q007."},
    {"A016_SeparatorAfterQuestion7", 496, EntryKind::Separator, Match::Exactly, ""},
    {"A016_UnnumberedQuestion", 497, EntryKind::Question, Match::StartsWith, "`qNote that this time we do not need to solve the equation explicitly for y."},
    {"A016_Text1", 498, EntryKind::Text, Match::StartsWith, "\r\n\r\n"},
    {"A016_Text2", 499, EntryKind::Text, Match::StartsWith, "\r\n\r\n"},
    {"A016_Text3", 500, EntryKind::Text, Match::StartsWith, "\r\n\r\n"},
    {"A016_Text4", 501, EntryKind::Text, Match::StartsWith, "\r\n\r\n"},
    {"A016_Text5", 502, EntryKind::Text, Match::StartsWith, "\r\n\r\n"},
    {"A016_SeparatorAfterTexts", 503, EntryKind::Separator, Match::Exactly, ""},
    {"A016_Question8", 504, EntryKind::Question, Match::StartsWith, "`q008."},
    {"A016_SeparatorAfterQuestion8", 505, EntryKind::Separator, Match::Exactly, ""},
    {"A016_LastAnswer", 506, EntryKind::Answer, Match::KindOnly, ""},
    {"A016_LastSeparator", 507, EntryKind::Separator, Match::Exactly, ""},
    {"A017_ClosingHeader", 508, EntryKind::Header, Match::Exactly, "017.  "},
};
// clang-format on

class IrregularEntry : public ::testing::TestWithParam<EntryRow> {};

TEST_P(IrregularEntry, IsAsListed)
{
    const EntryRow& row = GetParam();
    const std::string& entry = entryAt(row.index);
    EXPECT_EQ(classifyEntry(entry), row.kind);
    switch (row.match) {
    case Match::KindOnly: break;
    case Match::Exactly: EXPECT_EQ(entry, row.text); break;
    case Match::StartsWith: EXPECT_TRUE(entry.starts_with(row.text)) << entry; break;
    case Match::EndsWith: EXPECT_TRUE(entry.ends_with(row.text)) << entry; break;
    case Match::Contains: EXPECT_NE(entry.find(row.text), std::string::npos) << entry; break;
    case Match::Lacks: EXPECT_EQ(entry.find(row.text), std::string::npos) << entry; break;
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, IrregularEntry, ::testing::ValuesIn(kIrregularEntries),
                         [](const auto& rowInfo) { return std::string(rowInfo.param.name); });

} // namespace
} // namespace calctutor
