#include "core/show/show_state.h"

int32_t screenWidth = 0;
int32_t screenHeight = 0;
int32_t tickCount = 0;
int32_t tickTarget = 0;
int32_t comicsSinceLogo = 0;
bool popupShowing = false;
DrawnRect lastDrawnRect;
