#pragma once

#include "gui/kit/ProgramEnd.h"

// Ends the program at once: every window goes away without its closing handler (nothing is asked
// or saved) and the event loop stops. Asked before the event loop runs, the program ends as soon as
// the loop starts.
class QtProgramEnd : public ProgramEnd {
public:
    void endProgram() override;
    bool hasEnded() const override { return m_ended; }

private:
    bool m_ended = false;
};
