#pragma once

// What the fuzz targets of the order file readers share: whatever the bytes, a reader gives text
// within its limit or refuses; it never crashes, and a refusal is the only failure it reports.
#include "OrderFileLimits.h"
#include "TOrderFileRefusal.h"

#include <QString>
#include <QtGlobal>

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

// Qt's readers warn of every damaged archive on the console, which only slows the fuzzer down.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}
