#pragma once
// State the grids' drag-and-drop code shares.

// Whether the grids' drop targets accept rich text (off until a grid switches it on).
void SetAcceptRTFDrop(bool Value);
bool AcceptRTFDrop();
