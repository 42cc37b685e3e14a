#include "model/returnfileedition.h"

#include "companion/forms/taxtypes.h"

namespace {
unsigned char g_edition = EDITION_DIRERAD;
}

unsigned char returnFileEdition() { return g_edition; }

void setReturnFileEdition(unsigned char edition) { g_edition = edition; }
