// Tovak.exe's own resources, read from the built program beside this test: the icon group, the
// hand cursor, the manifest and the version block.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::wstring TovakExe() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring exe = path;
  return exe.substr(0, exe.rfind(L'\\') + 1) + L"Tovak.exe";
}

class TovakResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = ::LoadLibraryExW(TovakExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << "Tovak.exe is built beside the tests";
  }
  void TearDown() override { ::FreeLibrary(module_); }

  std::string Bytes(int id, LPCWSTR type) {
    HRSRC found = ::FindResourceW(module_, MAKEINTRESOURCEW(id), type);
    if (!found) return std::string();
    const char* data = static_cast<const char*>(::LockResource(::LoadResource(module_, found)));
    return std::string(data, ::SizeofResource(module_, found));
  }

  HMODULE module_ = nullptr;
};

#pragma pack(push, 2)
struct GroupEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bits;
  DWORD bytes;
  WORD id;
};
struct CursorGroupEntry {
  WORD width, height;  // height: colours and mask together
  WORD planes, bits;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST_F(TovakResources, IconGroupOneHoldsTheThreeImages) {
  const std::string group = Bytes(1, MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_EQ(group.size(), 6 + 3 * sizeof(GroupEntry));
  struct Want {
    int size, colours, bits, id;
  } wants[] = {{32, 2, 1, 30001}, {32, 16, 4, 30002}, {16, 16, 4, 30003}};
  for (int i = 0; i < 3; ++i) {
    GroupEntry entry;
    std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
    const Want& want = wants[i];
    EXPECT_EQ(entry.width, want.size);
    EXPECT_EQ(entry.height, want.size);
    EXPECT_EQ(entry.colours, want.colours);
    EXPECT_EQ(entry.bits, want.bits);
    EXPECT_EQ(entry.id, want.id);
    const std::string image = Bytes(want.id, MAKEINTRESOURCEW(3));  // RT_ICON
    ASSERT_EQ(image.size(), entry.bytes) << want.id;
    BITMAPINFOHEADER header;
    std::memcpy(&header, image.data(), sizeof header);
    EXPECT_EQ(header.biWidth, want.size);
    EXPECT_EQ(header.biHeight, 2 * want.size);
    EXPECT_EQ(header.biBitCount, want.bits);
  }
}

TEST_F(TovakResources, TheHandCursorPointsWithItsFingertipAt7And1) {
  const std::string group = Bytes(1, MAKEINTRESOURCEW(12));  // RT_GROUP_CURSOR
  ASSERT_EQ(group.size(), 6 + sizeof(CursorGroupEntry));
  CursorGroupEntry entry;
  std::memcpy(&entry, group.data() + 6, sizeof entry);
  EXPECT_EQ(entry.width, 32);
  EXPECT_EQ(entry.height, 64);
  EXPECT_EQ(entry.bits, 1);
  const std::string image = Bytes(entry.id, MAKEINTRESOURCEW(1));  // RT_CURSOR
  ASSERT_EQ(image.size(), entry.bytes);
  WORD hotSpot[2];
  std::memcpy(hotSpot, image.data(), sizeof hotSpot);
  EXPECT_EQ(hotSpot[0], 7);
  EXPECT_EQ(hotSpot[1], 1);
  // The mask's bit at the hot spot is clear: the pixel is drawn, not the screen behind it.
  const std::size_t rowBytes = 4, rows = 32;
  const std::size_t maskStart = 4 + sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD) + rows * rowBytes;
  const unsigned char maskByte = image[maskStart + (rows - 1 - 1) * rowBytes + 7 / 8];
  EXPECT_FALSE(maskByte & (0x80 >> 7));
}

TEST_F(TovakResources, TheManifestAsksForCommonControls6OfThisProcessor) {
  const std::string manifest = Bytes(1, MAKEINTRESOURCEW(24));
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(manifest.find("publicKeyToken=\"6595b64144ccf1df\" language=\"*\""),
            std::string::npos);
#ifdef _WIN64
  EXPECT_NE(manifest.find("processorArchitecture=\"amd64\""), std::string::npos);
#else
  EXPECT_NE(manifest.find("processorArchitecture=\"X86\""), std::string::npos);
#endif
}

TEST_F(TovakResources, TheVersionBlockIsChinesePrc) {
  const std::wstring exe = TovakExe();
  DWORD ignored = 0;
  std::string block(::GetFileVersionInfoSizeW(exe.c_str(), &ignored), '\0');
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), &block[0]));
  WORD* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x0804);
  EXPECT_EQ(translation[1], 1200);
  const std::pair<const wchar_t*, const wchar_t*> values[] = {
      {L"ProductName", L"备份还原工具"},
      {L"FileDescription", L"一个支持从WINDOWS下按一下“确定”就能自动备份还原系统的工具"},
      {L"FileVersion", L"1.00"},
      {L"ProductVersion", L"1.00"},
      {L"InternalName", L"Tovak"},
      {L"OriginalFilename", L"Tovak.exe"},
      {L"CompanyName", L"WWW.TOVAK.NET"},
  };
  for (const auto& [name, want] : values) {
    wchar_t* value = nullptr;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
    ASSERT_TRUE(::VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value),
                                 &length))
        << static_cast<int>(key.size());
    EXPECT_STREQ(value, want);
  }
}

}  // namespace
