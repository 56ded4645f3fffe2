// An .odt reader's input: the first byte chooses between the main part's XML, which the fuzzer
// shapes far faster on its own, and the rest taken as a whole file (the archive layer).
#include "OrderFileFuzz.h"
#include "TOdtReader.h"
#include "TOrderFile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    if (data[0] % 2 == 0)
        ReadOrRefuse([&] { return TOdtReader::ReadContent(rest); });
    else
        ReadOrRefuse([&] { return TOrderFile::Text(rest, QStringLiteral("rozkaz.odt")); });
    return 0;
}
