#pragma once

// The coordinate transform of the planning data and geocoding. There is one implementation,
// shared with the hub's GPS intake below the map adapters; it converts with geo::Transform,
// the same code the component's transform (ITransform) runs.
#include "geo/map/ttransform.h"
