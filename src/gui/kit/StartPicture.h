#pragma once

#include <QPixmap>
#include <QSize>

// The picture in the upper part of the start window: the program's name, a row of drawn balls,
// the 1-90 number board with those numbers lit and the eleven wheels. Drawn to fit any size.
QPixmap startPicture(QSize size);
