// The authoring checker: reads a data folder the way the saver does and
// reports what the saver would stumble over or what would surprise the
// comic's author.
#pragma once

#include "authoring/findings.h"
#include "authoring/picture_check.h"
#include "authoring/speech_measure.h"

enum class FolderResult {
  clean,       // nothing the saver would show as an error
  errors,      // at least one error
  unreadable,  // the folder cannot be read
};

// Speech lines are measured with measure; memo, when given, keeps what the
// pictures were found to be for the next check.
FolderResult checkFolder(const char* folder, Findings& findings, const SpeechMeasure& measure,
                         PictureMemo* memo = nullptr);
