#include "support/ViewerCopy.h"

#include "support/TRandom.h"
#include "text/TextPrimitives.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view kPesel = "PESEL:";

enum class TFooter { Page, Dashes, OfPages, Number, Title, Count };

class TViewerCopy {
public:
    explicit TViewerCopy(unsigned seed) : random_(seed ^ 0x0F0Fu) {
        width_ = 60 + random_.Below(41);
        pageLength_ = 40 + random_.Below(16);
        footer_ = static_cast<TFooter>(random_.Below(static_cast<std::size_t>(TFooter::Count)));
        header_ = footer_ != TFooter::Title && random_.Percent(30);
    }

    TRealisticOrder Copy(TRealisticOrder order) {
        // A viewer repeats the order's title, its first line, as a page's header or footer.
        title_ = order.lines.front();
        std::vector<std::string> body;
        std::size_t person = 0;
        for (std::size_t i = 0; i < order.lines.size(); ++i) {
            const bool personLine = person < order.personLines.size() &&
                                    order.personLines[person] == static_cast<int>(i);
            const std::size_t first = body.size();
            Break(order.lines[i], personLine && random_.Percent(6), body);
            if (!personLine)
                continue;
            std::size_t holder = first;
            while (holder + 1 < body.size() && body[holder].find(kPesel) == std::string::npos)
                ++holder;
            order.personLines[person++] = static_cast<int>(PageLine(holder));
        }
        order.lines = Paged(body);
        return order;
    }

private:
    // The lines of one paragraph: cut after "PESEL:" when asked, then at the last space within
    // the width (a word longer than the width stands alone).
    void Break(std::string_view paragraph, bool afterPesel, std::vector<std::string>& into) const {
        std::string_view text = TrimText(paragraph);
        if (const std::size_t at = text.find("PESEL: "); afterPesel && at != std::string::npos) {
            Wrap(text.substr(0, at + kPesel.size()), into);
            text.remove_prefix(at + kPesel.size() + 1);
        }
        Wrap(text, into);
    }

    void Wrap(std::string_view text, std::vector<std::string>& into) const {
        while (text.size() > width_) {
            std::size_t at = text.rfind(' ', width_);
            if (at == std::string_view::npos || at == 0)
                at = text.find(' ', width_);
            if (at == std::string_view::npos)
                break;
            into.emplace_back(TrimText(text.substr(0, at)));
            text = TrimText(text.substr(at));
        }
        into.emplace_back(text);
    }

    std::size_t FooterLines() const { return header_ ? 2 : 1; }

    // Where body line `line` stands once the footers are in.
    std::size_t PageLine(std::size_t line) const {
        return line + line / pageLength_ * FooterLines();
    }

    std::string Footer(std::size_t page, std::size_t pages) const {
        const std::string number = std::to_string(page);
        switch (footer_) {
        case TFooter::Page:
            return "Strona " + number;
        case TFooter::Dashes:
            return "- " + number + " -";
        case TFooter::OfPages:
            return number + "/" + std::to_string(pages);
        case TFooter::Number:
            return number;
        default:
            return title_;
        }
    }

    std::vector<std::string> Paged(std::vector<std::string>& body) const {
        const std::size_t pages = (body.size() + pageLength_ - 1) / pageLength_;
        std::vector<std::string> lines;
        lines.reserve(body.size() + pages * FooterLines());
        for (std::size_t i = 0; i < body.size(); ++i) {
            lines.push_back(std::move(body[i]));
            if ((i + 1) % pageLength_ != 0 && i + 1 != body.size())
                continue;
            lines.push_back(Footer(i / pageLength_ + 1, pages));
            if (header_ && i + 1 != body.size())
                lines.push_back(title_);
        }
        return lines;
    }

    TRandom random_;
    std::size_t width_;
    std::size_t pageLength_;
    TFooter footer_;
    bool header_;
    std::string title_;
};

} // namespace

TRealisticOrder AsCopiedFromViewer(TRealisticOrder order, unsigned seed) {
    return TViewerCopy(seed).Copy(std::move(order));
}
