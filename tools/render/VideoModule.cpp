#include <dlfcn.h>

#include "services/DataFolder.h"
#include "tools/render/VideoSink.h"

std::unique_ptr<VideoSink> LoadVideoCapture(const CaptureOptions& options, std::string& error) {
  const std::string folder = ExecutableFolder();
  void* module = nullptr;
  std::string tried;
  // Beside the program in the build tree; installed, in the library folder
  // of the same prefix (bin/ or games/ and lib/ sit side by side).
  for (const std::string& path :
       {folder + "lumivane-video.so", folder + "../" LUMIVANE_MODULE_DIR "/lumivane-video.so"}) {
    module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module) break;
    const char* why = dlerror();
    tried += "\n  " + (why ? std::string(why) : path);
  }
  if (!module) {
    error = "cannot load the video module:" + tried;
    return nullptr;
  }
  // Kept loaded to the end: the capture's code lives in it.
  using Make = VideoSink* (*)(const CaptureOptions*);
  const auto make = reinterpret_cast<Make>(dlsym(module, "lumivane_video_capture"));
  if (!make) {
    error = "the video module has no entry point";
    return nullptr;
  }
  return std::unique_ptr<VideoSink>(make(&options));
}
