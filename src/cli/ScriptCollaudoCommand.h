#pragma once

#include <QStringList>

// veltrano-collaudo with a player's method (--script): reads the command line after the program name,
// loads the archive, runs the method (or its sweep) and prints the report. Returns the exit code: 0 done,
// 1 archive unreadable or the method failed, 2 a bad command line.
int runScriptCollaudoCommand(const QStringList& arguments);
