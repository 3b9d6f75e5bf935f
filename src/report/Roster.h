#pragma once
// The class list an instructor keeps: one name a line, or a CSV file whose
// first column is the name. Names match whatever the case, with "_" read as a
// space and runs of spaces as one, since a student's name reaches the record
// files as typed at each start.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor::report {

class Roster {
public:
    // Nothing, and why in problem, when the file cannot be read.
    static std::optional<Roster> load(const std::string& path, std::string& problem);
    static Roster fromText(std::string_view text);

    const std::vector<std::string>& names() const { return m_names; }
    bool contains(std::string_view name) const;

    // The roster's names not among these students, in roster order.
    std::vector<std::string> missing(const std::vector<std::string>& students) const;
    // The students not on the roster, in their order.
    std::vector<std::string> unlisted(const std::vector<std::string>& students) const;

private:
    std::vector<std::string> m_names;
    std::vector<std::string> m_keys; // sorted, for lookups
};

// The form in which two names are compared.
std::string nameKey(std::string_view name);

} // namespace calctutor::report
