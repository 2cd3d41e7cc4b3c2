#include "authoring/name_case.h"

std::string nameOnDisk(const std::string&, const std::string&) { return ""; }
