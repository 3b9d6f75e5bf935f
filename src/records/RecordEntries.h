#pragma once
// The entries that "Enter Response" and "Save as Notes" append, built in
// memory as the exact bytes of each file: fixed lines, time lines, the number
// line (master file only) and the coded texts, every line ending in CR LF.

#include <optional>
#include <string>
#include <string_view>

namespace calctutor {

inline constexpr std::string_view kOpeningLine = "......!!!!!!!!...................................";
inline constexpr std::string_view kClosingLine = ".................................................";
inline constexpr std::string_view kResponseMarker = "RESPONSE -->  ";
inline constexpr std::string_view kConfidenceLabel = "confidence assessment:  ";
inline constexpr std::string_view kSelfCritiqueLabel = "self critique assessment: ";
inline constexpr std::string_view kNotePrefix = "NOTES -------> ";

inline constexpr std::string_view kConfidencePrompt =
    "Assess your level of confidence in your answer on a scale from 0 to 3, where 0 means you have no confidence "
    "in your answer, 1 means you have some confidence, 2 means you are pretty confident and 3 means you are "
    "certain of your answer:";
inline constexpr std::string_view kSelfCritiquePrompt =
    "Rate the quality of your self-critique on a 0-3 scale, where 0 indicates that self-critique was necessary on "
    "this question but was not given, 1 indicates that self-critique was necessary but the given self-critique was "
    "not adequate, 2 indicates that self-critique was necessary and was mostly adequate, and 3 indicates that either "
    "self-critique was not necessary or that after reading the solution everything was completely obvious so you "
    "skipped the self-critique.";

// 36 spaces, then the time (hh:mm:ss).
std::string timeLine(std::string_view time);
// 36 spaces, then the date (mm-dd-yyyy) and the time with nothing between.
std::string dateTimeLine(std::string_view date, std::string_view time);

// The assignment's leading number times 10000 plus the question's.
double recordNumber(std::string_view assignmentNumber, std::string_view questionNumber);
// "`questionNumber", the sign place, the number's digits and a space.
std::string numberLine(double number);

struct ResponseParts {
    std::string_view lastLine;
    std::string_view response;
    std::optional<std::string> ratingLine; // the confidence or self-critique line, if asked
    int codeNumber = 0;
};

// The master file's entry carries two empty lines and the number line.
std::string masterResponseEntry(const ResponseParts& parts, std::string_view time, double number);
std::string sendResponseEntry(const ResponseParts& parts, std::string_view time);

// The same seven lines go to the master, send and notes files; the note line
// is the note with its "NOTES -------> " prefix.
std::string noteEntry(std::string_view lastLine, std::string_view noteLine, std::string_view time,
                      std::string_view date, std::string_view dateLineTime, int codeNumber);

} // namespace calctutor
