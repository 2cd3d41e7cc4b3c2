// The error display's messages, taken instead of drawn while the tools
// draw an item off screen: "a: Unable to load!; b: ...".
#pragma once

#include <string>

#include "core/picture/painter.h"

class ErrorCapture {
 public:
  // Captures until destroyed; the painter's own sink is put back then. One
  // capture at a time in a process.
  explicit ErrorCapture(Painter& painter);
  ~ErrorCapture();
  ErrorCapture(const ErrorCapture&) = delete;
  ErrorCapture& operator=(const ErrorCapture&) = delete;

  const std::string& text() const;

 private:
  Painter& painter_;
  void (*sink_)(void*, const char*);
};
