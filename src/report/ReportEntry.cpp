#include "report/ReportEntry.h"

namespace calctutor::report {

std::string_view kindName(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Answer: return "answer";
    case EntryKind::Critique: return "critique";
    case EntryKind::Note: return "note";
    case EntryKind::Response: return "response";
    }
    return "response";
}

} // namespace calctutor::report
