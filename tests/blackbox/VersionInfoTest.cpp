// The version resource of the built program as Windows reads it (Explorer's properties, the
// installer): the name in Cyrillic, version 0.90.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

class VersionInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string narrow = BRUMELKA_EXE;
    path_.assign(narrow.begin(), narrow.end());  // an ASCII path
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path_.c_str(), &handle);
    ASSERT_NE(size, 0u) << "no version resource, error " << ::GetLastError();
    block_.resize(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path_.c_str(), 0, size, block_.data()));
  }

  // A value of the string table the translation list names first.
  std::wstring StringValue(const std::wstring& name) {
    struct Translation {
      WORD language;
      WORD codePage;
    };
    Translation* translations = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block_.data(), L"\\VarFileInfo\\Translation",
                          reinterpret_cast<void**>(&translations), &length) ||
        length < sizeof(Translation))
      return L"<no translation>";
    wchar_t key[64];
    ::swprintf(key, 64, L"\\StringFileInfo\\%04x%04x\\", translations->language,
               translations->codePage);
    wchar_t* value = nullptr;
    if (!::VerQueryValueW(block_.data(), (key + name).c_str(), reinterpret_cast<void**>(&value),
                          &length) ||
        value == nullptr)
      return L"<missing>";
    return value;
  }

  std::wstring path_;
  std::vector<unsigned char> block_;
};

TEST_F(VersionInfoTest, NamesTheProgramInCyrillicWithVersion090) {
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block_.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(9, 0)) << "0.9";
  EXPECT_EQ(fixed->dwFileVersionLS, 0u) << ".0.0";
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(9, 0));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  // Compared as UTF-16 code units: a wrong code page in the resource script shows here.
  EXPECT_EQ(StringValue(L"ProductName"), L"\u0411\u0440\u0443\u043c\u0435\u043b\u043a\u0430");
  EXPECT_EQ(StringValue(L"FileDescription"), L"\u0411\u0440\u0443\u043c\u0435\u043b\u043a\u0430");
  EXPECT_EQ(StringValue(L"ProductVersion"), L"0.90");
  EXPECT_EQ(StringValue(L"FileVersion"), L"0.90");
  EXPECT_EQ(StringValue(L"OriginalFilename"), L"brumelka.exe");
}

}  // namespace
