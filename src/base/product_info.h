#pragma once

#include <QString>

// Fixed facts about the product and the maker's web site. The host comes from
// the build setting KC_MAKER_HOST; paths, query and fragment are fixed.

// The program version, shown by the about box and compared with the version
// service's answer.
inline const QString Program_Version = QStringLiteral("2.110");
// Code of the product's manual.
inline const QString Document_Code = QStringLiteral("KM40927");

// The maker's host name, e.g. "www.maker.invalid".
QString Maker_Host();
// The maker's home page for this product.
QString Maker_Home_Url();
// The download page of a newer version.
QString Maker_Download_Url();
