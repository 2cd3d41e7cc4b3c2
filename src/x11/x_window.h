// The X side of the Linux saver: the window it draws on (its own, the one
// xscreensaver or xsecurelock gives, or the root), the shows' screens (one
// per Xinerama head where the window spans them) put on it enlarged by
// whole numbers (MIT-SHM where the server offers it), and
// the event loop with its 100 ms tick. Every X resource it makes is freed
// by close(), also when a signal ends the run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster/screen_buffer.h"
#include "x11/options.h"

// What the loop calls; ctx is given back to each.
struct LoopHandlers {
  void* ctx = nullptr;
  void (*tick)(void* ctx) = nullptr;  // every 100 ms
  // How many ticks may pass before one counts (0: none ever does); the loop
  // sleeps until then and gives them all at once. Null: every tick counts.
  int32_t (*ticksUntilDue)(void* ctx) = nullptr;
  void (*next)(void* ctx) = nullptr;  // Return or Space
  // After next: what it left owing, one show's step a turn, each put on
  // the window before the following one; answers how many still owe one.
  int32_t (*stepOwed)(void* ctx) = nullptr;
  void (*screenshot)(void* ctx) = nullptr;  // F1
  void (*resized)(void* ctx) = nullptr;     // a new layout: new screens
};

class XWindowScreen {
 public:
  XWindowScreen();
  ~XWindowScreen();
  XWindowScreen(const XWindowScreen&) = delete;
  XWindowScreen& operator=(const XWindowScreen&) = delete;

  // Connects and takes the window the options name; on failure one line
  // for stderr in *error.
  bool open(const LinuxOptions& options, std::string* error);
  // The shows' screens: one per Xinerama head on the saver's own window
  // or on a root it has to itself, else one over the whole window.
  int32_t screenCount() const { return static_cast<int32_t>(heads_.size()); }
  ScreenBuffer& screen(int32_t index = 0) { return heads_[static_cast<size_t>(index)]->screen; }
  // The screen under the pointer; the first when it is on none.
  int32_t screenUnderPointer();
  // The window drawn on; 0 before open.
  unsigned long id() const;
  // Puts what changed in the screen buffer on the window.
  void present();
  // Runs until the window closes, a key or signal ends it, or the window
  // goes away; returns the exit status.
  int run(const LoopHandlers& handlers);
  // Frees every X resource and closes the connection.
  void close();

  struct State;

 private:
  // One show's screen and the part of the window it covers.
  struct Head {
    PixelRect area;
    ScreenBuffer screen;
  };

  bool relayout(int32_t width, int32_t height);
  std::vector<PixelRect> headAreas(int32_t width, int32_t height);
  void makeSharedBand();
  void dropSharedBand();
  // A band of a head's part of the window: the show's rows showBand
  // enlarged, or the rows windowBand (within the head) of the shrunk show.
  void putBand(const Head& head, const PixelRect& showBand, const PixelRect& windowBand);
  void fillBand(const Head& head, const PixelRect& showBand, const PixelRect& windowBand,
                uint8_t* dest, int32_t stride);
  // showChanged: the show was stepped (the next item, a new layout).
  bool handleEvents(const LoopHandlers& handlers, bool* quit, bool* showChanged);

  State* state_;
  std::vector<Head*> heads_;
  bool perHead_ = false;
  uint32_t scaleSetting_ = 0;
};

// Set by SIGTERM, SIGINT and SIGHUP; the loop ends at once.
void installEndSignals();

// The signal that ended the loop; 0 when none did.
int endSignal();
