#pragma once
// Switches the C library to a desktop language (de_DE, fr_FR) for one scope,
// as the window's toolkit does at start. ctest builds the languages once per
// run into the folder named by CALCTUTOR_TEST_LOCALES; a test run by hand
// builds the one it needs from the system's locale sources.

#include "TempFolder.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace calctutor::testing {

class TestLocale {
public:
    TestLocale([[maybe_unused]] const std::string& language, int category) : m_category(category)
    {
#ifndef _WIN32
        const std::string name = language + ".UTF-8";
        std::string folder = m_folder.path();
        const char* built = std::getenv("CALCTUTOR_TEST_LOCALES");
        if (built != nullptr && std::filesystem::is_directory(std::filesystem::path(built) / name)) {
            folder = built;
        } else {
            const std::string command = "localedef -i " + language + " -f UTF-8 " + m_folder.file(name)
                + " 2>/dev/null";
            if (std::system(command.c_str()) != 0) // NOLINT(cert-env33-c): a fixed command with a scratch path
                return;
        }
        ::setenv("LOCPATH", folder.c_str(), 1);
        m_active = std::setlocale(category, name.c_str()) != nullptr;
#endif
    }
    ~TestLocale()
    {
        std::setlocale(m_category, "C");
#ifndef _WIN32
        ::unsetenv("LOCPATH");
#endif
    }
    TestLocale(const TestLocale&) = delete;
    TestLocale& operator=(const TestLocale&) = delete;

    bool active() const
    {
        return m_active;
    }

private:
    TempFolder m_folder;
    int m_category;
    bool m_active = false;
};

// German numbers: the C library then writes 0.5 as "0,5".
class CommaLocale {
public:
    bool active() const { return m_locale.active() && std::localeconv()->decimal_point[0] == ','; }

private:
    TestLocale m_locale{"de_DE", LC_NUMERIC};
};

} // namespace calctutor::testing
