#pragma once

#include <QString>

// What the frame offers its child windows, so that they never reach into its members.
class FrameServices {
public:
    virtual ~FrameServices() = default;
    // The maximum of the frame's progress bar pb1 (the ambo window sets it to DrawCount).
    virtual void setProgressMaximum(int maximum) = 0;
    // Later services: a frame that has no use for one (a test's, a benchmark's) may leave it out.
    // Moves pb1 (a long task reports how far it has come; 0 empties the bar).
    virtual void setProgressValue(int /*value*/) {}
    // Opens the mini list, or brings it forward, showing one draw.
    virtual void showDraw(int /*drawIndex*/) {}
    // Opens the Collaudo window, or brings it forward, on a player's method and runs its back-test.
    virtual void tryScript(const QString& /*path*/) {}
};
