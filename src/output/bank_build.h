#pragma once

#include "output/bank_image.h"

#include <QString>

struct App_State;

// Compiles the stored documents of the configuration in `conf_dir` (ParGen.xml,
// sdo.xml and diagnosis.xml, each found without regard to letter case) into
// the image of its hardware variant: the fixed layout for hardware type
// exactly 1, the packed layout for every other. Reads only; writes nothing.
// Throws Kc_Error with a message naming the document, the rule or element and
// the value when a value the image must have cannot be read, when a rules
// document lacks one of its lists, when a document is not well-formed, or
// when the image would not fit the device.
Bank_Image Build_Bank(const QString& conf_dir);

// The hardware type as the main window reads it: Hardware_Type of the general
// parameters document, 0 when the document or the element is missing or the
// text is no integer. Throws Kc_Error when the document is not well-formed.
int Bank_Hardware_Type(const QString& conf_dir);

// Path of the image file of a configuration: conf_dir/bin/bank.bin (an
// existing file of that name in another letter case is reused).
QString Bank_File_Path(const QString& conf_dir);

// Writes the image to conf_dir/bin/bank.bin through QSaveFile: the old file
// stays whole until the new one is complete. Throws Kc_Error naming the file
// when it cannot be written (for instance when the bin folder is missing).
void Save_Bank(const QByteArray& image, const QString& conf_dir);

// The first half of the main window's Update Device step: Build_Bank on the
// open configuration, then Save_Bank. Throws Kc_Error (nothing is written when
// the build fails); gives the built image and its summary.
Bank_Image Build_And_Save_Bank(const App_State& state);
