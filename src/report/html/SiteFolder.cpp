#include "report/html/SiteFolder.h"

#include <filesystem>
#include <system_error>

namespace calctutor::report {

namespace {

// UTF-8 on every system: on Windows the path becomes UTF-16, not the ANSI code page.
std::filesystem::path utf8Path(std::string_view text)
{
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

} // namespace

SiteFolder::SiteFolder(std::string root) : m_root(std::move(root))
{
    for (const char* folder : {"students", "questions"}) {
        std::error_code error;
        std::filesystem::create_directories(utf8Path(m_root) / folder, error);
        if (error)
            fail("cannot create the folder " + m_root + "/" + folder + ": " + error.message());
    }
}

std::ofstream SiteFolder::open(const std::string& relativePath)
{
    std::ofstream stream;
    stream.rdbuf()->pubsetbuf(nullptr, 0); // written in large pieces, which a buffer would only copy
    stream.open(utf8Path(m_root) / utf8Path(relativePath), std::ios::binary | std::ios::trunc);
    if (!stream)
        fail("cannot write " + m_root + "/" + relativePath);
    return stream;
}

void SiteFolder::check(const std::ios& stream, const std::string& relativePath)
{
    if (!stream)
        fail("cannot write " + m_root + "/" + relativePath);
}

std::fstream SiteFolder::scratch(const std::string& relativePath)
{
    std::fstream stream(utf8Path(m_root) / utf8Path(relativePath),
                        std::ios::binary | std::ios::in | std::ios::out | std::ios::trunc);
    if (!stream)
        fail("cannot write " + m_root + "/" + relativePath);
    return stream;
}

void SiteFolder::remove(const std::string& relativePath)
{
    std::error_code ignored; // a scratch file left behind harms nothing
    std::filesystem::remove(utf8Path(m_root) / utf8Path(relativePath), ignored);
}

void SiteFolder::write(const std::string& relativePath, std::string_view bytes)
{
    std::ofstream stream = open(relativePath);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    stream.close();
    check(stream, relativePath);
}

void SiteFolder::fail(const std::string& what)
{
    if (!m_fault)
        m_fault = what;
}

} // namespace calctutor::report
