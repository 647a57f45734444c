#pragma once
// How the stage lies in a window: ScaleMode 0 shows the whole stage keeping its proportions,
// centred with bars; 2 stretches it to the window. Portable: hit testing needs no system call.

struct StageMapping {
    double scaleX = 1, scaleY = 1;
    double offsetX = 0, offsetY = 0;        // window position of the stage's origin

    static StageMapping For(int stageWidth, int stageHeight, int targetWidth, int targetHeight, int scaleMode);

    int ToWindowX(double stageX) const;
    int ToWindowY(double stageY) const;
    // false when the stage is empty (no mapping back)
    bool ToStage(int windowX, int windowY, double& stageX, double& stageY) const;
};
