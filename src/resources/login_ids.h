#pragma once

// Ids of the login, new-user and delete-user dialogs and their controls.

// Login: pick a user, enter her password; create or delete users from here.
#define IDD_LOGIN 150
#define IDC_LOGIN_ICON 1100
#define IDC_LOGIN_NAME_LABEL 1101
#define IDC_LOGIN_NAME 1102
#define IDC_LOGIN_PASSWORD_LABEL 1103
#define IDC_LOGIN_PASSWORD 1104
#define IDC_LOGIN_CREATE 1105
#define IDC_LOGIN_DELETE 1106
#define IDC_LOGIN_ENCRYPT 1107

// New user: name, password and the password again.
#define IDD_CREATE_USER 151
#define IDC_CREATE_NAME_LABEL 1110
#define IDC_CREATE_NAME 1111
#define IDC_CREATE_PASSWORD_LABEL 1112
#define IDC_CREATE_PASSWORD 1113
#define IDC_CREATE_RETYPE_LABEL 1114
#define IDC_CREATE_RETYPE 1115

// Delete user: pick a user and prove it with her password.
#define IDD_DELETE_USER 152
#define IDC_DELETE_NAME_LABEL 1120
#define IDC_DELETE_NAME 1121
#define IDC_DELETE_PASSWORD_LABEL 1122
#define IDC_DELETE_PASSWORD 1123

// Her password once more, before her days are encrypted.
#define IDD_PASSWORD 154
#define IDC_PASSWORD_LABEL 1130
#define IDC_PASSWORD_FIELD 1131
