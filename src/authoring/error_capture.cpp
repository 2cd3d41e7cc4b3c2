#include "authoring/error_capture.h"

namespace {

// The sink has only the painter's context, which belongs to the front end.
std::string captured;

void capture(void*, const char* message) {
  if (!captured.empty()) captured += "; ";
  captured += message;
}

}  // namespace

ErrorCapture::ErrorCapture(Painter& painter) : painter_(painter), sink_(painter.errorSink) {
  captured.clear();
  painter_.errorSink = capture;
}

ErrorCapture::~ErrorCapture() { painter_.errorSink = sink_; }

const std::string& ErrorCapture::text() const { return captured; }
