#include "shell/modes.h"

void runSaver() {}
