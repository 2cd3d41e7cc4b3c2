// The settings record and the registry, and the saver window's requests
// that go through the record's run-time state. Windows only.
#pragma once

struct SaverSettings;

// Defaults, then "Password Delay" and "Mouse Threshold" of the platform key.
void loadPlatformSettings(SaverSettings& s);
// The default folder and values, then the machine's "Directory", then the
// user's product key, whose values win.
void loadProductSettings(SaverSettings& s);
// The 16 product values to the user's product key.
void saveProductSettings(const SaverSettings& s);

void requestClose(SaverSettings& s);
void suspendInput(SaverSettings& s);
void resumeInput(SaverSettings& s);
