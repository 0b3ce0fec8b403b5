#pragma once

#include "output/bank_documents.h"
#include "output/bank_image.h"

// The fixed-layout image (hardware type 1) from the general parameters and
// rules documents; the diagnosis document has no place in it. Throws Kc_Error
// for a mandatory rule value that cannot be read, a rules document without
// one of its lists, or more enabled rules than the table's 512 records.
Bank_Image Build_Fixed_Bank(const ParGen_View& pargen, const Sdo_Document& sdo);

// Sum of the block's bytes 0x000 to 0x7FB, each as 0 to 255.
quint32 Param_Block_Checksum(const QByteArray& image);
