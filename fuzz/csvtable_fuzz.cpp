// Delimited text as the table reader loads it from a file (both separators, UTF-8 and
// Latin-1 input),
// with field names taken from the first line and the table rendered in every output form.

#include <QBuffer>

#include "sql/csvfile.h"

namespace {

void LoadAndRender(const QByteArray& bytes, const QString& separator) {
  for (const TCSVMode mode : {mCSV, mHTML, mXML, mTXT}) {
    TCSVFile table;
    table.SetFSeparator(separator);
    QBuffer stream;
    stream.setData(bytes);
    if (!stream.open(QIODevice::ReadOnly) || !table.LoadFromStream(stream)) return;
    table.SetFieldNames(1, true);
    table.GetFieldNames(true);
    table.GetFieldDataTypes(false);
    table.CSVMode = mode;
    table.XMLShowRecNo = true;
    table.XMLShowDataTyp = true;
    table.ConvertForExcel = true;
    table.RebuildCSVData();
    if (mode == mXML) table.InsertXMLNode(1, QStringLiteral("head"), {});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte chooses the separator; the rest is the table.
  if (size == 0) return 0;
  static const QString separators[] = {QStringLiteral(";"), QStringLiteral("\t"),
                                       QStringLiteral("; U"), QStringLiteral("\\tU")};
  const QString& separator = separators[data[0] % 4];
  LoadAndRender(
      QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1)),
      separator);
  return 0;
}
