#include "authoring/studio_json.h"

#include <cstdio>

namespace {

std::string number(int64_t v) { return std::to_string(v); }

std::string rect(const PixelRect& r) {
  return "[" + number(r.x) + "," + number(r.y) + "," + number(r.width) + "," + number(r.height) +
         "]";
}

}  // namespace

std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string findingsJson(const Findings& findings, const char* measuredWith) {
  std::string out = "{\"findings\":[";
  bool first = true;
  for (const Finding& f : findings.sorted()) {
    if (!first) out += ",";
    first = false;
    out += "{\"file\":" + jsonString(f.file) + ",\"line\":" + number(f.line) + ",\"severity\":\"" +
           (f.severity == Severity::error ? "error" : "warning") +
           "\",\"message\":" + jsonString(f.message) + "}";
  }
  out += "],\"summary\":" +
         jsonString(findings.errors() + findings.warnings() > 0 ? formatSummary(findings) : "") +
         ",\"measuredWith\":" + jsonString(measuredWith != nullptr ? measuredWith : "") + "}";
  return out;
}

std::string previewJson(const StripPreview& p, int32_t width, int32_t height) {
  std::string out = "{\"strips\":[";
  for (size_t i = 0; i < p.strips.size(); ++i) out += (i > 0 ? "," : "") + jsonString(p.strips[i]);
  out += "],\"strip\":" + jsonString(p.strip) + ",\"seed\":" + number(p.seed) +
         ",\"choices\":" + jsonString(p.choices) + ",\"error\":" + jsonString(p.error) +
         ",\"width\":" + number(width) + ",\"height\":" + number(height) + ",\"panels\":[";
  if (p.error.empty()) {
    for (int i = 0; i < 3; ++i) {
      const PreviewPanel& panel = p.panels[i];
      out += std::string(i > 0 ? "," : "") + "{\"picture\":" + jsonString(panel.picture) +
             ",\"line\":" + number(panel.pictureLine) + ",\"x\":" + number(panel.x) +
             ",\"width\":" + number(panel.width) + "}";
    }
  }
  out += "],\"boxes\":[";
  for (size_t i = 0; i < p.boxes.size(); ++i) {
    const PreviewBox& b = p.boxes[i];
    out += std::string(i > 0 ? "," : "") + "{\"panel\":" + number(b.panel) +
           ",\"text\":" + jsonString(b.text) + ",\"line\":" + number(b.textLine) +
           ",\"boxLine\":" + number(b.boxLine) + ",\"area\":" + rect(b.area) + "}";
  }
  return out + "]}";
}
