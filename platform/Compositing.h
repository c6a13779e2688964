#pragma once
// Whether the desktop blends translucent top-level windows with what lies behind them. An X
// server without a compositing manager shows such a window's colour as it is, its alpha ignored:
// a soft glow then turns into a dark ring.
bool DesktopComposites();
