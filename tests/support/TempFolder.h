#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents, and whole files written and read in one call.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace calctutor::testing {

class TempFolder {
public:
    // A random name that did not exist yet: create_directory says whether it made the folder.
    TempFolder()
    {
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = std::filesystem::temp_directory_path() / ("calctutor-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(m_path))
                return;
        }
        throw std::runtime_error("no fresh temporary folder could be created");
    }
    ~TempFolder()
    {
        std::error_code ignored; // a destructor must not throw
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return m_path.string(); }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

inline void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace calctutor::testing
