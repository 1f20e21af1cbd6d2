#include "sim/file_tree.h"

#include "platform/file_system.h"
#include "platform/last_error.h"

namespace tovak::sim {
namespace {

// NTFS reports its root folders as hidden and system.
constexpr std::uint32_t kRootBits = attr::kHidden | attr::kSystem;

constexpr std::uint32_t kTemporary = 0x100;
constexpr std::uint32_t kOffline = 0x1000;
constexpr std::uint32_t kNotContentIndexed = 0x2000;

void VisitBelow(const Node& folder, const std::function<void(const Node&)>& visit) {
  for (const auto& [key, child] : folder.children) {
    visit(*child);
    VisitBelow(*child, visit);
  }
}

void VisitBelowMutable(Node& folder, const std::function<void(Node&)>& visit) {
  for (auto& [key, child] : folder.children) {
    visit(*child);
    VisitBelowMutable(*child, visit);
  }
}

std::uint64_t BytesBelow(const Node& folder) {
  std::uint64_t total = folder.bytes.size();
  for (const auto& [key, child] : folder.children) total += BytesBelow(*child);
  return total;
}

}  // namespace

std::uint32_t Node::Attributes() const {
  if (link) return attr::kDirectory | attr::kReparsePoint | bits;
  if (folder) return attr::kDirectory | bits;
  return bits == 0 ? attr::kNormal : bits;
}

char Node::Drive() const {
  const Node* root = this;
  while (root->parent) root = root->parent;
  return root->name[0];
}

std::string Node::FullPath() const {
  if (!parent) return name + "\\";
  const std::string above = parent->FullPath();
  return above + (above.back() == '\\' ? "" : "\\") + name;
}

bool Node::Contains(const Node& other) const {
  for (const Node* at = &other; at; at = at->parent) {
    if (at == this) return true;
  }
  return false;
}

std::uint32_t SettableBits(std::uint32_t attributes) {
  return attributes & (attr::kReadOnly | attr::kHidden | attr::kSystem | attr::kArchive |
                       kTemporary | kOffline | kNotContentIndexed);
}

void FileTree::AddDrive(char letter) {
  auto& root = roots_[letter];
  if (root) return;
  root = std::make_unique<Node>();
  root->name = std::string(1, letter) + ":";
  root->folder = true;
  root->bits = kRootBits;
}

std::uint32_t FileTree::Find(const SimPath& path, Place& place) const {
  place = Place{};
  auto root = roots_.find(path.drive);
  if (root == roots_.end()) return error::kPathNotFound;
  Node* folder = root->second.get();
  if (path.parts.empty()) {
    place.node = folder;
    return error::kSuccess;
  }
  for (std::size_t i = 0; i + 1 < path.parts.size(); ++i) {
    auto child = folder->children.find(NameKey(path.parts[i]));
    if (child == folder->children.end() || !child->second->folder) return error::kPathNotFound;
    folder = child->second->link ? child->second->link : child->second.get();
  }
  place.folder = folder;
  place.name = path.parts.back();
  place.trailingBackslash = path.trailingBackslash;
  auto entry = folder->children.find(NameKey(place.name));
  if (entry != folder->children.end()) place.node = entry->second.get();
  return error::kSuccess;
}

Node& FileTree::Add(Node& folder, const std::string& name, bool isFolder) {
  auto node = std::make_unique<Node>();
  node->name = name;
  node->folder = isFolder;
  node->bits = isFolder ? 0 : attr::kArchive;
  node->access = folder.access;
  node->parent = &folder;
  Node& added = *node;
  folder.children[NameKey(name)] = std::move(node);
  return added;
}

void FileTree::Remove(Node& node) { node.parent->children.erase(NameKey(node.name)); }

void FileTree::Move(Node& node, Node& folder, const std::string& name) {
  auto& siblings = node.parent->children;
  auto held = siblings.find(NameKey(node.name));
  std::unique_ptr<Node> moving = std::move(held->second);
  siblings.erase(held);
  moving->name = name;
  moving->parent = &folder;
  folder.children[NameKey(name)] = std::move(moving);
}

std::uint64_t FileTree::UsedBytes(char drive) const {
  auto root = roots_.find(drive);
  return root == roots_.end() ? 0 : BytesBelow(*root->second);
}

void FileTree::Visit(const std::function<void(const Node&)>& visit) const {
  for (const auto& [letter, root] : roots_) VisitBelow(*root, visit);
}

void FileTree::VisitMutable(const std::function<void(Node&)>& visit) {
  for (auto& [letter, root] : roots_) VisitBelowMutable(*root, visit);
}

}  // namespace tovak::sim
