#pragma once
// A class of three students small enough to work its figures out by hand
// (see ClassFiguresTest.cpp), with a few hostile texts among its entries.

#include "report/ClassStatistics.h"
#include "report/ReportEntry.h"
#include "report/html/HtmlSite.h"

#include <string>
#include <vector>

namespace calctutor::testing {

inline report::ReportEntry entry(const std::string& date, const std::string& time, int assignment, int question,
                                 report::EntryKind kind, const std::string& rating, const std::string& text)
{
    report::ReportEntry made;
    made.date = date;
    made.time = time;
    made.assignment = assignment;
    made.question = question;
    made.kind = kind;
    made.rating = rating;
    made.text = text;
    made.files = {"send_0901test.txt"};
    return made;
}

inline std::vector<report::StudentRecord> handMadeClass()
{
    using report::EntryKind;
    report::StudentRecord ann;
    ann.name = "Ann Lee";
    ann.starts = {{"2026-09-01", 1}, {"2026-09-03", 2}};
    ann.entries = {
        entry("2026-09-01", "10:00:00", 1, 1, EntryKind::Answer, "3", "rate is 3"),
        entry("2026-09-01", "10:01:00", 1, 1, EntryKind::Critique, "2", "units missing"),
        entry("2026-09-01", "10:02:00", 1, 2, EntryKind::Answer, "2", "3 and 3.6"),
        entry("2026-09-01", "10:03:00", 1, 2, EntryKind::Critique, "1", "wrong"),
        entry("2026-09-01", "10:04:00", 1, 3, EntryKind::Answer, "1", "-1.8 cm/s"),
        entry("2026-09-01", "10:05:00", 1, 3, EntryKind::Critique, "3", "right"),
        entry("2026-09-01", "10:06:00", 1, 4, EntryKind::Answer, "3", "faster"),
        entry("2026-09-01", "10:07:00", 1, 4, EntryKind::Critique, "2", "mostly"),
        entry("2026-09-03", "09:00:00", 2, 1, EntryKind::Answer, "x", "slope 3.6"),
        entry("2026-09-03", "09:01:00", 2, 1, EntryKind::Note, "", "Why is the slope negative?"),
    };
    report::StudentRecord bo;
    bo.name = "Bo <b>Bold</b>";
    bo.starts = {{"2026-09-01", 1}};
    bo.entries = {
        entry("2026-09-01", "11:00:00", 1, 1, EntryKind::Answer, "0", "<img src=x onerror=alert(1)>"),
        entry("2026-09-01", "11:01:00", 1, 1, EntryKind::Critique, "0", "</table><script>alert(2)</script>"),
        entry("2026-09-01", "11:02:00", 1, 2, EntryKind::Answer, "2", "<a href=\"javascript:alert(3)\">see</a>"),
        entry("2026-09-01", "11:03:00", 1, 2, EntryKind::Critique, "3", "{{name}} is it right?"),
    };
    report::StudentRecord zoe;
    zoe.name = "Zo\xC3\xAB \xC3\x9Cnal";
    zoe.starts = {{"2026-09-10", 2}};
    zoe.entries = {
        entry("2026-09-10", "08:00:00", 2, 1, EntryKind::Answer, "3", "3 dollars per month"),
        entry("2026-09-10", "08:01:00", 2, 1, EntryKind::Critique, "2", "forgot units"),
        entry("2026-09-10", "08:02:00", 2, 2, EntryKind::Answer, "2", "first try"),
        entry("2026-09-10", "08:03:00", 2, 2, EntryKind::Answer, "3", "second try"),
        entry("2026-09-10", "08:04:00", 2, 2, EntryKind::Critique, "3", "fine"),
    };
    return {ann, bo, zoe};
}

// The pages with the statistics that feed them, handed each student in the
// order that calctutor-report uses.
class SiteUnderTest {
public:
    explicit SiteUnderTest(const std::string& folder) : m_site(folder, m_statistics) {}
    void student(const report::StudentRecord& record)
    {
        m_statistics.student(record);
        m_site.student(record);
    }
    report::HtmlSite& site() { return m_site; }
    const report::ClassStatistics& statistics() const { return m_statistics; }

private:
    report::ClassStatistics m_statistics;
    report::HtmlSite m_site;
};

} // namespace calctutor::testing
