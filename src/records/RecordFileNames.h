#pragma once
// The names of a student's record files and of the tutor's hidden helper
// files beside them, built from the student's name and the start date. The
// tutor writes by these names and the instructor's report recognises files by
// them, so the rule lives here alone.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor {

// The name as it appears in file names: each space becomes "_".
std::string fileNamePart(std::string_view studentName);

struct RecordFileNames {
    std::string master;  // "masterFile_<name>.txt"
    std::string send;    // "send_<MMDD><name>.txt"
    std::string notes;   // "notes_<name>.txt"
    std::string pending; // ".pending_<name>.txt", the intent record
};

// date is the clock's "mm-dd-yyyy"; the send file carries its month and day.
RecordFileNames recordFileNames(std::string_view studentName, std::string_view date);

// ".draft_<name>_<assignment>.txt", with the name as in the record files' names.
std::string draftFileName(std::string_view studentName, std::string_view assignmentNumber);

// Whether fileName is one of the three record files of the student whose
// intent record is named pendingName: the master file, the notes file, or a
// send file of any day.
bool isRecordFileOf(std::string_view pendingName, std::string_view fileName);

// Where an intent record that is not applied is kept aside:
// ".pending_<name>.txt.kept", then ".kept2" to ".kept9" while those exist.
std::string keptIntentFileName(std::string_view pendingName, int number);
inline constexpr int kMostKeptIntents = 9;

// Every file the tutor may create for this name and date, the longest first,
// so that a name check can test the longest against the file system's limit.
std::vector<std::string> allFileNames(std::string_view studentName, std::string_view date);

// A record file told by its name, for readers of a class's files. The
// pattern may stand anywhere in the name, since mail programs and learning
// systems add prefixes, and a copy may carry " (1)" before ".txt":
// "42_Re_ send_0712Ann_Lee (1).txt" is Ann Lee's send file of 12 July.
struct RecognisedRecordFile {
    enum class Kind : unsigned char { Master, Send, Notes };
    Kind kind = Kind::Master;
    std::string namePart; // as in the file name, "_" for each space
    std::string monthDay; // "MMDD" of a send file; empty otherwise
};

// Hidden files (the tutor's helpers start with ".") and other names give nothing.
std::optional<RecognisedRecordFile> recogniseRecordFileName(std::string_view fileName);

// The student's name from a name part: each "_" read back as a space.
std::string studentNameOf(std::string_view namePart);

} // namespace calctutor
