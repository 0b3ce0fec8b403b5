#pragma once

// Found before Qt's own header by every target that must stay free of Qt Gui
// and Qt Widgets (kc_core, the tools and the core tests): every Qt Gui and Qt
// Widgets header includes this one, so a core file that reaches one of them,
// even spelled <QtWidgets/QDialog>, fails to compile here. A file that needs
// them belongs in kc_gui: its name ends in _dialog, _window, _widget,
// _delegate or _gui.
#error "Qt Gui or Qt Widgets in code that must stay free of them: such a file belongs in kc_gui"
