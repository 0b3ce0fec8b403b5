#pragma once

#include "config/io_map.h"

#include <QString>

class Text_Table;

// The PROFIBUS I/O map section of the commissioning report, put between the
// rule tables and the diagnosis list: its heading, each area as a picture of
// its bytes (sixteen to a line; free, used, and shared by two occupants told
// apart by colour and by a mark, so that the picture reads also in black and
// white) with a table of who uses which bytes, then the overlaps and the repeated Modbus reads as the map
// window lists them, or a line saying there is no overlap.
QString Report_Io_Map_Section(const Io_Map& map, const Text_Table& texts);
