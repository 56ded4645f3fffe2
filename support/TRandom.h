#pragma once

#include <array>
#include <cstddef>
#include <random>
#include <string_view>
#include <utility>

// The engine's output is fixed by the standard, so an order is the same everywhere; the
// library's distributions are not, so the shares are cut from the raw numbers here.
class TRandom {
public:
    explicit TRandom(unsigned seed) : engine_(0x5EEDull * (seed + 1ull)) {}

    std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(engine_() % bound); }
    // True in about `percent` per cent of the calls (tenths allowed: 2.5).
    bool Percent(double percent) { return static_cast<double>(Below(1000)) < percent * 10; }
    template <typename T, std::size_t N> const T& Pick(const std::array<T, N>& choices) {
        return choices[Below(N)];
    }
    // One of the choices, each as often as its weight says.
    template <std::size_t N>
    std::string_view Weighted(const std::array<std::pair<std::string_view, int>, N>& choices) {
        int total = 0;
        for (const auto& choice : choices)
            total += choice.second;
        int left = static_cast<int>(Below(static_cast<std::size_t>(total)));
        for (const auto& [text, weight] : choices) {
            if (left < weight)
                return text;
            left -= weight;
        }
        return choices.back().first;
    }

private:
    std::mt19937_64 engine_;
};
