#include "moving/folder_search.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "export/file_system.h"

namespace tessel::moving {
using exporting::FolderEntry;
using exporting::FolderId;
using exporting::IdentifyFolder;
using exporting::KindOf;
using exporting::ListFolder;
using exporting::NameWithoutExtension;
using exporting::PathKind;

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string ExtensionOf(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : Lower(name.substr(dot + 1));
}

std::string RelativeJoin(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : folder + "/" + name;
}

// A folder to search: its path, and its path from the searched folder.
struct Pending {
  std::string path;
  std::string relative;
};

class Search {
 public:
  explicit Search(FolderSearch& result) : result_(result) {}

  // Searches `root` and every folder under it, then what links lead to that
  // was not reached otherwise: real folders first, so that a link never takes
  // a folder's place in the names.
  void Run(const std::string& root) {
    Visit({root, ""});
    for (std::size_t i = 0; i < links_.size(); ++i) {
      const Pending link = links_[i];
      FolderId id;
      const auto seen = IdentifyFolder(link.path, id) ? visited_.find(id) : visited_.end();
      if (seen != visited_.end()) {
        result_.linksNotFollowed.push_back({link.path, "leads to a folder searched already"});
      } else {
        Visit(link);
      }
    }
  }

 private:
  void Visit(const Pending& folder) {
    FolderId id;
    if (IdentifyFolder(folder.path, id) && !visited_.insert(id).second) {
      result_.linksNotFollowed.push_back({folder.path, "leads to a folder searched already"});
      return;
    }
    std::vector<FolderEntry> entries;
    std::string cause;
    if (!ListFolder(folder.path, entries, cause)) {
      result_.unreadable.push_back({folder.path, cause});
      return;
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    // Stores that an index in this folder already brings.
    std::set<std::string> indexed;
    for (const FolderEntry& entry : entries) {
      if (entry.kind == PathKind::kFile && ExtensionOf(entry.name) == "imh") {
        indexed.insert(Lower(NameWithoutExtension(entry.name)));
      }
    }
    for (const FolderEntry& entry : entries) {
      const std::string path = JoinPath(folder.path, entry.name);
      const std::string extension = ExtensionOf(entry.name);
      const bool ours = extension == "imb" || extension == "imh" || extension == "imm";
      if (entry.kind == PathKind::kMissing && (ours || !entry.link)) {
        // A dangling link to something that is not ours is no loss.
        result_.unreadable.push_back({path, entry.cause});
        continue;
      }
      if (entry.kind == PathKind::kOther && ours) {
        // A device or a pipe of our name: reading it could wait for ever.
        result_.unreadable.push_back({path, "not a regular file"});
        continue;
      }
      if (entry.kind != PathKind::kFile || !ours) continue;
      if (extension == "imm" && indexed.count(Lower(NameWithoutExtension(entry.name))) > 0) continue;
      FoundFile found{ResolveChosenFile(path), RelativeJoin(folder.relative, entry.name)};
      found.storeMissing = found.file.kind == FileKind::kIndex && KindOf(found.file.storePath) != PathKind::kFile;
      result_.files.push_back(std::move(found));
    }
    for (const FolderEntry& entry : entries) {
      if (entry.kind != PathKind::kFolder) continue;
      const Pending sub{JoinPath(folder.path, entry.name), RelativeJoin(folder.relative, entry.name)};
      if (entry.link) {
        links_.push_back(sub);
      } else {
        Visit(sub);
      }
    }
  }

  FolderSearch& result_;
  std::set<FolderId> visited_;
  std::vector<Pending> links_;
};

}  // namespace

FolderSearch SearchFolder(const std::string& folder) {
  FolderSearch result;
  Search(result).Run(folder);
  return result;
}

std::string OutputStem(const std::string& relativePath) {
  std::string stem;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = relativePath.find('/', start);
    const std::string part = relativePath.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    if (slash == std::string::npos) {
      stem += NameWithoutExtension(part);
      return stem;
    }
    stem += part + " - ";
    start = slash + 1;
  }
}

}  // namespace tessel::moving
