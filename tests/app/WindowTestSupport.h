#pragma once

#include "support/PersonRows.h"

#include <QString>

#include <ostream>

void PrintTo(const QString& text, std::ostream* out);
