#pragma once

#include <QString>

// The two sample configurations the pictures show, written with the
// documents' own writers into `projects_dir`:
// - "Pump_Station": hardware without Ethernet, RS485 at 19200 baud, four read
//   rules, two write rules and three slaves watched for diagnosis;
// - "Packaging_Line": hardware with Ethernet, three read rules and one write
//   rule. Its last read rule overlaps the second, so that the I/O map has an
//   overlap to show.
inline const QString Serial_Sample = QStringLiteral("Pump_Station");
inline const QString Ethernet_Sample = QStringLiteral("Packaging_Line");

void Write_Sample_Configurations(const QString& projects_dir);
