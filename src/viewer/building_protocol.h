#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velk {

class MainMenu;
class MainWindowView;
class Navigator;
class PageView;
struct Document;
struct ViewerState;

// WM_COPYDATA codes (dwData) between the producing application and the viewer. Every text is
// sent with its terminating zero, which cbData counts.
inline constexpr std::uint32_t kBuildPageAdded = 100; // producer: the new page's position
inline constexpr std::uint32_t kBuildFinished = 101;  // producer: text not read
inline constexpr std::uint32_t kBuildProgress = 102;  // producer: a percentage
inline constexpr std::uint32_t kViewerAttached = 103; // viewer: its window handle in decimal
inline constexpr std::uint32_t kViewerClosing = 104;  // viewer: kViewerClosingText

inline constexpr const char* kViewerClosingText = "Dummy Info";

// The viewer window's handle as plain decimal digits.
std::string ViewerAttachedText(std::uintptr_t windowHandle);

// The progress bar's position for a BUILD_PROGRESS text: its integer part within 0..100.
std::int32_t ProgressPosition(std::string_view text);

// Placement of the progress bar inside the status bar.
inline constexpr std::int32_t kProgressX = 300;
inline constexpr std::int32_t kProgressY = 5;
inline constexpr std::int32_t kProgressWidth = 150;
inline constexpr std::int32_t kProgressHeight = 12;

// Follows a document that the producing application is still writing: pages announced one
// by one, progress, and the end of building.
class BuildingProtocol {
  public:
    BuildingProtocol(ViewerState& state, Document& document, MainWindowView& view,
                     Navigator& navigator, PageView& page, MainMenu& menu)
        : state_(state), document_(document), view_(view), navigator_(navigator), page_(page),
          menu_(menu) {}

    // Sent to the producer whose window the header names, unless that handle would reach every
    // window of the desktop.
    void announceAttached();
    void announceClosing();

    // Acted on whatever the state: announcements after the end are handled the same way.
    void onCopyData(std::uint32_t code, std::string_view text);

  private:
    void announce(std::uint32_t code, const std::string& text);
    void pageAdded(std::string_view text);
    void finished();
    void progress(std::string_view text);
    void rereadHeader();

    ViewerState& state_;
    Document& document_;
    MainWindowView& view_;
    Navigator& navigator_;
    PageView& page_;
    MainMenu& menu_;
};

} // namespace velk
