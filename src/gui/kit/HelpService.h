#pragma once

// Opens the program's help file at the topic of a help context (180 start window, 190 main window...).
class HelpService {
public:
    virtual ~HelpService() = default;
    virtual void showHelp(int context) = 0;
};
