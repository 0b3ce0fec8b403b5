#include "output/gsd_writer.h"

#include "base/kc_error.h"

#include <array>
#include <string_view>

namespace {

// Header box, lines 1 to 4.
constexpr std::array<const char*, 4> Box_Top = {
    ";",
    ";******************* PROFIBUS Slave / Modbus Master - Converter *********************",
    ";* ================================================================================ *",
    ";*                                                                                  *",
};

// Maker's contact data, lines 5 to 11, each set into the box: ";*", the
// caption (" Vendor:   " or eleven blanks), the text, blanks up to column 84
// and "*" in column 85. The maker's real data is not known to this build:
// these are plainly fictitious placeholders.
constexpr std::string_view Vendor_Caption = " Vendor:   ";
constexpr std::string_view Vendor_Indent = "           ";
constexpr std::array<std::string_view, 7> Vendor_Texts = {
    "Vorlantech (fictitious contact data)",
    "1 Example Street",
    "00000 Exampletown",
    "Example Region - Nowhere",
    "Tel. : +1 555 0100",
    "FAX. : +1 555 0199",
    "eMail: info@vorlantech.example.invalid",
};
constexpr int Box_Width = 85;

// Lines 12 to 152: the rest of the box, the parameter texts and user
// parameter definitions, the general keywords, baud rates and timings, and
// the slave values up to "Modular_Station".
constexpr std::array<const char*, 141> Fixed_Middle = {
    ";*                                                                                  *",
    ";* ================================================================================ *",
    ";*                                                                                  *",
    ";* Function :     PROFIBUS Slave / Modbus Master - Converter                        *",
    ";*                                                                                  *",
    ";*                                                                                  *",
    ";* Order Number : KX40927                                                           *",
    ";*                                                                                  *",
    ";*                                                                                  *",
    ";************************************************************************************",
    "",
    "",
    "#Profibus_DP",
    "",
    "",
    ";====================================================================================",
    ";==== Prm-Text-Def-List =============================================================",
    ";====================================================================================",
    "",
    "PrmText=1",
    "Text(0)=\"disable\"",
    "Text(1)=\"enable\"",
    "EndPrmText",
    "",
    "PrmText  = 2",
    "Text(0)  = \"clock up\"",
    "Text(1)  = \"clock down\"",
    "EndPrmText",
    "",
    "PrmText  = 3",
    "Text(1)  = \"10\"",
    "Text(2)  = \"20\"",
    "Text(3)  = \"30\"",
    "Text(4)  = \"40\"",
    "Text(5)  = \"50\"",
    "EndPrmText",
    "",
    "",
    ";=====================================================================================",
    ";==== Ext-User-Prm-Data-Def-List =====================================================",
    ";=====================================================================================",
    "",
    "ExtUserPrmData=1 \"[SlotNumber]\"",
    "Unsigned8 0 0-32",
    "EndExtUserPrmData",
    "",
    "ExtUserPrmData=2 \"Diagnostic Alarm\"",
    "Bit(0) 0 0-1",
    "Prm_Text_Ref=1",
    "EndExtUserPrmData",
    "",
    "ExtUserPrmData=3 \"Process Alarm\"",
    "Bit(1) 0 0-1",
    "Prm_Text_Ref=1",
    "EndExtUserPrmData",
    "",
    "ExtUserPrmData=4 \"Counter mode\"",
    "Unsigned8 0 0-1",
    "Prm_Text_Ref=2",
    "EndExtUserPrmData",
    "",
    "ExtUserPrmData=5 \"Counter timebase (ms)\"",
    "Unsigned8 1 1-5",
    "Prm_Text_Ref=3",
    "EndExtUserPrmData",
    "",
    "ExtUserPrmData=6 \"Counter high-limit\"",
    "Unsigned16 65535 0-65535",
    "EndExtUserPrmData",
    "",
    "ExtUserPrmData=7 \"Counter low-limit\"",
    "Unsigned16 0 0-65535",
    "EndExtUserPrmData",
    "",
    "",
    ";=====================================================================================",
    ";==== General DP Keywords ============================================================",
    ";=====================================================================================",
    "",
    "GSD_Revision = 5",
    "Vendor_Name = \"Vorlantech\"",
    "Model_Name = \"KX40927\"",
    "Revision = \"1.00\"",
    "Ident_Number = 0xAFFD",
    "Protocol_Ident = 0",
    "Station_Type = 0",
    "FMS_supp = 0",
    "Hardware_Release = \"V1.00\"",
    "Software_Release = \"V1.00\"",
    "Redundancy = 0",
    "Repeater_Ctrl_Sig = 2",
    "24V_Pins = 0",
    "",
    "",
    ";==============================================================================",
    ";==== Supported baudrates =====================================================",
    ";==============================================================================",
    "",
    "9.6_supp = 1",
    "19.2_supp = 1",
    "45.45_supp = 1",
    "93.75_supp = 1",
    "187.5_supp = 1",
    "500_supp = 1",
    "1.5M_supp = 1",
    "3M_supp = 1",
    "6M_supp = 1",
    "12M_supp = 1",
    "",
    "MaxTsdr_9.6=15",
    "MaxTsdr_19.2=15",
    "MaxTsdr_45.45=15",
    "MaxTsdr_93.75=15",
    "MaxTsdr_187.5=15",
    "MaxTsdr_500=15",
    "MaxTsdr_1.5M=20",
    "MaxTsdr_3M=35",
    "MaxTsdr_6M=50",
    "MaxTsdr_12M=95",
    "",
    "",
    ";==============================================================================",
    ";==== Slave specific values ===================================================",
    ";==============================================================================",
    "",
    "OrderNumber=\"KX40927\"",
    "Slave_Family = 9@Vorlantech@KX40927",
    "Implementation_Type = \"VPC3+\"",
    "Info_Text=\"Vorlantech: PROFIBUS Slave / Modbus Master - Converter\"",
    "Bitmap_Device = \"DPV0_1N\"",
    "Bitmap_SF=\"DPV0_1S\"",
    "",
    "Freeze_Mode_supp=1",
    "Sync_Mode_supp=1",
    "Fail_Safe=1",
    "Auto_Baud_supp=1",
    "Set_Slave_Add_supp=0",
    "",
    "Min_Slave_Intervall=6",
    "",
    "Modular_Station=1",
};

// Line 154, between Max_Module and the area sizes.
constexpr std::array<const char*, 1> Fixed_Module_Offset = {
    "Modul_Offset=1",
};

// Lines 158 to 189: diagnosis length, user parameter data, module status
// texts and the heading of the module list.
constexpr std::array<const char*, 32> Fixed_Tail = {
    "Max_Diag_Data_Len=15",
    "",
    "WD_Base_1ms_supp = 1",
    "Publisher_supp = 1",
    "",
    ";==============================================================================",
    ";==== User-Prm-Data ===========================================================",
    ";==============================================================================",
    "",
    "Max_User_Prm_Data_Len = 12",
    "Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00",
    "",
    ";==============================================================================",
    ";==== Modulstatus =============================================================",
    ";==============================================================================",
    "",
    "Unit_Diag_Area = 24 - 25",
    "Value(1)= \"Slot 1: Module error\"",
    "Value(2)= \"Slot 1: Wrong module\"",
    "Value(3)= \"Slot 1: No module\"",
    "Unit_Diag_Area_End",
    "Unit_Diag_Area = 26 - 27",
    "Value(1)= \"Slot 2: Module error\"",
    "Value(2)= \"Slot 2: Wrong module\"",
    "Value(3)= \"Slot 2: No module\"",
    "Unit_Diag_Area_End",
    "",
    "",
    ";==============================================================================",
    ";==== Module-Definition-List ==================================================",
    ";==============================================================================",
    "",
};

void Append_Line(QByteArray& out, std::string_view line) {
    out.append(line.data(), static_cast<qsizetype>(line.size()));
    out.append("\r\n", 2);
}

void Append_Line(QByteArray& out, const QByteArray& line) {
    out.append(line);
    out.append("\r\n", 2);
}

template <std::size_t N> void Append_Lines(QByteArray& out, const std::array<const char*, N>& lines) {
    for (const char* line : lines)
        Append_Line(out, std::string_view(line));
}

QByteArray Box_Line(std::string_view caption, std::string_view text) {
    QByteArray line(";*");
    line.append(caption.data(), static_cast<qsizetype>(caption.size()));
    line.append(text.data(), static_cast<qsizetype>(text.size()));
    line = line.leftJustified(Box_Width - 1, ' ', true);
    line.append('*');
    return line;
}

// At least two upper-case hexadecimal digits.
QByteArray Hex2(int value) {
    return QByteArray::number(value, 16).toUpper().rightJustified(2, '0');
}

qint64 Area_Modules(int bytes) {
    return bytes > 0 ? (static_cast<qint64>(bytes) + 63) / 64 : 0;
}

void Append_Area(QList<GSD_Module>& modules, bool input, int bytes) {
    for (qint64 rest = bytes; rest > 0; rest -= 64)
        modules.append(
            {input, static_cast<int>(modules.size()) + 1, static_cast<int>(qMin<qint64>(rest, 64))});
}

} // namespace

qint64 GSD_Module_Count(int in_bytes, int out_bytes) {
    return Area_Modules(in_bytes) + Area_Modules(out_bytes);
}

QList<GSD_Module> GSD_Modules(int in_bytes, int out_bytes) {
    QList<GSD_Module> modules;
    if (GSD_Module_Count(in_bytes, out_bytes) > GSD_Max_Modules)
        return modules;
    Append_Area(modules, true, in_bytes);
    Append_Area(modules, false, out_bytes);
    return modules;
}

QByteArray Write_GSD(int in_bytes, int out_bytes) {
    const qint64 count = GSD_Module_Count(in_bytes, out_bytes);
    if (count > GSD_Max_Modules)
        throw Kc_Error(
            QStringLiteral("A GSD file describes at most %1 modules; %2 input bytes and %3 output bytes "
                           "would need %4.")
                .arg(GSD_Max_Modules)
                .arg(in_bytes)
                .arg(out_bytes)
                .arg(count));
    const QList<GSD_Module> modules = GSD_Modules(in_bytes, out_bytes);

    QByteArray out;
    out.reserve(6000 + 80 * modules.size());
    Append_Lines(out, Box_Top);
    Append_Line(out, Box_Line(Vendor_Caption, Vendor_Texts[0]));
    for (std::size_t i = 1; i < Vendor_Texts.size(); ++i)
        Append_Line(out, Box_Line(Vendor_Indent, Vendor_Texts[i]));
    Append_Lines(out, Fixed_Middle);
    Append_Line(out, "Max_Module=" + QByteArray::number(modules.size()));
    Append_Lines(out, Fixed_Module_Offset);
    Append_Line(out, "Max_Input_Len=" + QByteArray::number(in_bytes));
    Append_Line(out, "Max_Output_Len=" + QByteArray::number(out_bytes));
    // The sum in 64 bits: two large values must not overflow.
    Append_Line(out, "Max_Data_Len=" + QByteArray::number(static_cast<qint64>(in_bytes) + out_bytes));
    Append_Lines(out, Fixed_Tail);

    // Each module's identifier in the special format: kind (0x42 input,
    // 0x82 output), length - 1, no manufacturer data, module number.
    for (const GSD_Module& module : modules) {
        const QByteArray number = QByteArray::number(module.Number);
        Append_Line(out, "Module=\"" + QByteArray(module.Input ? "DI" : "DO") + "  (PORT" + number +
                             ")    \" 0x" + QByteArray(module.Input ? "42" : "82") + ",0x" +
                             Hex2(module.Size - 1) + ",0x00,0x" + Hex2(module.Number));
        Append_Line(out, number);
        Append_Line(out, std::string_view("EndModule"));
    }
    for (int i = 0; i < 3; ++i)
        Append_Line(out, std::string_view());
    Append_Line(out, std::string_view("SlotDefinition"));
    // Slot s offers module s as its default and only module.
    for (const GSD_Module& module : modules) {
        const QByteArray s = QByteArray::number(module.Number);
        Append_Line(out, "Slot(" + s + ") = \"Slot " + s + "\" " + s + " " + s);
    }
    Append_Line(out, std::string_view("EndSlotDefinition"));
    for (int i = 0; i < 4; ++i)
        Append_Line(out, std::string_view());
    return out;
}

QString GSD_File_Name(const QString& chosen) {
    if (chosen.endsWith(QLatin1String(".gsd"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QLatin1String(".gsd");
}
