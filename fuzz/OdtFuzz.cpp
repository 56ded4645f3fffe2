// The .odt reader: the text of the content part, or a whole file.
#include "OrderFileFuzz.h"
#include "orderfile/TOdtReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadDocument(data, size,
                 "<office:document-content "
                 "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                 "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                 "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                 "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\">"
                 "<office:body><office:text>",
                 "</office:text></office:body></office:document-content>", &TOdtReader::ReadContent,
                 QStringLiteral("rozkaz.odt"));
    return 0;
}
