#pragma once

#include <QString>
#include <QStringList>

// The program-wide state: folders, the open configuration and its documents,
// the preferences that survive a restart and the update dialog's choices of
// this run. One instance lives for the whole run; every window gets it by
// reference.
struct App_State {
    QString Program_Dir; // folder of the program file, no trailing separator
    // Folder of Struttor.xml, MASTER, PROJECTS and LANGUAGE when it is not the
    // program folder (a read-only installation, see program_folder.h); empty:
    // they live in Program_Dir.
    QString Data_Dir;
    QString Master_Dir;   // data folder + "/MASTER": firmware images
    QString Projects_Dir; // data folder + "/PROJECTS": one folder per configuration
    QString Language_Dir; // data folder + "/LANGUAGE": language files and flags

    QString Conf_Name; // name of the open (or remembered) configuration
    QString Conf_Dir;  // folder of the open configuration; empty: none is open
    QString ParGen_File;
    QString Sdo_File;
    QString Diagnosis_File;

    QString Language_Name = QStringLiteral("English");
    QString Last_IP_Address = QStringLiteral("192.168.2.205");
    bool Enable_Internet = false;
    bool Enable_Update = false;
    bool Enable_Jump_Field_Tables = false;
    bool Double_Click_Auto_Size = false;
    // The serial port last chosen for a test of the Modbus rules.
    QString Last_Test_Port;

    QString Main_Title =
        QStringLiteral("Vorlantech - Configurator KC40927 - PROFIBUS Slave / Modbus Master ");
    QString Soft_Code = QStringLiteral("KC40927");
    QString Soft_Desc = QStringLiteral("PROFIBUS Slave / Modbus Master - Converter");

    int Update_Option_Index = 0;
    bool Read_Back = true;

    // One copied grid row (grid row operations); empty until a row is copied.
    QStringList Row_Clipboard;

    bool Configuration_Open() const { return !Conf_Dir.isEmpty(); }

    // Data_Dir when set, else Program_Dir.
    QString Data_Folder() const;
    // Sets Program_Dir and builds Master_Dir, Projects_Dir and Language_Dir
    // from the data folder.
    void Set_Program_Dir(const QString& program_dir);
    // ParGen_File, Sdo_File, Diagnosis_File from Conf_Dir (the system's spelling).
    void Set_Files();
};

// Joins a folder and a name with the platform-neutral separator Qt uses.
QString Join_Path(const QString& dir, const QString& name);
