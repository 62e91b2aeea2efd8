#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

class QIODevice;

// Root of everything a string list item can carry. Lists delete their objects through it.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = default;
  TObject& operator=(const TObject&) = default;
  virtual ~TObject() = default;
};

// Raised for an item index outside the list, with Delphi's German text.
class EStringListError : public std::runtime_error {
 public:
  explicit EStringListError(const QString& message)
      : std::runtime_error(message.toStdString()), Message(message) {}
  QString Message;
};

// Delphi's TStringList on Qt types: an ordered list of strings, each optionally carrying an
// object. With OwnsObjects the list deletes an item's object when the item is deleted, its
// object replaced, or the list cleared or destroyed; objects are handed over by raw pointer.
//
// Add, AddObject, Clear, Delete, Insert and InsertObject are virtual so that derived lists can
// enforce what their items carry; like Delphi, Add and Insert go through AddObject and
// InsertObject with no object, and SetText, SetValues, Assign and the loaders go through Add,
// AddObject, Delete and Clear. IndexOf and the names of Name=Value lines match without case
// (AnsiSameText, Ä equals ä); Sort orders by AnsiCompareText.
class TStringList : public TObject {
 public:
  explicit TStringList(bool OwnsObjects = false);
  TStringList(const TStringList&) = delete;
  TStringList& operator=(const TStringList&) = delete;
  TStringList(TStringList&& Other) noexcept;
  TStringList& operator=(TStringList&& Other) noexcept;
  ~TStringList() override;

  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  // Index operations raise EStringListError for an index outside 0 … Count()-1 (Insert
  // accepts Count()). A raising AddObject/InsertObject leaves the object with the caller.
  virtual int Add(const QString& S);
  virtual int AddObject(const QString& S, TObject* AObject);
  virtual void Clear();
  virtual void Delete(int Index);
  virtual void Insert(int Index, const QString& S);
  virtual void InsertObject(int Index, const QString& S, TObject* AObject);

  int Count() const { return static_cast<int>(FItems.size()); }
  bool IsEmpty() const { return FItems.empty(); }
  QString Strings(int Index) const;
  void SetString(int Index, const QString& S);
  TObject* Objects(int Index) const;
  // Deletes the replaced object when the list owns it (and it is not the new one).
  void SetObject(int Index, TObject* AObject);
  // The item's object as T, or nullptr when it has none or another type.
  template <class T>
  T* ObjectAs(int Index) const {
    return dynamic_cast<T*>(Objects(Index));
  }

  int IndexOf(const QString& S) const;
  int IndexOfObject(const TObject* AObject) const;
  void Exchange(int Index1, int Index2);
  // Moves an item with its object; nothing is deleted on the way.
  void Move(int CurIndex, int NewIndex);

  // Name=Value lines: the name is the text before the first "=", compared without case.
  QString Names(int Index) const;
  QString ValueFromIndex(int Index) const;
  int IndexOfName(const QString& Name) const;
  QString Values(const QString& Name) const;
  // Replaces the first line of that name, appends one when missing; an empty value deletes it.
  void SetValues(const QString& Name, const QString& Value);

  // Every item followed by CR LF, as Delphi, so SetText(Text()) restores the same items even
  // when the last ones are empty. An empty list gives an empty text.
  QString Text() const;
  // Clears, then adds one item per line; lines end at CR LF, CR or LF, and a break at the end
  // of the text adds no empty item.
  void SetText(const QString& S);

  // Delphi's DelimitedText: items holding blanks, control characters, the quote or the
  // delimiter are quoted (quotes doubled); reading splits at the delimiter and, unless
  // StrictDelimiter, at blanks too.
  QChar Delimiter() const { return FDelimiter; }
  void SetDelimiter(QChar Value) { FDelimiter = Value; }
  QChar QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(QChar Value) { FQuoteChar = Value; }
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }
  QString DelimitedText() const;
  void SetDelimitedText(const QString& Value);
  // DelimitedText with "," and '"' and blanks as separators, whatever the settings.
  QString CommaText() const;
  void SetCommaText(const QString& Value);

  // Copies the strings; objects are shared only when neither list owns objects, so no object
  // ever gets two owners.
  void Assign(const TStringList& Source);
  void Assign(const QStringList& Source);
  void AddStrings(const TStringList& Source);
  void AddStrings(const QStringList& Source);
  QStringList ToStringList() const;

  // Orders the items by AnsiCompareText (German collation without case), keeping objects.
  void Sort();

  // Text files: a UTF-8 or UTF-16 byte order mark is honoured, anything else is read as
  // ISO-8859-1 (byte for byte, so callers may reinterpret it). Saving writes ISO-8859-1
  // when every character fits, otherwise UTF-8 with a byte order mark, so nothing is lost.
  // False (list unchanged) when the file cannot be read or written.
  virtual bool LoadFromFile(const QString& FileName);
  virtual bool LoadFromStream(QIODevice& Stream);
  bool SaveToFile(const QString& FileName) const;
  bool SaveToStream(QIODevice& Stream) const;

 private:
  struct TStringItem {
    QString S;
    TObject* Object = nullptr;
  };

  void CheckIndex(int Index) const;
  void FreeObject(TObject* AObject);
  void FreeAllObjects();
  QString JoinDelimited(QChar Delimiter, QChar Quote, bool Strict) const;
  void SplitDelimited(const QString& Value, QChar Delimiter, QChar Quote, bool Strict);

  std::vector<TStringItem> FItems;
  bool FOwnsObjects;
  QChar FDelimiter = u',';
  QChar FQuoteChar = u'"';
  bool FStrictDelimiter = false;
};
