#pragma once

#include <QIcon>
#include <QStyle>

class QWidget;

// The standard icon `image` of the widget's style. A style reads a standard
// icon from its image files each time it is asked; this keeps each icon once
// per style and image, so windows created again do not read them again.
QIcon Standard_Icon(const QWidget* widget, QStyle::StandardPixmap image);
