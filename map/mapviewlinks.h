#pragma once

#include <QtGlobal>

class TStation;

// What a map view asks of its routing adapter; the routing adapter (TRouting) implements it,
// and the map view owns it.
class IMapViewRouting {
 public:
  virtual ~IMapViewRouting() = default;
  virtual void DeleteRoute() = 0;
  virtual bool CalculateRoute(int OptimizeMode, bool DrawRoute, quint8 FProfilMode,
                              quint8 TimeFactor) = 0;
  virtual bool OptimizeStationSequenceExt(int OptimizeMode, int StartMonteur, int EndeMonteur,
                                          bool DefaultTimeWindow, quint8 FProfilMode,
                                          quint8 TimeFactor) = 0;
  // Lets go of the component objects before the map view lets go of its view.
  virtual void DestroyRouting() = 0;
};

// What a map view asks of the geocoding adapter (TGeocoding), not owned.
class IMapViewGeocoding {
 public:
  virtual ~IMapViewGeocoding() = default;
  virtual bool GeocodingStation(TStation* AStation, int GeocodingMode) = 0;
};
