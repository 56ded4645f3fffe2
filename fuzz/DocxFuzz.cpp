// The .docx reader: the body of the main part, or a whole file.
#include "OrderFileFuzz.h"
#include "orderfile/TDocxReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadDocument(data, size,
                 "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/"
                 "main\" xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\">"
                 "<w:body>",
                 "</w:body></w:document>", &TDocxReader::ReadDocument,
                 QStringLiteral("rozkaz.docx"));
    return 0;
}
