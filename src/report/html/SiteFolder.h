#pragma once
// The folder the pages are written into, named and filled with UTF-8 paths on
// every system. Write failures are kept, the first one to be reported, so one
// full disk does not turn into a message per page.

#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace calctutor::report {

class SiteFolder {
public:
    // Creates the folder and its students/ and questions/ subfolders.
    explicit SiteFolder(std::string root);

    // A whole file at a path relative to the folder ("students/Ann.html").
    void write(const std::string& relativePath, std::string_view bytes);
    // A file written in large pieces, unbuffered; a stream that is not good
    // when it cannot be opened.
    std::ofstream open(const std::string& relativePath);
    void check(const std::ios& stream, const std::string& relativePath);
    // A file to write and read back while the pages are made, removed by remove().
    std::fstream scratch(const std::string& relativePath);
    void remove(const std::string& relativePath);

    // Where the folder is, as given.
    const std::string& root() const { return m_root; }
    // The first thing that could not be written, in words.
    const std::optional<std::string>& fault() const { return m_fault; }

private:
    void fail(const std::string& what);

    std::string m_root;
    std::optional<std::string> m_fault;
};

} // namespace calctutor::report
