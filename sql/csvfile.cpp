#include "sql/csvfile.h"

#include <QFile>
#include <QStringDecoder>

#include "base/delphistr.h"

namespace {
const QString kTabEscape = QStringLiteral("\\t");

// The text's characters as the bytes they were read from, when they all are bytes.
bool AsLatin1Bytes(const QString& Text, QByteArray& Bytes) {
  for (QChar c : Text)
    if (c.unicode() > 0xFF) return false;
  Bytes = Text.toLatin1();
  return true;
}

// Text read byte for byte that really holds UTF-8. Text that is already beyond single bytes,
// or whose bytes are no valid UTF-8, stays as it is, so reading twice or reading a file
// that was ISO-8859-1 after all loses nothing.
QString DecodeUTF8(const QString& Text) {
  QByteArray bytes;
  if (!AsLatin1Bytes(Text, bytes)) return Text;
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = decoder(bytes);
  return decoder.hasError() ? Text : decoded;
}
}  // namespace

void TCSVRecord::Split(const QString& S) {
  Clear();
  QString rest = S;
  qsizetype at = Separator.isEmpty() ? -1 : rest.indexOf(Separator);
  while (at >= 0) {
    Add(Trim(rest.left(at)));
    // Continuing one character after the separator's start keeps the rest of a
    // two-character separator in the next field, where trimming takes only a blank.
    rest = rest.mid(at + 1);
    at = rest.indexOf(Separator);
  }
  Add(Trim(rest));
}

TCSVFile::TCSVFile() : TStringList(true) {}

void TCSVFile::SetFSeparator(const QString& S) {
  if (S.isEmpty()) return;
  if (S.size() == 1) {
    FSeparator = S;
    return;
  }
  const QString head = S.left(2);
  FSeparator = head == kTabEscape ? QStringLiteral("\t") : Trim(head);
  if (S.size() > 2) ISOEncoding = S[2] != QLatin1Char('U');
}

void TCSVFile::LoadFromString(const QString& S) {
  Clear();
  SetText(S);
  CreateCSVRecords(-1);
}

bool TCSVFile::LoadFromFile(const QString& FileName) {
  Clear();
  QFile file(FileName);
  return file.open(QIODevice::ReadOnly) && LoadFromStream(file);
}

bool TCSVFile::LoadFromStream(QIODevice& Stream) {
  Clear();
  if (!TStringList::LoadFromStream(Stream)) return false;
  CreateCSVRecords(-1);
  return true;
}

void TCSVFile::AddCSVRecord(int Index) {
  if (Index < 0 || Index >= Count()) return;
  auto* record = new TCSVRecord;
  record->Separator = FSeparator;
  record->RecordFieldNames = &FieldNames;
  SetObject(Index, record);
}

void TCSVFile::SplitLine(int Index) {
  AddCSVRecord(Index);
  GetCSVRecord(Index)->Split(Strings(Index));
}

void TCSVFile::DecodeUTF8Lines() {
  for (int i = 0; i < Count(); ++i) SetString(i, DecodeUTF8(Strings(i)));
}

// Rebuilt in one pass: deleting line by line would move the rest of a long file each time.
void TCSVFile::DropBlankLines() {
  QStringList kept;
  for (int i = 0; i < Count(); ++i)
    if (!Trim(Strings(i)).isEmpty()) kept.append(Strings(i));
  if (kept.size() == Count()) return;
  Clear();
  AddStrings(kept);
}

void TCSVFile::CreateCSVRecords(int RecNr) {
  if (!ISOEncoding) DecodeUTF8Lines();
  if (RecNr >= 0) {
    if (RecNr < Count()) SplitLine(RecNr);
    return;
  }
  DropBlankLines();
  for (int i = 0; i < Count(); ++i) SplitLine(i);
}

TCSVRecord* TCSVFile::GetCSVRecord(int Item) const {
  if (Item < 0 || Item >= Count()) return nullptr;
  return ObjectAs<TCSVRecord>(Item);
}

void TCSVFile::SetFieldNames(int Zeile, bool WithDelete) {
  const TCSVRecord* record = GetCSVRecord(Zeile - 1);
  if (!record) return;
  FieldNames = record->ToStringList();
  if (WithDelete) Delete(Zeile - 1);
}

QString TCSVFile::GetFieldNames(bool WithFmt) const {
  QStringList names;
  for (const QString& name : FieldNames)
    names.append(Trim(name) + (WithFmt ? QStringLiteral("%s") : QString()));
  return names.join(QLatin1Char(','));
}

QString TCSVFile::GetFieldDataTypes(bool FirstOnly) const {
  const TCSVRecord* first = WithRecordFieldDataTypes ? GetCSVRecord(0) : nullptr;
  if (!first) return FieldDataTypes;
  QString types;
  for (const QString& type : first->RecordFieldDataTypes)
    types += FirstOnly ? Trim(type).left(1) : Trim(type);
  return types;
}
