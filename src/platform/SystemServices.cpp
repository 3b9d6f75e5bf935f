#include "platform/SystemServices.h"

#include "core/Prompts.h"
#include "platform/NativeFiles.h"

#include <ctime>

namespace calctutor {

namespace {

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    // std::localtime shares one buffer; each system has its own safe form.
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
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
    const std::string home = native::homeFolder();
    return native::joinPath(home.empty() ? std::string("/tmp") : home, "tesmoril");
#endif
}

} // namespace calctutor
