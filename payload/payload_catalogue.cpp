#include "payload/payload_catalogue.h"

#include <iterator>

#include "payload_embedded.h"

namespace tovak {
namespace {

constexpr bool SameName(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}

// The size of the embedded file with this id and name; a mismatch with the build's list of files
// stops the compilation.
constexpr std::int32_t EmbeddedSize(int id, const char* name) {
  for (const embedded::File& file : embedded::kFiles) {
    if (file.id == id && SameName(file.name, name)) return file.size;
  }
  throw "the catalogue and the embedded files disagree";
}

static_assert(std::size(embedded::kFiles) == kPayloadFileCount);

constexpr PayloadFile Row(int id, const char* name, PayloadDestination destination,
                          std::int32_t tokenOffset = -1) {
  return {id, name, destination, EmbeddedSize(id, name), tokenOffset};
}

constexpr PayloadDestination kRoot = PayloadDestination::Root;
constexpr PayloadDestination kFolder = PayloadDestination::PayloadFolder;

constexpr Catalogue kCatalogue = {{
    Row(101, "bootfont.bin", kRoot),
    Row(102, "ntldr", kRoot),
    Row(103, "e2fs_stage1_5", kFolder),
    Row(104, "fastfat.sys", kFolder),
    Row(105, "fat_stage1_5", kFolder),
    Row(106, "ffs_stage1_5", kFolder),
    Row(107, "iso9660_stage1_5", kFolder),
    Row(108, "jfs_stage1_5", kFolder),
    Row(109, "memdisk.gz", kFolder),
    Row(110, "menu.lst", kFolder),
    Row(111, "minix_stage1_5", kFolder),
    Row(112, "ntfs_stage1_5", kFolder),
    Row(113, "reiserfs_stage1_5", kFolder),
    Row(114, "stage1", kFolder),
    Row(115, "stage2", kFolder),
    Row(116, "ufs2_stage1_5", kFolder),
    Row(117, "vstafs_stage1_5", kFolder),
    Row(118, "xfs_stage1_5", kFolder),
    Row(119, "qelv.img", kFolder, embedded::kTokenOffset),
    Row(120, "ghost.exe", kFolder),
    Row(121, "g1ldr", kRoot),
}};

}  // namespace

const Catalogue& PayloadCatalogue() { return kCatalogue; }

bool PayloadHasStandIns() { return embedded::kHasStandIns; }

}  // namespace tovak
