#pragma once
// How the stage lies in a window: ScaleMode 0 shows the whole stage keeping its proportions,
// centred with bars; 1 fills the window keeping proportions, cropping; 2 stretches it to the
// window; 3 keeps it unscaled in the centre. Portable: hit testing needs no system call.

struct StageMapping {
    double scaleX = 1, scaleY = 1;
    double offsetX = 0, offsetY = 0;        // window position of the stage's origin

    static StageMapping For(int stageWidth, int stageHeight, int targetWidth, int targetHeight, int scaleMode);

    int ToWindowX(double stageX) const;
    int ToWindowY(double stageY) const;
    // false when the mapping has no scale to undo
    bool ToStage(int windowX, int windowY, double& stageX, double& stageY) const;
};
