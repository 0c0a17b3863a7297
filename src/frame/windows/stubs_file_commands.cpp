// Stand-ins until the file commands arrive; removed with their arrival.
#include "frame/windows/file_commands.h"

namespace velm {
void DispatchFileCommand(int) {}
bool OpenDataFile(std::string&) { return false; }
void SaveDataFile(const std::string&) {}
void RefreshRecentMenu() {}
}  // namespace velm
