// Writes the pages of the hand-made class, and of students who typed hostile
// texts, into the folder given: what the page checker and the browser checks
// read when no generated class is at hand.
//   report_html_sample DIR
#include "HandMadeClass.h"
#include "report/html/HtmlSite.h"

#include <iostream>

int main(int argc, char** argv)
{
    using namespace calctutor;
    if (argc != 2) {
        std::cerr << "usage: report_html_sample DIR\n";
        return 2;
    }
    testing::SiteUnderTest pages(argv[1]);
    for (const report::StudentRecord& student : testing::handMadeClass())
        pages.student(student);
    report::StudentRecord hostile;
    hostile.name = "Hostile \"<script>\" 'CON'";
    hostile.starts = {{"2026-09-05", 3}};
    const char* texts[] = {"<script>document.title='owned'</script>?",
                           "<img src=x onerror=\"document.title='owned'\">?", "</table></td></tr><h1>out</h1>?",
                           "<a href=\"javascript:alert(1)\">click</a>?", "{{#asks}}{{{style}}}{{/asks}}?"};
    int question = 1;
    for (const char* text : texts) {
        hostile.entries.push_back(testing::entry("2026-09-05", "12:0" + std::to_string(question) + ":00", 3, question,
                                                 report::EntryKind::Answer, "2", text));
        hostile.entries.push_back(testing::entry("2026-09-05", "12:0" + std::to_string(question) + ":30", 3, question,
                                                 report::EntryKind::Critique, "1", text));
        question = question % 4 + 1;
    }
    hostile.entries.push_back(testing::entry("2026-09-05", "12:59:00", 3, 1, report::EntryKind::Note, "", texts[1]));
    pages.student(hostile);
    const auto fault = pages.site().finish({{"masterFile_<script>.txt", 3, "an entry cut short <b>here</b>"}},
                                           {"Cy Missing"});
    if (fault) {
        std::cerr << *fault << '\n';
        return 1;
    }
    return 0;
}
