#include "base/stringlist.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <utility>

#include "base/delphistr.h"
#include "base/textcompare.h"

namespace {

const QString LineBreak = QStringLiteral("\r\n");
const QChar NameValueSeparator = u'=';

// Delphi's delimited-text scanner treats every character up to the blank as white space.
bool IsBlank(QChar C) { return C.unicode() <= u' '; }

QString QuotedString(const QString& S, QChar Quote) {
  QString Doubled = S;
  Doubled.replace(Quote, QString(2, Quote));
  return Quote + Doubled + Quote;
}

// Reads a quoted string starting at Pos (on the opening quote); doubled quotes stand for one.
// An unterminated string runs to the end of the text. Pos ends after the closing quote.
QString ExtractQuotedString(const QString& Text, qsizetype& Pos, QChar Quote) {
  QString Result;
  ++Pos;
  while (Pos < Text.size()) {
    if (Text[Pos] == Quote) {
      if (Pos + 1 < Text.size() && Text[Pos + 1] == Quote) {
        Result += Quote;
        Pos += 2;
        continue;
      }
      ++Pos;
      break;
    }
    Result += Text[Pos++];
  }
  return Result;
}

bool NeedsQuoting(const QString& S, QChar Delimiter, QChar Quote, bool Strict) {
  return std::any_of(S.begin(), S.end(), [&](QChar C) {
    return C == Delimiter || C == Quote || (!Strict && IsBlank(C));
  });
}

QString DecodeText(const QByteArray& Bytes) {
  const std::optional<QStringConverter::Encoding> BomEncoding =
      QStringConverter::encodingForData(Bytes);
  if (!BomEncoding) return QString::fromLatin1(Bytes);
  QStringDecoder Decoder(*BomEncoding);
  return Decoder.decode(Bytes);
}

QByteArray EncodeText(const QString& Text) {
  const bool FitsLatin1 =
      std::all_of(Text.begin(), Text.end(), [](QChar C) { return C.unicode() <= 0xFF; });
  if (FitsLatin1) return Text.toLatin1();
  return QByteArray("\xEF\xBB\xBF") + Text.toUtf8();
}

}  // namespace

TStringList::TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}

TStringList::TStringList(TStringList&& Other) noexcept
    : FItems(std::exchange(Other.FItems, {})),
      FOwnsObjects(Other.FOwnsObjects),
      FDelimiter(Other.FDelimiter),
      FQuoteChar(Other.FQuoteChar),
      FStrictDelimiter(Other.FStrictDelimiter) {}

TStringList& TStringList::operator=(TStringList&& Other) noexcept {
  if (this != &Other) {
    FreeAllObjects();
    FItems = std::exchange(Other.FItems, {});
    FOwnsObjects = Other.FOwnsObjects;
    FDelimiter = Other.FDelimiter;
    FQuoteChar = Other.FQuoteChar;
    FStrictDelimiter = Other.FStrictDelimiter;
  }
  return *this;
}

TStringList::~TStringList() { FreeAllObjects(); }

int TStringList::Add(const QString& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const QString& S, TObject* AObject) {
  FItems.push_back({S, AObject});
  return Count() - 1;
}

void TStringList::Clear() { FreeAllObjects(); }

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  TObject* Removed = FItems[Index].Object;
  FItems.erase(FItems.begin() + Index);
  FreeObject(Removed);
}

void TStringList::Insert(int Index, const QString& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const QString& S, TObject* AObject) {
  if (Index != Count()) CheckIndex(Index);
  FItems.insert(FItems.begin() + Index, {S, AObject});
}

QString TStringList::Strings(int Index) const {
  CheckIndex(Index);
  return FItems[Index].S;
}

void TStringList::SetString(int Index, const QString& S) {
  CheckIndex(Index);
  FItems[Index].S = S;
}

TObject* TStringList::Objects(int Index) const {
  CheckIndex(Index);
  return FItems[Index].Object;
}

void TStringList::SetObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  TObject* Replaced = std::exchange(FItems[Index].Object, AObject);
  if (Replaced != AObject) FreeObject(Replaced);
}

int TStringList::IndexOf(const QString& S) const {
  for (int i = 0; i < Count(); ++i) {
    if (AnsiSameText(FItems[i].S, S)) return i;
  }
  return -1;
}

int TStringList::IndexOfObject(const TObject* AObject) const {
  for (int i = 0; i < Count(); ++i) {
    if (FItems[i].Object == AObject) return i;
  }
  return -1;
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FItems[Index1], FItems[Index2]);
}

void TStringList::Move(int CurIndex, int NewIndex) {
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  const auto Cur = FItems.begin() + CurIndex;
  const auto New = FItems.begin() + NewIndex;
  if (CurIndex < NewIndex) {
    std::rotate(Cur, Cur + 1, New + 1);
  } else {
    std::rotate(New, Cur, Cur + 1);
  }
}

QString TStringList::Names(int Index) const {
  const QString S = Strings(Index);
  const qsizetype Separator = S.indexOf(NameValueSeparator);
  return Separator < 0 ? QString() : S.left(Separator);
}

QString TStringList::ValueFromIndex(int Index) const {
  if (Index < 0) return QString();
  const QString S = Strings(Index);
  const qsizetype Separator = S.indexOf(NameValueSeparator);
  return Separator < 0 ? QString() : S.mid(Separator + 1);
}

int TStringList::IndexOfName(const QString& Name) const {
  for (int i = 0; i < Count(); ++i) {
    const QString& S = FItems[i].S;
    const qsizetype Separator = S.indexOf(NameValueSeparator);
    if (Separator >= 0 && AnsiSameText(S.left(Separator), Name)) return i;
  }
  return -1;
}

QString TStringList::Values(const QString& Name) const { return ValueFromIndex(IndexOfName(Name)); }

void TStringList::SetValues(const QString& Name, const QString& Value) {
  int Index = IndexOfName(Name);
  if (Value.isEmpty()) {
    if (Index >= 0) Delete(Index);
    return;
  }
  if (Index < 0) Index = Add(QString());
  SetString(Index, Name + NameValueSeparator + Value);
}

QString TStringList::Text() const {
  QString Result;
  for (const TStringItem& Item : FItems) Result += Item.S + LineBreak;
  return Result;
}

void TStringList::SetText(const QString& S) {
  Clear();
  qsizetype Pos = 0;
  while (Pos < S.size()) {
    const qsizetype Start = Pos;
    while (Pos < S.size() && S[Pos] != u'\r' && S[Pos] != u'\n') ++Pos;
    Add(S.mid(Start, Pos - Start));
    if (Pos < S.size() && S[Pos] == u'\r') ++Pos;
    if (Pos < S.size() && S[Pos] == u'\n') ++Pos;
  }
}

QString TStringList::DelimitedText() const {
  return JoinDelimited(FDelimiter, FQuoteChar, FStrictDelimiter);
}

void TStringList::SetDelimitedText(const QString& Value) {
  SplitDelimited(Value, FDelimiter, FQuoteChar, FStrictDelimiter);
}

QString TStringList::CommaText() const { return JoinDelimited(u',', u'"', false); }

void TStringList::SetCommaText(const QString& Value) { SplitDelimited(Value, u',', u'"', false); }

void TStringList::Assign(const TStringList& Source) {
  if (&Source == this) return;
  Clear();
  AddStrings(Source);
}

void TStringList::Assign(const QStringList& Source) {
  Clear();
  AddStrings(Source);
}

void TStringList::AddStrings(const TStringList& Source) {
  // Copied first, so adding a list to itself doubles it once.
  const std::vector<TStringItem> Items = Source.FItems;
  const bool ShareObjects = !FOwnsObjects && !Source.FOwnsObjects;
  for (const TStringItem& Item : Items) AddObject(Item.S, ShareObjects ? Item.Object : nullptr);
}

void TStringList::AddStrings(const QStringList& Source) {
  for (const QString& S : Source) Add(S);
}

QStringList TStringList::ToStringList() const {
  QStringList Result;
  Result.reserve(Count());
  for (const TStringItem& Item : FItems) Result << Item.S;
  return Result;
}

void TStringList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(), [](const TStringItem& A, const TStringItem& B) {
    return AnsiCompareText(A.S, B.S) < 0;
  });
}

bool TStringList::LoadFromFile(const QString& FileName) {
  QFile File(FileName);
  if (!File.open(QIODevice::ReadOnly)) return false;
  return LoadFromStream(File);
}

bool TStringList::LoadFromStream(QIODevice& Stream) {
  if (!Stream.isReadable()) return false;
  SetText(DecodeText(Stream.readAll()));
  return true;
}

bool TStringList::SaveToFile(const QString& FileName) const {
  QSaveFile File(FileName);
  if (!File.open(QIODevice::WriteOnly)) return false;
  return SaveToStream(File) && File.commit();
}

bool TStringList::SaveToStream(QIODevice& Stream) const {
  const QByteArray Bytes = EncodeText(Text());
  return Stream.isWritable() && Stream.write(Bytes) == Bytes.size();
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) {
    throw EStringListError(
        Format(QStringLiteral("Listenindex überschreitet das Maximum (%d)"), {Index}));
  }
}

void TStringList::FreeObject(TObject* AObject) {
  if (FOwnsObjects) delete AObject;
}

void TStringList::FreeAllObjects() {
  // Emptied before anything is deleted, so no destructor sees half a list.
  const std::vector<TStringItem> Removed = std::exchange(FItems, {});
  for (const TStringItem& Item : Removed) FreeObject(Item.Object);
}

QString TStringList::JoinDelimited(QChar Delimiter, QChar Quote, bool Strict) const {
  if (Count() == 1 && FItems[0].S.isEmpty()) return QString(2, Quote);
  QStringList Parts;
  for (const TStringItem& Item : FItems) {
    const bool Quoted = NeedsQuoting(Item.S, Delimiter, Quote, Strict);
    Parts << (Quoted ? QuotedString(Item.S, Quote) : Item.S);
  }
  return Parts.join(Delimiter);
}

void TStringList::SplitDelimited(const QString& Value, QChar Delimiter, QChar Quote, bool Strict) {
  Clear();
  const auto SkipBlanks = [&](qsizetype& Pos) {
    while (!Strict && Pos < Value.size() && IsBlank(Value[Pos])) ++Pos;
  };
  qsizetype Pos = 0;
  SkipBlanks(Pos);
  while (Pos < Value.size()) {
    if (Value[Pos] == Quote) {
      Add(ExtractQuotedString(Value, Pos, Quote));
    } else {
      const qsizetype Start = Pos;
      while (Pos < Value.size() && Value[Pos] != Delimiter && (Strict || !IsBlank(Value[Pos]))) {
        ++Pos;
      }
      Add(Value.mid(Start, Pos - Start));
    }
    SkipBlanks(Pos);
    if (Pos < Value.size() && Value[Pos] == Delimiter) {
      // A delimiter at the very end still separates an empty last item.
      if (Pos + 1 == Value.size()) Add(QString());
      ++Pos;
      SkipBlanks(Pos);
    }
  }
}
