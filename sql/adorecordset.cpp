#include "sql/adorecordset.h"

#include "sql/adoerror.h"

namespace {
const QString kClosedObject =
    QStringLiteral("Der Vorgang ist für ein geschlossenes Objekt nicht zulässig.");
const QString kNoCurrentRecord = QStringLiteral(
    "BOF oder EOF hat den Wert True, oder der aktuelle Datensatz wurde gelöscht.");
}  // namespace

QString TADOField::Name() const { return FRecordset.ColumnAt(FIndex).Name; }

int TADOField::Type() const { return FRecordset.ColumnAt(FIndex).Type; }

QVariant TADOField::Value() const { return FRecordset.CurrentValue(FIndex); }

qint64 TADOField::ActualSize() const {
  const QVariant& value = FRecordset.CurrentValue(FIndex);
  if (value.isNull()) return 0;
  if (value.typeId() == QMetaType::QByteArray) return value.toByteArray().size();
  return value.toString().size();
}

QVariant TADOField::GetChunk(qint64 Length) {
  const QVariant& value = FRecordset.CurrentValue(FIndex);
  qint64& offset = FRecordset.FChunkOffsets[FIndex];
  if (value.isNull() || Length <= 0) return QVariant();
  if (value.typeId() == QMetaType::QByteArray) {
    const QByteArray bytes = value.toByteArray();
    if (offset >= bytes.size()) return QVariant();
    QByteArray chunk = bytes.mid(offset, Length);
    offset += chunk.size();
    return chunk;
  }
  const QString text = value.toString();
  if (offset >= text.size()) return QVariant();
  QString chunk = text.mid(offset, Length);
  offset += chunk.size();
  return chunk;
}

TADORecordset::TADORecordset(QVector<Column> columns, QVector<QVector<QVariant>> rows)
    : FOpen(true),
      FColumns(std::move(columns)),
      FRows(std::move(rows)),
      FChunkOffsets(FColumns.size(), 0) {}

void TADORecordset::RequireOpen() const {
  if (!FOpen) throw EADOError(kClosedObject);
}

int TADORecordset::RecordCount() const {
  RequireOpen();
  return FRows.size();
}

bool TADORecordset::Eof() const {
  RequireOpen();
  return FPosition >= FRows.size();
}

bool TADORecordset::Bof() const {
  RequireOpen();
  return FPosition < 0 || FRows.isEmpty();
}

void TADORecordset::MoveFirst() {
  RequireOpen();
  FPosition = 0;
  FChunkOffsets.fill(0);
}

void TADORecordset::MoveNext() { Move(1); }

void TADORecordset::Move(int NumRecords) {
  RequireOpen();
  const qint64 target = qint64(FPosition) + NumRecords;
  if (target < 0 || target > FRows.size()) throw EADOError(kNoCurrentRecord);
  FPosition = int(target);
  FChunkOffsets.fill(0);
}

int TADORecordset::FieldCount() const {
  RequireOpen();
  return FColumns.size();
}

TADOField TADORecordset::Field(int Index) {
  ColumnAt(Index);
  return TADOField(*this, Index);
}

const TADORecordset::Column& TADORecordset::ColumnAt(int index) const {
  RequireOpen();
  if (index < 0 || index >= FColumns.size())
    throw EADOError(QStringLiteral(
        "Ein Element mit dem angegebenen Namen oder der angegebenen Ordinalzahl wurde in der "
        "Auflistung nicht gefunden."));
  return FColumns[index];
}

const QVariant& TADORecordset::CurrentValue(int index) const {
  ColumnAt(index);
  if (FPosition < 0 || FPosition >= FRows.size()) throw EADOError(kNoCurrentRecord);
  return FRows[FPosition][index];
}
