#pragma once

#include "store/AppSettings.h"

class QWidget;

// A window's size, place and state as the settings file holds them (twips).
// What the file leaves out keeps the window's own value.
void PlaceWindow(QWidget& window, const WindowGeometry& geometry);
WindowGeometry PlacementOf(const QWidget& window);
