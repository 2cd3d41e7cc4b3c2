#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "x11/options.h"
#include "x11/user_paths.h"

namespace {

struct Parsed {
  bool ok = false;
  LinuxOptions options;
  std::string error;
};

Parsed parse(std::vector<const char*> args) {
  args.insert(args.begin(), "zorbel");
  Parsed p;
  p.ok = parseOptions(static_cast<int>(args.size()), args.data(), &p.options, &p.error);
  return p;
}

}  // namespace

TEST(LinuxOptions, DefaultsAreTheWindowsSaversAndTheInstalledFolder) {
  Parsed p = parse({});
  ASSERT_TRUE(p.ok);
  SaverSettings windows;
  windows.setDefaults();
  for (const ProductValue& v : kProductValues) {
    EXPECT_EQ(p.options.settings.*v.field, windows.*v.field) << v.name;
  }
  EXPECT_STREQ(p.options.settings.directory, "/usr/share/zorbel");
  EXPECT_EQ(p.options.settings.scale, 0u);
  EXPECT_EQ(p.options.target, DrawTarget::OwnWindow);
}

TEST(LinuxOptions, EveryRegistryValueHasItsOption) {
  // Each value once, with one or two dashes, set to a value that is not
  // its default.
  std::vector<std::string> words;
  for (const ProductValue& v : kProductValues) {
    std::string name = optionName(v.name);
    bool flag = name.rfind("use-", 0) == 0 || name == "display-logo";
    words.push_back((words.size() % 4 == 0 ? "--" : "-") + name);
    words.push_back(flag ? (name == "use-sound" ? "1" : "0") : "4294967295");
  }
  std::vector<const char*> args;
  for (const std::string& w : words) args.push_back(w.c_str());
  Parsed p = parse(args);
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.settings.timeDelay, 4294967295u);
  EXPECT_EQ(p.options.settings.perToasty, 4294967295u);
  EXPECT_EQ(p.options.settings.useSound, 1u);
  EXPECT_EQ(p.options.settings.useZB, 0u);
  EXPECT_EQ(p.options.settings.displayLogo, 0u);
  EXPECT_EQ(optionName("Per ZB"), "per-zb");
  EXPECT_EQ(optionName("Logo Frames"), "logo-frames");
}

TEST(LinuxOptions, TargetsFolderScaleAndGeometry) {
  Parsed p =
      parse({"--root", "-directory", "/tmp/comics", "-scale", "3", "-geometry", "640x480+10-5"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.target, DrawTarget::Root);
  EXPECT_STREQ(p.options.settings.directory, "/tmp/comics");
  EXPECT_EQ(p.options.settings.scale, 3u);
  EXPECT_EQ(p.options.width, 640);
  EXPECT_EQ(p.options.height, 480);

  p = parse({"-window-id", "0x1a00003"});
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.options.target, DrawTarget::WindowId);
  EXPECT_EQ(p.options.windowId, 0x1a00003ul);
  p = parse({"-window-id", "4194307"});
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.options.windowId, 4194307ul);

  p = parse({"-time-delay", "x", "--help"});
  EXPECT_FALSE(p.ok);  // read in order: the bad value comes first
  p = parse({"--help", "-nonsense"});
  EXPECT_TRUE(p.ok);
  EXPECT_TRUE(p.options.help);
  EXPECT_NE(usageText("zorbel").find("-per-toasty N"), std::string::npos);
}

TEST(LinuxOptions, BadLinesSayWhatIsWrongInOneLine) {
  struct Case {
    std::vector<const char*> args;
    const char* says;
  } cases[] = {
      {{"-fps"}, "unknown option -fps"},
      {{"comics"}, "unexpected argument comics"},
      {{"-time-delay"}, "-time-delay needs a value"},
      {{"-time-delay", "-5"}, "not a whole number"},
      {{"-per-zb", "4294967296"}, "not a whole number"},
      {{"-per-zb", ""}, "not a whole number"},
      {{"-use-zb", "2"}, "not 0 or 1"},
      {{"-display-logo", "yes"}, "not 0 or 1"},
      {{"-scale", "9"}, "from 1 to 8"},
      {{"-window-id", "0"}, "window number"},
      {{"-window-id", "0x"}, "window number"},
      {{"-window-id", "0x20000000"}, "window number"},
      {{"-window-id", "12ab"}, "window number"},
      {{"-geometry", "640"}, "a size WxH"},
      {{"-geometry", "0x480"}, "a size WxH"},
      {{"-geometry", "640x480+1"}, "a size WxH"},
      {{"-geometry", "40000x480"}, "a size WxH"},
      {{"-directory", ""}, "1 to 255 characters"},
  };
  for (const Case& c : cases) {
    Parsed p = parse(c.args);
    EXPECT_FALSE(p.ok) << c.says;
    EXPECT_NE(p.error.find(c.says), std::string::npos) << p.error;
    EXPECT_EQ(p.error.find('\n'), std::string::npos) << p.error;
  }
  std::string longFolder(256, 'a');
  EXPECT_FALSE(parse({"-directory", longFolder.c_str()}).ok);
  longFolder.pop_back();
  EXPECT_TRUE(parse({"-directory", longFolder.c_str()}).ok);
}

TEST(LinuxPaths, LogFolderFollowsTheXdgRule) {
  EXPECT_EQ(userpaths::logFolder("/var/state/", "/home/ann"), "/var/state/zorbel");
  // Unset or relative: ignored, as the XDG rule says.
  EXPECT_EQ(userpaths::logFolder(nullptr, "/home/ann"), "/home/ann/.local/state/zorbel");
  EXPECT_EQ(userpaths::logFolder("state", "/home/ann/"), "/home/ann/.local/state/zorbel");
  EXPECT_EQ(userpaths::logFolder("", nullptr), "");
}

TEST(LinuxPaths, ScreenshotsGoUnderThePicturesFolder) {
  EXPECT_EQ(userpaths::screenshotFolder("/home/ann/Bilder\n", "/home/ann"),
            "/home/ann/Bilder/Zorbel Screensaver");
  // The tool answers with the home folder when no pictures folder is set.
  EXPECT_EQ(userpaths::screenshotFolder("/home/ann\n", "/home/ann"),
            "/home/ann/Pictures/Zorbel Screensaver");
  EXPECT_EQ(userpaths::screenshotFolder("", "/home/ann"), "/home/ann/Pictures/Zorbel Screensaver");
  EXPECT_EQ(userpaths::screenshotFolder("", nullptr), "");
}
