// The rig's look at the machine's files and at the settings file.

#include <algorithm>

#include "app/core/Locations.h"
#include "platform/profile/private_profile.h"
#include "tests/support/form_access.h"
#include "tests/support/program_rig.h"

namespace testing_support {

std::filesystem::path ProgramRig::host(const std::string& winPath) const {
  return machine->resolve(winPath).host;
}

bool ProgramRig::exists(const std::string& winPath) const {
  return files->exists(winPath);
}

std::string ProgramRig::read(const std::string& winPath) const {
  return readFile(host(winPath));
}

void ProgramRig::write(const std::string& winPath, const std::string& bytes) const {
  const size_t slash = winPath.find_last_of('\\');
  if (slash != std::string::npos && slash > 2)
    form_access::createDirectories(*form, winPath.substr(0, slash));
  platform::FileHandle out = files->createFile(winPath, platform::kGenericWrite, 0,
                                               platform::CreationDisposition::CreateAlways);
  out.write(bytes.data(), bytes.size());
  out.close();
}

void ProgramRig::writeOnHost(const std::string& winPath, const std::string& bytes) const {
  writeFile(host(winPath), bytes);
}

void ProgramRig::writeFileOfSize(const std::string& winPath, size_t size) const {
  writeOnHost(winPath, std::string(size, 'r'));
}

std::vector<std::string> ProgramRig::list(const std::string& winFolder) const {
  std::vector<std::string> names;
  for (const platform::FindData& entry : files->findAll(corvasta::CheckPath(winFolder) + "*.*"))
    if (entry.name != "." && entry.name != "..") names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  return names;
}

std::string ProgramRig::setting(const std::string& section, const std::string& key) const {
  return profileString(form_access::settingsFile(*form), section, key);
}

void ProgramRig::setSetting(const std::string& section, const std::string& key,
                            const std::string& value) {
  platform::writePrivateProfileString(*machine, section, key, value,
                                      form_access::settingsFile(*form));
}

std::string ProgramRig::settingsText() const {
  return read(form_access::settingsFile(*form));
}

void ProgramRig::writeSettings(const std::string& text) {
  writeOnHost(form_access::settingsFile(*form), text);
}

void ProgramRig::addSettings(const std::string& text) {
  const std::string settings = form_access::settingsFile(*form);
  write(settings, (exists(settings) ? read(settings) : std::string()) + text);
}

std::string ProgramRig::profileString(const std::string& file, const std::string& section,
                                      const std::string& key) const {
  return platform::getPrivateProfileString(*machine, section, key, "@", file);
}

}  // namespace testing_support
