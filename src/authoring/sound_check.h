// The authoring checker's look at a popup's sound: whether its header is
// one that both savers play.
#pragma once

#include <cstdint>
#include <string>

// Why the savers would not play the sound bytes, or empty when they would.
std::string soundProblem(const std::string& bytes);
