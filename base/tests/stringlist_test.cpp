#include "base/stringlist.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <map>

#include "base/tests/printers.h"

namespace {

// Records its own deletion, so tests can see which objects died and how often.
class TTracked : public TObject {
 public:
  TTracked(std::map<QString, int>& Deletions, QString Name)
      : FDeletions(Deletions), FName(std::move(Name)) {}
  ~TTracked() override { ++FDeletions[FName]; }
  const QString& Name() const { return FName; }

 private:
  std::map<QString, int>& FDeletions;
  QString FName;
};

class StringListOwnership : public ::testing::Test {
 protected:
  TTracked* Tracked(const QString& Name) { return new TTracked(Deletions, Name); }

  // A list "a", "b", "c", "d" whose items carry objects named like their strings.
  void Fill(TStringList& List) {
    for (const char* S : {"a", "b", "c", "d"}) List.AddObject(S, Tracked(S));
  }

  // Each item as "string:object name", so a test sees strings and objects stay together.
  static QStringList Pairs(const TStringList& List) {
    QStringList Result;
    for (int i = 0; i < List.Count(); ++i) {
      const TTracked* Object = List.ObjectAs<TTracked>(i);
      Result << List.Strings(i) + ":" + (Object ? Object->Name() : QString("-"));
    }
    return Result;
  }

  std::map<QString, int> Deletions;
};

TEST_F(StringListOwnership, OwningListDeletesEachObjectExactlyOnce) {
  {
    TStringList List(true);
    Fill(List);
    List.Delete(1);
    EXPECT_EQ(Deletions, (std::map<QString, int>{{"b", 1}}));

    List.SetObject(0, Tracked("a2"));
    EXPECT_EQ(Deletions, (std::map<QString, int>{{"a", 1}, {"b", 1}}));

    // Setting the object an item already carries must not delete it.
    List.SetObject(0, List.Objects(0));
    EXPECT_EQ(Deletions.count("a2"), 0u);

    List.Clear();
    EXPECT_EQ(List.Count(), 0);
    EXPECT_EQ(Deletions,
              (std::map<QString, int>{{"a", 1}, {"a2", 1}, {"b", 1}, {"c", 1}, {"d", 1}}));

    List.AddObject("e", Tracked("e"));
    List.SetText("x\r\ny");
    EXPECT_EQ(Deletions["e"], 1);
    List.AddObject("f", Tracked("f"));
  }
  EXPECT_EQ(Deletions, (std::map<QString, int>{
                           {"a", 1}, {"a2", 1}, {"b", 1}, {"c", 1}, {"d", 1}, {"e", 1}, {"f", 1}}));
}

TEST_F(StringListOwnership, ListWithoutOwnershipDeletesNothing) {
  TTracked Kept(Deletions, "kept");
  {
    TStringList List;
    List.AddObject("a", &Kept);
    List.SetObject(0, &Kept);
    List.Delete(0);
    List.AddObject("b", &Kept);
    List.Clear();
    List.AddObject("c", &Kept);
  }
  EXPECT_TRUE(Deletions.empty());
}

TEST_F(StringListOwnership, RearrangingKeepsObjectsWithTheirStringsAndDeletesNothing) {
  TStringList List(true);
  Fill(List);
  List.Move(0, 2);
  EXPECT_EQ(Pairs(List), QStringList({"b:b", "c:c", "a:a", "d:d"}));
  List.Move(3, 0);
  EXPECT_EQ(Pairs(List), QStringList({"d:d", "b:b", "c:c", "a:a"}));
  List.Exchange(0, 3);
  EXPECT_EQ(Pairs(List), QStringList({"a:a", "b:b", "c:c", "d:d"}));
  List.Insert(1, "x");
  List.InsertObject(4, "y", Tracked("y"));
  List.InsertObject(6, "z", Tracked("z"));
  EXPECT_EQ(Pairs(List), QStringList({"a:a", "x:-", "b:b", "c:c", "y:y", "d:d", "z:z"}));
  List.SetString(2, "B");
  List.Delete(1);
  EXPECT_EQ(Pairs(List), QStringList({"a:a", "B:b", "c:c", "y:y", "d:d", "z:z"}));
  EXPECT_TRUE(Deletions.empty());
  EXPECT_EQ(List.IndexOfObject(List.Objects(3)), 3);
  EXPECT_EQ(List.IndexOfObject(nullptr), -1);
}

TEST_F(StringListOwnership, AssignCopiesStringsButNeverGivesAnObjectTwoOwners) {
  TStringList Owner(true);
  Fill(Owner);
  TStringList Copy(true);
  Copy.AddObject("old", Tracked("old"));
  Copy.Assign(Owner);
  EXPECT_EQ(Pairs(Copy), QStringList({"a:-", "b:-", "c:-", "d:-"}));
  EXPECT_EQ(Deletions, (std::map<QString, int>{{"old", 1}}));

  TStringList View;
  View.Assign(Owner);
  EXPECT_EQ(View.Objects(0), nullptr);

  // Between lists that own nothing the references are shared, as in Delphi.
  TStringList Other;
  Other.Assign(View);
  Other.AddObject("shared", Owner.Objects(1));
  TStringList SecondView;
  SecondView.Assign(Other);
  EXPECT_EQ(SecondView.Objects(4), Owner.Objects(1));

  Copy.AddStrings(Copy);
  EXPECT_EQ(Copy.ToStringList(), QStringList({"a", "b", "c", "d", "a", "b", "c", "d"}));
}

TEST_F(StringListOwnership, MovedListHandsOverItsObjects) {
  {
    TStringList Source(true);
    Fill(Source);
    TStringList Target(std::move(Source));
    EXPECT_EQ(Target.Count(), 4);
    EXPECT_TRUE(Target.OwnsObjects());

    TStringList Other(true);
    Other.AddObject("old", Tracked("old"));
    Other = std::move(Target);
    EXPECT_EQ(Deletions, (std::map<QString, int>{{"old", 1}}));
    EXPECT_EQ(Pairs(Other), QStringList({"a:a", "b:b", "c:c", "d:d"}));
  }
  EXPECT_EQ(Deletions,
            (std::map<QString, int>{{"a", 1}, {"b", 1}, {"c", 1}, {"d", 1}, {"old", 1}}));
}

// A derived list that insists on an object for every item, the way station lists do.
class TAlwaysObjectList : public TStringList {
 public:
  explicit TAlwaysObjectList(std::map<QString, int>& Deletions)
      : TStringList(true), FDeletions(Deletions) {}
  int AddObject(const QString& S, TObject* AObject) override {
    return TStringList::AddObject(S, AObject ? AObject : new TTracked(FDeletions, S));
  }
  void InsertObject(int Index, const QString& S, TObject* AObject) override {
    TStringList::InsertObject(Index, S, AObject ? AObject : new TTracked(FDeletions, S));
  }

 private:
  std::map<QString, int>& FDeletions;
};

TEST_F(StringListOwnership, BulkOperationsGoThroughTheOverridableAdders) {
  TAlwaysObjectList List(Deletions);
  List.Add("a");
  List.Insert(0, "b");
  List.SetValues("c", "1");
  EXPECT_EQ(Pairs(List), QStringList({"b:b", "a:a", "c=1:"}));
  List.SetText("x\ny");
  EXPECT_EQ(Pairs(List), QStringList({"x:x", "y:y"}));
  List.SetCommaText("p,q");
  EXPECT_EQ(Pairs(List), QStringList({"p:p", "q:q"}));
  TStringList Source;
  Source.Add("s");
  List.Assign(Source);
  EXPECT_EQ(Pairs(List), QStringList({"s:s"}));
}

TEST(StringList, IndexOfFindsTheFirstMatchWithoutCaseIncludingUmlauts) {
  TStringList List;
  List.Assign(QStringList{"Müller", "ÄRGER", "abc", "ABC", ""});
  const std::vector<std::pair<QString, int>> Cases = {{"MÜLLER", 0}, {"ärger", 1}, {"Ärger", 1},
                                                      {"ABC", 2},    {"abc ", -1}, {"Muller", -1},
                                                      {"", 4},       {"xyz", -1}};
  for (const auto& [Search, Expected] : Cases) {
    EXPECT_EQ(List.IndexOf(Search), Expected) << Search.toStdString();
  }
  EXPECT_EQ(TStringList().IndexOf(""), -1);
}

TEST(StringList, NamesAndValues) {
  TStringList List;
  List.Assign(QStringList{"Q1R1=a~b", "q1r2=x=y", "noequals", "=nameless", "Straße=1"});
  EXPECT_EQ(List.Names(0), "Q1R1");
  EXPECT_EQ(List.Names(2), "");
  EXPECT_EQ(List.Names(3), "");
  EXPECT_EQ(List.ValueFromIndex(1), "x=y");
  EXPECT_EQ(List.ValueFromIndex(2), "");
  EXPECT_EQ(List.ValueFromIndex(3), "nameless");
  EXPECT_EQ(List.ValueFromIndex(-1), "");
  EXPECT_EQ(List.Values("q1r1"), "a~b");
  EXPECT_EQ(List.Values("Q1R2"), "x=y");
  EXPECT_EQ(List.Values("STRASSE"), "");
  EXPECT_EQ(List.Values("STRAßE"), "1");
  EXPECT_EQ(List.Values("noequals"), "");
  EXPECT_EQ(List.IndexOfName("Q1R2"), 1);
  EXPECT_EQ(List.IndexOfName("noequals"), -1);

  List.SetValues("q1R1", "neu");
  EXPECT_EQ(List.Strings(0), "q1R1=neu");
  List.SetValues("Q9", "v");
  EXPECT_EQ(List.Strings(5), "Q9=v");
  List.SetValues("Q1R2", "");
  List.SetValues("fehlt", "");
  EXPECT_EQ(List.ToStringList(),
            QStringList({"q1R1=neu", "noequals", "=nameless", "Straße=1", "Q9=v"}));
}

TEST(StringList, SetTextSplitsAtEveryKindOfLineBreak) {
  const std::vector<std::pair<QString, QStringList>> Cases = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"\n\n", {"", ""}},
      {"", {}},
      {"ohne Umbruch", {"ohne Umbruch"}},
  };
  for (const auto& [Text, Items] : Cases) {
    TStringList List;
    List.Add("alt");
    List.SetText(Text);
    EXPECT_EQ(List.ToStringList(), Items) << Text.toStdString();
  }
}

TEST(StringList, TextEndsEveryItemWithCrLfAndRoundTrips) {
  TStringList List;
  EXPECT_EQ(List.Text(), "");
  List.Assign(QStringList{"x", "", ""});
  EXPECT_EQ(List.Text(), "x\r\n\r\n\r\n");

  // A station is thirty fields, most of them empty; copying it through its text must keep
  // all thirty.
  TStringList Station;
  for (int i = 0; i < 30; ++i) Station.Add(i == 4 ? "654321" : "");
  TStringList Copy;
  Copy.SetText(Station.Text());
  EXPECT_EQ(Copy.Count(), 30);
  EXPECT_EQ(Copy.ToStringList(), Station.ToStringList());
}

TEST(StringList, CommaAndDelimitedText) {
  TStringList List;
  List.Assign(QStringList{"a", "b c", "", "d\"e", "x,y"});
  EXPECT_EQ(List.CommaText(), R"(a,"b c",,"d""e","x,y")");
  TStringList Back;
  Back.SetCommaText(List.CommaText());
  EXPECT_EQ(Back.ToStringList(), List.ToStringList());

  const std::vector<std::pair<QString, QStringList>> Cases = {
      {R"( a , "b c" ,,d )", {"a", "b c", "", "d"}},
      {"a,", {"a", ""}},
      {"a b", {"a", "b"}},
      {R"("offen)", {"offen"}},
      {"", {}},
  };
  for (const auto& [Text, Items] : Cases) {
    Back.SetCommaText(Text);
    EXPECT_EQ(Back.ToStringList(), Items) << Text.toStdString();
  }

  TStringList Single;
  Single.Add("");
  EXPECT_EQ(Single.CommaText(), R"("")");

  TStringList Strict;
  Strict.SetDelimiter(u';');
  Strict.SetStrictDelimiter(true);
  Strict.SetDelimitedText("a b;c");
  EXPECT_EQ(Strict.ToStringList(), QStringList({"a b", "c"}));
  EXPECT_EQ(Strict.DelimitedText(), "a b;c");
  // The comma forms keep their own rules whatever the list is set to.
  EXPECT_EQ(Strict.CommaText(), R"("a b",c)");
}

TEST(StringList, SortOrdersGermanTextWithoutCaseAndKeepsObjects) {
  TStringList List;
  TObject Apple;
  List.Assign(QStringList{"b", "a", "C", "Zebra"});
  List.InsertObject(1, "Äpfel", &Apple);
  List.Sort();
  EXPECT_EQ(List.ToStringList(), QStringList({"a", "Äpfel", "b", "C", "Zebra"}));
  EXPECT_EQ(List.Objects(1), &Apple);
}

TEST(StringList, IndexOutsideTheListRaisesWithDelphisMessage) {
  const std::vector<std::pair<const char*, std::function<void(TStringList&)>>> Cases = {
      {"Strings(-1)", [](TStringList& L) { L.Strings(-1); }},
      {"Strings(Count)", [](TStringList& L) { L.Strings(2); }},
      {"SetString", [](TStringList& L) { L.SetString(2, "x"); }},
      {"Objects", [](TStringList& L) { L.Objects(2); }},
      {"SetObject", [](TStringList& L) { L.SetObject(-1, nullptr); }},
      {"Delete", [](TStringList& L) { L.Delete(2); }},
      {"Insert(Count+1)", [](TStringList& L) { L.Insert(3, "x"); }},
      {"Insert(-1)", [](TStringList& L) { L.Insert(-1, "x"); }},
      {"Exchange", [](TStringList& L) { L.Exchange(0, 2); }},
      {"Move", [](TStringList& L) { L.Move(0, 2); }},
      {"Names", [](TStringList& L) { L.Names(2); }},
      {"ValueFromIndex", [](TStringList& L) { L.ValueFromIndex(2); }},
  };
  for (const auto& [Name, Operation] : Cases) {
    TStringList List;
    List.Assign(QStringList{"a", "b"});
    EXPECT_THROW(Operation(List), EStringListError) << Name;
    EXPECT_EQ(List.ToStringList(), QStringList({"a", "b"})) << Name;
  }

  TStringList List;
  try {
    List.Strings(7);
    FAIL() << "no error raised";
  } catch (const EStringListError& Error) {
    EXPECT_EQ(Error.Message, "Listenindex überschreitet das Maximum (7)");
  }
  List.Insert(0, "at the end is allowed");
  EXPECT_EQ(List.Count(), 1);
}

TEST_F(StringListOwnership, FailedInsertLeavesTheObjectWithTheCaller) {
  TStringList List(true);
  TTracked* Object = Tracked("caller");
  EXPECT_THROW(List.InsertObject(5, "x", Object), EStringListError);
  EXPECT_TRUE(Deletions.empty());
  delete Object;
}

TEST(StringListFiles, SavesLatin1WhenPossibleAndUtf8OtherwiseAndReadsBothBack) {
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  const QString Latin = Dir.filePath("latin.txt");
  const QString Unicode = Dir.filePath("unicode.txt");

  TStringList List;
  List.Assign(QStringList{"Grüße", "", "Straße"});
  ASSERT_TRUE(List.SaveToFile(Latin));
  QFile LatinFile(Latin);
  ASSERT_TRUE(LatinFile.open(QIODevice::ReadOnly));
  EXPECT_EQ(LatinFile.readAll(), QByteArray("Gr\xFC\xDF"
                                            "e\r\n\r\nStra\xDF"
                                            "e\r\n"));

  List.Add("Preis 5 €");
  ASSERT_TRUE(List.SaveToFile(Unicode));
  QFile UnicodeFile(Unicode);
  ASSERT_TRUE(UnicodeFile.open(QIODevice::ReadOnly));
  EXPECT_TRUE(UnicodeFile.readAll().startsWith("\xEF\xBB\xBFGr\xC3\xBC"));

  for (const QString& Path : {Latin, Unicode}) {
    TStringList Back;
    ASSERT_TRUE(Back.LoadFromFile(Path));
    EXPECT_EQ(Back.ToStringList(), List.ToStringList().mid(0, Path == Latin ? 3 : 4));
  }
}

TEST(StringListFiles, MissingFileLeavesTheListAlone) {
  QTemporaryDir Dir;
  TStringList List;
  List.Add("bleibt");
  EXPECT_FALSE(List.LoadFromFile(Dir.filePath("fehlt.txt")));
  EXPECT_FALSE(List.SaveToFile(Dir.filePath("kein/Ordner/datei.txt")));
  EXPECT_EQ(List.ToStringList(), QStringList({"bleibt"}));
}

TEST(StringListFiles, StreamsDecodeByteOrderMarksAndTakeOtherBytesAsLatin1) {
  const std::vector<std::pair<QByteArray, QStringList>> Cases = {
      {QByteArray("a\r\n\xE4\n"), {"a", "ä"}},
      {QByteArray("\xEF\xBB\xBF\xC3\xA4\rb"), {"ä", "b"}},
      {QByteArray("\xFF\xFE\xE4\x00\n\x00", 6), {"ä"}},
  };
  for (const auto& [Bytes, Items] : Cases) {
    QByteArray Data = Bytes;
    QBuffer Buffer(&Data);
    ASSERT_TRUE(Buffer.open(QIODevice::ReadOnly));
    TStringList List;
    ASSERT_TRUE(List.LoadFromStream(Buffer));
    EXPECT_EQ(List.ToStringList(), Items) << Bytes.toHex().toStdString();
  }
  QBuffer Closed;
  TStringList List;
  EXPECT_FALSE(List.LoadFromStream(Closed));
}

}  // namespace
