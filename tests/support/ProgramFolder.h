#pragma once

#include <QString>

// The program's files in the build's program folder.
inline const QString HelpFilePath = QStringLiteral(VELTRANO_PROGRAM_DIR "/HelpVeltrano.chm");
