#include <gtest/gtest.h>

#include <string>

#include "win32/shell/command_line.h"

namespace {

ParsedCommandLine parse(const std::string& line) { return parseCommandLine(line.c_str()); }

void expectMode(const std::string& line, SaverMode mode, TargetKind target, int32_t number = 0) {
  ParsedCommandLine p = parse(line);
  EXPECT_EQ(p.mode, mode) << "line: [" << line << "]";
  EXPECT_EQ(p.target, target) << "line: [" << line << "]";
  if (target == TargetKind::Number) {
    EXPECT_EQ(p.windowNumber, number) << "line: [" << line << "]";
  }
}

const std::string kPath = "C:\\windows\\zorbel.scr";
const std::string kQuoted = "\"C:\\Program Files\\Zorbel\\zorbel.scr\"";

}  // namespace

TEST(CommandLine, EmptyArgumentsConfigureWithoutOwner) {
  expectMode(kPath, SaverMode::Configure, TargetKind::Null);
  expectMode(kQuoted, SaverMode::Configure, TargetKind::Null);
  expectMode(kPath + "   ", SaverMode::Configure, TargetKind::Null);
  expectMode("", SaverMode::Configure, TargetKind::Null);
  expectMode("\"unterminated path with spaces", SaverMode::Configure, TargetKind::Null);
  EXPECT_EQ(parseCommandLine(nullptr).mode, SaverMode::Configure);
}

TEST(CommandLine, ConfigureOwners) {
  expectMode(kPath + " /c", SaverMode::Configure, TargetKind::Foreground);
  expectMode(kPath + " /c: ", SaverMode::Configure, TargetKind::Foreground);
  expectMode(kPath + " /c:1234", SaverMode::Configure, TargetKind::Number, 1234);
  expectMode(kPath + " /c 1234", SaverMode::Configure, TargetKind::Number, 1234);
  expectMode(kPath + " -c1234", SaverMode::Configure, TargetKind::Number, 1234);
  expectMode(kPath + " /config", SaverMode::Configure, TargetKind::Null);
  expectMode(kPath + " /C:\t77", SaverMode::Configure, TargetKind::Number, 77);
}

TEST(CommandLine, FullScreenForms) {
  for (const char* arg : {" /s", " -S", " s", " /screensaver", "  /s", " /s 999 junk"}) {
    expectMode(kPath + arg, SaverMode::FullScreen, TargetKind::Null);
  }
  expectMode(kQuoted + " /s", SaverMode::FullScreen, TargetKind::Null);
  expectMode(kQuoted + "/s", SaverMode::FullScreen, TargetKind::Null);
}

TEST(CommandLine, PreviewForms) {
  for (const char* arg : {" /p 5678", " /p:5678", " /l 5678", " -P5678", " /L::  5678"}) {
    expectMode(kPath + arg, SaverMode::Preview, TargetKind::Number, 5678);
  }
  expectMode(kPath + " /p scrprev", SaverMode::Preview, TargetKind::PreviewTool);
  expectMode(kPath + " /p:SCRPREV", SaverMode::Preview, TargetKind::PreviewTool);
  expectMode(kPath + " /p ScrPrev", SaverMode::Preview, TargetKind::PreviewTool);
  expectMode(kPath + " /p Scrprev", SaverMode::Preview, TargetKind::Null);
  expectMode(kPath + " /p scrprev more", SaverMode::Preview, TargetKind::Null);
  expectMode(kPath + " /p", SaverMode::Preview, TargetKind::Null);
}

TEST(CommandLine, ChangePassword) {
  expectMode(kPath + " /a 42", SaverMode::ChangePassword, TargetKind::Number, 42);
  expectMode(kPath + " /a", SaverMode::ChangePassword, TargetKind::Null);
  expectMode(kPath + " A:42", SaverMode::ChangePassword, TargetKind::Number, 42);
}

TEST(CommandLine, UnrecognisedRunsNothing) {
  for (const char* arg : {" /x", " //s", " \t/s", " /1", " /", " -"}) {
    expectMode(kPath + arg, SaverMode::None, TargetKind::Null);
  }
  // A tab does not end an unquoted path: one long path, so Configure.
  expectMode(kPath + "\t/s", SaverMode::Configure, TargetKind::Null);
}

TEST(CommandLine, NumberRule) {
  EXPECT_EQ(atoiRule("  -12x"), -12);
  EXPECT_EQ(atoiRule("+7"), 7);
  EXPECT_EQ(atoiRule("abc"), 0);
  EXPECT_EQ(atoiRule("- 5"), 0);
  EXPECT_EQ(atoiRule("4294967295"), -1);  // wraps in 32 bits
  EXPECT_EQ(atoiRule("2147483648"), INT32_MIN);
  // Forty digits: a defined 32-bit result, no overflow.
  EXPECT_EQ(atoiRule("1234567890123456789012345678901234567890"),
            static_cast<int32_t>(static_cast<uint32_t>(0xCE3F0AD2u)));
  expectMode(kPath + " /p -5", SaverMode::Preview, TargetKind::Number, -5);
}

TEST(CommandLine, VeryLongLinesParse) {
  std::string longPath(100000, 'x');
  expectMode(longPath + " /s", SaverMode::FullScreen, TargetKind::Null);
  expectMode(kPath + " /c " + std::string(100000, '9'), SaverMode::Configure, TargetKind::Number,
             atoiRule(std::string(100000, '9').c_str()));
}
