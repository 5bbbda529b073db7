#pragma once

// How the program ends ("FINE", closing the start window, a failed name check): one service, so that
// tests can see that the program would have ended.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void endProgram() = 0;
    virtual bool hasEnded() const = 0;
};
