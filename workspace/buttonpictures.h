#pragma once

#include <QIcon>

// Pictures of tool buttons that no font of a plain Linux desktop carries.
QIcon PrinterPicture();
QIcon MagnifierPicture();
