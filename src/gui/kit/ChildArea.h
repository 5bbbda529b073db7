#pragma once

class QWidget;

// Inside the frame, makes the sub-window holding `content` take the frame's whole child area. A window
// with wide grids and charts calls it on its first show; outside the frame it does nothing.
void fillChildArea(QWidget& content);
