#include "map/meattributes.h"

#include <gtest/gtest.h>

namespace {
QVariant ValueOf(const MEAttributes& a, int key) {
  for (const MEAttribute& p : a) {
    if (p.Key.typeId() == QMetaType::Int && p.Key.toInt() == key) return p.Value;
  }
  return {};
}
bool HasKey(const MEAttributes& a, int key) { return ValueOf(a, key).isValid(); }
}  // namespace

TEST(MEAttributes, SymbolMarkersNameTheirPictureByColour) {
  const struct {
    int colour;
    QString picture;  // file name, empty for none
    int symbolKind;   // value of pair 13, 0 for none
  } cases[] = {
      {7, QStringLiteral("007.bmp"), 18}, {1, QStringLiteral("001.bmp"), 33},
      {0, QStringLiteral("000.bmp"), 33}, {930, QStringLiteral("930.bmp"), 18},
      {0x20000000, QString(), 0},         {-5, QString(), 0},
  };
  for (const auto& c : cases) {
    MEAttributes a;
    ASSERT_TRUE(BuildMEAttributes({100, 200}, 15, "t", "b", c.colour, "g", {}, a));
    ASSERT_EQ(a.size(), 9) << c.colour;
    EXPECT_EQ(a[7].Key.toInt(), 15);
    if (c.picture.isEmpty()) {
      EXPECT_EQ(a[7].Value.toString(), QString()) << c.colour;
      EXPECT_FALSE(a[8].Key.isValid()) << c.colour;  // the last pair stays unset
    } else {
      EXPECT_EQ(a[7].Value.toString(), MESymbolFile(c.colour));
      EXPECT_TRUE(a[7].Value.toString().endsWith(QLatin1Char('/') + c.picture)) << c.colour;
      EXPECT_EQ(ValueOf(a, 13).toInt(), c.symbolKind) << c.colour;
    }
  }
}

TEST(MEAttributes, SymbolOrderAndOffset) {
  MEAttributes a;
  ASSERT_TRUE(BuildMEAttributes({100, 200}, 15, "Text", "Titel", 3, "Gruppe", {10, 10, 5}, a));
  const QList<QVariant> keys = {19, 20, QString(), QString(), 9, 8, 7, 15, 13};
  for (int i = 0; i < keys.size(); ++i) EXPECT_EQ(a[i].Key, keys[i]) << i;
  EXPECT_EQ(a[2].Value.toInt(), 105);  // X + COffset
  EXPECT_EQ(a[3].Value.toInt(), 200);  // Y unchanged
  EXPECT_EQ(a[4].Value.toString(), "Text");
  EXPECT_EQ(a[5].Value.toString(), "Titel");
  EXPECT_EQ(a[6].Value.toString(), "Gruppe");
}

TEST(MEAttributes, OtherShapesCarryTheirPoints) {
  const MEObjectGeometry g{10, 20, 5};
  const struct {
    int shape;
    QList<int> coordinates;
    bool colour;
  } cases[] = {
      {1, {105, 220, 115, 200}, true},
      {4, {105, 220, 115, 200}, true},
      {7, {110, 210, -20, -20, 20, 20}, true},
      {8, {105, 220, 115, 200}, false},
      {10, {115, 210, 110, 220, 105, 210, 110, 200}, true},
      {12, {105, 200}, false},
      {16, {105, 200}, false},
  };
  for (const auto& c : cases) {
    MEAttributes a;
    ASSERT_TRUE(BuildMEAttributes({100, 200}, c.shape, "t", "b", 0x0000FF, "g", g, a));
    QList<int> coordinates;
    for (const MEAttribute& p : a) {
      if (p.Key.typeId() == QMetaType::QString) coordinates.append(p.Value.toInt());
    }
    EXPECT_EQ(coordinates, c.coordinates) << c.shape;
    EXPECT_EQ(ValueOf(a, 19).toInt(), c.shape);
    EXPECT_EQ(HasKey(a, 3), c.colour) << c.shape;
  }
  MEAttributes none;
  EXPECT_FALSE(BuildMEAttributes({0, 0}, 17, "", "", 0, "", g, none));
  EXPECT_FALSE(BuildMEAttributes({0, 0}, 0, "", "", 0, "", g, none));
  EXPECT_TRUE(none.isEmpty());
}
