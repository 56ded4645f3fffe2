// An .odt reader's input: the first byte chooses between the text of the content part's XML,
// which the fuzzer shapes far faster on its own, and the rest taken as a whole file (the archive
// layer).
#include "OrderFileFuzz.h"
#include "TOdtReader.h"
#include "TOrderFile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1,
                          static_cast<qsizetype>(size - 1));
    if (data[0] % 2 == 0)
        ReadOrRefuse([&] {
            return TOdtReader::ReadContent(
                "<office:document-content "
                "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\"><office:body>"
                "<office:text>" +
                rest + "</office:text></office:body></office:document-content>");
        });
    else
        ReadOrRefuse([&] { return TOrderFile::Text(rest, QStringLiteral("rozkaz.odt")); });
    return 0;
}
