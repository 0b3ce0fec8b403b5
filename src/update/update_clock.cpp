#include "update/update_clock.h"

#include <QThread>

void System_Update_Clock::Sleep_Ms(int ms) {
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}
