#include "import/TRecentLines.h"

#include "import/PageFurniture.h"

const TRecentLines::TLine* TRecentLines::Newest(std::string_view title, int titleIndex) const {
    for (std::size_t back = 0; back < kDepth; ++back) {
        const TLine& line = lines_[(newest_ + kDepth - back) % kDepth];
        if (line.index < 0)
            return nullptr;
        if (line.index == titleIndex || !IsPageFurniture(line.text, title))
            return &line;
    }
    return nullptr;
}
