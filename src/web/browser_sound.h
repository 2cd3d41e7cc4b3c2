// Popup sounds on the web page: the file of the wasm file system played by
// the browser once the page has been clicked (browsers keep sound off
// until then).
#pragma once

void playBrowserSound(const char* path);
