#pragma once
// Switches the C library's numbers to a language that writes a decimal comma,
// as the window's toolkit does on a German desktop, for one scope.

#include "TempFolder.h"

#include <clocale>
#include <cstdlib>
#include <string>

namespace calctutor::testing {

class CommaLocale {
public:
    // Builds de_DE from the system's locale sources into a scratch folder, so
    // the machine needs no generated locales.
    CommaLocale()
    {
#ifndef _WIN32
        const std::string command = "localedef -i de_DE -f UTF-8 " + m_folder.file("de_DE.UTF-8") + " 2>/dev/null";
        if (std::system(command.c_str()) != 0) // NOLINT(cert-env33-c): a fixed command with a scratch path
            return;
        ::setenv("LOCPATH", m_folder.path().c_str(), 1);
        m_active = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
#endif
    }
    ~CommaLocale()
    {
        std::setlocale(LC_NUMERIC, "C");
#ifndef _WIN32
        ::unsetenv("LOCPATH");
#endif
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    // Whether the C library now writes 0.5 as "0,5".
    bool active() const
    {
        return m_active && std::localeconv()->decimal_point[0] == ',';
    }

private:
    TempFolder m_folder;
    bool m_active = false;
};

} // namespace calctutor::testing
