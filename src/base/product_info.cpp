#include "base/product_info.h"

#ifndef KC_MAKER_HOST
#define KC_MAKER_HOST "www.maker.invalid"
#endif

QString Maker_Host() {
    return QStringLiteral(KC_MAKER_HOST);
}

QString Maker_Home_Url() {
    return QStringLiteral("http://") + Maker_Host() + QStringLiteral("/HOME/default.asp?frompg=KC40927");
}

QString Maker_Download_Url() {
    return QStringLiteral("http://") + Maker_Host() + QStringLiteral("/Home/download/download.asp#KX40927");
}
