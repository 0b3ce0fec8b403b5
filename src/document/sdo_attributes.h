// The attributes of a rule of sdo.xml, one entry each, in the order a write
// rule holds them: the one place an attribute is described. A read rule holds
// the same attributes in the same order, less those marked write only. Each
// entry gives the attribute's name, the value a rule takes when the file does
// not give it, how the rules editor shows it (kind of cell, starting width,
// the hardware types that show it) and the numbers of its header and hint
// texts in each table it belongs to.
//
// A list of the attributes is made by defining the two macros and including
// this file (no include guard: every inclusion makes one list):
//   SDO_READ_WRITE(Name, Fallback, Kind, Width, Shown, (read texts), (write texts))
//   SDO_WRITE_ONLY(Name, Fallback, Kind, Width, Shown, (write texts))
// with each (texts) being (header, hint). access_rules.h makes the members of
// Access_Rule from it, sdo_names.h the attribute names, rule_schema.h the
// attribute tables of the two sections.

// clang-format off
//             name           fallback  kind           width           shown          read texts  write texts
SDO_READ_WRITE(Enable,        "Y",      Check,         0,              Always,        (617, 643), (629, 655))
SDO_READ_WRITE(Slave_ID,      "",       Edit,          0,              Always,        (618, 644), (630, 656))
SDO_READ_WRITE(Type,          "",       Type_List,     Type_Width,     Always,        (619, 645), (631, 657))
SDO_READ_WRITE(Address_Mod,   "",       Edit,          0,              Always,        (620, 646), (632, 658))
SDO_READ_WRITE(NPoint,        "",       Edit,          0,              Always,        (621, 647), (633, 659))
SDO_READ_WRITE(PollTime,      "",       Edit,          0,              With_Ethernet, (622, 648), (634, 660))
SDO_WRITE_ONLY(OnChange,      "",       Check,         0,              With_Ethernet,             (635, 661))
// On command keeps what the document holds; the editor never shows it.
SDO_WRITE_ONLY(OnCMD,         "N",      Check,         0,              Never,                     (636, 662))
SDO_READ_WRITE(MaxError,      "",       Edit,          0,              With_Ethernet, (623, 649), (637, 663))
SDO_READ_WRITE(Address_Profi, "",       Position_List, 0,              Always,        (624, 650), (638, 664))
SDO_READ_WRITE(Bit,           "",       Bit_List,      0,              With_Ethernet, (625, 651), (639, 665))
SDO_READ_WRITE(Swap,          "N",      Check,         0,              Always,        (626, 652), (640, 666))
SDO_WRITE_ONLY(ForceF15F16,   "N",      Check,         0,              Always,                    (690, 691))
SDO_READ_WRITE(Mnemonic,      "",       Edit,          Mnemonic_Width, Always,        (627, 654), (641, 667))
// clang-format on
