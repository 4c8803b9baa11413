// Reads the icon and the version record back from this test program, which
// links the same resources as kestrelwick.exe, through the Windows API.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// The version resource of this very program.
std::vector<std::byte> versionBlock() {
    wchar_t path[MAX_PATH] = {};
    if (GetModuleFileNameW(nullptr, path, MAX_PATH) == 0) {
        return {};
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<std::byte> block(size);
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, block.data())) {
        return {};
    }
    return block;
}

std::wstring versionString(std::vector<std::byte>& block, const std::wstring& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = L"\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || length == 0) {
        return L"(missing)";
    }
    return std::wstring(static_cast<const wchar_t*>(value));
}

TEST(VersionRecord, SaysOnePointZeroZeroInUsEnglish) {
    auto block = versionBlock();
    ASSERT_FALSE(block.empty());

    EXPECT_EQ(versionString(block, L"FileVersion"), L"1.00");
    EXPECT_EQ(versionString(block, L"ProductVersion"), L"1.00");

    struct Translation {
        WORD language;
        WORD codePage;
    };
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, sizeof(Translation));
    const auto* translation = static_cast<const Translation*>(value);
    EXPECT_EQ(translation->language, 0x0409);  // English (United States)
    EXPECT_EQ(translation->codePage, 1200);    // Unicode

    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(MAKELONG(0, 1)));  // 1.0
    EXPECT_EQ(fixed->dwProductVersionMS, DWORD(MAKELONG(0, 1)));
}

// The icon group's directory as resources store it.
#pragma pack(push, 2)
struct IconDirectoryEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
struct IconDirectory {
    WORD reserved;
    WORD type;
    WORD count;
    IconDirectoryEntry entries[1];
};
#pragma pack(pop)

TEST(VersionRecord, IconHasBothImagesAndTheyLoad) {
    const HMODULE self = GetModuleHandleW(nullptr);
    HRSRC group = FindResourceW(self, L"IDI_ICON1", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* directory =
        static_cast<const IconDirectory*>(LockResource(LoadResource(self, group)));
    ASSERT_NE(directory, nullptr);
    ASSERT_EQ(directory->count, 2);

    struct Expected {
        int size;
        WORD bitCount;
    };
    const Expected expected[] = {{16, 8}, {32, 32}};
    for (const Expected& want : expected) {
        SCOPED_TRACE(want.size);
        const IconDirectoryEntry* found = nullptr;
        for (WORD i = 0; i < directory->count; ++i) {
            if (directory->entries[i].width == want.size) {
                found = &directory->entries[i];
            }
        }
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->height, want.size);
        EXPECT_EQ(found->bitCount, want.bitCount);

        // The image itself loads as an icon of its size.
        HRSRC image = FindResourceW(self, MAKEINTRESOURCEW(found->id), MAKEINTRESOURCEW(3));
        ASSERT_NE(image, nullptr);
        auto* bits = static_cast<BYTE*>(LockResource(LoadResource(self, image)));
        HICON icon = CreateIconFromResourceEx(bits, SizeofResource(self, image), TRUE, 0x00030000,
                                              want.size, want.size, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        ASSERT_NE(GetObjectW(info.hbmColor, sizeof bitmap, &bitmap), 0);
        EXPECT_EQ(bitmap.bmWidth, want.size);
        EXPECT_EQ(bitmap.bmHeight, want.size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }

    // The program's icon as the shell loads it, at both sizes.
    for (const int size : {16, 32}) {
        HANDLE icon = LoadImageW(self, L"IDI_ICON1", IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
        EXPECT_NE(icon, nullptr) << size;
        DestroyIcon(static_cast<HICON>(icon));
    }
}

}  // namespace
