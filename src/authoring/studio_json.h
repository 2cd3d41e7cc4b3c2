// What the studio page is told, as JSON: the checker's findings and a
// strip preview. Texts keep the bytes of the data folder's files
// (Windows-1252), which the page decodes as such.
#pragma once

#include <string>

#include "authoring/findings.h"
#include "authoring/strip_preview.h"

// {"findings":[{"file","line","severity","message"}...],"summary"}, sorted
// as the command line prints them; measuredWith says how speech was measured.
std::string findingsJson(const Findings& findings, const char* measuredWith);
// {"strips","strip","seed","choices","error","width","height","panels","boxes"}
std::string previewJson(const StripPreview& preview, int32_t width, int32_t height);
// text as a JSON string, quotes included.
std::string jsonString(const std::string& text);
