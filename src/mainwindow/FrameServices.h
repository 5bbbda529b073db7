#pragma once

// What the frame offers its child windows, so that they never reach into its members.
class FrameServices {
public:
    virtual ~FrameServices() = default;
    // The maximum of the frame's progress bar pb1 (the ambo window sets it to DrawCount).
    virtual void setProgressMaximum(int maximum) = 0;
};
