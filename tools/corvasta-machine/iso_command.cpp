#include <iostream>
#include <memory>
#include <optional>

#include "cdengine/ImageFileDrive.h"
#include "cdengine/IsoImage.h"
#include "platform/core/errors.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "tools/corvasta-machine/tool_command.h"

namespace tool {
namespace {

struct IsoArguments {
  std::string machine;
  std::string folder;
  std::string image;
  uint32_t start = 0;
  std::optional<uint32_t> importFrom;
  std::string volume = "Corvasta";
};

uint32_t parseSector(const std::string& option, const std::string& text) {
  size_t used = 0;
  unsigned long value = 0;
  try {
    value = std::stoul(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || text.empty() || value > 0xFFFFFFFFul)
    throw UsageError(option + " needs a sector number, not '" + text + "'");
  return static_cast<uint32_t>(value);
}

IsoArguments parseIsoArguments(const std::vector<std::string>& args) {
  IsoArguments parsed;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takesValue = arg == "--start" || arg == "--import" || arg == "--volume";
    if (!takesValue) {
      if (arg.rfind("--", 0) == 0) throw UsageError("unknown option '" + arg + "'");
      positional.push_back(arg);
      continue;
    }
    if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
    const std::string& value = args[++i];
    if (arg == "--start") parsed.start = parseSector(arg, value);
    if (arg == "--import") parsed.importFrom = parseSector(arg, value);
    if (arg == "--volume") parsed.volume = value;
  }
  requireArgumentCount(positional, 3);
  parsed.machine = positional[0];
  parsed.folder = positional[1];
  parsed.image = positional[2];
  while (parsed.folder.size() > 3 && parsed.folder.back() == '\\') parsed.folder.pop_back();
  return parsed;
}

// Enters the machine folder's tree below `folder` into the image directory
// `directory`; prints each file refused and why. Returns the number refused.
int enterTree(cdengine::IsoImage& image, platform::FileSystem& files, const std::string& folder,
              const std::string& directory, std::string& lastMessage) {
  int refused = 0;
  const std::string base = folder.back() == '\\' ? folder : folder + "\\";
  for (const platform::FindData& entry : files.findAll(base + "*")) {
    if (entry.name == "." || entry.name == "..") continue;
    const std::string source = base + entry.name;
    const std::string target = directory + "\\" + entry.name;
    if (entry.attributes & platform::kAttributeDirectory) {
      lastMessage.clear();
      if (image.CreateDir(target) == nullptr) {
        std::cout << "refused " << source << ": "
                  << (lastMessage.empty() ? "the folder cannot be entered" : lastMessage) << "\n";
        ++refused;
        continue;
      }
      refused += enterTree(image, files, source, target, lastMessage);
      continue;
    }
    lastMessage.clear();
    const int result = image.AddFile(directory.empty() ? "\\" : directory, source, false);
    if (result == 1) continue;
    std::string reason = lastMessage;
    if (reason.empty())
      reason = result < 0 ? "the file cannot be found" : "its name cannot be stored on the disc";
    std::cout << "refused " << source << ": " << reason << "\n";
    ++refused;
  }
  return refused;
}

int runIso(const std::vector<std::string>& args) {
  const IsoArguments parsed = parseIsoArguments(args);
  auto machine = platform::Machine::open(parsed.machine);
  platform::FileSystem files(*machine);
  if (!files.directoryExists(parsed.folder))
    throw corvasta::Error("The folder " + parsed.folder + " does not exist on the machine.");

  std::unique_ptr<cdengine::ImageFileDrive> drive;
  if (parsed.importFrom) {
    if (!std::filesystem::exists(parsed.image))
      throw corvasta::Error("The image " + parsed.image + " does not exist.");
    drive = std::make_unique<cdengine::ImageFileDrive>(parsed.image,
                                                       std::vector<uint32_t>{*parsed.importFrom});
  }
  cdengine::IsoImage image(files, drive.get());
  std::string lastMessage;
  image.OnDebugMessage = [&](const std::string& text, cdengine::DebugType type) {
    if (type != cdengine::DebugType::Info) lastMessage = text;
  };
  image.JolietFileSystem = true;
  image.ReplaceFile = true;
  image.ids.volume = parsed.volume;
  image.ids.preparer = "Corvasta";
  image.ClearImage(65535, 8191);
  if (parsed.importFrom && !image.ImportSession(1)) {
    throw corvasta::Error("No session starts at sector " + std::to_string(*parsed.importFrom) +
                          " of " + parsed.image + (lastMessage.empty() ? "" : ": " + lastMessage));
  }
  const int refused = enterTree(image, files, parsed.folder, "", lastMessage);
  image.PrepareImage(!drive, parsed.start);
  image.writeSession(parsed.image);
  std::cout << "session at " << image.layout().start << ", " << image.TrackSize() << " sectors\n";
  return refused == 0 ? 0 : 1;
}

}  // namespace

ToolCommand isoCommand() {
  return {"iso", "DIR WINPATH IMAGE [--start N] [--import START] [--volume TEXT]",
          "Writes one CD session (ISO 9660 with Joliet names) holding the machine folder WINPATH "
          "into the image file IMAGE at sector N; with --import, after the end of IMAGE and "
          "holding the session that starts at START as well.",
          runIso};
}

}  // namespace tool
