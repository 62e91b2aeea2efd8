#pragma once

#include <memory>

#include "base/stringlist.h"
#include "planning/station.h"

// The ordered stations a workspace works on: item string the order number, item object its
// station, owned. Unsorted, duplicates allowed, lookups by order number without case.
// Besides the items it holds the start, the finish and the start of the route now being
// computed. Operations by index ignore an index outside the list, or answer nothing.
class TStationList : public TStringList {
 public:
  TStationList();

  // The item's station; nullptr outside the list or when the item carries no station.
  TStation* GetStation(int Index) const;

  // Every item gets a station: a missing object is replaced by a new empty station, an
  // object that is no station is freed and replaced the same way.
  int AddObject(const QString& S, TObject* AObject) override;
  // Outside 0 … Count() nothing is inserted; a given object is freed, since the list took it.
  void InsertObject(int Index, const QString& S, TObject* AObject) override;
  void Delete(int Index) override;

  void ClearStart();
  void ClearFinish();

  // Field Field of the station at Index; empty without a station.
  QString GetStationDataValue(int Index, int Field) const;
  // Writes field Field of the station at Index, giving the item a station when it has none.
  void SetStationDataValue(int Index, int Field, const QString& Value);
  // Unpacks a packed item string: its values, separated by "|", "~" or line breaks, fill
  // fields 0, 1, … (at most 30) and the item string becomes the first value.
  void SetStationData(int Index);

  // RStart becomes a copy of AStation as a route start: order number -1, a time window over
  // the whole day and no stay. Without AStation, RStart is freed. AStation may be RStart.
  void SetRStart(const TStation* AStation);
  // Finish becomes a copy of AStation as a finish: order number -2, a whole-day window; the
  // stay time is kept. Without AStation, Finish is freed.
  void SetFinish(const TStation* AStation);

  // Stations of the route: the items, the route start (or else the start) and the finish.
  int StationCount() const;

 protected:
  // Whether the item object may stay as it is; a station list accepts only stations.
  virtual bool AcceptsObject(const TObject* AObject) const;

 private:
  TObject* AcceptedObject(TObject* AObject) const;
  TStation* StationForWrite(int Index);

 public:
  std::unique_ptr<TStation> Start;
  std::unique_ptr<TStation> Finish;
  std::unique_ptr<TStation> RStart;
};
