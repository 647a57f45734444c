#pragma once
// Draws a player's current state (background, items, each clip's current frame, button looks)
// onto a device context with GDI, through the player's stage mapping.
#include <windows.h>
#include "MoviePlayer.h"
#include "platform/graphics/GdiObject.h"

// The window rectangle a text covers as drawn: its lines' shaped widths and the font's height,
// through the mapping. Empty for an empty text.
RECT TextBounds(HDC dc, const StageMapping& m, const MovieText& text);

// The window rectangle to repaint for a stage area that changed, rounding of the mapping included.
RECT RepaintArea(const MoviePlayer& player, const MovieRect& stageArea);

class MovieRenderer {
public:

    // Paints the whole view rectangle (0, 0, player's view size).
    void Paint(HDC dc, const MoviePlayer& player);

private:
    HBITMAP Picture(const WideString& path);
    void DrawBackground(HDC dc, const MoviePlayer& player, const StageMapping& m);
    // Items that cannot reach the clip box are passed over.
    void DrawItems(HDC dc, const MoviePlayer& player, const std::vector<MovieItem>& items, const StageMapping& m,
                   const RECT& clip);

    TGdiObject<HBITMAP> FPicture;           // the background picture of the last movie, cached
    WideString FPicturePath;
    bool FPictureTried = false;
};
