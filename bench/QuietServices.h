#pragma once

#include "gui/kit/FrameServices.h"
#include "gui/kit/HelpService.h"
#include "gui/kit/Prompts.h"

// The windows' collaborators for a benchmark: no box is shown, no help opens, the frame shows nothing.
class QuietPrompts : public Prompts {
public:
    void message(const QString&, const QString&, MessageIcon) override {}
    QString input(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(const FileDialogRequest&) override { return {}; }
    QString saveFile(const FileDialogRequest&) override { return {}; }
};

class NoHelp : public HelpService {
public:
    void showHelp(int) override {}
};

class NoFrame : public FrameServices {
public:
    void setProgressMaximum(int) override {}
};
