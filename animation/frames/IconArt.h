#pragma once

#include <QImage>

class QPainter;

// Paints the program's icon into the square 0..size: the mechanism, drawn by the same code as the
// frames with the crank at 135 degrees, in dark lines on a sheet of drawing paper.
void paintIcon(QPainter& painter, int size);

// The icon as a size x size picture with a transparent background.
QImage drawIcon(int size);
