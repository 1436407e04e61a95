// A page that names a bitmap on a server shows everything else and says nothing, unless the
// reader has set HKEY_CURRENT_USER\Software\velk AllowNetworkBitmaps. Wine takes
// \\host\share\x.bmp to be the prefix's dosdevices\unc\host\share\x.bmp, so a picture put there
// shows whether velk.exe looked for the name, with no network involved. Which names count as
// servers and devices is the unit table of images_test.cpp.

#include "uidriver/paths.h"
#include "uidriver/process.h"
#include "viewer_window.h"
#include "writer/bmp_encoder.h"
#include "writer/document_writer.h"
#include "writer/file_output.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace velk_e2e {
namespace {

constexpr const char* kTitle = "Network Bitmaps";
constexpr const char* kOnServer = "\\\\host\\share\\x.bmp";
constexpr const char* kOptInKey = "Software\\velk";
constexpr const char* kOptInValue = "AllowNetworkBitmaps";
constexpr COLORREF kLocalColour = RGB(200, 10, 10);
constexpr COLORREF kServerColour = RGB(10, 160, 10);
// A one-inch box holds about 9,000 pixels at 100 %, more at the width of the window.
constexpr int kShown = 2000;

std::vector<std::uint8_t> Picture(COLORREF colour) {
    vlkw::RgbImage image;
    image.width = 40;
    image.height = 40;
    image.pixels.assign(40 * 40,
                        vlkw::Colour{GetRValue(colour), GetGValue(colour), GetBValue(colour)});
    return vlkw::EncodeBmp24(image);
}

// Where Wine finds \\host\share; empty outside a prefix the tests know.
std::filesystem::path WineShareFolder() {
    char prefix[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    if (length == 0 || length >= sizeof prefix) {
        return {};
    }
    return uidriver::WindowsPath(std::string(prefix) + "/dosdevices/unc/host/share");
}

// Removes the value, and the key too when nothing else is in it.
void ClearOptIn() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kOptInKey, 0, KEY_SET_VALUE | KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return;
    }
    RegDeleteValueA(key, kOptInValue);
    DWORD subkeys = 1;
    DWORD values = 1;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (subkeys == 0 && values == 0) {
        RegDeleteKeyA(HKEY_CURRENT_USER, kOptInKey);
    }
}

class NetworkBitmaps : public ViewerTest {
  protected:
    void SetUp() override {
        ClearOptIn();
        ASSERT_TRUE(folder.created());
        share_ = WineShareFolder();
        ASSERT_FALSE(share_.empty());
        std::error_code error;
        std::filesystem::create_directories(share_, error);
        ASSERT_FALSE(error) << share_;
        ASSERT_FALSE(folder.write("local.bmp", Picture(kLocalColour)).empty());
        ASSERT_TRUE(vlkw::WriteBytesToFile(share_ / "x.bmp", Picture(kServerColour))) << share_;

        vlkw::DocumentDescription description;
        description.title = kTitle;
        description.pages.push_back(vlkw::PageBuilder()
                                        .bitmapFile({1, 1, 2, 2}, "local.bmp")
                                        .bitmapFile({3, 1, 4, 2}, kOnServer)
                                        .bytes());
        ASSERT_FALSE(folder.write("network.vlk", vlkw::WriteDocument(description)).empty());
    }

    void TearDown() override {
        ViewerTest::TearDown();
        ClearOptIn();
        if (!share_.empty()) {
            std::error_code ignored;
            const std::filesystem::path unc = share_.parent_path().parent_path();
            std::filesystem::remove_all(share_.parent_path(), ignored);
            std::filesystem::remove(unc, ignored); // only when nothing else is in it
        }
    }

    // Opens the document and counts the pixels of both pictures on its page.
    std::pair<int, int> shownPixels(const std::string& capture) {
        viewer.emplace("network.vlk", folder.path(), kTitle);
        if (!viewer->opened()) {
            return {-1, -1};
        }
        return {viewer->pagePixels(capture, kLocalColour),
                viewer->pagePixels(capture, kServerColour)};
    }

    std::filesystem::path share_;
};

TEST_F(NetworkBitmaps, OnlyTheLocalBitmapIsShownAndNothingIsSaid) {
    const auto [local, onServer] = shownPixels("network-bitmaps-default");
    EXPECT_GT(local, kShown);
    EXPECT_EQ(onServer, 0);
    const RunEnd end = viewer->close();
    EXPECT_TRUE(end.messages.empty());
    EXPECT_EQ(end.exitCode, 0u);
}

TEST_F(NetworkBitmaps, TheReadersOptInSetWithRegAddShowsTheBitmapOnTheServer) {
    const auto reg = uidriver::Process::Start("reg add HKCU\\" + std::string(kOptInKey) + " /v " +
                                              kOptInValue + " /t REG_DWORD /d 1 /f");
    ASSERT_TRUE(reg.has_value());
    ASSERT_EQ(reg->waitForExit(kRunTimeoutMs), 0u);

    const auto [local, onServer] = shownPixels("network-bitmaps-allowed");
    EXPECT_GT(local, kShown);
    EXPECT_GT(onServer, kShown);
    const RunEnd end = viewer->close();
    EXPECT_TRUE(end.messages.empty());
    EXPECT_EQ(end.exitCode, 0u);
}

} // namespace
} // namespace velk_e2e
