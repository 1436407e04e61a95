// Symbolic ids of velk.exe's resources and controls, shared by the resource script and the code.
#pragma once

// DLG_PASSWORD
#define IDC_PASSWORD_EDIT 101
#define IDC_PASSWORD_OK 102
#define IDC_PASSWORD_CANCEL 103
#define IDC_PASSWORD_PROMPT 104
