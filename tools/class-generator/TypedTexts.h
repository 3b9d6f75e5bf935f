#pragma once
// What generated students type: answers, critiques, notes and ratings, as
// Windows-1252 texts with CR LF line breaks. Most are plain; some carry the
// letters and marks of Windows-1252 (é, ü, ’, €), lines of 49 full stops or
// the record files' opening line, cells a spreadsheet would take for a
// formula, quotes and commas, blank lines, or nothing at all, so that a
// reader of the record files meets what real students type.

#include "Dice.h"

#include <string>

namespace calctutor::classgen {

class TypedTexts {
public:
    explicit TypedTexts(Dice& dice) : m_dice(dice) {}

    std::string answer();
    std::string critique();
    std::string note();
    std::string confidence();
    std::string selfCritiqueRating();

private:
    std::string sentence();
    std::string paragraph(int sentences);
    // A line that makes a reader of the record files think: dots, the opening
    // line, a formula-like start, a tab, quotes.
    std::string awkwardLine();

    Dice& m_dice;
};

} // namespace calctutor::classgen
