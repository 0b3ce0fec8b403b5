#pragma once

#include "document/io_map.h"

#include <QString>

class Text_Table;

// The PROFIBUS I/O map section of the commissioning report, put between the
// rule tables and the diagnosis list: its heading, a legend, then each area
// on its own: its bytes twenty to a line, each line headed by its first
// byte, every used byte holding the marks of its occupants (a rule's row, C,
// D or A for a reserved area) on a colour, a shared byte also bold with a
// "!" so that the map reads in black and white, a free byte plain; under it
// who uses which bytes and the area's own findings (its overlaps; under the
// input area also the repeated Modbus reads). When no byte of either area is
// shared, one line says so under the legend.
QString Report_Io_Map_Section(const Io_Map& map, const Text_Table& texts);
