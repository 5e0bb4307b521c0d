// Files on Linux and macOS: pread at the offset asked for, so readers on
// several threads never share a file position.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>

#include "engine/platform_file.h"

namespace tessel::platform {

struct InputFile {
  int descriptor;
};

InputFile* OpenInputFile(const std::string& path, std::int64_t& size) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  struct stat info {};
  if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(descriptor);
    return nullptr;
  }
  size = static_cast<std::int64_t>(info.st_size);
  return new InputFile{descriptor};
}

void CloseInputFile(InputFile* file) {
  if (file == nullptr) return;
  ::close(file->descriptor);
  delete file;
}

std::size_t ReadInputFile(InputFile* file, std::int64_t offset, void* buffer, std::size_t count, int& error) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got =
        ::pread(file->descriptor, static_cast<char*>(buffer) + done, count - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error = errno != 0 ? errno : EIO;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

char PathSeparator() { return '/'; }

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
  DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return {};
  const auto sameButCase = [&](const char* candidate) {
    std::size_t i = 0;
    for (; candidate[i] != '\0' && i < name.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(candidate[i])) != std::tolower(static_cast<unsigned char>(name[i])))
        return false;
    return candidate[i] == '\0' && i == name.size();
  };
  std::string found;
  while (const dirent* entry = ::readdir(listing)) {
    if (!sameButCase(entry->d_name) || (!found.empty() && found < entry->d_name)) continue;
    if (IsRegularFile(folder.empty() ? std::string(entry->d_name) : folder + "/" + entry->d_name))
      found = entry->d_name;
  }
  ::closedir(listing);
  return found;
}

}  // namespace tessel::platform
