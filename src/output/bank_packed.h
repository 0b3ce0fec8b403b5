#pragma once

#include "output/bank_documents.h"
#include "output/bank_image.h"

// The packed image (every hardware type but 1) from the three documents.
// Every rule is compiled, enabled or not. Throws Kc_Error for a mandatory
// value that cannot be read, a rules document without one of its lists, or
// an image larger than the device's 131072-byte buffer.
Bank_Image Build_Packed_Bank(const ParGen_View& pargen, const Sdo_Document& sdo,
                             const Diagnosis_Document& diagnosis);
