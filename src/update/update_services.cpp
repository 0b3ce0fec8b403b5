#include "update/update_services.h"

#include "base/com_ports.h"
#include "base/name_lookup.h"
#include "update/icmp_echo.h"
#include "update/start_program.h"

Update_Services System_Update_Services() {
    static System_Program_Starter starter;
    static System_Echo_Client echo;
    static Name_Lookup lookup;
    static System_Serial_Port_Source ports;
    static System_Update_Clock clock;
    return {starter, echo, lookup, ports, clock, Update_Timing{}};
}
