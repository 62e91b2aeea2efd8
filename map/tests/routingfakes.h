#pragma once

#include <QStringList>
#include <memory>

#include "map/component/irouting.h"

// A driving-option set that writes down what it is told.
class RecordingDrivingOptions : public IDrivingOptions {
 public:
  ComStatus SetOption(int Option, int Value) override {
    Calls << QStringLiteral("option %1 %2").arg(Option).arg(Value);
    return ComStatus::Ok;
  }
  ComStatus SetSpeedTable(const QList<int>& Values) override {
    Speeds = Values;
    return ComStatus::Ok;
  }
  ComStatus SetRoadTypeTable(const QList<int>& Values) override {
    RoadTypes = Values;
    return ComStatus::Ok;
  }
  QStringList Calls;
  QList<int> Speeds;
  QList<int> RoadTypes;
};

// A route that writes down its option calls and keeps its waypoints.
class RecordingRoute : public IRoute {
 public:
  ComStatus SetWaypoints(const QList<CodedRecord>& W) override {
    Waypoints_ = W;
    return ComStatus::Ok;
  }
  QList<CodedRecord> Waypoints() const override { return Waypoints_; }
  ComStatus GetBoundingRect(int, TRect&) const override { return ComStatus::Fail; }
  ComStatus AcceptOptimizedOrder(int) override { return ComStatus::Ok; }
  ComStatus SetOption(int O, int V) override {
    return Note(QStringLiteral("option %1 %2").arg(O).arg(V));
  }
  ComStatus SetStartTime(double, int Flag) override {
    return Note(QStringLiteral("start %1").arg(Flag));
  }
  ComStatus SetOptionBlock(int, int, int, int, int) override {
    return Note(QStringLiteral("block"));
  }
  ComStatus SetOptimization(int Code) override {
    OptimizationCode = Code;
    return Note(QStringLiteral("optimisation %1").arg(Code));
  }
  ComStatus SetTimeRange(int D, int F, int T, int Fl) override {
    return Note(QStringLiteral("range %1 %2 %3 %4").arg(D).arg(F).arg(T).arg(Fl));
  }
  ComStatus SetTimeFactor(int K, int F) override {
    return Note(QStringLiteral("factor %1 %2").arg(K).arg(F));
  }
  ComStatus GetDrivingOptions(std::shared_ptr<IDrivingOptions>& O) override {
    O = Driving;
    return ComStatus::Ok;
  }

  QStringList Calls;
  int OptimizationCode = -1;
  std::shared_ptr<RecordingDrivingOptions> Driving = std::make_shared<RecordingDrivingOptions>();

 private:
  ComStatus Note(const QString& Call) {
    Calls << Call;
    return ComStatus::Ok;
  }
  QList<CodedRecord> Waypoints_;
};

// A route lister that accepts every start and keeps what it was asked.
class RecordingLister : public IRouteLister5 {
 public:
  ComStatus NewRoute(std::shared_ptr<IRoute>& R) override {
    R = std::make_shared<RecordingRoute>();
    return ComStatus::Ok;
  }
  ComStatus DeleteRoute(IRoute*, int, int) override { return ComStatus::Ok; }
  ComStatus RemoveDrawing(IRoute*, int, int) override { return ComStatus::Ok; }
  ComStatus CalculateRoute(IRoute*, bool Draw) override {
    Calculations << Draw;
    return ComStatus::Ok;
  }
  ComStatus Cancel() override { return CancelStatus; }
  ComStatus ListRoute(IRoute*, int, int, int, QList<CodedRecord>&) override {
    return ComStatus::Fail;
  }
  ComStatus OptimizeRoute(IRoute*, const VariantArray2D& Table,
                          const QVariantList& Options) override {
    StationTable = Table;
    OptionVector = Options;
    return ComStatus::Ok;
  }
  ComStatus MatchRoads(IRoute*, const VariantArray2D&) override { return ComStatus::Ok; }
  ComStatus Advise(IRoutingEvents*, int& Cookie) override {
    Cookie = 1;
    return ComStatus::Ok;
  }
  ComStatus Advise(IRoutingProgress*, int& Cookie) override {
    Cookie = 2;
    return ComStatus::Ok;
  }
  ComStatus Unadvise(int) override { return ComStatus::Ok; }

  QList<bool> Calculations;
  VariantArray2D StationTable;
  QVariantList OptionVector;
  ComStatus CancelStatus = ComStatus::Ok;
};
