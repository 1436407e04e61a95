#pragma once

// Ids of the main window's controls and commands. The values are those of DLG_MAIN, MAINMENU
// and the toolbar, taken from the resource ids, so the Win32 side passes them to the system
// unchanged.

#include "resource.h"

namespace velk {

enum class Control : int {
    ZoomLabel = IDC_ZOOM_LABEL,
    ZoomBox = IDC_ZOOM_BOX,
    PageArea = IDC_PAGE_AREA,
    VerticalScrollBar = IDC_VERTICAL_SCROLL_BAR,
    HorizontalScrollBar = IDC_HORIZONTAL_SCROLL_BAR,
    StatusBar = IDC_STATUS_BAR, // made at run time
    Toolbar = IDC_TOOLBAR,      // made at run time
    IndexBox = IDC_INDEX_BOX,
};

// MAINMENU items.
inline constexpr int kMenuPrint = IDM_PRINT;
inline constexpr int kMenuClose = IDM_CLOSE;
inline constexpr int kMenuFirst = IDM_FIRST;
inline constexpr int kMenuPrevious = IDM_PREVIOUS;
inline constexpr int kMenuNext = IDM_NEXT;
inline constexpr int kMenuLast = IDM_LAST;
inline constexpr int kMenuJump = IDM_JUMP;
inline constexpr int kMenuEMail = IDM_EMAIL;
inline constexpr int kMenuFax = IDM_FAX;
inline constexpr int kMenuSave = IDM_SAVE;

// Toolbar buttons.
inline constexpr int kButtonClose = IDT_CLOSE;
inline constexpr int kButtonFirst = IDT_FIRST;
inline constexpr int kButtonPrevious = IDT_PREVIOUS;
inline constexpr int kButtonNext = IDT_NEXT;
inline constexpr int kButtonLast = IDT_LAST;
inline constexpr int kButtonJump = IDT_JUMP;
inline constexpr int kButtonPrint = IDT_PRINT;
inline constexpr int kButtonEMail = IDT_EMAIL;
inline constexpr int kButtonFax = IDT_FAX;
inline constexpr int kButtonSave = IDT_SAVE;

// Combo box notification codes (the high word of WM_COMMAND's wParam).
inline constexpr int kComboSelectionChanged = 1; // CBN_SELCHANGE
inline constexpr int kComboLostFocus = 4;        // CBN_KILLFOCUS

// WM_SIZE's wParam when the window was minimised.
inline constexpr int kSizeMinimized = 1; // SIZE_MINIMIZED

} // namespace velk
