#pragma once

// Ids of the login, new-user and delete-user dialogs and their controls.
