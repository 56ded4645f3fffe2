#pragma once

#include "export/TDate.h"

#include <string>

// The person file's date text: "05.07.2026" for 5 July 2026, day first; a year before 1900 is
// written "00.00.0000".
std::string PersonFileDateText(const TDate& date);

// The day written as the end of every person's membership: 1 January 2999.
TDate FarFutureDate();
