#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

// ADO data type numbers as the record set reports them in a field's Type.
namespace adotype {
constexpr int Empty = 0;
constexpr int SmallInt = 2;
constexpr int Integer = 3;
constexpr int Double = 5;
constexpr int Currency = 6;
constexpr int Date = 7;
constexpr int Boolean = 11;
constexpr int BigInt = 20;
constexpr int VarWChar = 202;
constexpr int LongVarWChar = 203;
constexpr int LongVarBinary = 205;
}  // namespace adotype

class TADORecordset;

// One column of the current record, as ADO's Field object offers it.
class TADOField {
 public:
  TADOField(TADORecordset& recordset, int index) : FRecordset(recordset), FIndex(index) {}
  QString Name() const;
  int Type() const;
  // The value of the current record; throws EADOError at BOF/EOF.
  QVariant Value() const;
  // Length in bytes of a binary value, in characters of a text value; 0 for null.
  qint64 ActualSize() const;
  // The next Length bytes (binary) or characters (text) of the value, continuing where the
  // previous call on this field of this record stopped; null once the value is used up.
  QVariant GetChunk(qint64 Length);

 private:
  TADORecordset& FRecordset;
  int FIndex;
};

// A client-side record set: all rows are materialised when the statement runs, so the
// record count is always known. A statement without rows answers a closed record set,
// on which RecordCount and Fields raise as they do in ADO.
class TADORecordset {
 public:
  struct Column {
    QString Name;
    int Type = adotype::Empty;
  };

  // A closed record set, as returned for statements that yield no rows.
  TADORecordset() = default;
  TADORecordset(QVector<Column> columns, QVector<QVector<QVariant>> rows);

  bool IsOpen() const { return FOpen; }
  int RecordCount() const;
  bool Eof() const;
  bool Bof() const;
  void MoveFirst();
  void MoveNext();
  // Moves NumRecords from the current record (negative moves back); moving outside the
  // rows raises, as ADO does.
  void Move(int NumRecords);
  int AbsolutePosition() const { return FPosition + 1; }

  int FieldCount() const;
  // Fields(Index), 0-based; raises for an index outside the columns.
  TADOField Field(int Index);

 private:
  friend class TADOField;
  const Column& ColumnAt(int index) const;
  const QVariant& CurrentValue(int index) const;
  void RequireOpen() const;

  bool FOpen = false;
  QVector<Column> FColumns;
  QVector<QVector<QVariant>> FRows;
  int FPosition = 0;
  QVector<qint64> FChunkOffsets;
};

using TADORecordsetPtr = std::shared_ptr<TADORecordset>;
