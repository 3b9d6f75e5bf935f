#pragma once
// The markers of the course and how an entry's kind is told from its
// first characters. The same characters further into an entry are plain text.

#include <string>
#include <string_view>

namespace calctutor {

inline constexpr std::string_view kQuestionMarker = "`q";
inline constexpr std::string_view kAnswerMarker = "`a";
inline constexpr std::string_view kRoutineMarker = "`routine";
inline constexpr std::string_view kEndMarker = "####.#";
inline constexpr std::string_view kLineBreakMark = "{}";

enum class EntryKind { Separator, Question, Answer, Routine, Header, EndMarker, Text };

// The first n characters, or the whole text when it is shorter.
std::string_view leftOf(std::string_view text, std::size_t n);

bool isRoutineStop(std::string_view text); // first eight characters, lower-cased
bool isHeaderEntry(std::string_view text); // three digits and a full stop

// Classified in the order in which the reader tests entries.
EntryKind classifyEntry(std::string_view entry);

// The routine name of a routine entry as the dispatcher wants it: from the
// tenth character on, without spaces or hyphens, in lower case.
std::string routineName(std::string_view routineEntry);

// Every "{}" turned into CR LF, from left to right.
std::string expandLineBreaks(std::string_view text);

std::string toLower(std::string_view text);

} // namespace calctutor
