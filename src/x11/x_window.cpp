#include "x11/x_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xinerama.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "base/log_file.h"

namespace {

constexpr int64_t kTickNs = 100'000'000;
// A long wait is cut into pieces of this size (it only recomputes).
constexpr int64_t kLongestWaitMs = 3'600'000;
constexpr int32_t kDefaultWidth = 1024;
constexpr int32_t kDefaultHeight = 768;
// The window's pixels go to the server in bands of at most this size.
constexpr int64_t kBandBytes = 4 << 20;

int endPipe[2] = {-1, -1};
volatile sig_atomic_t endRequested = 0;

void onEndSignal(int signal) {
  endRequested = signal;
  if (endPipe[1] >= 0) {
    char byte = 1;
    ssize_t ignored = ::write(endPipe[1], &byte, 1);
    (void)ignored;
  }
}

// The last protocol error; MIT-SHM attach and foreign windows may fail.
int lastXError = 0;
int onXError(Display*, XErrorEvent* event) {
  lastXError = event->error_code;
  return 0;
}

int onXIoError(Display*) {
  logFile().write("X server: connection lost\n");
  std::_Exit(1);
}

int64_t nowNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
}

// The virtual root that some window managers put over the real one: a
// child of the root that names itself in __SWM_VROOT.
Window virtualRoot(Display* d, Window root) {
  Atom vroot = XInternAtom(d, "__SWM_VROOT", False);
  Window rootReturn = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  Window found = root;
  if (XQueryTree(d, root, &rootReturn, &parent, &children, &count) == 0) return root;
  for (unsigned i = 0; i < count && found == root; ++i) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, children[i], vroot, 0, 1, False, XA_WINDOW, &type, &format, &items,
                           &after, &data) == Success &&
        type == XA_WINDOW && items == 1 && data != nullptr) {
      found = *reinterpret_cast<Window*>(data);
    }
    if (data != nullptr) XFree(data);
  }
  if (children != nullptr) XFree(children);
  return found;
}

// Rows of a band of about kBandBytes, at least one, at most the window's.
int32_t bandRowsFor(int64_t bytesPerLine, int32_t height) {
  int64_t rows = bytesPerLine > 0 ? kBandBytes / bytesPerLine : 1;
  if (rows > height) rows = height;
  return rows < 1 ? 1 : static_cast<int32_t>(rows);
}

}  // namespace

struct XWindowScreen::State {
  Display* display = nullptr;
  Window window = 0;
  bool ownWindow = false;
  Atom deleteWindow = 0;
  Visual* visual = nullptr;
  int depth = 0;
  GC gc = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  PixelFormat format;
  bool shmAvailable = false;
  XShmSegmentInfo shm{};
  XImage* shmImage = nullptr;
  // Window rows put on it at a time.
  int32_t bandRows = 1;
};

void installEndSignals() {
  if (endPipe[0] < 0 && ::pipe(endPipe) == 0) {
    for (int fd : endPipe) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    for (int fd : endPipe) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  struct sigaction action {};
  action.sa_handler = onEndSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
}

int endSignal() { return endRequested; }

XWindowScreen::XWindowScreen() : state_(new State()) { heads_.push_back(new Head()); }

unsigned long XWindowScreen::id() const { return state_->window; }

XWindowScreen::~XWindowScreen() {
  close();
  for (Head* head : heads_) delete head;
  delete state_;
}

bool XWindowScreen::open(const LinuxOptions& options, std::string* error) {
  State& s = *state_;
  scaleSetting_ = options.settings.scale;
  XSetErrorHandler(onXError);
  XSetIOErrorHandler(onXIoError);
  s.display = XOpenDisplay(nullptr);
  if (s.display == nullptr) {
    const char* name = std::getenv("DISPLAY");
    *error =
        std::string("cannot open the display ") + (name != nullptr ? name : "(DISPLAY is not set)");
    return false;
  }
  Display* d = s.display;
  int screen = DefaultScreen(d);
  if (options.target == DrawTarget::OwnWindow) {
    int32_t w = options.width > 0 ? options.width : kDefaultWidth;
    int32_t h = options.height > 0 ? options.height : kDefaultHeight;
    s.window = XCreateSimpleWindow(d, RootWindow(d, screen), 0, 0, static_cast<unsigned>(w),
                                   static_cast<unsigned>(h), 0, BlackPixel(d, screen),
                                   BlackPixel(d, screen));
    s.ownWindow = true;
    perHead_ = true;
    XStoreName(d, s.window, "Zorbel");
    XClassHint hint;
    char name[] = "zorbel";
    char className[] = "Zorbel";
    hint.res_name = name;
    hint.res_class = className;
    XSetClassHint(d, s.window, &hint);
    // Which process the window is, for window managers and pagers.
    long pid = static_cast<long>(::getpid());
    XChangeProperty(d, s.window, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&pid), 1);
    s.deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d, s.window, &s.deleteWindow, 1);
    XSelectInput(d, s.window, ExposureMask | StructureNotifyMask | KeyPressMask);
    XMapWindow(d, s.window);
  } else {
    s.window = virtualRoot(d, RootWindow(d, screen));
    const char* given = std::getenv("XSCREENSAVER_WINDOW");
    unsigned long id = 0;
    // A root of its own spans every head; a window given by xscreensaver
    // (one saver per head) or by -window-id is one show's.
    perHead_ = options.target == DrawTarget::Root && (given == nullptr || given[0] == '\0');
    if (options.target == DrawTarget::WindowId) {
      s.window = options.windowId;
    } else if (given != nullptr && given[0] != '\0') {
      if (!parseWindowId(given, &id)) {
        *error = std::string("XSCREENSAVER_WINDOW: \"") + given + "\" is not a window number";
        return false;
      }
      s.window = id;
    }
    // Other clients may select these on a window that is not theirs.
    lastXError = 0;
    XSelectInput(d, s.window, ExposureMask | StructureNotifyMask);
    XSync(d, False);
  }
  XWindowAttributes attributes{};
  lastXError = 0;
  if (!XGetWindowAttributes(d, s.window, &attributes) || lastXError != 0) {
    char id[32];
    std::snprintf(id, sizeof id, "0x%lx", static_cast<unsigned long>(s.window));
    *error = std::string("window ") + id + ": no such window";
    return false;
  }
  s.visual = attributes.visual;
  s.depth = attributes.depth;
  if (s.visual == nullptr || s.visual->c_class != TrueColor) {
    *error = "the window's visual is not TrueColor";
    return false;
  }
  s.gc = XCreateGC(d, s.window, 0, nullptr);
  XSetForeground(d, s.gc, 0);  // black in TrueColor
  XSetGraphicsExposures(d, s.gc, False);

  int major = 0;
  int minor = 0;
  Bool pixmaps = False;
  s.shmAvailable = XShmQueryVersion(d, &major, &minor, &pixmaps) == True;
  return relayout(attributes.width, attributes.height);
}

bool XWindowScreen::relayout(int32_t width, int32_t height) {
  State& s = *state_;
  s.width = width;
  s.height = height;
  dropSharedBand();
  // The pixel layout of the window's images.
  XImage* probe = XCreateImage(s.display, s.visual, static_cast<unsigned>(s.depth), ZPixmap, 0,
                               nullptr, 1, 1, 32, 0);
  if (probe != nullptr) {
    s.format.bytesPerPixel = probe->bits_per_pixel / 8;
    s.format.msbFirst = probe->byte_order == MSBFirst;
    s.format.redMask = static_cast<uint32_t>(s.visual->red_mask);
    s.format.greenMask = static_cast<uint32_t>(s.visual->green_mask);
    s.format.blueMask = static_cast<uint32_t>(s.visual->blue_mask);
    XDestroyImage(probe);
  }
  // Big windows are put on the screen band by band, so that the shared
  // memory (or a plain request's image) stays small.
  s.bandRows = bandRowsFor(int64_t{width} * s.format.bytesPerPixel, height);
  if (s.shmAvailable) makeSharedBand();
  std::vector<PixelRect> areas = headAreas(width, height);
  if (areas.empty()) {
    PixelRect whole;
    whole.width = width;
    whole.height = height;
    areas.push_back(whole);
  }
  while (heads_.size() > areas.size()) {
    delete heads_.back();
    heads_.pop_back();
  }
  while (heads_.size() < areas.size()) heads_.push_back(new Head());
  bool ready = true;
  for (size_t i = 0; i < areas.size(); ++i) {
    heads_[i]->area = areas[i];
    ready = heads_[i]->screen.resize(areas[i].width, areas[i].height, scaleSetting_) && ready;
  }
  return ready;
}

// The Xinerama heads in the window, when it spans them; none otherwise.
std::vector<PixelRect> XWindowScreen::headAreas(int32_t width, int32_t height) {
  State& s = *state_;
  std::vector<PixelRect> monitors;
  int count = 0;
  if (!perHead_ || !XineramaIsActive(s.display)) return monitors;
  XineramaScreenInfo* info = XineramaQueryScreens(s.display, &count);
  int x = 0;
  int y = 0;
  Window child = 0;
  XTranslateCoordinates(s.display, s.window, DefaultRootWindow(s.display), 0, 0, &x, &y, &child);
  for (int i = 0; info != nullptr && i < count; ++i) {
    PixelRect head;
    head.x = info[i].x_org - x;
    head.y = info[i].y_org - y;
    head.width = info[i].width;
    head.height = info[i].height;
    monitors.push_back(head);
  }
  if (info != nullptr) XFree(info);
  std::vector<PixelRect> areas;
  for (const ShowPlace& place : placeShows(width, height, monitors, true, scaleSetting_))
    areas.push_back(place.area);
  return areas;
}

int32_t XWindowScreen::screenUnderPointer() {
  State& s = *state_;
  Window root = 0;
  Window child = 0;
  int rootX = 0;
  int rootY = 0;
  int x = 0;
  int y = 0;
  unsigned mask = 0;
  if (s.display == nullptr ||
      !XQueryPointer(s.display, s.window, &root, &child, &rootX, &rootY, &x, &y, &mask))
    return 0;
  for (size_t i = 0; i < heads_.size(); ++i) {
    if (rectHolds(heads_[i]->area, x, y)) return static_cast<int32_t>(i);
  }
  return 0;
}

void XWindowScreen::makeSharedBand() {
  State& s = *state_;
  s.shmImage =
      XShmCreateImage(s.display, s.visual, static_cast<unsigned>(s.depth), ZPixmap, nullptr, &s.shm,
                      static_cast<unsigned>(s.width), static_cast<unsigned>(s.bandRows));
  bool attached = false;
  if (s.shmImage != nullptr) {
    size_t bytes = static_cast<size_t>(s.shmImage->bytes_per_line) * s.bandRows;
    s.shm.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    s.shm.shmaddr = s.shm.shmid >= 0 ? static_cast<char*>(shmat(s.shm.shmid, nullptr, 0))
                                     : reinterpret_cast<char*>(-1);
    if (s.shm.shmaddr != reinterpret_cast<char*>(-1)) {
      s.shmImage->data = s.shm.shmaddr;
      s.shm.readOnly = False;
      lastXError = 0;
      XShmAttach(s.display, &s.shm);
      XSync(s.display, False);
      attached = lastXError == 0;
    }
    // Removed now: it goes when both sides have let go of it, also when
    // the process is killed.
    if (s.shm.shmid >= 0) shmctl(s.shm.shmid, IPC_RMID, nullptr);
    if (!attached && s.shm.shmaddr != reinterpret_cast<char*>(-1)) shmdt(s.shm.shmaddr);
  }
  if (!attached) {
    if (s.shmImage != nullptr) {
      s.shmImage->data = nullptr;
      XDestroyImage(s.shmImage);
    }
    s.shmImage = nullptr;
    s.shmAvailable = false;  // a remote server: plain requests from now on
  }
}

void XWindowScreen::dropSharedBand() {
  State& s = *state_;
  if (s.shmImage == nullptr) return;
  XShmDetach(s.display, &s.shm);
  XSync(s.display, False);
  s.shmImage->data = nullptr;  // the segment is not Xlib's to free
  XDestroyImage(s.shmImage);
  shmdt(s.shm.shmaddr);
  s.shmImage = nullptr;
}

void XWindowScreen::present() {
  State& s = *state_;
  if (s.display == nullptr) return;
  for (Head* head : heads_) {
    ScreenBuffer& screen = head->screen;
    if (screen.takeErase()) {
      XFillRectangle(s.display, s.window, s.gc, head->area.x, head->area.y,
                     static_cast<unsigned>(head->area.width),
                     static_cast<unsigned>(head->area.height));
    }
    PixelRect rect = screen.takeChanged();
    if (screen.shrinks()) {
      PixelRect window = screen.toWindow(rect);
      for (int32_t top = window.y; top < window.y + window.height; top += s.bandRows) {
        PixelRect band = window;
        band.y = top;
        band.height = std::min(s.bandRows, window.y + window.height - top);
        putBand(*head, band, band);
      }
      continue;
    }
    // Whole show rows per band.
    int32_t bandShowRows = std::max(s.bandRows / screen.scale(), 1);
    for (int32_t top = rect.y; top < rect.y + rect.height; top += bandShowRows) {
      PixelRect band = rect;
      band.y = top;
      band.height = std::min(bandShowRows, rect.y + rect.height - top);
      putBand(*head, band, screen.toWindow(band));
    }
  }
  XFlush(s.display);
}

void XWindowScreen::fillBand(const Head& head, const PixelRect& showBand,
                             const PixelRect& windowBand, uint8_t* dest, int32_t stride) {
  const State& s = *state_;
  const ScreenBuffer& screen = head.screen;
  if (screen.shrinks()) {
    shrinkInto(screen.surface(), windowBand, head.area.width, head.area.height, s.format, dest,
               stride);
  } else {
    enlargeInto(screen.surface(), showBand, screen.scale(), s.format, dest, stride);
  }
}

void XWindowScreen::putBand(const Head& head, const PixelRect& showBand,
                            const PixelRect& windowBand) {
  State& s = *state_;
  int32_t x = head.area.x + windowBand.x;
  int32_t y = head.area.y + windowBand.y;
  int32_t w = windowBand.width;
  int32_t h = windowBand.height;
  if (w <= 0 || h <= 0) return;
  if (s.shmImage != nullptr) {
    uint8_t* at = reinterpret_cast<uint8_t*>(s.shmImage->data) +
                  static_cast<size_t>(x) * static_cast<size_t>(s.format.bytesPerPixel);
    fillBand(head, showBand, windowBand, at, s.shmImage->bytes_per_line);
    XShmPutImage(s.display, s.window, s.gc, s.shmImage, x, 0, x, y, static_cast<unsigned>(w),
                 static_cast<unsigned>(h), False);
    // The band is written again only once the server has read it.
    XSync(s.display, False);
    return;
  }
  XImage* image = XCreateImage(s.display, s.visual, static_cast<unsigned>(s.depth), ZPixmap, 0,
                               nullptr, static_cast<unsigned>(w), static_cast<unsigned>(h), 32, 0);
  if (image == nullptr) return;
  image->data = static_cast<char*>(std::malloc(static_cast<size_t>(image->bytes_per_line) * h));
  if (image->data != nullptr) {
    fillBand(head, showBand, windowBand, reinterpret_cast<uint8_t*>(image->data),
             image->bytes_per_line);
    XPutImage(s.display, s.window, s.gc, image, 0, 0, x, y, static_cast<unsigned>(w),
              static_cast<unsigned>(h));
  }
  XDestroyImage(image);  // frees the data too
}

bool XWindowScreen::handleEvents(const LoopHandlers& handlers, bool* quit, bool* showChanged) {
  State& s = *state_;
  bool exposed = false;
  int32_t newWidth = s.width;
  int32_t newHeight = s.height;
  while (XPending(s.display) > 0) {
    XEvent event;
    XNextEvent(s.display, &event);
    switch (event.type) {
      case Expose:
        exposed = true;
        break;
      case ConfigureNotify:
        if (event.xconfigure.window == s.window) {
          newWidth = event.xconfigure.width;
          newHeight = event.xconfigure.height;
        }
        break;
      case DestroyNotify:
        if (event.xdestroywindow.window == s.window) {
          // Nothing of ours is left on it to free.
          if (!s.ownWindow) s.window = 0;
          *quit = true;
          return false;
        }
        break;
      case ClientMessage:
        if (static_cast<Atom>(event.xclient.data.l[0]) == s.deleteWindow) *quit = true;
        break;
      case KeyPress: {
        KeySym key = XLookupKeysym(&event.xkey, 0);
        if (key == XK_Escape || key == XK_q || key == XK_Q) {
          *quit = true;
        } else if (key == XK_Return || key == XK_KP_Enter || key == XK_space) {
          if (handlers.next != nullptr) handlers.next(handlers.ctx);
          *showChanged = true;
        } else if (key == XK_F1) {
          if (handlers.screenshot != nullptr) handlers.screenshot(handlers.ctx);
        }
        break;
      }
      default:
        break;
    }
    if (*quit) return true;
  }
  if (newWidth != s.width || newHeight != s.height) {
    relayout(newWidth, newHeight);
    if (handlers.resized != nullptr) handlers.resized(handlers.ctx);
    *showChanged = true;
  } else if (exposed) {
    for (Head* head : heads_) head->screen.touchAll();
  }
  return true;
}

int XWindowScreen::run(const LoopHandlers& handlers) {
  State& s = *state_;
  if (s.display == nullptr) return 1;
  // The ticks keep a 100 ms beat from the start. Those that cannot change
  // the screen are not woken for: they are given together when the one
  // that can is due, so that waiting between items costs one wake-up.
  int64_t lastTick = nowNs();
  auto due = [&handlers] {
    if (handlers.tick == nullptr) return 0;
    return handlers.ticksUntilDue != nullptr ? handlers.ticksUntilDue(handlers.ctx) : 1;
  };
  bool quit = false;
  bool owing = false;
  while (!quit && endRequested == 0) {
    bool showChanged = false;
    if (!handleEvents(handlers, &quit, &showChanged)) break;
    if (quit) break;
    // Input first; then, a turn each, the other heads' parts of a forced
    // step, each put on the window before the next.
    if (showChanged) {
      owing = handlers.stepOwed != nullptr;
    } else if (owing) {
      owing = handlers.stepOwed(handlers.ctx) > 0;
      showChanged = true;
    }
    int64_t now = nowNs();
    int64_t passed = (now - lastTick) / kTickNs;
    // A stepped show has restarted its count: the ticks before it are spent.
    if (showChanged) lastTick += passed * kTickNs;
    int32_t ticks = due();
    if (!showChanged && ticks > 0 && passed >= ticks) {
      for (int32_t i = 0; i < ticks; ++i) handlers.tick(handlers.ctx);
      lastTick += int64_t{ticks} * kTickNs;
      if (now - lastTick >= kTickNs) lastTick = now;  // fell behind: no catching up
      ticks = due();
    }
    present();
    pollfd fds[2] = {{ConnectionNumber(s.display), POLLIN, 0}, {endPipe[0], POLLIN, 0}};
    int64_t waitMs = -1;  // no tick to come: only events wake it
    if (ticks > 0) {
      waitMs = (lastTick + int64_t{ticks} * kTickNs - nowNs() + 999'999) / 1'000'000;
      waitMs = std::min<int64_t>(std::max<int64_t>(waitMs, 0), kLongestWaitMs);
    }
    if (owing || XPending(s.display) > 0) waitMs = 0;
    ::poll(fds, endPipe[0] >= 0 ? 2 : 1, static_cast<int>(waitMs));
  }
  return 0;
}

void XWindowScreen::close() {
  State& s = *state_;
  if (s.display == nullptr) return;
  dropSharedBand();
  if (s.gc != nullptr) XFreeGC(s.display, s.gc);
  s.gc = nullptr;
  if (s.ownWindow && s.window != 0) XDestroyWindow(s.display, s.window);
  s.window = 0;
  XCloseDisplay(s.display);
  s.display = nullptr;
}
