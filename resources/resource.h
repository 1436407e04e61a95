// Symbolic ids of velk.exe's resources and controls: the one list that the resource script,
// the Win32 code and the portable window logic all take their numbers from.
#pragma once

// DLG_PASSWORD
#define IDC_PASSWORD_EDIT 101
#define IDC_PASSWORD_OK 102
#define IDC_PASSWORD_CANCEL 103
#define IDC_PASSWORD_PROMPT 104

// DLG_JUMP
#define IDC_JUMP_EDIT 101
#define IDC_JUMP_OK 102
#define IDC_JUMP_CANCEL 103
#define IDC_JUMP_PROMPT 104

// DLG_MAIN; the status bar and the toolbar are made at run time.
#define IDC_ZOOM_LABEL 106
#define IDC_ZOOM_BOX 107
#define IDC_PAGE_AREA 108
#define IDC_VERTICAL_SCROLL_BAR 109
#define IDC_HORIZONTAL_SCROLL_BAR 110
#define IDC_STATUS_BAR 111
#define IDC_TOOLBAR 112
#define IDC_INDEX_BOX 113

// MAINMENU
#define IDM_PRINT 701
#define IDM_CLOSE 702
#define IDM_FIRST 703
#define IDM_PREVIOUS 704
#define IDM_NEXT 705
#define IDM_LAST 706
#define IDM_JUMP 707
#define IDM_EMAIL 708
#define IDM_FAX 709
#define IDM_SAVE 710

// Toolbar buttons
#define IDT_CLOSE 751
#define IDT_FIRST 752
#define IDT_PREVIOUS 753
#define IDT_NEXT 754
#define IDT_LAST 755
#define IDT_JUMP 756
#define IDT_PRINT 757
#define IDT_EMAIL 758
#define IDT_FAX 759
#define IDT_SAVE 760

// The strip of toolbar pictures, 20 x 20 each.
#define IDB_TOOLBAR 501

// DLG_FAX
#define IDC_FAX_NAME_LABEL 101
#define IDC_FAX_NAME 102
#define IDC_FAX_NUMBER_LABEL 103
#define IDC_FAX_NUMBER 104
#define IDC_FAX_LIST_LABEL 105
#define IDC_FAX_ADD 106
#define IDC_FAX_REMOVE 107
#define IDC_FAX_LIST 108
#define IDC_FAX_SUBJECT_LABEL 109
#define IDC_FAX_SUBJECT 110
#define IDC_FAX_NOTE_LABEL 111
#define IDC_FAX_NOTE 112
#define IDC_FAX_CANCEL 113
#define IDC_FAX_SEND 114
