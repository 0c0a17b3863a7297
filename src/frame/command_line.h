#pragma once
// The data file named on the command line and the program folder's path.
#include <string>

namespace velm {

// One pair of enclosing double quotes is removed; a relative name is taken
// against `startFolder`, the folder the program was started from (start-up
// changes folder later). The rest of the text is one file name, blanks and
// all. An empty text stays empty.
std::string ResolveCommandLineFile(const std::string& argument, const std::string& startFolder);

// AppDir: the program folder without a trailing "/" (the root gives "").
std::string AppDirOf(const std::string& programFolder);

// The splash wait in seconds: 3, or a shorter wait given by the text of
// VELM_SPLASH_SECONDS (a number from 0 to 3; anything else keeps 3).
double SplashSecondsFrom(const char* environmentValue);

}  // namespace velm
