#pragma once
// Opening and locking a student's intent record, and undoing the entry that a
// kill or a power cut left in progress. Only a plain file of its own is used
// as the record; anything else at its name (a link, a second name of another
// file, a folder, a pipe), and a record that is damaged, too large or does
// not match the files it names, is renamed aside with a message and never
// applied. Appending entries is left to RecordFiles.

#include "platform/NativeFiles.h"
#include "records/Failure.h"

#include <string>
#include <vector>

namespace calctutor {

// Opens and locks the record, first undoing any entry it holds: on success
// the record is locked and empty, and notices holds what the student should
// hear about what was found.
// A new record's folder is flushed unless the flushes are left to the system;
// undoing an entry always flushes.
[[nodiscard]] std::optional<Failure> lockIntentRecord(const std::string& pendingPath, native::File& into,
                                                      std::vector<std::string>& notices, bool flush = true);

// Empties the locked record and, unless the flushes are left to the system, flushes it.
[[nodiscard]] std::optional<Failure> clearIntentRecord(native::File& intent, const std::string& pendingPath,
                                                       bool flush = true);

} // namespace calctutor
