#pragma once
// The File menu's DXF and ISO exports (dxf_commands.cpp).

namespace velm {

// Registers the DXF and ISO export commands with the main window.
void RegisterExportCommands();

}  // namespace velm
