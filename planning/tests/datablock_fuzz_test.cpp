// Feeds many thousand random and mutated pages to the hub and compares every outcome with a
// plain, step-by-step reading of the block (delete lines from the top, from the bottom, …),
// so a crash, a hang or any difference in lines, workflow or rows shows up.

#include <gtest/gtest.h>

#include <charconv>
#include <random>

#include "base/delphistr.h"
#include "base/tests/printers.h"
#include "planning/mapserverdata.h"

namespace {
const QString kMarker = QStringLiteral("[ZEPRouting]");
constexpr std::uint32_t kSeed = 20161007;
constexpr int kRandomPages = 4000;
constexpr int kMutatedPages = 6000;

struct ExpectedBlock {
  QStringList Lines;
  int WorkflowId = -1;
};

bool IsMarker(const QString& Line) { return Trim(Line) == kMarker; }

// The text read as a decimal number when all of it is one, else 0.
int WholeDecimal(const QString& Text) {
  QByteArray bytes = Text.toUtf8();
  if (bytes.startsWith('+')) bytes.remove(0, 1);
  int number = 0;
  const auto [end, error] = std::from_chars(bytes.cbegin(), bytes.cend(), number);
  return error == std::errc() && end == bytes.cend() ? number : 0;
}

ExpectedBlock ReadStepByStep(const QString& Data) {
  TStringList lines;
  lines.SetText(Data);
  ExpectedBlock block;
  while (lines.Count() > 0 && !IsMarker(lines.Strings(0))) lines.Delete(0);
  while (lines.Count() > 0 && !IsMarker(lines.Strings(lines.Count() - 1)))
    lines.Delete(lines.Count() - 1);
  if (lines.Count() > 0) lines.Delete(0);
  if (lines.Count() > 0) lines.Delete(lines.Count() - 1);
  if (lines.Count() > 0) {
    const int number = WholeDecimal(Trim(lines.Strings(0)));
    block.WorkflowId = number > 0 ? number % 1000 : -1;
    lines.Delete(0);
  }
  for (int i = lines.Count() - 1; i >= 0; --i) {
    if (Trim(lines.Strings(i)).isEmpty()) lines.Delete(i);
  }
  block.Lines = lines.ToStringList();
  return block;
}

QStringList RowsStepByStep(const TMapServerData& Hub, int QNr) {
  QStringList rows;
  for (int row = 1;; ++row) {
    const int index = Hub.IndexOfName(QStringLiteral("Q%1R%2").arg(QNr).arg(row));
    if (index < 0) break;
    rows << Hub.ValueFromIndex(index).replace('~', '|');
  }
  return rows;
}

class PageGenerator {
 public:
  explicit PageGenerator(std::uint32_t Seed) : FRandom(Seed) {}

  // Lines of random pieces, every fifth a marker (some in the wrong case), joined by random
  // line breaks or none at all.
  QString RandomPage() {
    static const QStringList markers = {kMarker, " " + kMarker + "\t", "[zeprouting]"};
    static const QStringList breaks = {"\r\n", "\n", "\r", ""};
    QString page;
    const int lines = Below(40);
    for (int i = 0; i < lines; ++i) {
      if (Below(5) == 0) {
        page += markers[Below(markers.size())];
      } else {
        const int pieces = Below(5);
        for (int j = 0; j < pieces; ++j) page += Piece();
      }
      page += breaks[Below(breaks.size())];
    }
    return page;
  }

  QString MutatedPage() {
    QStringList lines = {kMarker, QString::number(Below(3000) - 500)};
    const int queries = 1 + Below(6);
    for (int q = 1; q <= queries; ++q) {
      const int rows = Below(8);
      for (int r = 1; r <= rows; ++r)
        lines << QStringLiteral("Q%1R%2=%3").arg(q).arg(r).arg(RandomFields());
    }
    lines << kMarker;
    const int mutations = 1 + Below(8);
    for (int i = 0; i < mutations; ++i) Mutate(lines);
    static const QStringList breaks = {"\r\n", "\n", "\r"};
    return lines.join(breaks[Below(breaks.size())]);
  }

 private:
  int Below(qsizetype Limit) {
    return Limit <= 0 ? 0 : int(std::uniform_int_distribution<qsizetype>(0, Limit - 1)(FRandom));
  }

  QString Piece() {
    static const QStringList pieces = {kMarker,
                                       " " + kMarker + "\t",
                                       "[zeprouting]",
                                       "\r\n",
                                       "\n",
                                       "\r",
                                       "=",
                                       "~",
                                       "|",
                                       "Q1R1=",
                                       "q2r1=",
                                       "Q1R",
                                       "2",
                                       "1050",
                                       "-7",
                                       " ",
                                       "\t",
                                       "Straße",
                                       "Müller",
                                       "é",
                                       "¶",
                                       QString(QChar(0)),
                                       QString(QChar(0xD800)),
                                       QString(QChar(0xDC00)),
                                       "\xF0\x9F\x98\x80"};
    if (Below(4) == 0) {
      QString noise;
      const int length = Below(12);
      for (int i = 0; i < length; ++i) noise += QChar(char16_t(Below(0x3000)));
      return noise;
    }
    return pieces[Below(pieces.size())];
  }

  QString RandomFields() {
    QStringList fields;
    const int count = Below(14);
    for (int i = 0; i < count; ++i) fields << (Below(3) == 0 ? QString() : Piece());
    return fields.join('~');
  }

  void Mutate(QStringList& Lines) {
    const int at = Below(Lines.size() + 1);
    switch (Below(7)) {
      case 0:
        Lines.insert(at, Piece());
        break;
      case 1:
        if (at < Lines.size()) Lines.removeAt(at);
        break;
      case 2:
        if (at < Lines.size()) Lines.insert(at, Lines[at]);
        break;
      case 3:
        Lines.insert(at, kMarker);
        break;
      case 4:
        if (at < Lines.size()) Lines[at] = Lines[at].toLower();
        break;
      case 5:
        if (at < Lines.size() && !Lines[at].isEmpty())
          Lines[at].insert(Below(Lines[at].size()), Piece());
        break;
      default:
        if (at < Lines.size()) Lines[at].truncate(Below(Lines[at].size() + 1));
        break;
    }
  }

  std::mt19937 FRandom;
};

// How many pages gave a block with lines and how many gave query rows, so a generator that
// stopped producing blocks would not go unnoticed.
struct Reach {
  int Blocks = 0;
  int Rows = 0;
};

void CheckPage(TMapServerData& Hub, const QString& Page, int ExtraQuery, Reach& Reached) {
  Hub.ReadMapServerData(Page);
  const ExpectedBlock expected = ReadStepByStep(Page);
  ASSERT_EQ(Hub.ToStringList(), expected.Lines);
  ASSERT_EQ(Hub.WorkflowId, expected.WorkflowId);
  ASSERT_GE(Hub.WorkflowId, -1);
  ASSERT_LE(Hub.WorkflowId, 999);
  if (Hub.Count() > 0) ++Reached.Blocks;
  bool anyRows = false;
  for (int q : {1, 2, 3, 4, 5, 6, ExtraQuery}) {
    Hub.SetQueryData(q);
    const QStringList rows = RowsStepByStep(Hub, q);
    ASSERT_EQ(Hub.QueryData, rows) << "query " << q;
    anyRows = anyRows || !rows.isEmpty();
    for (int i = -1; i <= rows.size(); ++i) {
      const QString expectedRow =
          i >= 0 && i < rows.size() ? QString(rows[i]).replace('|', "\r\n") : QString();
      ASSERT_EQ(Hub.GetQueryData(i), expectedRow) << "query " << q << " row " << i;
    }
  }
  if (anyRows) ++Reached.Rows;
}

TEST(DataBlockFuzzTest, RandomPagesAreReadAsTheStepsDescribe) {
  PageGenerator generator(kSeed);
  TMapServerData hub;
  Reach reached;
  for (int i = 0; i < kRandomPages; ++i) {
    const QString page = generator.RandomPage();
    SCOPED_TRACE(page.toStdString());
    CheckPage(hub, page, i % 40 - 10, reached);
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(reached.Blocks, kRandomPages / 4);
  EXPECT_GT(reached.Rows, kRandomPages / 10);
}

TEST(DataBlockFuzzTest, MutatedBlocksAreReadAsTheStepsDescribe) {
  PageGenerator generator(kSeed + 1);
  TMapServerData hub;
  Reach reached;
  for (int i = 0; i < kMutatedPages; ++i) {
    const QString page = generator.MutatedPage();
    SCOPED_TRACE(page.toStdString());
    CheckPage(hub, page, i % 12, reached);
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(reached.Blocks, kMutatedPages / 2);
  EXPECT_GT(reached.Rows, kMutatedPages / 2);
}
}  // namespace
