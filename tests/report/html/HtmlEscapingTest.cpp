// Student texts reach the pages as text: each hostile text below, typed as a
// note, a name or an answer, must come out escaped on every page it reaches,
// and must never come out as it was typed.
#include "HandMadeClass.h"
#include "TempFolder.h"
#include "report/html/HtmlSite.h"
#include "report/html/HtmlText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace calctutor::report {
namespace {

struct Hostile {
    const char* name;
    std::string text;
};

const Hostile kHostile[] = {
    {"script element", "<script>alert(1)</script>"},
    {"image with onerror", "<img src=x onerror=alert(1)>"},
    {"closing the table", "</td></tr></table><p>out"},
    {"javascript link", "<a href=\"javascript:alert(1)\">click</a>"},
    {"attribute break-out", "\" onmouseover=\"alert(1)"},
    {"single-quoted break-out", "' onfocus='alert(1)"},
    {"comment opening", "<!-- hide the rest"},
    {"svg with onload", "<svg onload=alert(1)>"},
    {"comparisons", "5 < 6 && 7 > 3"},
};

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(HtmlText, EscapesMarkupAndReplacesControls)
{
    EXPECT_EQ(escapeHtml("<a href=\"x\">'&'</a>"), "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;");
    EXPECT_EQ(escapeHtml(std::string("a\0b\x01"
                                     "c\x7f"
                                     "d",
                                     7)),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD"
              "c\xEF\xBF\xBD"
              "d");
    EXPECT_EQ(escapeHtml("tab\tand\nline"), "tab\tand\nline");
    EXPECT_EQ(escapeHtml("C1 \xC2\x85 and \xC3\xA9"), "C1 \xEF\xBF\xBD and \xC3\xA9");
}

// Every page of a site whose students typed the hostile texts everywhere.
class HostileSite : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::SiteUnderTest pages(m_folder.path());
        int number = 0;
        for (const Hostile& hostile : kHostile) {
            StudentRecord student;
            student.name = hostile.text + " " + std::to_string(++number);
            student.starts = {{"2026-09-01", 1}};
            auto add = [&](EntryKind kind, const std::string& rating, const std::string& text) {
                ReportEntry entry;
                entry.date = "2026-09-01";
                entry.time = "10:00:0" + std::to_string(student.entries.size());
                entry.assignment = 1;
                entry.question = 1;
                entry.kind = kind;
                entry.rating = rating;
                entry.text = text;
                student.entries.push_back(entry);
            };
            add(EntryKind::Answer, hostile.text, hostile.text);
            add(EntryKind::Critique, "2", hostile.text + "?");
            add(EntryKind::Note, "", hostile.text + "?");
            pages.student(student);
        }
        ASSERT_FALSE(pages.site().finish({{hostile(0), 1, hostile(1)}}, {hostile(2)}).has_value());
        for (const auto& file : std::filesystem::recursive_directory_iterator(m_folder.path())) {
            if (file.is_regular_file())
                m_pages.push_back({file.path().filename().string(), readAll(file.path())});
        }
    }
    static std::string hostile(std::size_t index) { return kHostile[index].text; }

    testing::TempFolder m_folder;
    std::vector<std::pair<std::string, std::string>> m_pages;
};

TEST_F(HostileSite, EveryTextComesOutEscapedOnEveryPage)
{
    std::string index;
    std::string question;
    for (const auto& [name, page] : m_pages) {
        if (name == "index.html")
            index = page;
        if (name == "001-001.html")
            question = page;
    }
    ASSERT_FALSE(index.empty());
    ASSERT_FALSE(question.empty());
    for (const Hostile& hostile : kHostile) {
        SCOPED_TRACE(hostile.name);
        for (const auto& [name, page] : m_pages)
            EXPECT_EQ(page.find(hostile.text), std::string::npos) << name << " holds the text unescaped";
        EXPECT_NE(index.find(escapeHtml(hostile.text + "?")), std::string::npos)
            << "missing from the questions for you";
        EXPECT_NE(question.find(escapeHtml(hostile.text)), std::string::npos) << "missing from the question page";
    }
}

// No element comes from a student: every tag is one the templates write.
TEST_F(HostileSite, OnlyThePagesOwnElementsRemain)
{
    const std::set<std::string> ours = {
        "html",  "head",  "meta", "link",   "title", "style",   "body",    "header", "nav",     "a",
        "h1",    "h2",    "h3",   "p",      "main",  "section", "article", "div",    "table",   "caption",
        "thead", "tbody", "tr",   "th",     "td",    "small",   "strong",  "span",   "details", "summary",
        "svg",   "line",  "text", "circle", "rect",  "form",    "label",   "select", "option",  "script"};
    const std::regex tag("<(?!!)/?([A-Za-z][A-Za-z0-9]*)");
    for (const auto& [name, page] : m_pages) {
        SCOPED_TRACE(name);
        std::size_t scripts = 0;
        for (auto it = std::sregex_iterator(page.begin(), page.end(), tag); it != std::sregex_iterator(); ++it) {
            const std::string element = (*it)[1].str();
            EXPECT_TRUE(ours.contains(element)) << "<" << element;
            scripts += (*it)[0].str() == "<script" ? 1 : 0;
        }
        EXPECT_LE(scripts, 1u);
        EXPECT_EQ(page.find("href=\"javascript"), std::string::npos);
    }
}

TEST(HtmlSite, TemplateMarksInStudentTextStayText)
{
    testing::TempFolder folder;
    testing::SiteUnderTest pages(folder.path());
    StudentRecord student;
    student.name = "{{name}}";
    ReportEntry note;
    note.date = "2026-09-01";
    note.time = "10:00:00";
    note.kind = EntryKind::Note;
    note.text = "{{#asks}}{{{style}}}{{> script}}{{/asks}}?";
    student.entries = {note};
    pages.student(student);
    ASSERT_FALSE(pages.site().finish({}, {}).has_value());
    const std::string page = readAll(std::filesystem::path(folder.path()) / "students" / "__name__.html");
    EXPECT_NE(page.find("<h1>{{name}}</h1>"), std::string::npos);
    EXPECT_NE(page.find("{{#asks}}{{{style}}}{{&gt; script}}{{/asks}}?"), std::string::npos);
}

} // namespace
} // namespace calctutor::report
