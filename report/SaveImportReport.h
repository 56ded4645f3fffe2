#pragma once

#include "report/TImportReport.h"

#include <string>

// Writes the report as a PDF to `fileName` (in the file layer's narrow encoding), as the person
// file is written: into a temporary file beside it that then takes its place, so that a failure
// leaves an existing file whole. A place that refuses the file throws TQtError, whose message
// names the report and the file as the dialog gave it.
void SaveImportReport(const TImportReport& report, const std::string& fileName);
