#include "StageMapping.h"
#include <algorithm>
#include <cmath>

StageMapping StageMapping::For(int stageWidth, int stageHeight, int targetWidth, int targetHeight, int scaleMode) {
    StageMapping m;
    if (stageWidth <= 0 || stageHeight <= 0) return m;
    double sx = static_cast<double>(targetWidth) / stageWidth;
    double sy = static_cast<double>(targetHeight) / stageHeight;
    if (scaleMode == 2) {
        m.scaleX = sx;
        m.scaleY = sy;
        return m;
    }
    // 1 fills the window and crops ("no border"), 3 keeps the stage's own size ("no scale"),
    // every other mode shows the whole stage ("show all")
    double s = scaleMode == 1 ? std::max(sx, sy) : scaleMode == 3 ? 1.0 : std::min(sx, sy);
    m.scaleX = m.scaleY = s;
    m.offsetX = (targetWidth - stageWidth * s) / 2;
    m.offsetY = (targetHeight - stageHeight * s) / 2;
    return m;
}

int StageMapping::ToWindowX(double x) const { return static_cast<int>(std::lround(offsetX + x * scaleX)); }
int StageMapping::ToWindowY(double y) const { return static_cast<int>(std::lround(offsetY + y * scaleY)); }

bool StageMapping::ToStage(int wx, int wy, double& x, double& y) const {
    if (scaleX <= 0 || scaleY <= 0) return false;
    x = (wx + 0.5 - offsetX) / scaleX;      // the pixel's centre
    y = (wy + 0.5 - offsetY) / scaleY;
    return true;
}
