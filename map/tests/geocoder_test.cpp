#include "map/component/factory.h"
#include "map/component/igeocoder.h"
#include "map/tests/mapfixture.h"

using Geocoding = MapViewFixture;

TEST_F(Geocoding, SearchCorrectsTheTextsAndReverseLookupFindsTheHouse) {
  std::shared_ptr<IGeocoder> geocoder = ComponentFactory::Instance().CreateGeocoder();
  ASSERT_NE(geocoder, nullptr);
  QVariant options;
  ASSERT_TRUE(Succeeded(geocoder->GetSearchOptions(options)));
  QString country, postalCode, town = "lindenau", district, street = "Goethestr. 23";
  VariantArray2D result;
  int code = -1;
  ASSERT_TRUE(Succeeded(geocoder->Search(options, country, postalCode, town, district, street, 0, 0,
                                         1, 1, 1, 1, 3, result, code)));
  ASSERT_EQ(code, 1);
  EXPECT_EQ(town, "Lindenau");
  EXPECT_EQ(street, QStringLiteral("Goethestraße 23"));
  ASSERT_GE(result.ColumnCount(), 1);
  EXPECT_EQ(result.At(9, 0).toString(), "23");
  const int x = result.At(2, 0).toInt();
  const int y = result.At(3, 0).toInt();

  auto* reverse = dynamic_cast<IReverseGeocoder*>(geocoder.get());
  ASSERT_NE(reverse, nullptr);
  VariantArray2D here;
  ASSERT_TRUE(Succeeded(reverse->ReverseLookup(x, y, here)));
  ASSERT_EQ(here.ColumnCount(), 1);
  EXPECT_EQ(here.At(8, 0).toString(), QStringLiteral("Goethestraße"));
  EXPECT_EQ(here.At(9, 0).toString(), "23");
  ASSERT_TRUE(Succeeded(reverse->ReverseLookup(100, 100, here)));
  EXPECT_TRUE(here.IsEmpty());
}
