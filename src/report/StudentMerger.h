#pragma once
// Joins what one student's files gave into one record: each start and each
// entry once, in time order. The master and the send file of one start hold
// the same entries, and a send file may arrive twice; copies of an entry have
// the same context and text and times at most a second apart (the tutor reads
// the clock once per file). Copies that disagree in their rating are a
// conflict: named as a problem, and the first file's copy (the master file's,
// where there is one) is kept.

#include "report/EntryParser.h"

#include <vector>

namespace calctutor::report {

// files in reading order: the master file first, then the send files, then
// the notes file.
StudentRecord mergeStudent(std::string name, std::vector<FileReading>& files, std::vector<ReportProblem>& problems);

} // namespace calctutor::report
