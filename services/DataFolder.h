#pragma once
#include <string>

// Where the demo's pictures, meshes and music are read from. The program's file
// names keep their "data/" prefix (messages name them so); the loaders open
// DataPath(name), which puts the found folder in place of that prefix. The
// working directory is never changed.

// The data folder for a program in `executableFolder` (with a trailing '/', or
// empty when unknown): "data" in the working directory, else "data" beside the
// executable, else "../share/lumivane/data" from it (an installed prefix,
// wherever it was moved). Returns "data" when none of them is a folder, so
// that the loaders report the missing files by their usual names.
std::string FindDataFolder(const std::string& executableFolder);

// The folder of the running program with a trailing '/', or empty when unknown.
std::string ExecutableFolder();

// Makes `folder` the one that DataPath maps to; "data" until it is called.
void SetDataFolder(const std::string& folder);

// The file to open for the program file name `name`: a leading "data/" stands
// for the data folder; any other name comes back as it is.
std::string DataPath(const char* name);
