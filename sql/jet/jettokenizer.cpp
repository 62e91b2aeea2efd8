#include "sql/jet/jettokenizer.h"

#include "sql/jet/jeterror.h"

namespace {

bool IsIdentifierStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool IsIdentifierPart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }
bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

class Tokenizer {
 public:
  explicit Tokenizer(const QString& text) : FText(text) {}

  QVector<JetToken> Run() {
    QVector<JetToken> tokens;
    while (true) {
      SkipBlanks();
      if (AtEnd()) break;
      tokens.append(Next());
    }
    JetToken end;
    end.Position = int(FText.size()) + 1;
    tokens.append(end);
    return tokens;
  }

 private:
  bool AtEnd() const { return FPos >= FText.size(); }
  QChar Peek(int ahead = 0) const {
    return FPos + ahead < FText.size() ? FText[FPos + ahead] : QChar();
  }

  void SkipBlanks() {
    // Jet knows no comments: "--" outside a literal is two minus signs.
    while (!AtEnd() && Peek().isSpace()) ++FPos;
  }

  JetToken Next() {
    const QChar c = Peek();
    if (c == QLatin1Char('0') && (Peek(1) == QLatin1Char('x') || Peek(1) == QLatin1Char('X')))
      return ReadBinary();
    if (IsDigit(c) || (c == QLatin1Char('.') && IsDigit(Peek(1)))) return ReadNumber();
    if (IsIdentifierStart(c)) return ReadWord();
    if (c == QLatin1Char('[')) return ReadBracketed();
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) return ReadText(c);
    if (c == QLatin1Char('#')) return ReadDate();
    return ReadSymbol();
  }

  JetToken Make(JetToken::Kind kind, int start, const QString& text) const {
    JetToken token;
    token.Type = kind;
    token.Position = start + 1;
    token.Text = text;
    return token;
  }

  JetToken ReadBinary() {
    const int start = FPos;
    FPos += 2;
    const int digitsStart = FPos;
    while (!AtEnd() && IsIdentifierPart(Peek())) ++FPos;
    const QString digits = FText.mid(digitsStart, FPos - digitsStart);
    bool valid = digits.size() % 2 == 0;
    for (QChar d : digits)
      valid = valid && (IsDigit(d) || QStringLiteral("abcdefABCDEF").contains(d));
    if (!valid)
      RaiseJetSyntaxError(QStringLiteral("ungültiges Binärliteral \"0x%1\"").arg(digits),
                          start + 1);
    JetToken token = Make(JetToken::Kind::Binary, start, FText.mid(start, FPos - start));
    token.Bytes = QByteArray::fromHex(digits.toLatin1());
    return token;
  }

  JetToken ReadNumber() {
    const int start = FPos;
    bool isFloat = false;
    while (IsDigit(Peek())) ++FPos;
    if (Peek() == QLatin1Char('.')) {
      isFloat = true;
      ++FPos;
      while (IsDigit(Peek())) ++FPos;
    }
    if ((Peek() == QLatin1Char('e') || Peek() == QLatin1Char('E')) &&
        (IsDigit(Peek(1)) ||
         ((Peek(1) == QLatin1Char('+') || Peek(1) == QLatin1Char('-')) && IsDigit(Peek(2))))) {
      isFloat = true;
      FPos += 2;
      while (IsDigit(Peek())) ++FPos;
    }
    if (IsIdentifierStart(Peek()))
      RaiseJetSyntaxError(
          QStringLiteral("ungültige Zahl \"%1\"").arg(FText.mid(start, FPos - start + 1)),
          start + 1);
    return Make(isFloat ? JetToken::Kind::Float : JetToken::Kind::Integer, start,
                FText.mid(start, FPos - start));
  }

  JetToken ReadWord() {
    const int start = FPos;
    while (!AtEnd() && IsIdentifierPart(Peek())) ++FPos;
    return Make(JetToken::Kind::Identifier, start, FText.mid(start, FPos - start));
  }

  JetToken ReadBracketed() {
    const int start = FPos;
    const int close = FText.indexOf(QLatin1Char(']'), FPos + 1);
    if (close < 0)
      RaiseJetSyntaxError(QStringLiteral("fehlende schließende Klammer \"]\""), start + 1);
    const QString name = FText.mid(start + 1, close - start - 1);
    bool control = false;
    for (QChar c : name) control = control || c.unicode() < 0x20;
    if (name.trimmed().isEmpty() || name.contains(QLatin1Char('[')) || control)
      RaiseJetSyntaxError(QStringLiteral("ungültiger Name in eckigen Klammern"), start + 1);
    FPos = close + 1;
    JetToken token = Make(JetToken::Kind::Identifier, start, name);
    token.Bracketed = true;
    return token;
  }

  JetToken ReadText(QChar quote) {
    const int start = FPos;
    ++FPos;
    QString value;
    while (true) {
      if (AtEnd())
        RaiseJetSyntaxError(QStringLiteral("Zeichenfolge ohne schließendes Anführungszeichen"),
                            start + 1);
      const QChar c = Peek();
      ++FPos;
      if (c == quote) {
        if (Peek() != quote) break;
        ++FPos;
      }
      value.append(c);
    }
    return Make(JetToken::Kind::Text, start, value);
  }

  JetToken ReadDate() {
    const int start = FPos;
    const int close = FText.indexOf(QLatin1Char('#'), FPos + 1);
    if (close < 0)
      RaiseJetSyntaxError(QStringLiteral("Datumsliteral ohne schließendes \"#\""), start + 1);
    FPos = close + 1;
    return Make(JetToken::Kind::Date, start, FText.mid(start + 1, close - start - 1));
  }

  JetToken ReadSymbol() {
    const int start = FPos;
    static const char* const twoCharSymbols[] = {"<>", "<=", ">=", "!="};
    for (const char* symbol : twoCharSymbols) {
      if (FText.mid(FPos, 2) == QLatin1String(symbol)) {
        FPos += 2;
        return Make(JetToken::Kind::Symbol, start, QLatin1String(symbol));
      }
    }
    const QChar c = Peek();
    if (QStringLiteral("+-*/\\&=<>(),.;^").contains(c)) {
      ++FPos;
      return Make(JetToken::Kind::Symbol, start, QString(c));
    }
    RaiseJetSyntaxError(QStringLiteral("unerwartetes Zeichen \"%1\"").arg(c), start + 1);
  }

  const QString& FText;
  int FPos = 0;
};

}  // namespace

QVector<JetToken> TokenizeJetSql(const QString& Statement) { return Tokenizer(Statement).Run(); }
