#include "report/report_io_map.h"

QString Report_Io_Map_Section(const QString& conf_dir) {
    (void)conf_dir;
    return {};
}
