#include "map/mapserver.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include "map/mapsymbols.h"

TEST(MapSymbols, NumbersRunFromZeroAndFromNineHundredThirty) {
  const struct {
    int index;
    const char* number;
  } cases[] = {{0, "000"}, {1, "001"}, {29, "029"}, {30, "930"}, {31, "931"}, {60, "960"}};
  for (const auto& c : cases) EXPECT_EQ(mapsymbols::SymbolNumber(c.index), c.number) << c.index;
}

TEST(MapServer, WritesSixtyOneDistinctPicturesAndDeletesThemAtTheEnd) {
  QStringList files;
  {
    TMapServer server;
    ASSERT_EQ(server.MapSymbols.size(), 61);
    QList<QImage> seen;
    for (int n = 0; n < 61; ++n) {
      files.append(server.SymbolFile(n));
      const QImage image(files.last());
      ASSERT_FALSE(image.isNull()) << qPrintable(files.last());
      EXPECT_EQ(image.size(), QSize(16, 16));
      EXPECT_FALSE(seen.contains(image.convertToFormat(QImage::Format_RGB32))) << n;
      seen.append(image.convertToFormat(QImage::Format_RGB32));
    }
    EXPECT_TRUE(files[29].endsWith(QStringLiteral("/029.bmp")));
    EXPECT_TRUE(files[30].endsWith(QStringLiteral("/930.bmp")));
    EXPECT_TRUE(files[60].endsWith(QStringLiteral("/960.bmp")));
    EXPECT_TRUE(files[0].startsWith(QDir::tempPath()));
  }
  for (const QString& f : files) EXPECT_FALSE(QFile::exists(f)) << qPrintable(f);
}
