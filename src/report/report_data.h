#pragma once

#include "document/access_rules.h"
#include "document/access_rules_check.h"
#include "document/diagnosis_list.h"
#include "document/general_params.h"
#include "document/io_map.h"
#include "output/bank_image.h"
#include "output/gsd_step.h"
#include "update/update_history.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// What the commissioning report of a configuration shows, read from its
// folder once; Report_Html turns it into the document.

// Whether bank.bin is the image the stored documents give now.
enum class Bank_State {
    Up_To_Date,    // byte for byte the image built from the documents
    Stale,         // another image: the documents changed after the build
    Missing,       // no bank.bin
    Not_Buildable, // the documents give no image (Build_Error says why)
    Unreadable,    // bank.bin cannot be read (Error says why)
};

// bank.bin as it lies in the bin folder.
struct Report_Bank {
    bool Built = false; // the file exists
    QString File;       // path relative to the configuration folder
    QDateTime Modified; // last write
    qint64 Size = 0;
    QString Error; // the decoder's message when the bytes are no image
    Bank_Layout Layout = Bank_Layout::Packed;
    bool Has_Checksum = false; // fixed layout
    quint32 Checksum_Stored = 0;
    quint32 Checksum_Computed = 0;

    Bank_State State = Bank_State::Missing;
    QString Build_Error; // the image build's message (Not_Buildable)
};

struct Report_Data {
    QString Conf_Name; // the folder's name, control characters escaped (Escape_Controls)
    QDateTime Date;
    QString Program_Version;

    bool Has_General_Params = false; // ParGen.xml exists; otherwise the defaults
    General_Params Params;
    int Hardware_Type = 0; // as the main window reads it
    Rules_Limits Limits;   // as the rules editor reads them
    Access_Rules Rules;
    Diagnosis_List Diagnosis;

    std::optional<GSD_Areas> Gsd_Areas; // none without a general parameters document
    QString Gsd_Error;                  // the areas cannot be described by a GSD file
    QStringList Gsd_Files;              // *.gsd files in the configuration folder (escaped)
    QString Gsd_Ident;                  // the Ident_Number the GSD file carries

    Report_Bank Bank;

    Io_Map Map; // the PROFIBUS I/O map of the stored rules

    Update_History History; // what was sent to the device from this configuration
    Device_State Device;    // the last configuration sent against the image built now
};

// Reads every document of the configuration folder (names matched without
// regard to letter case), the GSD files beside them and bin/bank.bin. A
// missing document gives what its editor shows without it. Throws Kc_Error
// naming the file when a document exists but cannot be read. A bank.bin that
// is no configuration image does not stop the report: its section says why.
// The image is built again from the stored documents in memory (Build_Bank,
// as the Update Device step builds it; nothing is written) and compared byte
// for byte with bank.bin: Bank.State.
Report_Data Read_Report_Data(const QString& conf_dir, const QDateTime& date);
