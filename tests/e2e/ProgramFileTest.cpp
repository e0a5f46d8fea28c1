// The program file itself: its version block, icon and test image.
#include <gtest/gtest.h>

#include <vector>

#include "resources/resource.h"
#include "tests/e2e/RunningBrennick.h"

namespace brennick::e2e {
namespace {

std::string VersionString(const std::vector<char>& block, const char* key) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040704B0\\") + key;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || value == nullptr) return "<missing>";
    return static_cast<const char*>(value);
}

TEST(ProgramFile, VersionBlockNamesTheProgramInGerman) {
    const std::string path = ProgramPath();
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), nullptr);
    ASSERT_GT(size, 0u) << path;
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(11, 0));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(11, 0));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    EXPECT_EQ(VersionString(block, "ProductName"), "Brennick");
    EXPECT_EQ(VersionString(block, "FileVersion"), "1.00.0011");
    EXPECT_EQ(VersionString(block, "ProductVersion"), "1.00.0011");
    EXPECT_EQ(VersionString(block, "InternalName"), "Brennick");
    EXPECT_EQ(VersionString(block, "OriginalFilename"), "Brennick.exe");
    EXPECT_NE(VersionString(block, "CompanyName"), "<missing>");

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0407);
    EXPECT_EQ(translation[1], 1200);
}

#pragma pack(push, 2)
struct IconDirectoryEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
struct IconDirectory {
    WORD reserved;
    WORD type;
    WORD count;
    IconDirectoryEntry entries[1];
};
#pragma pack(pop)

// A module loaded as data only, freed on destruction.
class DataModule {
public:
    explicit DataModule(const std::string& path)
        : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~DataModule() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;
    HMODULE Get() const { return module_; }

private:
    HMODULE module_;
};

TEST(ProgramFile, CarriesTheIconInThreeImagesAndTheTestImage) {
    const DataModule module(ProgramPath());
    ASSERT_NE(module.Get(), nullptr);

    const HRSRC group = FindResourceA(module.Get(), MAKEINTRESOURCEA(IDI_BRENNICK), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const IconDirectory*>(LockResource(LoadResource(module.Get(), group)));
    ASSERT_NE(directory, nullptr);
    ASSERT_EQ(directory->count, 3);
    std::vector<std::pair<int, int>> images;  // size, bits per pixel
    for (int i = 0; i < directory->count; ++i) {
        const IconDirectoryEntry& entry = directory->entries[i];
        EXPECT_EQ(entry.width, entry.height);
        images.emplace_back(entry.width, entry.bitCount);
    }
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{{16, 4}, {32, 1}, {32, 4}}));

    const HRSRC image = FindResourceA(module.Get(), MAKEINTRESOURCEA(IDB_TRIAL), MAKEINTRESOURCEA(2));  // RT_BITMAP
    ASSERT_NE(image, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module.Get(), image)));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->biWidth, 200);
    EXPECT_EQ(std::abs(header->biHeight), 36);
}

}  // namespace
}  // namespace brennick::e2e
