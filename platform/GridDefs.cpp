#include "platform/GridDefs.h"

TObject::~TObject() = default;
