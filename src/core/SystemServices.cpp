#include "core/SystemServices.h"

#include "core/Prompts.h"
#include "core/Windows1252.h"

#include <cstdlib>
#include <ctime>
#include <pwd.h>
#include <unistd.h>

namespace calctutor {

namespace {

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string formatted(const char* format)
{
    const std::tm local = localNow();
    char buffer[32];
    const std::size_t length = std::strftime(buffer, sizeof buffer, format, &local);
    return std::string(buffer, length);
}

} // namespace

int SystemClock::secondsSinceMidnight()
{
    const std::tm local = localNow();
    return local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
}

std::string SystemClock::date()
{
    return formatted("%m-%d-%Y");
}

std::string SystemClock::time()
{
    return formatted("%H:%M:%S");
}

void SystemRandom::seed(std::uint32_t seed)
{
    m_engine.seed(seed);
}

float SystemRandom::next()
{
    return static_cast<float>(m_engine() >> 8) * (1.0f / 16777216.0f);
}

std::string defaultDataFolder()
{
#ifdef _WIN32
    return std::string(kWindowsDefaultFolder);
#else
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* entry = ::getpwuid(::getuid());
        home = entry != nullptr ? entry->pw_dir : "/tmp";
    }
    return utf8ToWindows1252(std::string(home) + "/tesmoril").text;
#endif
}

} // namespace calctutor
