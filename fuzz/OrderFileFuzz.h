#pragma once

// What the fuzz targets of the order file readers share: whatever the bytes, a reader gives text
// within its limit or refuses; it never crashes, and a refusal is the only failure it reports.
#include "orderfile/OrderFileLimits.h"
#include "orderfile/TOrderFile.h"
#include "orderfile/TOrderFileRefusal.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

template <typename Reader> void ReadOrRefuse(Reader read) {
    try {
        const QString text = read();
        if (text.size() > OrderFileLimits::MaxTextChars) {
            std::fprintf(stderr, "order file text over its limit: %lld\n",
                         static_cast<long long>(text.size()));
            std::abort();
        }
    } catch (const TOrderFileRefusal&) {
    }
}

// Qt may warn on the console of what it meets in a damaged document, which only slows the fuzzer
// down.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

// A document's input: the first byte chooses between the XML of its text part, the rest put
// between `open` and `close` (the fuzzer shapes that far faster than an archive), and the rest as
// a whole file named `fileName` (the archive layer).
template <typename ReadXml>
void ReadDocument(const std::uint8_t* data, std::size_t size, const char* open, const char* close,
                  ReadXml readXml, const QString& fileName) {
    if (size == 0)
        return;
    const QByteArray rest(reinterpret_cast<const char*>(data) + 1,
                          static_cast<qsizetype>(size - 1));
    if (data[0] % 2 == 0)
        ReadOrRefuse([&] { return readXml(open + rest + close); });
    else
        ReadOrRefuse([&] { return TOrderFile::Text(rest, fileName); });
}
