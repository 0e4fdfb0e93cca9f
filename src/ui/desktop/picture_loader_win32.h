#pragma once

#include <windows.h>

#include <filesystem>

// Draws a picture file (any format the system's picture loader decodes:
// BMP, JPEG, GIF and the like) stretched over a rectangle of a DC with
// half-tone stretching. False, and nothing drawn, when the file cannot be
// read or decoded.
[[nodiscard]] bool DrawPictureFile(HDC dc, const RECT& target, const std::filesystem::path& file);
