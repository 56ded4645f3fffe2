#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

// The last few lines read, for the rules that look back past page furniture: the rank line
// before "PODSTAWA PRAWNA:" and the start of a broken person line. Lines are moved in and told
// from furniture only when looked back at.
class TRecentLines {
public:
    struct TLine {
        std::string text;
        int index = -1;
        bool free = false; // no marker, no "kieruję", not part of a person line
    };

    // Takes `text` in, leaving it empty. Inline: it runs for every line.
    void Push(std::string& text, int index, bool free) {
        newest_ = newest_ + 1 == kDepth ? 0 : newest_ + 1;
        TLine& line = lines_[newest_];
        line.text = std::move(text);
        line.index = index;
        line.free = free;
    }
    // Whether the line read last was free; page furniture always is.
    bool NewestFree() const { return lines_[newest_].free; }
    // The newest line that is not page furniture (the order's `title`, standing itself at
    // `titleIndex`, repeated), or nullptr when there is none.
    const TLine* Newest(std::string_view title, int titleIndex) const;

private:
    // A page footer and the next page's header stand between two lines of the text at most.
    static constexpr std::size_t kDepth = 3;
    std::array<TLine, kDepth> lines_;
    std::size_t newest_ = 0;
};
