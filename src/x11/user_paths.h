// Where the Linux saver writes: the log under the XDG state folder and the
// screenshots under the user's pictures folder. The data folder is never
// written (it is read-only when installed). No X11 here.
#pragma once

#include <string>

namespace userpaths {

// $XDG_STATE_HOME/zorbel, or ~/.local/state/zorbel when that is unset or
// not absolute (the XDG rule). Empty when there is no home either.
std::string logFolder(const char* xdgStateHome, const char* home);

// The answer of "xdg-user-dir PICTURES" plus "/Zorbel Screensaver". An
// empty answer, or the home folder itself (the tool's answer for a folder
// that is not set), means ~/Pictures.
std::string screenshotFolder(const std::string& xdgUserDirAnswer, const char* home);

// Asks xdg-user-dir; empty when it is missing or says nothing.
std::string askPicturesFolder();

// The log is appended to by every run: past a megabyte it is renamed to
// error.log.old (a copy still writing it goes on in the old one) and the
// next run starts a new one.
void setAsideLargeLog(const std::string& path);

// Makes the folder and its parents; whether it is a folder after.
bool makeFolders(const std::string& path);

}  // namespace userpaths
