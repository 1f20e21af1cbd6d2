// The volumes of the simulation: a tree of folders and files under each drive letter.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "sim/sim_path.h"
#include "sim/sim_windows.h"

namespace tovak::sim {

struct Node {
  std::string name;  // as created; "C:" for a root
  bool folder = false;
  std::uint32_t bits = 0;  // attribute bits other than the folder bit
  std::string bytes;
  bool unflushed = false;  // written since the last flush: a power cut loses it
  std::uint64_t written = 0;  // the last write, as FILETIME counts
  Access access = Access::Open;  // what is made inside inherits it
  Ownership owner = Ownership::Unknown;
  Node* link = nullptr;    // a junction's target: paths through it continue there
  Node* parent = nullptr;
  std::map<std::string, std::unique_ptr<Node>> children;  // by NameKey, the order NTFS lists

  // The word GetFileAttributes reports.
  std::uint32_t Attributes() const;
  char Drive() const;
  std::string FullPath() const;
  bool Contains(const Node& other) const;  // itself or below it
};

// The bits SetFileAttributes can change.
std::uint32_t SettableBits(std::uint32_t attributes);

// Where a path leads: the folder that would hold its last name, and the entry when it exists.
struct Place {
  Node* folder = nullptr;  // null for a root
  Node* node = nullptr;
  std::string name;
  bool trailingBackslash = false;
};

class FileTree {
 public:
  void AddDrive(char letter);
  // 0, or 3 when the drive or a folder on the way is missing (or is a file).
  std::uint32_t Find(const SimPath& path, Place& place) const;
  Node& Add(Node& folder, const std::string& name, bool isFolder);
  void Remove(Node& node);
  // Moves a node under another folder with a new name; the node itself stays where it is in memory.
  void Move(Node& node, Node& folder, const std::string& name);
  std::uint64_t UsedBytes(char drive) const;
  // Every entry below the roots, parents first.
  void Visit(const std::function<void(const Node&)>& visit) const;
  void VisitMutable(const std::function<void(Node&)>& visit);

 private:
  std::map<char, std::unique_ptr<Node>> roots_;
};

}  // namespace tovak::sim
