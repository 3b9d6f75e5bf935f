// A piece filled in must read exactly as kainjow renders its template with
// the same values, whatever a student typed, whichever flags are set and
// whether a value came escaped already; and
// a template that a piece could not follow is refused when it is read.
#include "report/html/HtmlText.h"
#include "report/html/PageTemplates.h"
#include "report/html/PieceTemplate.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace calctutor::report {
namespace {

const std::vector<std::string> kTyped = {
    "",
    " ",
    "\t",
    "\n",
    "two\nlines\n",
    "<script>alert(1)</script>",
    "\" onmouseover=\"alert(1)",
    "{{name}} {{> style}}",
    "<!--entries-->\n",
    "\xEE\x80\x80"
    "A, the marker a piece is cut at",
    std::string("NUL \0 and C1 \xC2\x85", 15), // the NUL kept
    "Zo\xC3\xAB",
};

struct Piece {
    const char* name;
    std::vector<std::string> values;
    std::vector<std::string> flags;
    std::vector<std::string> marks;
    std::vector<std::string> cuts; // the marks as they stand in the rendered page
};

const Piece kPieces[] = {
    {"student-entry.html",
     {"index", "kind", "kindClass", "date", "time", "ratingName", "rating", "text"},
     {"hasRating"},
     {},
     {}},
    {"student-question.html",
     {"anchor", "heading", "courseText", "givenAnswer"},
     {"hasCourseText", "hasGivenAnswer"},
     {"entries"},
     {"<!--entries-->\n"}},
    {"student.html",
     {"name", "daysWorked", "firstDate", "lastDate", "answers", "critiques", "notes", "meanConfidence", "shareOfThree"},
     {"hasDates"},
     {"assignments", "sections"},
     {"<!--assignments-->\n", "<!--sections-->\n"}},
    {"index-grid-cell.html",
     {"status", "answered", "questions", "word"},
     {"started", "hasWord"},
     {"end"},
     {"<!--end-->"}},
    {"question-row.html",
     {"name", "link", "answer", "confidence", "confidenceFilter", "critique", "critiqueRating", "critiqueFilter"},
     {"empty"},
     {},
     {}},
};

TEST(PieceTemplate, FillsInAsKainjowRenders)
{
    PageTemplates templates;
    for (const Piece& piece : kPieces) {
        SCOPED_TRACE(piece.name);
        const PieceTemplate filled(templates, piece.name, piece.values, piece.flags, piece.marks);
        for (unsigned flags = 0; flags < 1u << piece.flags.size(); ++flags) {
            // Each round gives every value another of the typed texts.
            for (std::size_t round = 0; round < kTyped.size(); ++round) {
                SCOPED_TRACE("flags " + std::to_string(flags) + ", round " + std::to_string(round));
                PageData data;
                std::vector<PageValue> values;
                std::vector<std::string> escaped; // every other value comes escaped already, as entry texts do
                escaped.reserve(piece.values.size());
                for (std::size_t value = 0; value < piece.values.size(); ++value) {
                    const std::string& typed = kTyped[(round + value) % kTyped.size()];
                    escaped.push_back(escapeHtml(typed));
                    values.push_back(value % 2 == 0 ? PageValue(typed) : PageValue(EscapedHtml{escaped.back()}));
                    data.set(piece.values[value], typed);
                }
                for (std::size_t flag = 0; flag < piece.flags.size(); ++flag)
                    data.set(piece.flags[flag], PageData((flags >> flag & 1u) != 0));
                std::string page;
                for (std::size_t part = 0; part <= piece.marks.size(); ++part) {
                    filled.append(page, values, flags, part);
                    if (part < piece.cuts.size())
                        page += piece.cuts[part];
                }
                EXPECT_EQ(page, templates.render(piece.name, std::move(data)));
            }
        }
    }
}

TEST(PieceTemplate, RefusesWhatItCouldNotFillInAsKainjowRenders)
{
    PageTemplates templates(
        {{"alone.mustache", "{{#shown}}{{value}}{{/shown}}\nnext\n"}, {"row.mustache", "<td>{{value}}</td>\n"}});
    // kainjow drops the line when the value is empty, a piece would not.
    EXPECT_THROW(PieceTemplate(templates, "alone", {"value"}, {"shown"}), std::logic_error);
    EXPECT_THROW(PieceTemplate(templates, "row", {"value"}, {}, {"rows"}), std::logic_error) << "no such mark";
    EXPECT_THROW(PieceTemplate(templates, "row", {"value", "typo"}), std::logic_error) << "a value it never shows";
    const PieceTemplate row(templates, "row", {"value"});
    std::string page;
    EXPECT_THROW(row.append(page, {}, 0), std::logic_error) << "a value missing";
    EXPECT_THROW(row.append(page, {"a"}, 1), std::logic_error) << "a flag it lacks";
    EXPECT_THROW(row.append(page, {"a"}, 0, 1), std::logic_error) << "a part it lacks";
}

} // namespace
} // namespace calctutor::report
