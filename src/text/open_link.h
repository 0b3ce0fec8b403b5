#pragma once

#include <QString>

class Text_Table;
class Ui_Services;

// Opens a web address in the default browser. When no browser can be
// started, an error box shows text 42 and the address, for the user to copy.
void Open_Link(Ui_Services& ui, const Text_Table& texts, const QString& url);
