#pragma once
#include <string>

// Start-up steps shared by lumivane and lumivane-render.

// Sets glibc's heap thresholds; called first thing in main.
void TuneAllocator();

// Looks up the data folder (see services/DataFolder.h), makes the loaders read
// from it and returns it.
std::string UseDataFolder();
