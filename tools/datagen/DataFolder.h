#pragma once
#include <ostream>
#include <string>
#include <vector>

// Writes the demo's whole data folder into `outdir`: the 64 texture pictures,
// load.png, setup.png, models/*.tri and the soundtrack. `only`, when not
// empty, limits the run to the named assets (file stems such as "sand",
// "gear" or "soundtrack"). Progress and failures go to `log`.
// Returns true when every file was written.
bool GenerateDataFolder(const std::string& outdir, std::ostream& log, const std::vector<std::string>& only = {});

// File name of the soundtrack inside the data folder.
extern const char* const kSoundtrackFile;
