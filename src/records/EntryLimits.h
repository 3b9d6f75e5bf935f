#pragma once
// How large an answer, an entry and the tutor's helper files may be. An
// answer far beyond what a student types is refused rather than recorded, so
// that every entry, and the intent record that carries it, has a known
// bound; a helper file above its bound is not the tutor's and is never read.

#include <cstdint>

namespace calctutor {

// The most an answer or a note may hold, in the record files' one byte per
// character, and the most of the box's UTF-8 text a draft may hold to be put
// back: about 500 pages of text, far more than any answer.
inline constexpr std::uint64_t kLongestAnswer = std::uint64_t{1024} * 1024;
// An entry is the answer with its fixed lines and the course line it follows.
inline constexpr std::uint64_t kLongestEntry = kLongestAnswer + std::uint64_t{64} * 1024;
// A note, the largest entry, goes to three files.
inline constexpr std::uint64_t kMostFilesPerEntry = 3;

} // namespace calctutor
