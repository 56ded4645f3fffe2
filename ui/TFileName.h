#pragma once

#include <QString>

#include <string>
#include <string_view>

// File names on their way between the Qt side and the file layer (export/TFileLayer.h), in the
// layer's narrow encoding rather than Windows-1250, so that the export opens the very file the
// dialog named: the system's on Linux, UTF-8 on Windows, where the layer hands names to the
// system's wide-character calls. Each system has its own implementation, as the file layer has.
class TFileName {
public:
    static std::string Encode(const QString& name);
    static QString Decode(std::string_view name);
};
