#pragma once

// Ids of the side panes' dialogs, their controls and the today dialog.
