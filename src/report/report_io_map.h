#pragma once

#include <QString>

// The place of the PROFIBUS I/O map in the commissioning report: an HTML
// fragment with its heading, the map of the input and output areas as a
// picture and the overlap findings, put between the rule tables and the
// diagnosis list. The configurator has no I/O map yet, so the fragment is
// empty and the report has no such section; the map fills it in here.
QString Report_Io_Map_Section(const QString& conf_dir);
