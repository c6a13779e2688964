#include "grid/base/GridDragDrop.h"

namespace {
bool acceptRtf = false; // user-interface thread only
}

void SetAcceptRTFDrop(bool Value) { acceptRtf = Value; }
bool AcceptRTFDrop() { return acceptRtf; }
