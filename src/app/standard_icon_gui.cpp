#include "app/standard_icon_gui.h"

#include <QHash>
#include <QWidget>

QIcon Standard_Icon(const QWidget* widget, QStyle::StandardPixmap image) {
    // Keyed by the style's name: a style object may be replaced by another
    // one at the same address.
    static QHash<QPair<QString, int>, QIcon> icons;
    QStyle* style = widget->style();
    const QPair<QString, int> key(style->name(), static_cast<int>(image));
    auto found = icons.constFind(key);
    if (found == icons.constEnd())
        found = icons.insert(key, style->standardIcon(image));
    return *found;
}
