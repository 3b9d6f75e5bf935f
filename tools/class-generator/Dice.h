#pragma once
// The generator's own random choices, from one seed. The standard library's
// distributions differ between implementations, so the draws are made here
// from the engine's bits, and a seed gives the same class on every system.

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace calctutor::classgen {

class Dice {
public:
    explicit Dice(std::uint64_t seed) : m_engine(seed) {}

    // 0 to count - 1.
    std::uint64_t below(std::uint64_t count) { return m_engine() % count; }
    int between(int low, int high) { return low + static_cast<int>(below(static_cast<std::uint64_t>(high - low + 1))); }
    bool chance(double probability) { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53 < probability; }

    template <typename T>
    const T& pick(const std::vector<T>& items)
    {
        return items[below(items.size())];
    }
    // One of the texts, each as likely as its weight.
    const std::string& weighted(const std::vector<std::pair<std::string, int>>& items)
    {
        int total = 0;
        for (const auto& item : items)
            total += item.second;
        int draw = between(0, total - 1);
        for (const auto& item : items) {
            if (draw < item.second)
                return item.first;
            draw -= item.second;
        }
        return items.back().first;
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace calctutor::classgen
