#include "widgets/planneritempaint.h"

#include <QPainter>

#include "widgets/planneritem.h"

namespace {

constexpr int TrackWidth = 5;
constexpr int LinkSize = 13;
constexpr int ImageSize = 16;
// More text than this never fits into an item; cutting it keeps painting quick.
constexpr int MaxPaintedText = 2000;
const QColor SelectionFrame(31, 78, 153);
const QColor FaultyFrame(200, 0, 0);

QFont CaptionFont(QFont Font) {
  Font.setBold(true);
  return Font;
}

QColor TextColorOn(const QColor& Background) {
  return qGray(Background.rgb()) > 120 ? QColor(20, 20, 20) : QColor(250, 250, 250);
}

QColor BodyColor(const TPlannerItem& Item) {
  if (Item.Flashing() && Item.FlashOn()) return Item.Color().darker(135);
  return Item.Color();
}

QString PaintedText(const TPlannerItem& Item) {
  QString Text = Item.Text().join('\n');
  if (Text.size() > MaxPaintedText) Text.truncate(MaxPaintedText);
  return Text;
}

// Images from the right end of the band; returns the width they take.
int PaintImages(QPainter& Painter, const TPlannerItem& Item, const QRect& Band,
                const TItemPaintOptions& Options) {
  if (!Options.Images) return 0;
  int Right = Band.right() - 1;
  for (int Index : Item.ImageIndexList()) {
    if (Index < 0 || Index >= Options.Images->size()) continue;
    if (Right - ImageSize < Band.left() + TrackWidth) break;
    QRect Target(Right - ImageSize + 1, Band.top() + 1, ImageSize, ImageSize);
    Painter.drawPixmap(Target, Options.Images->at(Index));
    Right -= ImageSize + 1;
  }
  return Band.right() - Right;
}

// The caption band with its images; returns where the text lines start.
int PaintCaptionBand(QPainter& Painter, const TPlannerItem& Item, const QRect& Body, int Inset,
                     const TItemPaintOptions& Options) {
  const bool HasCaption = Item.CaptionType() == ctText && !Item.CaptionText().isEmpty();
  const bool HasImages = Options.Images && !Item.ImageIndexList().isEmpty();
  if (!HasCaption && !HasImages) return Body.top() + 1;
  int Height = std::max(Options.CaptionMetrics.height() + 2, HasImages ? ImageSize + 2 : 0);
  QRect Band(Body.left(), Body.top(), Body.width(), std::min(Height, Body.height()));
  const QColor Fill = BodyColor(Item).darker(112);
  if (HasCaption) Painter.fillRect(Band.adjusted(Inset - Body.left() - 3, 0, 0, 0), Fill);
  int ImagesWidth = PaintImages(Painter, Item, Band, Options);
  if (HasCaption) {
    QRect Caption(Inset, Band.top(), Band.right() - Inset - ImagesWidth - 1, Band.height());
    Painter.setFont(Options.Caption);
    Painter.setPen(TextColorOn(Fill));
    Painter.drawText(
        Caption, Qt::AlignLeft | Qt::AlignVCenter,
        Options.CaptionMetrics.elidedText(Item.CaptionText(), Qt::ElideRight, Caption.width()));
  }
  return Band.bottom() + 2;
}

void PaintLink(QPainter& Painter, const QRect& Link) {
  Painter.setPen(Qt::NoPen);
  Painter.setBrush(QColor(30, 100, 200));
  Painter.drawRoundedRect(Link, 3, 3);
  Painter.setBrush(Qt::NoBrush);
  Painter.setPen(QPen(Qt::white, 1.6));
  QPointF From(Link.left() + 3.5, Link.bottom() - 3.0);
  QPointF To(Link.right() - 3.0, Link.top() + 3.5);
  Painter.drawLine(From, To);
  Painter.drawLine(To, To + QPointF(-4, 0));
  Painter.drawLine(To, To + QPointF(0, 4));
}

void PaintFrames(QPainter& Painter, const TPlannerItem& Item, const QRect& Body,
                 const TItemPaintOptions& Options) {
  Painter.setBrush(Qt::NoBrush);
  Painter.setPen(QPen(BodyColor(Item).darker(160), 1));
  Painter.drawRect(Body);
  if (Item.HasInvalidTimes()) {
    Painter.setPen(QPen(FaultyFrame, 2, Qt::DashLine));
    Painter.drawRect(Body.adjusted(1, 1, -1, -1));
  }
  if (Item.Selected() && Item.ShowSelection() && Options.ShowSelection) {
    Painter.setPen(QPen(SelectionFrame, 2));
    Painter.drawRect(Body.adjusted(1, 1, -1, -1));
  }
  if (Item.Focus()) {
    Painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    Painter.drawRect(Body.adjusted(3, 3, -3, -3));
  }
}

}  // namespace

TItemPaintOptions::TItemPaintOptions(const QFont& Font)
    : Text(Font), Caption(CaptionFont(Font)), TextMetrics(Text), CaptionMetrics(Caption) {}

QRect ItemLinkRect(const TPlannerItem& Item, const QRect& Rect) {
  if (Item.URL().isEmpty()) return QRect();
  return QRect(Rect.right() - LinkSize - 2, Rect.bottom() - LinkSize - 2, LinkSize, LinkSize);
}

void PaintPlannerItem(QPainter& Painter, const TPlannerItem& Item, const QRect& Rect,
                      const TItemPaintOptions& Options) {
  const QRect Body = Rect.adjusted(1, 1, -2, -2);
  if (Body.width() < 2 || Body.height() < 2) return;
  if (Item.Shadow()) Painter.fillRect(Body.translated(2, 2), QColor(0, 0, 0, 55));
  const QColor Fill = BodyColor(Item);
  Painter.fillRect(Body, Fill);
  if (Item.TrackVisible())
    Painter.fillRect(QRect(Body.left(), Body.top(), TrackWidth, Body.height()), Item.TrackColor());
  const int Inset = Body.left() + (Item.TrackVisible() ? TrackWidth + 3 : 3);
  const int TextTop = PaintCaptionBand(Painter, Item, Body, Inset, Options);
  const QRect TextRect(Inset, TextTop, Body.right() - Inset - 1, Body.bottom() - TextTop);
  // Text that cannot show one character is not laid out at all.
  if (TextRect.height() >= Options.TextMetrics.height() / 2 &&
      TextRect.width() >= Options.TextMetrics.averageCharWidth()) {
    Painter.setFont(Options.Text);
    Painter.setPen(TextColorOn(Fill));
    Painter.drawText(TextRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, PaintedText(Item));
  }
  QRect Link = ItemLinkRect(Item, Body);
  if (!Link.isEmpty()) PaintLink(Painter, Link);
  PaintFrames(Painter, Item, Body, Options);
}
