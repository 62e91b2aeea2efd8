#pragma once

#include <QString>
#include <QStringList>

#include "base/stringlist.h"

class QIODevice;

// Output form of a rendered table.
enum TCSVMode { mCSV = 0, mHTML = 1, mXML = 2, mTXT = 3 };

// The fields of one table line, split at a separator. There is no quoting: a separator
// inside a value always splits.
class TCSVRecord : public TStringList {
 public:
  TCSVRecord() = default;

  // Clears the record and adds the trimmed pieces of S between separators.
  void Split(const QString& S);

  QString Separator;
  // The field names of the owning file, shared with it.
  const QStringList* RecordFieldNames = nullptr;
  // One data-type text per field (e.g. "c202"), when the file collects them.
  QStringList RecordFieldDataTypes;
};

// A table as lines of text; each line carries its split-up fields as a TCSVRecord, owned by
// the file. Reads delimited text and renders the table as CSV, plain text, HTML or XML.
class TCSVFile : public TStringList {
 public:
  TCSVFile();

  // ";" semicolon, "\t" tab; a third character "U" means UTF-8 input (see the .cpp).
  void SetFSeparator(const QString& S);

  // The loaders replace all lines and split every non-blank line into a record. File and
  // stream loaders answer false (and leave the file empty) when nothing can be read.
  void LoadFromString(const QString& S);
  bool LoadFromFile(const QString& FileName) override;
  bool LoadFromStream(QIODevice& Stream) override;

  // Attaches a new, empty record to line Index (0-based), replacing its old one.
  void AddCSVRecord(int Index);
  // RecNr below 0: drops blank lines and splits every line; else splits only line RecNr.
  void CreateCSVRecords(int RecNr);
  // The record of line Item (0-based), or nullptr.
  TCSVRecord* GetCSVRecord(int Item) const;

  // Takes the field names from the fields of line Zeile (1-based), optionally deleting it.
  void SetFieldNames(int Zeile, bool WithDelete);
  // "a,b"; with WithFmt "a%s,b%s".
  QString GetFieldNames(bool WithFmt) const;
  QString GetFieldDataTypes(bool FirstOnly) const;

  // A value made fit for one CSV field (line breaks, separators, Excel's number guessing);
  // only trimmed in the other modes.
  QString GetValidCSVData(const QString& S) const;
  // Renders every line with a record in CSVMode; lines without a record are dropped.
  void RebuildCSVData();
  // XML only: inserts an empty element (opening and closing line) before line Zeile.
  void InsertXMLNode(int Zeile, const QString& XMLTag, const QString& XMLTagNS);

  QString FSeparator = QStringLiteral(";");
  QString XMLTableTag = QStringLiteral("table");
  QString XMLTableNS;
  QString XMLRecordTag = QStringLiteral("record");
  QString FieldDataTypes;
  QString XMLHeadParam = QStringLiteral("encoding=\"ISO-8859-1\"");
  QStringList FieldNames;
  bool XMLShowRecNo = false;
  bool XMLShowDataTyp = false;
  bool WithRecordFieldDataTypes = false;
  bool WithFieldNames = false;
  bool ISOEncoding = true;
  bool ConvertForExcel = false;
  TCSVMode CSVMode = mCSV;

 private:
  void DecodeUTF8Lines();
  void DropBlankLines();
  void SplitLine(int Index);
  QString RenderRecord(int Index, const TCSVRecord& Record);
  QString RenderElement(int FieldIndex, const TCSVRecord& Record) const;
  QString HeaderLine() const;
  void WrapDocument();
  bool IsMarkup() const { return CSVMode == mHTML || CSVMode == mXML; }
};
