#pragma once
// Record files for the report's tests, built from the tutor's own entry
// functions so that they hold exactly what the tutor writes.

#include "records/RecordEntries.h"
#include "records/RecordLines.h"
#include "report/RecordFileReader.h"

#include <string>

namespace calctutor::testing {

inline const std::string kCodeLine = "\xA5\xC3\x9F\xE7v\xF0\x81\xB2";

// One file's text, entry by entry.
struct RecordFileText {
    std::string text;

    RecordFileText& start(const std::string& assignment, const std::string& date,
                          const std::string& codeLine = kCodeLine)
    {
        text += startHeader(codeLine, assignment, assignment + ".  Title", date, 20);
        return *this;
    }
    RecordFileText& master(const std::string& context, const std::string& response, const std::string& ratingLine,
                           const std::string& time, double number)
    {
        text += masterResponseEntry(parts(context, response, ratingLine), time, number);
        return *this;
    }
    RecordFileText& send(const std::string& context, const std::string& response, const std::string& ratingLine,
                         const std::string& time)
    {
        text += sendResponseEntry(parts(context, response, ratingLine), time);
        return *this;
    }
    RecordFileText& note(const std::string& context, const std::string& note, const std::string& time,
                         const std::string& date)
    {
        text += noteEntry(context, std::string(kNotePrefix) + note, time, date, time, 20);
        return *this;
    }

private:
    static ResponseParts parts(const std::string& context, const std::string& response, const std::string& ratingLine)
    {
        ResponseParts result{context, response, std::nullopt, 20};
        if (!ratingLine.empty())
            result.ratingLine = ratingLine;
        return result;
    }
};

inline std::string confidence(const std::string& rating)
{
    return std::string(kConfidenceLabel) + rating;
}

inline std::string selfCritique(const std::string& rating)
{
    return std::string(kSelfCritiqueLabel) + rating;
}

// Reads a file's text as the report does, in chunks of the given size.
inline report::FileReading readText(const std::string& text, const std::string& name = "masterFile_Ann_Lee.txt",
                                    report::ReadLimits limits = {})
{
    report::TextSource source(text);
    return report::readRecordFile(source, "class/" + name, name, report::CourseIndex::builtIn(), limits);
}

} // namespace calctutor::testing
