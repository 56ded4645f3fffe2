#pragma once

#include <QStandardPaths>
#include <QString>

#include <initializer_list>

// The first of `tools` that is not on the PATH, or null when every one is there: a round skips
// on a machine without its tools rather than failing.
inline const char* MissingTool(std::initializer_list<const char*> tools) {
    for (const char* tool : tools)
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return tool;
    return nullptr;
}
