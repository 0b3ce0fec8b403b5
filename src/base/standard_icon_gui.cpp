#include "base/standard_icon_gui.h"

#include <QCoreApplication>
#include <QHash>
#include <QWidget>

namespace {

// Keyed by the style's name: a style object may be replaced by another one
// at the same address.
using Icon_Cache = QHash<QPair<QString, int>, QIcon>;

Icon_Cache& Icons() {
    static Icon_Cache icons;
    return icons;
}

} // namespace

QIcon Standard_Icon(const QWidget* widget, QStyle::StandardPixmap image) {
    Icon_Cache& icons = Icons();
    // The pictures go with the application object, not at program exit.
    if (icons.isEmpty())
        qAddPostRoutine([] { Icons().clear(); });
    QStyle* style = widget->style();
    const QPair<QString, int> key(style->name(), static_cast<int>(image));
    auto found = icons.constFind(key);
    if (found == icons.constEnd())
        found = icons.insert(key, style->standardIcon(image));
    return *found;
}
