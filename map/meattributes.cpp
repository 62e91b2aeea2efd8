#include "map/meattributes.h"

#include <QDir>

namespace {
enum Key {
  kColour = 3,
  kSetting6 = 6,
  kGroup = 7,
  kDescription = 8,
  kText = 9,
  kSetting10 = 10,
  kSetting11 = 11,
  kSymbolKind = 13,
  kPicture = 15,
  kSetting16 = 16,
  kShape = 19,
  kAnchor = 20,
  kPointCount = 21,
};
constexpr int kAnchorValue = 22;
// Colour values from here on (taken unsigned) name no picture.
constexpr unsigned kFirstNonSymbol = 1000;

class Builder {
 public:
  explicit Builder(MEAttributes& out) : out_(out) {}
  Builder& pair(int key, const QVariant& value) {
    out_.append({key, value});
    return *this;
  }
  Builder& point(int x, int y) {
    out_.append({QString(), x});
    out_.append({QString(), y});
    return *this;
  }
  Builder& unset() {
    out_.append({QVariant(), QVariant()});
    return *this;
  }

 private:
  MEAttributes& out_;
};
}  // namespace

QString MESymbolFile(int Color) {
  return QDir::tempPath() + QLatin1Char('/') +
         QStringLiteral("%1.bmp").arg(Color, 3, 10, QLatin1Char('0'));
}

bool BuildMEAttributes(const TPoint& P, int Shape, const QString& Text, const QString& Beschreibung,
                       int Color, const QString& ObjectGroup, const MEObjectGeometry& G,
                       MEAttributes& Attributes) {
  if (Shape < 1 || Shape > 16) return false;
  Attributes.clear();
  Builder b(Attributes);
  const int x = P.X + G.COffset;
  const auto box = [&] { b.point(x, P.Y + G.CHeight).point(P.X + G.CWidth + G.COffset, P.Y); };
  const auto texts = [&] {
    b.pair(kGroup, ObjectGroup).pair(kDescription, Beschreibung).pair(kText, Text);
  };
  b.pair(kShape, Shape);
  switch (Shape) {
    case 15:
      b.pair(kAnchor, kAnchorValue)
          .point(x, P.Y)
          .pair(kText, Text)
          .pair(kDescription, Beschreibung)
          .pair(kGroup, ObjectGroup);
      if (static_cast<unsigned>(Color) < kFirstNonSymbol) {
        b.pair(kPicture, MESymbolFile(Color)).pair(kSymbolKind, Color == 0 || Color == 1 ? 33 : 18);
      } else {
        b.pair(kPicture, QString()).unset();
      }
      break;
    case 1:
      b.pair(kPointCount, 2);
      box();
      b.pair(kColour, Color).pair(kSetting6, 17).pair(kSetting11, 0).pair(kSetting10, 50);
      texts();
      break;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
      b.pair(kPointCount, 2);
      box();
      b.pair(kColour, Color);
      texts();
      break;
    case 7:
      b.pair(kAnchor, kAnchorValue)
          .point(P.X + G.CWidth / 2 + G.COffset, P.Y + G.CHeight / 2)
          .pair(kPointCount, 2)
          .point(-20, -20)
          .point(20, 20)
          .pair(kColour, Color);
      texts();
      break;
    case 8:
    case 9:
      b.pair(kPointCount, 2);
      box();
      texts();
      break;
    case 10:
    case 11:
      b.pair(kPointCount, 4)
          .point(P.X + G.CWidth + G.COffset, P.Y + G.CHeight / 2)
          .point(P.X + G.CWidth / 2 + G.COffset, P.Y + G.CHeight)
          .point(x, P.Y + G.CHeight / 2)
          .point(P.X + G.CWidth / 2 + G.COffset, P.Y)
          .pair(kColour, Color);
      texts();
      break;
    case 12:
      b.pair(kAnchor, kAnchorValue).point(x, P.Y).pair(kSetting16, 4);
      texts();
      break;
    case 16:
      b.pair(kAnchor, kAnchorValue)
          .point(x, P.Y)
          .pair(kGroup, ObjectGroup)
          .pair(kDescription, Beschreibung)
          .pair(kSymbolKind, 18)
          .pair(kPicture, MESymbolFile(Color))
          .pair(kText, Text);
      break;
    default:  // 13, 14: a text at the point
      b.pair(kAnchor, kAnchorValue).point(x, P.Y).pair(kColour, Color);
      texts();
  }
  return true;
}
