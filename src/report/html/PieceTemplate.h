#pragma once
// A template for a piece that the pages repeat thousands of times (an entry,
// a table row, a student page around its rows), rendered by kainjow once, with
// a marker in each value's place: what remains is the template's own text cut
// at its values, and filling it in escapes each value straight into the page,
// with no data tree and no rendering per piece. Sections that only show or
// hide (flags) are fixed when rendering, so each combination of flags is kept
// as its own piece. Marks, "<!--name-->", cut a template into parts where the
// pages put what a list section would repeat; a mark on a line of its own
// takes the line end with it, and a piece that stands inside a line ends at a
// mark, so that the line end of its file stays out.

#include "report/html/HtmlText.h"
#include "report/html/PageTemplates.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor::report {

class PieceTemplate {
public:
    // values and flags: the template's names, values in the order that
    // append() is given them, flag i set by bit i of its flags; marks: the
    // marks the template holds, in order. Throws std::logic_error when the
    // pieces could differ from what kainjow gives for some values (a value
    // alone in a line that kainjow drops when it is empty) or a mark is missing.
    PieceTemplate(PageTemplates& templates, std::string_view templateName, std::vector<std::string> values,
                  std::vector<std::string> flags = {}, const std::vector<std::string>& marks = {});

    // Appends the part before mark `part` (the part after the last mark is
    // marks.size()), with every value escaped (unless it is EscapedHtml
    // already). A part may be given only the
    // values up to the last one it holds: {} for a part without values.
    void append(std::string& page, std::span<const PageValue> values, unsigned flags = 0, std::size_t part = 0) const;
    void append(std::string& page, std::initializer_list<PageValue> values, unsigned flags = 0,
                std::size_t part = 0) const
    {
        append(page, std::span(values.begin(), values.size()), flags, part);
    }

private:
    // The template's text up to a value, then the value numbered `value` (none when negative).
    struct Run {
        std::string text;
        int value = -1;
    };
    struct Part {
        std::vector<Run> runs;
        std::size_t valuesUsed = 0; // one past the last value it holds
    };

    // A rendered part, cut where its markers stand.
    Part cutAtValues(std::string_view text) const;
    // The template's data: a marker, or nothing, for each value.
    PageData markedData(unsigned flags, bool markers) const;
    static void appendPart(std::string& page, const Part& part, const PageValue* values);

    std::string m_name;
    std::vector<std::string> m_values;
    std::vector<std::string> m_flags;
    std::size_t m_partCount = 1;
    std::vector<Part> m_parts; // [flags * m_partCount + part]
};

} // namespace calctutor::report
