#include "report/Roster.h"

#include "report/ClassInput.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

namespace calctutor::report {

std::string nameKey(std::string_view name)
{
    std::string key;
    for (char c : name) {
        if (c == '_' || c == '\t')
            c = ' ';
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
        if (c == ' ' && (key.empty() || key.back() == ' '))
            continue;
        key.push_back(c);
    }
    if (!key.empty() && key.back() == ' ')
        key.pop_back();
    return key;
}

namespace {

// The first cell of a CSV line, unquoted.
std::string firstCell(std::string_view line)
{
    if (!line.starts_with('"'))
        return std::string(line.substr(0, line.find(',')));
    std::string cell;
    for (std::size_t at = 1; at < line.size(); ++at) {
        if (line[at] == '"') {
            if (at + 1 < line.size() && line[at + 1] == '"') {
                cell.push_back('"');
                ++at;
                continue;
            }
            break;
        }
        cell.push_back(line[at]);
    }
    return cell;
}

} // namespace

Roster Roster::fromText(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const std::string utf8 = displayText(text);
    Roster roster;
    std::set<std::string> seen;
    std::string_view rest = utf8;
    bool firstLine = true;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const bool csv = line.find(',') != std::string_view::npos || line.starts_with('"');
        const std::string name = csv ? firstCell(line) : std::string(line);
        const std::string key = nameKey(name);
        // A CSV file's header row names its column.
        const bool header = firstLine && csv && (key == "name" || key == "student" || key == "full name");
        firstLine = false;
        if (key.empty() || header || !seen.insert(key).second)
            continue;
        roster.m_names.push_back(name);
        roster.m_keys.push_back(key);
    }
    std::sort(roster.m_keys.begin(), roster.m_keys.end());
    return roster;
}

std::optional<Roster> Roster::load(const std::string& path, std::string& problem)
{
    std::ifstream in(pathFromText(path), std::ios::binary);
    if (!in) {
        problem = "the roster " + path + " cannot be read";
        return std::nullopt;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return fromText(text);
}

bool Roster::contains(std::string_view name) const
{
    return std::binary_search(m_keys.begin(), m_keys.end(), nameKey(name));
}

std::vector<std::string> Roster::missing(const std::vector<std::string>& students) const
{
    std::set<std::string> present;
    for (const std::string& student : students)
        present.insert(nameKey(student));
    std::vector<std::string> names;
    for (const std::string& name : m_names)
        if (present.count(nameKey(name)) == 0)
            names.push_back(name);
    return names;
}

std::vector<std::string> Roster::unlisted(const std::vector<std::string>& students) const
{
    std::vector<std::string> names;
    for (const std::string& student : students)
        if (!contains(student))
            names.push_back(student);
    return names;
}

} // namespace calctutor::report
