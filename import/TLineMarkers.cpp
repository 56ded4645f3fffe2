#include "import/TLineMarkers.h"

#include "import/OrderMarkers.h"
#include "text/TextPrimitives.h"

namespace {

constexpr auto npos = std::string_view::npos;

// The two words of "PODSTAWA PRAWNA:".
constexpr std::size_t kLegalBasisSpace = OrderMarker::LegalBasis.find(' ');
constexpr std::string_view kLegalBasisStart = OrderMarker::LegalBasis.substr(0, kLegalBasisSpace);
constexpr std::string_view kLegalBasisEnd = OrderMarker::LegalBasis.substr(kLegalBasisSpace + 1);

// "PODSTAWA PRAWNA:" ending `head`, with one space between the words or a run of them.
bool EndsWithLegalBasis(std::string_view head) {
    if (!head.ends_with(kLegalBasisEnd))
        return false;
    head.remove_suffix(kLegalBasisEnd.size());
    const std::size_t words = head.find_last_not_of(' ');
    return words != npos && words + 1 < head.size() &&
           head.substr(0, words + 1).ends_with(kLegalBasisStart);
}

} // namespace

TLineMarkers TLineMarkers::Find(std::string_view line) {
    TLineMarkers found;
    for (std::size_t colon = line.find(':'); colon != npos; colon = line.find(':', colon + 1)) {
        const std::string_view head = line.substr(0, colon + 1);
        if (head.ends_with(OrderMarker::Pesel)) {
            if (found.pesel == 0)
                found.pesel = PositionOf(head.size() - OrderMarker::Pesel.size());
        } else if (EndsWithLegalBasis(head)) {
            found.legalBasis = true;
        } else if (head.ends_with(OrderMarker::BlockEnd)) {
            found.blockEnd = true;
        }
    }
    for (std::size_t slash = line.find('/'); slash != npos; slash = line.find('/', slash + 1)) {
        if (line.substr(slash).starts_with(OrderMarker::Nis)) {
            found.nis = PositionOf(slash);
            break;
        }
    }
    return found;
}

bool HoldsDirected(std::string_view line) {
    const char last = OrderMarker::Directed.back();
    for (std::size_t at = line.find(last); at != npos; at = line.find(last, at + 1))
        if (line.substr(0, at + 1).ends_with(OrderMarker::Directed))
            return true;
    return false;
}
