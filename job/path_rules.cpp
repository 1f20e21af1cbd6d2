#include "job/path_rules.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "job/job_messages.h"
#include "platform/text_utf8.h"

namespace tovak {
namespace {

// Characters that COMMAND.COM or Ghost's own argument syntax would act on, and the separators a
// DOS path cannot hold; control characters are refused as well.
constexpr const char kDosSpecial[] = " &|<>^%\",*?/";

bool IsDosSpecial(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || (byte != 0 && std::strchr(kDosSpecial, byte) != nullptr);
}

}  // namespace

std::string GetParentFolder(const std::string& path) {
  const std::size_t last = path.find_last_of(":\\");
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

bool NamesImageFile(const std::string& path) {
  return LowerAscii(path).find(".gho") != std::string::npos;
}

ImagePath::ImagePath(const std::string& typed)
    : text(typed),
      drive(typed.substr(0, 2)),  // the drive letter and colon are one byte each
      // A path shorter than two characters has no drive to drop either: it gets the root as well.
      fromRoot(CountCharacters(typed) <= 3 ? "\\" : typed.substr(2)),
      namesFile(NamesImageFile(typed)),
      fileFromRoot(fromRoot) {
  if (!namesFile) {
    if (fileFromRoot.back() != '\\') fileFromRoot += '\\';
    fileFromRoot += "Nusk.gho";
  }
  file = drive + fileFromRoot;
  folder = namesFile ? GetParentFolder(typed) : typed;
  if (folder.size() == 2) folder += "\\";
}

bool OnSystemDrive(const ImagePath& image, const std::string& root) {
  return image.drive.size() == 2 && LowerAscii(image.drive) == LowerAscii(root.substr(0, 2));
}

std::string PathRefusal(const std::string& path, AnsiText& text) {
  if (path.empty()) return messages::kEmptyPath;
  const bool drive = path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                     path[1] == ':' && (path.size() == 2 || path[2] == '\\');
  if (!drive) return messages::kNoDrive;
  for (std::size_t at = 0; at < path.size();) {
    const std::size_t length = std::min(CharacterLength(path[at]), path.size() - at);
    const std::string character = path.substr(at, length);
    at += length;
    if (length == 1) {
      if (IsDosSpecial(character[0])) return messages::kBadCharacter;
      continue;
    }
    std::string ansi;
    if (!text.ToAnsi(character, ansi)) return messages::kNoAnsiForm;
    // A double-byte character whose second byte reads as "\" or "|" to DOS programs that do not
    // know double-byte text would cut the path or the command line.
    for (std::size_t i = 1; i < ansi.size(); ++i) {
      const unsigned char byte = ansi[i];
      if (byte == '\\' || IsDosSpecial(byte)) return messages::kDosMisread;
    }
  }
  return std::string();
}

}  // namespace tovak
