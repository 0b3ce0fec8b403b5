#pragma once

#include "update/update_clock.h"

class Program_Starter;
class Echo_Client;
class Name_Lookup;
class Serial_Port_Source;

// The outside world of the update dialog: process start, ICMP echo, name
// lookup, serial port list, clock, and the time-outs. Tests hand in doubles.
struct Update_Services {
    Program_Starter& starter;
    Echo_Client& echo;
    Name_Lookup& lookup;
    Serial_Port_Source& ports;
    Update_Clock& clock;
    Update_Timing timing;
};

// The system's process start, ICMP echo, name lookup, serial port list and
// clock with the device's time-outs; they live for the whole run.
Update_Services System_Update_Services();
